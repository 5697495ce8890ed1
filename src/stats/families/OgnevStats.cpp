// Ognev numbers: a draw condensed into one number by repeated differences of neighbours, and the
// dynamic variant that turns the current draw's number into candidate digits for the next draw.
#include "stats/families/Ognev.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include "core/Text.h"
#include "stats/DigitFilter.h"
#include "stats/OwnPasses.h"
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"

namespace qx {

TOgnevNumber Ognev(const TDigits& digits, int mode) {
    std::array<int, kPositions> x{};
    for (int p = 0; p < kPositions; ++p) x[size_t(p)] = digits[size_t(p)];
    for (int n = kPositions; n >= 3; --n)
        for (int k = 0; k + 1 < n; ++k) x[size_t(k)] = std::abs(x[size_t(k + 1)] - x[size_t(k)]);
    const int sum = x[0] + x[1];
    int v = std::abs(x[1] - x[0]);
    if (mode == 1 && v < 2) v = sum;
    if (mode == 2) {
        if (v == 0) v = sum;
        if (v == 1) return {2, {1, sum}};
    }
    return {1, {v, 0}};
}

namespace {

class TCustomOgnevGraphStat : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr std::string_view kCodeFormat = "HCO%d";
    static constexpr uint8_t kGroup = 11;
};

template <int Mode> class TOgnevGraphStat : public TDigitsGraphStat<TCustomOgnevGraphStat> {
public:
    using TDigitsGraphStat::TDigitsGraphStat;
    static constexpr int kSize = Mode + 1;
    static constexpr uint8_t kFlags = kFlagS | kFlagN;

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        out.Add(TStatKey::FromA(Ognev(d, Mode).Values[0]));
    }
    TKeyPart MatchPart() const override { return TKeyPart::K1; }
};

class TstOgnev1 final : public TOgnevGraphStat<0> {
public:
    using TOgnevGraphStat::TOgnevGraphStat;
    static constexpr std::string_view kClassName = "TstOgnev1";
    static constexpr std::string_view kNameFormat = "Число Огнева 1 (только разность)";
};

class TstOgnev2 final : public TOgnevGraphStat<1> {
public:
    using TOgnevGraphStat::TOgnevGraphStat;
    static constexpr std::string_view kClassName = "TstOgnev2";
    static constexpr std::string_view kNameFormat = "Число Огнева 2 (разность + сложение, если {0,1})";
};

// The values a draw gives: its number in mode 2 (a pair (1, s) shown as s with its 1), then the
// candidate digits that follow from it, each with whether next (the draw after the current one)
// holds it. emit(key, counted) in the order they are merged.
template <class Emit>
void DynamicOgnevValues(const TDigits& d, const TDrawRecord& next, Emit&& emit) {
    auto counted = [&next](int v) {
        for (uint8_t x : next.Digits)
            if (x == v) return true;
        return false;
    };
    const TOgnevNumber number = Ognev(d, 2);
    const int e = number.Count == 2 ? number.Values[1] : number.Values[0];
    emit(number.Count == 2 ? TStatKey::FromParts(e, 1, 0, 2) : TStatKey::FromParts(e), counted(e));
    for (int f = e * e > 8 ? e * e : e * e * e; f > e; f -= e)
        if (f <= 9) emit(TStatKey::FromParts(f), counted(f));
}

