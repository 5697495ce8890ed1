// Repeats: digits that come back at the same position one to four draws later, also shifted by
// one or two (wrapping round 0..9), listed as the repeated digits or counted per draw.
//
// Draw i is compared with its back draws (archive index i - t, and i - 2 for the three-draw
// rules, prepared like the draw itself and all zero before the archive) and, for the digit
// members, with the current draw L. A candidate is judged as the draw after L.
//
// Tables and filters have faster paths that give the same: a pass reads the digits of the draws
// it needs once and works out each draw's hits from them, and a filter decides all 10,000 codes
// from per-position tables.
#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "core/DrawHelpers.h"

#include "stats/DigitFilter.h"
#include "stats/DigitValues.h"
#include "stats/OwnPasses.h"
#include "stats/StatClassOf.h"
#include "stats/WindowDigits.h"
#include "stats/families/Families.h"
#include "stats/families/GroupMembers.h"

namespace qx {
namespace {

// (digit + s) wrapped into 0..9 (9 + 1 gives 0, 1 - 2 gives 9); an unshifted digit stays as it is.
constexpr int Shifted(int digit, int s) {
    const int v = digit + s;
    return s > 0 && v > 9 ? v - 10 : s < 0 && v < 0 ? v + 10 : v;
}

// The fast paths look at the four positions at once, a code's bytes being its digits: the high
// bit of each byte of x that is zero.
constexpr uint32_t ZeroBytes(uint32_t x) {
    return ~(((x & 0x7F7F7F7Fu) + 0x7F7F7F7Fu) | x | 0x7F7F7F7Fu) & 0x80808080u;
}

// How many bytes have their high bit set, of bytes holding nothing else.
constexpr uint32_t ByteCount(uint32_t highBits) {
    return ((highBits >> 7) * 0x01010101u) >> 24;
}

// Every byte of the code shifted (a byte stays a byte).
template <int S> constexpr auto kShiftedByte = [] {
    std::array<uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b) t[size_t(b)] = uint8_t(Shifted(b, S));
    return t;
}();
template <int S> TCombCode ShiftedCode(TCombCode c) {
    if constexpr (S == 0) {
        return c;
    } else {
        const auto& t = kShiftedByte<S>;
        return TCombCode(t[c & 0xFF]) | TCombCode(t[c >> 8 & 0xFF]) << 8 | TCombCode(t[c >> 16 & 0xFF]) << 16 |
               TCombCode(t[c >> 24]) << 24;
    }
}

// A rule compares digit d of a draw at one position with the digits b1 (back draw at distance
// kDistance), b2 (the draw two back) and, for the digit members, r (the current draw) there.
// Repeated: the draw gives its digit there. Counted: the position counts. The Bytes forms answer
// for the four positions at once (high bit of a byte set where the position qualifies), from the
// codes with b1 and r already shifted.
template <int S, int T> struct TShiftRule {
    static constexpr int kShift = S;
    static constexpr int kDistance = T;
    static bool Repeated(int d, int b1, int, int r) {
        return Shifted(b1, S) == Shifted(r, S) && Shifted(b1, S) == d;
    }
    static bool Counted(int d, int b1, int) { return d == Shifted(b1, S); }
    static uint32_t RepeatedBytes(TCombCode d, TCombCode b1, TCombCode, TCombCode r) {
        return ZeroBytes((b1 ^ r) | (d ^ b1));
    }
    static uint32_t CountedBytes(TCombCode d, TCombCode b1, TCombCode) { return ZeroBytes(d ^ b1); }
};

// In three draws in a row.
struct TThreeRule {
    static constexpr int kShift = 0;
    static constexpr int kDistance = 1;
    static bool Repeated(int d, int b1, int b2, int r) { return d == r && d == b1 && d == b2; }
    static bool Counted(int d, int b1, int b2) { return d == b1 && d == b2; }
    static uint32_t RepeatedBytes(TCombCode d, TCombCode b1, TCombCode b2, TCombCode r) {
        return ZeroBytes((d ^ r) | (d ^ b1) | (d ^ b2));
    }
    static uint32_t CountedBytes(TCombCode d, TCombCode b1, TCombCode b2) { return ZeroBytes((d ^ b1) | (d ^ b2)); }
};

// In the last two draws, not three.
struct TTwoNotThreeRule {
    static constexpr int kShift = 0;
    static constexpr int kDistance = 1;
    static bool Repeated(int d, int b1, int b2, int r) { return d == r && d == b1 && d != b2; }
    static bool Counted(int d, int b1, int b2) { return d == b1 && d != b2; }
    static uint32_t RepeatedBytes(TCombCode d, TCombCode b1, TCombCode b2, TCombCode r) {
        return ZeroBytes((d ^ r) | (d ^ b1)) & ~ZeroBytes(d ^ b2);
    }
    static uint32_t CountedBytes(TCombCode d, TCombCode b1, TCombCode b2) {
        return ZeroBytes(d ^ b1) & ~ZeroBytes(d ^ b2);
    }
};

// How far back a rule reads: its distance, and two draws for the second back draw.
template <class Rule> constexpr int kLookBack = Rule::kDistance > 2 ? Rule::kDistance : 2;

template <class Base, class Rule, TLiteral ClassName, TLiteral Code, TLiteral Name>
class TRepeatBase : public Base, public TOwnWindowPass, public TOwnCodeFilter {
public:
    using Base::Base;
    static constexpr std::string_view kClassName = ClassName.View();
    static constexpr std::string_view kCodeFormat = Code.View();
    static constexpr std::string_view kNameFormat = Name.View();
    static constexpr uint8_t kGroup = 7;
    static constexpr uint8_t kFlags = kFlagD;

