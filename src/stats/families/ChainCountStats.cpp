// Chains of counts (how many digits of a draw lie in channel or segment k) and transitions of
// digits within their channels.
#include <algorithm>
#include <cstring>

#include "core/DrawHelpers.h"
#include "stats/StatClassOf.h"
#include "stats/families/ChainBases.h"
#include "stats/families/Families.h"

namespace qx {
namespace {

// Variant k is a channel or segment number; draws are read unsorted.
template <TScaleKind Kind, int Length>
class TCountChainStat : public TChainMember<TCountChainStat<Kind, Length>>, public TOwnCodeFilter {
    using TBase = TChainMember<TCountChainStat<Kind, Length>>;

public:
    TCountChainStat(const TStatClass& cls, const TStatEnv& env, int32_t param) : TBase(cls, env, param, Kind) {}
    static constexpr int kNameArg = Length;
    static constexpr int kLength = Length;
    static constexpr int kParts = kPositions + 1; // counts 0..4
    static constexpr bool kHasParams = true;
    // Channels ch(0)..ch(9); segments from the smallest to the largest number of the table, with
    // 9 and 1 as the starting bounds.
    static TParamRange ParamRange(const TConfigData& config) {
        const TValueScale scale(Kind, config);
        if constexpr (Kind == TScaleKind::Channels) return {scale.Of(0, 0), scale.Of(0, 9)};
        return {std::min(9, scale.First()), std::max(1, scale.Last())};
    }

    // Channels list every count the current draw's count can lead to, 0..w; segments one row.
    void InitValues(int L, TStatSink& rows) override {
        TCustomChainStat::InitValues(L, rows);
        const int last = Kind == TScaleKind::Channels ? this->Scale.Width : 0;
        for (int n = 0; n <= last; ++n) {
            if constexpr (Length == 2)
                this->ListValue(rows, TStatKey::FromParts(CountAt(L), n));
            else
                this->ListValue(rows, TStatKey::FromParts(CountAt(L - 1), CountAt(L), n));
        }
    }

    // The counts of the draws before i to the count of draw i.
    template <class Keep, class Add>
    void Transitions(int i, bool, Keep&& keep, Add&& add) const {
        const int start = StartOf(i);
        if (keep(0, start)) add(0, start, CountAt(i));
    }
    // Those the draw after L would start from.
    TChainStarts Starts(int L, bool) const {
        TChainStarts starts;
        starts.Start[starts.Count++] = StartOf(L + 1);
        return starts;
    }
    int Slots() const { return 1; }

    bool Matches(TCombCode code, TSelectedRows selected, bool, bool, int) override {
        int m = 0;
        for (int p = 0; p < kPositions; ++p) m += this->Scale.Of(p, uint8_t(DigitOfCode(code, p))) == this->Param;
        return SelectedHasK(selected, Length, int16_t(m));
    }
    TOwnCodeFilter* OwnCodeFilter() override { return this; }
    // The answer for each count 0..4, spread by each code's count. The full set runs in hundreds
    // of codes with the same first two digits, whose count there (0..2) picks one of three rows.
    void MatchTable(TSelectedRows selected, bool, bool, int, uint8_t* pass) override {
        uint8_t byCount[kPositions + 1];
        for (int m = 0; m <= kPositions; ++m) byCount[m] = SelectedHasK(selected, Length, int16_t(m));
        uint8_t in[kPositions][10];
        for (int p = 0; p < kPositions; ++p)
            for (uint8_t x = 0; x <= 9; ++x) in[p][x] = this->Scale.Of(p, x) == this->Param;
        uint8_t rows[3][100];
        for (int head = 0; head < 3; ++head)
            for (int cd = 0; cd < 100; ++cd) rows[head][cd] = byCount[head + in[2][cd / 10] + in[3][cd % 10]];
        for (int ab = 0; ab < 100; ++ab) std::memcpy(pass + ab * 100, rows[in[0][ab / 10] + in[1][ab % 10]], 100);
    }