// Only the current draw contributes (the draw carrying the current draw's number): its number
// and the digits that follow from it, each counted when the next draw in the archive holds it.
class TstOgnev3 final : public TCustomStat, public TOwnWindowPass, public TOwnCodeFilter {
public:
    using TCustomStat::TCustomStat;
    static constexpr std::string_view kClassName = "TstOgnev3";
    static constexpr std::string_view kCodeFormat = "HCO%d";
    static constexpr std::string_view kNameFormat = "Числа Огнева 3 (динамический, только фильтр)";
    static constexpr int kSize = 3;
    static constexpr uint8_t kGroup = 11;
    static constexpr uint8_t kFlags = kFlagS | kFlagD;
    static constexpr bool kCanParseValue = false;

    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        TCustomStat::AddDraw(i, L, lastValues, runState, rows, sorted);
        if (Draw.Number != RefDraw.Number) return;
        DynamicOgnevValues(DrawDigits(Draw, false), DrawAt(L + 1, false), [&](TStatKey key, bool counted) {
            Hit.Key = key;
            Hit.Count = counted;
            rows.AddHit(Hit, false);
        });
    }
    bool Matches(TCombCode code, TSelectedRows selected, bool, bool, int) override {
        return AnyDigitSelected(code, selected);
    }
    std::string ValueText(const TStatDraw& row) const override {
        std::string text = IntToStr(row.Key.K1());
        if (row.Key.K4() == 2) text += " (" + IntToStr(row.Key.K2()) + ")";
        return text;
    }

    // The table: draws not carrying the current number are passed over without being prepared.
    TOwnWindowPass* OwnWindowPass() override { return this; }
    bool BeginPass(int, int, int L, bool sorted) override {
        FSorted = sorted;
        FCurrent = Draws[size_t(L)].Number;
        FNext = DrawAt(L + 1, false);
        return true;
    }
    // Ids: K1 (a number of bytes' differences and sums stays below 1024), plus 1024 for a pair.
    int ValueCount() const override { return 2 * kPairId; }
    TStatKey ValueKey(uint32_t id) const override {
        return id >= kPairId ? TStatKey::FromParts(int(id - kPairId), 1, 0, 2) : TStatKey::FromParts(int(id));
    }
    int DrawHits(int i, uint32_t* ids) const override {
        if (Draws[size_t(i)].Number != FCurrent) return 0;
        int n = 0;
        CarrierHits(i, FSorted, FNext, [&](uint32_t id, bool counted) { ids[n++] = id | (counted ? 0 : kUncountedBit); });
        return n;
    }

    // Only the draws carrying the current number give hits. Where the archive's numbering rises
    // all along the window and after it, L alone carries it (an index of the draws where the
    // numbering does not rise tells in a lookup); otherwise those draws are searched for.
    bool WindowSummaries(int start, int L, bool sorted, std::vector<TValueSummary>& out) override {
        const auto breaks = NumberingBreaks(start);
        if (!breaks) return false;
        const int high = static_cast<int>(Draws.size()) - 1;
        const TDrawRecord next = DrawAt(L + 1, false);
        out.clear();
        uint32_t order = 0;
        TValueSummary none;
        if (!breaks->Summary(0, start + 1, high, none)) {
            MergeCarrier(L, sorted, next, order, out);
            return true;
        }
        const int32_t number = Draws[size_t(L)].Number;
        for (int j = start; j <= high; ++j) {
            if (Draws[size_t(j)].Number != number) continue;
            if (j <= L)
                MergeCarrier(j, sorted, next, order, out);
            else
                NoteNextCarrier(j, sorted, next, out);
        }
        return true;
    }

    TOwnCodeFilter* OwnCodeFilter() override { return this; }
    void MatchTable(TSelectedRows selected, bool, bool, int, uint8_t* pass) override { MatchAnyDigit(selected, pass); }

private:
    static constexpr uint32_t kPairId = 1024;

    // The value ids draw j gives as a carrier of the current number: fn(id, counted) in merge order.
    template <class Fn>
    void CarrierHits(int j, bool sorted, const TDrawRecord& next, Fn&& fn) const {
        DynamicOgnevValues(DrawDigits(Draws[size_t(j)], sorted), next, [&](TStatKey key, bool counted) {
            fn(uint32_t(key.K1()) + (key.K4() == 2 ? kPairId : 0), counted);
        });
    }
    static TValueSummary* SummaryOf(uint32_t id, std::vector<TValueSummary>& summaries) {
        for (TValueSummary& s : summaries)
            if (s.Value == id) return &s;
        return nullptr;
    }
    // Carrier j of the window merged into the summaries (no periods: Count and newest draw only).
    void MergeCarrier(int j, bool sorted, const TDrawRecord& next, uint32_t& order,
                      std::vector<TValueSummary>& summaries) const {
        CarrierHits(j, sorted, next, [&](uint32_t id, bool counted) {
            TValueSummary* s = SummaryOf(id, summaries);
            if (!s) {
                s = &summaries.emplace_back();
                s->Value = id;
                s->FirstOrder = order;
            }
            ++order;
            s->Count += counted;
            s->Last = Draws[size_t(j)].Number;
            s->LastIndex = j;
        });
    }
    // A carrier after the window: the next occurrence of the window's values it gives.
    void NoteNextCarrier(int j, bool sorted, const TDrawRecord& next, std::vector<TValueSummary>& summaries) const {
        CarrierHits(j, sorted, next, [&](uint32_t id, bool) {
            if (TValueSummary* s = SummaryOf(id, summaries); s && s->NextIndex < 0) s->NextIndex = j;
        });
    }
    // Draws whose number is not above the one before: the archive has repeated numbers only where
    // there is one. Read from the window's first draw on.
    std::shared_ptr<const TOccurrenceIndex> NumberingBreaks(int start) {
        return CachedIndex(Draws, false, start, 0, [this] {
            return TOccurrenceIndex::Build(1, Draws, [this](int i, uint32_t* ids) {
                ids[0] = 0;
                return i > 0 && Draws[size_t(i)].Number <= Draws[size_t(i - 1)].Number ? 1 : 0;
            });
        });
    }
    bool FSorted = false;
    int32_t FCurrent = 0;
    TDrawRecord FNext;
};

} // namespace

std::vector<const TStatClass*> OgnevClasses() {
    return {&StatClassOf<TstOgnev1>(), &StatClassOf<TstOgnev2>(), &StatClassOf<TstOgnev3>()};
}

} // namespace qx