    TOwnWindowPass* OwnWindowPass() override { return this; }
    TOwnCodeFilter* OwnCodeFilter() override { return this; }

protected:
    // Draw i's digits and those of its back draws, as AddDraw reads them.
    struct TCompared {
        TDigits D, B1, B2;
    };
    TCompared Compared(int i, bool sorted) const {
        return {DrawDigits(this->Draw, false), DrawDigits(this->DrawAt(i - Rule::kDistance, sorted), false),
                DrawDigits(this->DrawAt(i - 2, sorted), false)};
    }

    // The pass reads the window's draws (and the back draws of its first) once; the draws after
    // the window only while facts are looked for.
    struct TCodes {
        TCombCode D, B1, B2;
    };
    void ReadPass(int first, int L, bool sorted) {
        FSorted = sorted;
        FReadHigh = L;
        FDigits.Read(this->Draws, first - kLookBack<Rule>, L, sorted);
    }
    TCombCode CodeAt(int i) const {
        if (i <= FReadHigh) return FDigits.Code(i);
        return CodeOfDraw(this->DrawAt(i, FSorted));
    }
    // The codes of draw i and its back draws, the first back draw shifted.
    TCodes CodesAt(int i) const {
        return {CodeAt(i), ShiftedCode<Rule::kShift>(CodeAt(i - Rule::kDistance)), CodeAt(i - 2)};
    }

    // The index over the whole archive of hits that depend on a draw and its back draws alone;
    // hitsOf(codes, ids) gives them from the codes of draw i and its back draws. None when the
    // registry keeps no indexes for this object.
    template <class HitsOf>
    std::shared_ptr<const TOccurrenceIndex> ArchiveIndex(int valueCount, bool sorted, int start, HitsOf hitsOf) {
        const TDrawsArray& draws = this->Draws;
        return this->CachedIndex(draws, sorted, start - kLookBack<Rule>, 0, [&] {
            std::vector<TCombCode> codes(draws.size());
            for (size_t i = 0; i < draws.size(); ++i) codes[i] = CodeOfDraw(this->DrawAt(int(i), sorted));
            const auto code = [&](int i) { return i >= 0 ? codes[size_t(i)] : TCombCode(0); };
            return TOccurrenceIndex::Build(valueCount, draws, [&](int i, uint32_t* ids) {
                return hitsOf(TCodes{code(i), ShiftedCode<Rule::kShift>(code(i - Rule::kDistance)), code(i - 2)}, ids);
            });
        });
    }