    std::string ValueText(const TStatDraw& row) const override { return this->ChainText(row, Length, false); }

private:
    int CountAt(int index) const { return this->Scale.CountIn(this->Read(index, false), this->Param); }
    // The start of a transition into draw i: the count of the draw before it (two for length 3).
    int StartOf(int i) const {
        return Length == 2 ? CountAt(i - 1) : TCustomChainStat::TwoParts(CountAt(i - 2), CountAt(i - 1));
    }
};

class TstChain2CnlCnt final : public TCountChainStat<TScaleKind::Channels, 2> {
public:
    using TCountChainStat::TCountChainStat;
    static constexpr std::string_view kClassName = "TstChain2CnlCnt";
    static constexpr std::string_view kCodeFormat = "SC2C%d";
    static constexpr std::string_view kNameFormat = "Переходы кол-ва чисел в %%d канале между %0:d тиражами";
    static constexpr std::string_view kHelpCodeFormat = "SC2Cx";
};
class TstChain3CnlCnt final : public TCountChainStat<TScaleKind::Channels, 3> {
public:
    using TCountChainStat::TCountChainStat;
    static constexpr std::string_view kClassName = "TstChain3CnlCnt";
    static constexpr std::string_view kCodeFormat = "SC3C%d";
    static constexpr std::string_view kNameFormat = "Переходы кол-ва чисел в %%d канале между %0:d тиражами";
    static constexpr std::string_view kHelpCodeFormat = "SC3Cx";
};
class TstChain2SgmCnt final : public TCountChainStat<TScaleKind::Segments, 2> {
public:
    using TCountChainStat::TCountChainStat;
    static constexpr std::string_view kClassName = "TstChain2SgmCnt";
    static constexpr std::string_view kCodeFormat = "SS2C%d";
    static constexpr std::string_view kNameFormat = "Переходы кол-ва чисел в %%d сегменте между %0:d тиражами";
    static constexpr std::string_view kHelpCodeFormat = "SS2Cx";
};
class TstChain3SgmCnt final : public TCountChainStat<TScaleKind::Segments, 3> {
public:
    using TCountChainStat::TCountChainStat;
    static constexpr std::string_view kClassName = "TstChain3SgmCnt";
    static constexpr std::string_view kCodeFormat = "SS3C%d";
    static constexpr std::string_view kNameFormat = "Переходы кол-ва чисел в %%d сегменте между %0:d тиражами";
    static constexpr std::string_view kHelpCodeFormat = "SS3Cx";
};

// Transitions from a previous digit the current draw holds to the digits of draw i in the same
// channel: All gives each (x -> y) and (x -> 0) when none, Suc only the transitions, Bad only the
// (x -> 0), Cnt (x -> how many).
enum class TInsideMode { All, Suc, Bad, Cnt };

template <TInsideMode Mode>
class TCustomChainChannels2Inside : public TChainMember<TCustomChainChannels2Inside<Mode>>, public TPositionFilter {
    using TBase = TChainMember<TCustomChainChannels2Inside<Mode>>;

public:
    TCustomChainChannels2Inside(const TStatClass& cls, const TStatEnv& env, int32_t param)
        : TBase(cls, env, param, TScaleKind::Channels) {}
    static constexpr int kLength = 2;
    static constexpr int kParts = TCustomChainStat::kPart;

    // Each digit of the draw before i (read unsorted) to the digits of draw i in its channel.
    template <class Keep, class Add>
    void Transitions(int i, bool sorted, Keep&& keep, Add&& add) const {
        const TDrawRecord back = this->Read(i - 1, false);
        if (!this->Exists(back)) return;
        const TDrawRecord draw = this->Read(i, sorted);
        for (uint8_t x : back.Digits) {
            if (!keep(0, x)) continue;
            int to = 0;
            for (uint8_t y : draw.Digits) {
                if (this->Scale.Of(0, y) != this->Scale.Of(0, x)) continue;
                if constexpr (Mode == TInsideMode::Cnt) {
                    ++to;
                } else {
                    to = y;
                    if constexpr (Mode != TInsideMode::Bad) add(0, x, to);
                }
            }
            if (Mode == TInsideMode::Cnt || (to == 0 && Mode != TInsideMode::Suc)) add(0, x, to);
        }
    }
    // Any digit the current draw holds.
    TChainStarts Starts(int L, bool sorted) const {
        TChainStarts starts;
        starts.Anywhere = true;
        for (uint8_t x : this->Read(L, sorted).Digits) starts.Start[starts.Count++] = x;
        return starts;
    }
    int Slots() const { return 1; }

