#include "stakes/StakesGrid.h"

#include <algorithm>

namespace qx {

const TStakeColumnDef kStakeColumns[kStakeColumnCount] = {
    {"№ тиража", 60},   {"Вид ставки", 60}, {"Моя ставка", 120}, {"Выборка", 60},      {"Результаты тиража", 120},
    {"Совпадений", 60}, {"Совпадения", 60}, {"Профит", 60},      {"Комментарий", 1000},
};

std::string StakeCellText(const TStakeRecord& r, int column, char separator) {
    if (r.DrawNumber <= 0) return {};
    switch (column) {
    case stcDraw: return std::to_string(r.DrawNumber);
    case stcKind: return StakeKindCaption(r.Kind);
    case stcNumbers: return r.NumbersText();
    case stcSample: return std::to_string(r.Sample);
    case stcDrawn:
        if (!r.IsChecked()) return {};
        return DigitsText(MakeCode(r.Drawn[0], r.Drawn[1], r.Drawn[2], r.Drawn[3]));
    case stcMatchCount: return r.IsChecked() ? std::to_string(r.Matched.Count) : std::string();
    case stcMatched: {
        const int n = r.ValidMatchCount();
        if (!r.IsChecked() || n < 0) return {};
        std::string s;
        for (int i = 0; i < n; ++i) {
            if (i) s += ' ';
            s += std::to_string(r.Matched.Digits[i]);
        }
        return s;
    }
    case stcProfit: return MoneyText(r.Profit, separator);
    case stcComment: return r.CommentText();
    default: return {};
    }
}

bool StakeDigitMatches(const TStakeRecord& r, int position) {
    return r.IsChecked() && position >= 0 && position < kPositions && r.Numbers.Digits[position] == r.Drawn[position];
}

bool StakeRowColour(const TStakeRecord& r, TColour& colour) {
    switch (r.Kind) {
    case skManual: colour = {234, 255, 234}; return true;
    case skRegular: colour = {255, 234, 234}; return true;
    case skScript: colour = {234, 255, 255}; return true;
    case skSystem: colour = {252, 253, 217}; return true;
    default: return false;
    }
}

TColour StakeProfitColour(const TStakeRecord& r) {
    return r.Profit > 0 ? TColour{0, 128, 0} : TColour{255, 0, 0};
}

} // namespace qx