    TWindowDigits FDigits;
    bool FSorted = false;
    int FReadHigh = -1;
};

// The repeated digits: value members list the current draw's digits shifted, in drawn order.
template <class Rule, TLiteral ClassName, TLiteral Code, TLiteral Name>
class TCustomRepValues2Stat final : public TRepeatBase<TCustomValuesStat, Rule, ClassName, Code, Name> {
    using TBase = TRepeatBase<TCustomValuesStat, Rule, ClassName, Code, Name>;

public:
    using TBase::TBase;

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        for (uint8_t d : this->DrawAt(L, false).Digits) this->ListValue(rows, TStatKey::FromA(Shifted(d, Rule::kShift)));
    }
    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        TCustomStat::AddDraw(i, L, lastValues, runState, rows, sorted);
        const auto c = this->Compared(i, sorted);
        const TDigits r = DrawDigits(this->RefDraw, false);
        for (size_t p = 0; p < kPositions; ++p)
            if (Rule::Repeated(c.D[p], c.B1[p], c.B2[p], r[p])) {
                this->Hit.Key = TStatKey::FromA(c.D[p]);
                rows.AddHit(this->Hit, true);
            }
    }
    bool Matches(TCombCode code, TSelectedRows selected, bool, bool, int) override {
        return AnyDigitSelected(code, selected);
    }

    bool BeginPass(int first, int, int L, bool sorted) override {
        this->ReadPass(first, L, sorted);
        FRef = ShiftedCode<Rule::kShift>(this->CodeAt(L));
        return true;
    }
    // Digits are bytes, and a shifted byte stays one.
    int ValueCount() const override { return 256; }
    TStatKey ValueKey(uint32_t id) const override { return TStatKey::FromA(int32_t(id)); }
    int DrawHits(int i, uint32_t* ids) const override {
        const auto c = this->CodesAt(i);
        int n = 0;
        for (uint32_t bytes = Rule::RepeatedBytes(c.D, c.B1, c.B2, FRef); bytes != 0; bytes &= bytes - 1) {
            const int shift = std::countr_zero(bytes) - 7;
            ids[n++] = (c.D >> shift & 0xFF) | TOwnWindowPass::kPeriodsBit;
        }
        return n;
    }
    void MatchTable(TSelectedRows selected, bool, bool, int, uint8_t* pass) override {
        MatchAnyDigit(selected, pass);
    }

    // The archive's index numbers every (position, digit) where a draw repeats its back draw by the
    // rule; the current draw then picks one of them per position, and positions where it holds the
    // same digit make one row.
    bool WindowSummaries(int start, int L, bool sorted, std::vector<TValueSummary>& out) override {
        const auto index = this->ArchiveIndex(kPositions * 256, sorted, start, [](const typename TBase::TCodes& c, uint32_t* ids) {
            int n = 0;
            for (uint32_t bytes = Rule::RepeatedBytes(c.D, c.B1, c.B2, c.B1); bytes != 0; bytes &= bytes - 1) {
                const int shift = std::countr_zero(bytes) - 7;
                ids[n++] = (uint32_t(shift / 8 * 256) + (c.D >> shift & 0xFF)) | TOccurrenceIndex::kPeriodsBit;
            }
            return n;
        });
        if (!index) return false;
        const TCombCode ref = ShiftedCode<Rule::kShift>(CodeOfDraw(this->DrawAt(L, sorted)));
        out.clear();
        uint32_t done = 0;  // positions already in a row
        for (int p = 0; p < kPositions; ++p) {
            if (done >> p & 1) continue;
            const uint32_t digit = ref >> (8 * p) & 0xFF;
            uint32_t series[kPositions];
            size_t n = 0;
            for (int q = p; q < kPositions; ++q)
                if ((ref >> (8 * q) & 0xFF) == digit) {
                    series[n++] = uint32_t(q * 256) + digit;
                    done |= 1u << q;
                }
            TValueSummary summary;
            if (index->MergedSummary({series, n}, start, L, summary)) {
                summary.Value = digit;
                out.push_back(summary);
            }
        }
        SortByFirstHit(out);
        return true;
    }

private:
    TCombCode FRef = 0;  // the current draw, shifted
};