    // Against the current draw read unsorted: a row (x, 0) and every row of Cnt accept a digit in
    // the channel of x, the others (x, y) the digit y, where x is a digit of the current draw.
    bool Matches(TCombCode code, TSelectedRows selected, bool exclude, bool, int L) override {
        return AnyPositionAccepts(code, selected, exclude, L);
    }
    bool AcceptsAt(int, uint8_t q, TSelectedRows selected, bool, int L) override {
        const TDrawRecord current = this->Read(L, false);
        for (uint8_t p : current.Digits)
            for (const TStatDraw& row : selected) {
                if (row.Key.K1() != p) continue;
                if (Mode == TInsideMode::Cnt || (row.Key.K1() != 0 && row.Key.K2() == 0)) {
                    if (this->Scale.Of(0, q) == this->Scale.Of(0, p)) return true;
                } else if (row.Key.K2() == q) {
                    return true;
                }
            }
        return false;
    }
    TOwnCodeFilter* OwnCodeFilter() override { return this; }

    std::string ValueText(const TStatDraw& row) const override { return this->ChainText(row, 2, false); }
};

class TstChainChannels2InsideAll final : public TCustomChainChannels2Inside<TInsideMode::All> {
public:
    using TCustomChainChannels2Inside::TCustomChainChannels2Inside;
    static constexpr std::string_view kClassName = "TstChainChannels2InsideAll";
    static constexpr std::string_view kCodeFormat = "SDA2";
    static constexpr std::string_view kNameFormat = "Переходы чисел в пределах каналов (все)";
};
class TstChainChannels2InsideSuc final : public TCustomChainChannels2Inside<TInsideMode::Suc> {
public:
    using TCustomChainChannels2Inside::TCustomChainChannels2Inside;
    static constexpr std::string_view kClassName = "TstChainChannels2InsideSuc";
    static constexpr std::string_view kCodeFormat = "SDG2";
    static constexpr std::string_view kNameFormat = "Переходы чисел в пределах каналов (N-M, удачные)";
};
class TstChainChannels2InsideBad final : public TCustomChainChannels2Inside<TInsideMode::Bad> {
public:
    using TCustomChainChannels2Inside::TCustomChainChannels2Inside;
    static constexpr std::string_view kClassName = "TstChainChannels2InsideBad";
    static constexpr std::string_view kCodeFormat = "SDZ2";
    static constexpr std::string_view kNameFormat = "Переходы чисел в пределах каналов (N-0, не удачные)";
};
class TstChainChannels2InsideCnt final : public TCustomChainChannels2Inside<TInsideMode::Cnt> {
public:
    using TCustomChainChannels2Inside::TCustomChainChannels2Inside;
    static constexpr std::string_view kClassName = "TstChainChannels2InsideCnt";
    static constexpr std::string_view kCodeFormat = "SDC2";
    static constexpr std::string_view kNameFormat = "Переходы чисел в пределах каналов (количество)";
};

} // namespace

std::vector<const TStatClass*> ChainCountClasses() {
    return {&StatClassOf<TstChain2CnlCnt>(),
            &StatClassOf<TstChain3CnlCnt>(),
            &StatClassOf<TstChain2SgmCnt>(),
            &StatClassOf<TstChain3SgmCnt>(),
            &StatClassOf<TstChainChannels2InsideAll>(),
            &StatClassOf<TstChainChannels2InsideSuc>(),
            &StatClassOf<TstChainChannels2InsideBad>(),
            &StatClassOf<TstChainChannels2InsideCnt>()};
}

} // namespace qx
