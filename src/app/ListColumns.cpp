#include "app/ListColumns.h"

#include "core/Text.h"
#include "scripts/RatingsSort.h"
#include "scripts/RatingsText.h"

namespace qx {

const std::vector<TListColumn>& DrawsListColumns() {
    static const std::vector<TListColumn> columns = {{"Тираж", kAlignLeft, 54},  {"1", kAlignCenter, 24},
                                                     {"2", kAlignCenter, 24},    {"3", kAlignCenter, 24},
                                                     {"4", kAlignCenter, 24},    {"S", kAlignCenter, 30},
                                                     {"Дата тиража", kAlignLeft, 100}};
    return columns;
}

const std::vector<TListColumn>& CombsListColumns() {
    static const std::vector<TListColumn> columns = {{"№ п.п.", kAlignLeft, 80}, {"1", kAlignCenter, 30},
                                                     {"2", kAlignCenter, 30},    {"3", kAlignCenter, 30},
                                                     {"4", kAlignCenter, 30},    {"S", kAlignCenter, 30}};
    return columns;
}

const std::vector<TListColumn>& RatingsListColumns() {
    static const std::vector<TListColumn> columns = [] {
        std::vector<TListColumn> v;
        for (int c = 0; c < kRatingColumnCount; ++c) {
            const TFieldAlignment alignment = c == 0 ? kAlignLeft : c <= 5 ? kAlignRight : kAlignCenter;
            const int width = c == 0 ? 250 : c == 4 ? 80 : c == 5 ? 70 : c <= 3 ? 60 : c <= 10 ? 45 : 55;
            v.push_back({kRatingColumnCaptions[c], alignment, width});
        }
        return v;
    }();
    return columns;
}

std::vector<TListColumn> StatListColumns(bool norms) {
    std::vector<TListColumn> columns;
    for (int c = 0; c < kStatColumnCount; ++c) {
        TListColumn column{StatColumnCaption(c).c_str(), kAlignRight, 80};
        switch (static_cast<TStatColumn>(c)) {
        case TStatColumn::Value:
            column.Alignment = kAlignLeft;
            column.Width = 120;
            break;
        case TStatColumn::LastDraw:
        case TStatColumn::ExpectedPeriod:
        case TStatColumn::ExpectedFormula1:
        case TStatColumn::ExpectedFormula2:
        case TStatColumn::Fact:
        case TStatColumn::DiffPeriod:
        case TStatColumn::DiffFormula1:
        case TStatColumn::DiffFormula2: column.Alignment = kAlignCenter; break;
        default: break;
        }
        if (c >= kFirstNormColumn && c <= kLastNormColumn && !norms) column.Width = 0;
        columns.push_back(column);
    }
    return columns;
}

std::string DrawsListCell(const TDrawsArray& draws, int row, int column) {
    const int count = static_cast<int>(draws.size());
    if (row < 0 || row >= count) return {};
    const TDrawRecord& d = draws[size_t(count - 1 - row)];
    switch (column) {
    case 0: return IntToStr(d.Number);
    case 1:
    case 2:
    case 3:
    case 4: return IntToStr(d.Digits[size_t(column - 1)]);
    case 5: return IntToStr(int(d.Digits[0]) + d.Digits[1] + d.Digits[2] + d.Digits[3]);
    case 6: return d.DateLabel();
    default: return {};
    }
}

std::string CombsListCell(const TCombsArray& combs, int row, int column) {
    if (row < 0 || row >= static_cast<int>(combs.size())) return {};
    const TCombCode code = combs[size_t(row)];
    switch (column) {
    case 0: return IntToStr(row + 1);
    case 1:
    case 2:
    case 3:
    case 4: return IntToStr(DigitOfCode(code, column - 1));
    case 5: return IntToStr(DigitOfCode(code, 0) + DigitOfCode(code, 1) + DigitOfCode(code, 2) + DigitOfCode(code, 3));
    default: return {};
    }
}

} // namespace qx