// How many positions repeat: 0..4, with 1..4 listed.
template <class Rule, TLiteral ClassName, TLiteral Code, TLiteral Name>
class TCustomRepCount2Stat final : public TRepeatBase<TCustomNumbersStat, Rule, ClassName, Code, Name> {
    using TBase = TRepeatBase<TCustomNumbersStat, Rule, ClassName, Code, Name>;

public:
    using TBase::TBase;

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        this->ListValues(rows, 1, 4);
    }
    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        TCustomStat::AddDraw(i, L, lastValues, runState, rows, sorted);
        this->Hit.Key = TStatKey::FromA(Count(this->Compared(i, sorted)));
        rows.AddHit(this->Hit, true);
    }
    // The candidate as the draw after L: its back draws are those of index L + 1.
    bool Matches(TCombCode code, TSelectedRows selected, bool, bool sorted, int L) override {
        const TDigits b1 = DrawDigits(this->DrawAt(L + 1 - Rule::kDistance, sorted), false);
        const TDigits b2 = DrawDigits(this->DrawAt(L - 1, sorted), false);
        return SelectedHasK(selected, 1, int16_t(Count({DigitsOfCode(code), b1, b2})));
    }

    bool BeginPass(int first, int, int L, bool sorted) override {
        this->ReadPass(first, L, sorted);
        FFirst = first;
        FHits.resize(size_t(L - first + 1));
        for (int i = first; i <= L; ++i) FHits[size_t(i - first)] = CountAt(i);
        return true;
    }
    int ValueCount() const override { return kPositions + 1; }
    TStatKey ValueKey(uint32_t id) const override { return TStatKey::FromA(int32_t(id)); }
    int DrawHits(int i, uint32_t* ids) const override {
        ids[0] = CountAt(i);
        return 1;
    }
    const uint32_t* HitPerDraw() const override { return FHits.data(); }
    // Per position, whether each digit counts there; a code counts the sum of its four.
    // A draw's count depends on it and its back draws alone: the archive's index gives the window.
    bool WindowSummaries(int start, int L, bool sorted, std::vector<TValueSummary>& out) override {
        const auto index = this->ArchiveIndex(kPositions + 1, sorted, start, [](const typename TBase::TCodes& c, uint32_t* ids) {
            ids[0] = ByteCount(Rule::CountedBytes(c.D, c.B1, c.B2)) | TOccurrenceIndex::kPeriodsBit;
            return 1;
        });
        if (!index) return false;
        index->Window(start, L, out);
        return true;
    }
    void MatchTable(TSelectedRows selected, bool, bool sorted, int L, uint8_t* pass) override {
        const TDigits b1 = DrawDigits(this->DrawAt(L + 1 - Rule::kDistance, sorted), false);
        const TDigits b2 = DrawDigits(this->DrawAt(L - 1, sorted), false);
        std::array<std::array<uint8_t, 10>, kPositions> counts{};
        for (size_t p = 0; p < kPositions; ++p)
            for (int d = 0; d <= 9; ++d) counts[p][size_t(d)] = Rule::Counted(d, b1[p], b2[p]);
        std::array<uint8_t, kPositions + 1> chosen{};
        for (int n = 0; n <= kPositions; ++n) chosen[size_t(n)] = SelectedHasK(selected, 1, int16_t(n));
        int ci = 0;
        for (int a = 0; a <= 9; ++a)
            for (int b = 0; b <= 9; ++b) {
                const int ab = counts[0][size_t(a)] + counts[1][size_t(b)];
                for (int c = 0; c <= 9; ++c) {
                    const int abc = ab + counts[2][size_t(c)];
                    for (int d = 0; d <= 9; ++d) pass[ci++] = chosen[size_t(abc + counts[3][size_t(d)])];
                }
            }
    }

private:
    static int Count(const typename TBase::TCompared& c) {
        int n = 0;
        for (size_t p = 0; p < kPositions; ++p) n += Rule::Counted(c.D[p], c.B1[p], c.B2[p]);
        return n;
    }
    uint32_t CountAt(int i) const {
        const auto c = this->CodesAt(i);
        return ByteCount(Rule::CountedBytes(c.D, c.B1, c.B2)) | TOwnWindowPass::kPeriodsBit;
    }

    std::vector<uint32_t> FHits; // each window draw's count from FFirst on, with the periods bit
    int FFirst = 0;
};

using TstRepValues2 = TCustomRepValues2Stat<TShiftRule<0, 1>, "TstRepValues2", "RPV2",
                                            "Повторяющиеся числа в 2-х тиражах подряд">;
using TstRepValues3 =
    TCustomRepValues2Stat<TThreeRule, "TstRepValues3", "RPV3", "Повторяющиеся числа в 3-х тиражах подряд">;
using TstRepValues2B3 = TCustomRepValues2Stat<TTwoNotThreeRule, "TstRepValues2B3", "PRL2",
                                              "Повторяющиеся числа не более чем в 2-х тиражах">;
using TstRepValues2over1 = TCustomRepValues2Stat<TShiftRule<0, 2>, "TstRepValues2over1", "PRV2O1",
                                                 "Повторяющиеся числа в 2-х тиражах через 1 тираж(а)">;
