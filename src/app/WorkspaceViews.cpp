#include <algorithm>

#include "app/Workspace.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

constexpr const char* kNoFilterValues = "В выделенном диапазоне нет значений для фильтра!";
constexpr const char* kDigitValuesMethod = "NUMS";

} // namespace

bool TWorkspace::CardSelectionFilterable(const TGridRect& rect) {
    return !rect.Empty() && rect.Left >= 1 && rect.Right <= kDigitCount;
}

void TWorkspace::FilterByDigits(const TViewFilterValues& values, bool exclude, const std::string& caption) {
    if (values.Empty()) throw TAppError(kNoFilterValues);
    std::vector<TStatDraw> rows;
    for (int32_t digit : values.Values()) {
        TStatDraw row;
        row.Key = TStatKey::FromA(digit);
        rows.push_back(row);
    }
    const int method = FStats.IndexOfCode(kDigitValuesMethod);
    if (method < 0)
        throw TAppError(FormatText("Метод расчета статистики не найден: %s", {kDigitValuesMethod}));
    auto stat = FStats.CreateStat(method);
    FilterByRows(*stat, rows, exclude, caption, values.Text());
}

void TWorkspace::CardFilter(const TGridRect& rect, bool exclude) {
    SaveCombsUndo(true);
    TViewFilterValues values;
    // Column 0 holds the draw numbers, not digits.
    TGridRect digits = rect;
    digits.Left = std::max(1, digits.Left);
    FCardTab.Card().CollectValues(digits, values);
    FilterByDigits(values, exclude, "Карта");
}

void TWorkspace::LayoutFilter(const TGridRect& rect, bool exclude) {
    SaveCombsUndo(true);
    TViewFilterValues values;
    const TTextGrid& grid = FLayoutTab.Scheme().Grid;
    values.AddCells(rect, [&](int column, int row) {
        return column > 0 && row > 0 && grid.Contains(column, row) ? grid.At(column, row) : std::string();
    });
    FilterByDigits(values, exclude, "Схема");
}

void TWorkspace::WeekFilter(const TGridRect& rect, bool exclude) {
    SaveCombsUndo(true);
    TViewFilterValues values;
    if (!rect.Empty())
        for (int column = std::max(1, rect.Left); column <= std::min(kDigitCount, rect.Right); ++column)
            values.Add(column - 1);
    FilterByDigits(values, exclude, "Неделя");
}

} // namespace qx
