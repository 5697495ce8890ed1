#include "app/WeekTab.h"

#include <algorithm>
#include <cmath>

#include "app/Workspace.h"
#include "core/DateTime.h"
#include "core/Text.h"
#include "stats/StatFormat.h"

namespace qx {

const TDayNames& BuiltInShortDayNames() {
    static const TDayNames names = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};
    return names;
}

std::optional<int> LabelWeekday(std::string_view label) {
    TDateTime date = 0;
    try {
        date = std::floor(ParseDrawLabel(label));
    } catch (const std::exception&) {
        // A day missing from its month: the draw has no day of the week.
        return std::nullopt;
    }
    if (date <= 0) return std::nullopt;
    // Day 0, 30 December 1899, was a Saturday.
    return int((int64_t(date) + 5) % kWeekDays) + 1;
}

TWeekCounts TWeekCounts::Count(const TDrawsArray& draws, int current, int length) {
    TWeekCounts week;
    if (current < 0 || current >= int(draws.size())) return week;
    for (int i = std::max(0, current - length + 1); i <= current; ++i) {
        const TDrawRecord& draw = draws[size_t(i)];
        const std::optional<int> day = LabelWeekday(draw.DateLabel());
        if (!day) continue;
        for (uint8_t d : draw.Digits)
            if (d < kDigitCount) week.FMax = std::max(week.FMax, ++week.FCounts[d][size_t(*day - 1)]);
    }
    return week;
}

std::string TWeekCounts::Text(int column, int row, const TDayNames& days) const {
    if (column < 0 || row < 0 || column >= kColumns || row >= kRows) return {};
    if (row == 0) return column == 0 ? std::string() : IntToStr(column - 1);
    if (column == 0) return days[size_t(row - 1)];
    const int count = At(column - 1, row);
    return count > 0 ? IntToStr(count) : std::string();
}

std::optional<TColour> TWeekCounts::Colour(int column, int row) const {
    if (column < 1 || row < 1 || column >= kColumns || row >= kRows || FMax <= 0) return std::nullopt;
    const int count = At(column - 1, row);
    if (count <= 0) return std::nullopt;
    const auto g = uint8_t(RoundRatio(255 * int64_t(FMax - count), FMax));
    return TColour{255, g, g};
}

std::vector<TChartPoint> TWeekCounts::ChartPoints(int mode, int column, int row,
                                                  const TDayNames& days) const {
    column = std::clamp(column, 1, kColumns - 1);
    row = std::clamp(row, 1, kRows - 1);
    std::vector<TChartPoint> points;
    if (mode == 1) {
        for (int day = 1; day <= kWeekDays; ++day)
            points.push_back({double(day), double(At(column - 1, day)), days[size_t(day - 1)]});
    } else {
        for (int digit = 0; digit < kDigitCount; ++digit)
            points.push_back({double(digit + 1), double(At(digit, row)), IntToStr(digit)});
    }
    return points;
}

TWeekTab::TWeekTab(TWorkspace& workspace) : FWs(workspace) {}

bool TWeekTab::Refresh(bool force) {
    const int length = FWs.FormKeys().WeekLen;
    if (!FRefresh.Needed(FWs.FormKeys().TabWeek, force, WindowViewKey(FWs, length))) return false;
    TBusyScope busy(FWs.Shell(), kWeekProgress);
    FCounts = TWeekCounts::Count(FWs.Draws(), FWs.CurrentDrawIndex(), length);
    return true;
}

void TWeekTab::SetCurrentCell(int column, int row) {
    FColumn = std::clamp(column, 1, TWeekCounts::kColumns - 1);
    FRow = std::clamp(row, 1, TWeekCounts::kRows - 1);
}

std::vector<TChartPoint> TWeekTab::Chart() const {
    return FCounts.ChartPoints(FWs.FormKeys().WeekChartMode, FColumn, FRow, FDays);
}

} // namespace qx