using TstRepValues2over2 = TCustomRepValues2Stat<TShiftRule<0, 3>, "TstRepValues2over2", "PRV2O2",
                                                 "Повторяющиеся числа в 2-х тиражах через 2 тираж(а)">;
using TstRepValues2over3 = TCustomRepValues2Stat<TShiftRule<0, 4>, "TstRepValues2over3", "PRV2O3",
                                                 "Повторяющиеся числа в 2-х тиражах через 3 тираж(а)">;
using TstRepValues2P1 =
    TCustomRepValues2Stat<TShiftRule<1, 1>, "TstRepValues2P1", "PRV+1", "Данные предыдущего тиража + 1">;
using TstRepValues2N1 =
    TCustomRepValues2Stat<TShiftRule<-1, 1>, "TstRepValues2N1", "PRV-1", "Данные предыдущего тиража - 1">;
using TstRepValues2P2 =
    TCustomRepValues2Stat<TShiftRule<2, 1>, "TstRepValues2P2", "PRV+2", "Данные предыдущего тиража + 2">;
using TstRepValues2N2 =
    TCustomRepValues2Stat<TShiftRule<-2, 1>, "TstRepValues2N2", "PRV-2", "Данные предыдущего тиража - 2">;

using TstRepCount2 =
    TCustomRepCount2Stat<TShiftRule<0, 1>, "TstRepCount2", "RPC2", "Количество повторов в 2-х тиражах подряд">;
using TstRepCount3 =
    TCustomRepCount2Stat<TThreeRule, "TstRepCount3", "RPC3", "Количество повторов в 3-х тиражах подряд">;
using TstRepCount2B3 = TCustomRepCount2Stat<TTwoNotThreeRule, "TstRepCount2B3", "PRB2",
                                            "Количество повторов не более чем в 2-х тиражах">;
using TstRepCount2over1 = TCustomRepCount2Stat<TShiftRule<0, 2>, "TstRepCount2over1", "RPO1",
                                               "Количество повторов в 2-х тиражах через 1 тираж(а)">;
using TstRepCount2over2 = TCustomRepCount2Stat<TShiftRule<0, 3>, "TstRepCount2over2", "PRC2O2",
                                               "Количество повторов в 2-х тиражах через 2 тираж(а)">;
using TstRepCount2over3 = TCustomRepCount2Stat<TShiftRule<0, 4>, "TstRepCount2over3", "PRC2O3",
                                               "Количество повторов в 2-х тиражах через 3 тираж(а)">;
using TstRepCount2P1 = TCustomRepCount2Stat<TShiftRule<1, 1>, "TstRepCount2P1", "PRC+1",
                                            "Количество совпадений \"значений + 1\"">;
using TstRepCount2N1 = TCustomRepCount2Stat<TShiftRule<-1, 1>, "TstRepCount2N1", "PRC-1",
                                            "Количество совпадений \"значений - 1\"">;
using TstRepCount2P2 = TCustomRepCount2Stat<TShiftRule<2, 1>, "TstRepCount2P2", "PRC+2",
                                            "Количество совпадений \"значений + 2\"">;
using TstRepCount2N2 = TCustomRepCount2Stat<TShiftRule<-2, 1>, "TstRepCount2N2", "PRC-2",
                                            "Количество совпадений \"значений - 2\"">;

} // namespace

std::vector<const TStatClass*> RepeatClasses() {
    return {&StatClassOf<TstRepValues2>(),     &StatClassOf<TstRepValues3>(),     &StatClassOf<TstRepValues2B3>(),
            &StatClassOf<TstRepValues2over1>(), &StatClassOf<TstRepValues2over2>(), &StatClassOf<TstRepValues2over3>(),
            &StatClassOf<TstRepValues2P1>(),   &StatClassOf<TstRepValues2N1>(),   &StatClassOf<TstRepValues2P2>(),
            &StatClassOf<TstRepValues2N2>(),   &StatClassOf<TstRepCount2>(),      &StatClassOf<TstRepCount3>(),
            &StatClassOf<TstRepCount2B3>(),    &StatClassOf<TstRepCount2over1>(), &StatClassOf<TstRepCount2over2>(),
            &StatClassOf<TstRepCount2over3>(), &StatClassOf<TstRepCount2P1>(),    &StatClassOf<TstRepCount2N1>(),
            &StatClassOf<TstRepCount2P2>(),    &StatClassOf<TstRepCount2N2>()};
}

} // namespace qx
