#include "stats/Repeats.h"

#include <algorithm>

#include "core/DrawHelpers.h"
#include "core/Text.h"

namespace qx {

int64_t RepeatsDrawCount(int64_t drawsCount, int64_t length) {
    return std::clamp<int64_t>(length, 0, std::max<int64_t>(drawsCount, 0));
}

TRepeatsResult ComputeRepeats(const TDrawsArray& draws, int64_t length, int64_t deep,
                              const std::function<void()>& drawDone) {
    TRepeatsResult result;
    result.Deep = deep;
    const int64_t high = static_cast<int64_t>(draws.size()) - 1;
    const int64_t first = std::max<int64_t>(0, high - length + 1);
    std::vector<TCombCode> codes(draws.size());
    for (size_t i = 0; i < draws.size(); ++i) codes[i] = CodeOfDraw(draws[i]);
    for (int64_t p = high; p >= first; --p) {
        const TCombCode base = codes[static_cast<size_t>(p)];
        const int64_t last = std::max<int64_t>(0, p - deep);
        int64_t counts[kPositions + 1] = {};
        int order[kPositions];
        int met = 0;
        unsigned seen = 1; // no row for count 0
        for (int64_t q = p - 1; q >= last; --q) {
            const int r = RepeatCount(base, codes[static_cast<size_t>(q)]);
            ++counts[r];
            if (!(seen >> r & 1u)) {
                seen |= 1u << r;
                order[met++] = r;
            }
        }
        for (int i = 0; i < met; ++i) {
            result.Rows.push_back({static_cast<int32_t>(p), order[i], counts[order[i]]});
            result.MaxMatches = std::max(result.MaxMatches, order[i]);
        }
        if (drawDone) drawDone();
    }
    return result;
}

void ForEachRepeatedDraw(const TDrawsArray& draws, const TRepeatsRow& row, int64_t deep,
                         const std::function<void(int32_t number)>& fn) {
    const int64_t p = row.DrawIndex;
    if (p < 0 || p >= static_cast<int64_t>(draws.size())) return;
    const TCombCode base = CodeOfDraw(draws[static_cast<size_t>(p)]);
    const int64_t last = std::max<int64_t>(0, p - deep);
    for (int64_t q = p - 1; q >= last; --q) {
        const TDrawRecord& d = draws[static_cast<size_t>(q)];
        if (RepeatCount(base, CodeOfDraw(d)) == row.Matches) fn(d.Number);
    }
}

std::string RepeatsListText(const TDrawsArray& draws, const TRepeatsRow& row, int64_t deep) {
    std::string text;
    ForEachRepeatedDraw(draws, row, deep, [&](int32_t number) {
        if (!text.empty()) text += ' ';
        text += std::to_string(number);
    });
    return text;
}

std::string RepeatsSeriesTitle(int matches) {
    return FormatText("Совпадений: %d", {std::to_string(matches)});
}

TGraphPlot RepeatsPlot(const TDrawsArray& draws, const TRepeatsResult& result) {
    TGraphPlot plot;
    plot.Caption = "Количество повторов в зависимости от тиража";
    plot.Points.reserve(result.Rows.size());
    for (auto it = result.Rows.rbegin(); it != result.Rows.rend(); ++it) {
        const int32_t number = draws[static_cast<size_t>(it->DrawIndex)].Number;
        plot.Add(number, RepeatsSeriesTitle(it->Matches), static_cast<double>(it->Count), true, false, 0);
    }
    return plot;
}

} // namespace qx
