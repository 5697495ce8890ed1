#include "stakes/StakesGraphs.h"

#include <unordered_map>

#include "core/Cp1251Case.h"
#include "core/Error.h"
#include "core/Text.h"
#include "stakes/StakesBook.h"

namespace qx {
namespace {

double Units(TMoney value) { return static_cast<double>(value) / kMoneyScale; }

} // namespace

TGraphPlot ProfitByDrawsPlot(const TStakesBook& book) {
    struct TDrawTotal {
        int32_t Draw;
        TMoney Total;
    };
    std::vector<TDrawTotal> totals;
    std::unordered_map<int32_t, size_t> where;
    book.ForEach(0, [&](const TStakeRecord& r, int64_t) {
        if (r.DrawNumber < 0) return;
        auto [it, added] = where.emplace(r.DrawNumber, totals.size());
        if (added) totals.push_back({r.DrawNumber, 0});
        TMoney& t = totals[it->second].Total;
        if (__builtin_add_overflow(t, r.Profit, &t)) t = r.Profit < 0 ? INT64_MIN : INT64_MAX;
    });
    if (totals.empty()) throw TAppError(kGraphDrawsMessage);
    long double grand = 0;
    for (const TDrawTotal& t : totals) grand += t.Total;
    const double mean = static_cast<double>(grand / static_cast<long double>(totals.size()) / kMoneyScale);
    TGraphPlot plot;
    plot.Caption = "График суммарного профита ставок по тиражам";
    long double running = 0;
    for (const TDrawTotal& t : totals) {
        running += t.Total;
        const double x = t.Draw;
        plot.Add(x, "Суммарный профит ставок по тиражу", Units(t.Total), true, true, Rgb(0, 128, 0));
        plot.Add(x, "Среднее значение", mean, false, false, Rgb(0, 0, 255));
        plot.Add(x, "Накопленное значение", static_cast<double>(running / kMoneyScale), true, true, Rgb(255, 0, 0));
    }
    return plot;
}

TGraphPlot StakesByCommentsPlot(TStakesBook& book, const std::vector<std::string>& captions, bool profits) {
    if (captions.empty()) throw TAppError(kGraphDrawsMessage);
    const TLastDraws last = book.SeekLastDraws(kGraphLastDraws);
    if (last.Count < 2) throw TAppError(kGraphDrawsMessage);
    TGraphPlot plot;
    plot.Caption = profits ? "График профита для всех ставок по тиражам"
                           : "График количества совпадений для всех ставок по тиражам";
    book.ForEach(last.Position, [&](const TStakeRecord& r, int64_t) {
        const int matches = r.ValidMatchCount();
        if (!r.IsChecked() || r.DrawNumber <= 0 || matches < 0) return;
        for (const std::string& caption : captions)
            if (SameTextCp1251(r.RawComment(), caption)) {
                plot.Add(r.DrawNumber, r.CommentText(), profits ? Units(r.Profit) : matches, true, true, 0);
                break;
            }
    });
    return plot;
}

} // namespace qx
