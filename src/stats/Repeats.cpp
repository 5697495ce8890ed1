#include "stats/Repeats.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "core/DrawHelpers.h"
#include "core/Text.h"

namespace qx {
namespace {

// Four codes at a time in one 16-byte vector (GCC's generic vectors: SSE2 on the baseline
// processor, wider where the compiler may).
using TCodeVec = uint32_t __attribute__((vector_size(16)));
constexpr int kLanes = 4;

// How many codes of [from, to) repeat base 1, 2, 3 and 4 times (counts[1..4]).
void CountRepeats(const TCombCode* codes, int64_t from, int64_t to, TCombCode base,
                  int64_t (&counts)[kPositions + 1]) {
    const TCodeVec b = {base, base, base, base};
    TCodeVec c[kPositions + 1] = {};
    int64_t q = from;
    for (; q + kLanes <= to; q += kLanes) {
        TCodeVec v;
        std::memcpy(&v, codes + q, sizeof v);
        const TCodeVec x = v ^ b;
        const TCodeVec nonZero = ((x & 0x7F7F7F7Fu) + 0x7F7F7F7Fu) | x;
        const TCodeVec zero = (~(nonZero | 0x7F7F7F7Fu)) >> 7; // 1 in each equal byte
        TCodeVec r = zero + (zero >> 8);
        r = (r + (r >> 16)) & 0xFFu;
        // A true comparison is all ones (-1): subtracting it counts one.
        for (int k = 1; k <= kPositions; ++k)
            c[k] -= reinterpret_cast<TCodeVec>(r == static_cast<uint32_t>(k));
    }
    for (int k = 1; k <= kPositions; ++k)
        for (int lane = 0; lane < kLanes; ++lane) counts[k] += c[k][lane];
    for (; q < to; ++q) ++counts[RepeatCount(base, codes[q])];
}

// For every index the previous one whose code agrees on the bytes of mask (-1 for none): a chain
// through the draws sharing those positions, so the nearest three- or four-fold repeat of a draw is
// found without walking back through the draws in between.
std::vector<int32_t> PreviousMatching(const std::vector<TCombCode>& codes, uint32_t mask) {
    std::vector<int32_t> previous(codes.size(), -1);
    std::unordered_map<TCombCode, int32_t> last;
    last.reserve(codes.size());
    for (size_t i = 0; i < codes.size(); ++i) {
        auto [it, added] = last.try_emplace(codes[i] & mask, static_cast<int32_t>(i));
        if (!added) {
            previous[i] = it->second;
            it->second = static_cast<int32_t>(i);
        }
    }
    return previous;
}

// The masks of the four position triples and of all four positions.
constexpr uint32_t kTripleMasks[kPositions] = {0xFFFFFF00u, 0xFFFF00FFu, 0xFF00FFFFu, 0x00FFFFFFu};
constexpr uint32_t kAllMask = 0xFFFFFFFFu;

} // namespace

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
    const std::vector<int32_t> previousSame = PreviousMatching(codes, kAllMask);
    std::vector<int32_t> previousTriple[kPositions];
    for (int t = 0; t < kPositions; ++t) previousTriple[t] = PreviousMatching(codes, kTripleMasks[t]);
    for (int64_t p = high; p >= first; --p) {
        const TCombCode base = codes[static_cast<size_t>(p)];
        const int64_t last = std::max<int64_t>(0, p - deep);
        int64_t counts[kPositions + 1] = {};
        CountRepeats(codes.data(), last, p, base, counts);
        // Rows come in the order their counts are first met walking back: find the nearest draw
        // of each count present. Counts 1 and 2 turn up within a few dozen draws; the nearest
        // three- and four-fold repeats come from the chains (a triple's chain holds four-fold
        // repeats too, which are skipped).
        int64_t nearest[kPositions + 1] = {};
        unsigned wanted = 0;
        for (int k = 1; k < kPositions - 1; ++k)
            if (counts[k] > 0) wanted |= 1u << k;
        if (counts[kPositions] > 0) nearest[kPositions] = previousSame[static_cast<size_t>(p)];
        if (counts[kPositions - 1] > 0) {
            nearest[kPositions - 1] = -1;
            for (const std::vector<int32_t>& chain : previousTriple) {
                int64_t q = chain[static_cast<size_t>(p)];
                while (q >= last && codes[static_cast<size_t>(q)] == base) q = chain[static_cast<size_t>(q)];
                if (q >= last) nearest[kPositions - 1] = std::max(nearest[kPositions - 1], q);
            }
        }
        for (int64_t q = p - 1; wanted && q >= last; --q) {
            const int r = RepeatCount(base, codes[static_cast<size_t>(q)]);
            if (wanted >> r & 1u) {
                wanted &= ~(1u << r);
                nearest[r] = q;
            }
        }
        int order[kPositions];
        int met = 0;
        for (int k = 1; k <= kPositions; ++k) {
            if (counts[k] == 0) continue;
            int i = met++; // insertion by nearness, nearest first
            for (; i > 0 && nearest[order[i - 1]] < nearest[k]; --i) order[i] = order[i - 1];
            order[i] = k;
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
