// Chains of digits, channels and segments: the transitions at the positions of two or three
// consecutive draws that start from what the current draw (and the one before it) holds.
#include "stats/StatClassOf.h"
#include "stats/families/ChainBases.h"
#include "stats/families/Families.h"

namespace qx {
namespace {

// Length 2 over every position pair (AllPositions) or position by position; length 3 position by
// position. Members with a variant follow its position only.
template <TScaleKind Kind, int Length, bool AllPositions>
class TValueChainStat : public TChainMember<TValueChainStat<Kind, Length, AllPositions>>, public TPositionFilter {
    using TBase = TChainMember<TValueChainStat<Kind, Length, AllPositions>>;

public:
    TValueChainStat(const TStatClass& cls, const TStatEnv& env, int32_t param) : TBase(cls, env, param, Kind) {}
    static constexpr uint8_t kFlags = AllPositions ? kFlagD : kFlagS | kFlagD;
    static constexpr int kNameArg = Length;
    static constexpr int kLength = Length;
    static constexpr int kParts = TCustomChainStat::kPart;

    // All positions: every previous value (duplicates too), each to every value of draw i. By
    // position: the previous value (two of them for length 3) to draw i's value there.
    template <class Keep, class Add>
    void Transitions(int i, bool sorted, Keep&& keep, Add&& add) const {
        const TDrawRecord back = this->Read(i - 1, sorted);
        if (!this->Exists(back)) return;
        const TDrawRecord draw = this->Read(i, sorted);
        if constexpr (AllPositions) {
            for (int q = 0; q < kPositions; ++q) {
                const int from = Of(q, back);
                if (!keep(0, from)) continue;
                for (int p = 0; p < kPositions; ++p) add(0, from, Of(p, draw));
            }
        } else {
            TDrawRecord before{};
            if constexpr (Length == 3) {
                before = this->Read(i - 2, sorted);
                if (!this->Exists(before)) return;
            }
            for (int p = FirstPosition(); p <= LastPosition(); ++p) {
                const int start = StartAt(p, before, back);
                if (keep(p - FirstPosition(), start)) add(p - FirstPosition(), start, Of(p, draw));
            }
        }
    }
    // The values of the current draw: anywhere, or the start at each position.
    TChainStarts Starts(int L, bool sorted) const {
        const TDrawRecord ref = this->Read(L, sorted);
        TChainStarts starts;
        starts.Anywhere = AllPositions;
        if constexpr (AllPositions) {
            for (int p = 0; p < kPositions; ++p) starts.Start[starts.Count++] = Of(p, ref);
        } else {
            const TDrawRecord refBack = Length == 3 ? this->Read(L - 1, sorted) : TDrawRecord{};
            for (int p = FirstPosition(); p <= LastPosition(); ++p) starts.Start[starts.Count++] = StartAt(p, refBack, ref);
        }
        return starts;
    }
    int Slots() const { return LastPosition() - FirstPosition() + 1; }

    // The candidate is the draw after L: some position's value is where a selected chain leads.
    bool Matches(TCombCode code, TSelectedRows selected, bool exclude, bool, int L) override {
        return AnyPositionAccepts(code, selected, exclude, L);
    }
    bool AcceptsAt(int position, uint8_t digit, TSelectedRows selected, bool, int) override {
        return SelectedHasK(selected, Length, int16_t(this->Scale.Of(position, digit)));
    }
    TOwnCodeFilter* OwnCodeFilter() override { return this; }

    std::string ValueText(const TStatDraw& row) const override { return this->ChainText(row, Length, true); }

private:
    int Of(int p, const TDrawRecord& d) const { return this->Scale.Of(p, d.Digits[p]); }
    // The start of a transition at p: the back value, after the one before it for length 3.
    int StartAt(int p, const TDrawRecord& before, const TDrawRecord& back) const {
        return Length == 2 ? Of(p, back) : TCustomChainStat::TwoParts(Of(p, before), Of(p, back));
    }
    int FirstPosition() const { return this->Param >= 1 && this->Param <= kPositions ? this->Param - 1 : 0; }
    int LastPosition() const { return this->Param >= 1 && this->Param <= kPositions ? this->Param - 1 : kPositions - 1; }
};

// A member with a variant per position.
template <TScaleKind Kind, int Length>
class TPositionChainStat : public TValueChainStat<Kind, Length, false> {
public:
    using TValueChainStat<Kind, Length, false>::TValueChainStat;
    static constexpr bool kHasParams = true;
    static TParamRange ParamRange(const TConfigData&) { return {1, kPositions}; }
};

template <TScaleKind Kind> using TAllChain2 = TValueChainStat<Kind, 2, true>;
template <TScaleKind Kind> using TPosChain2 = TValueChainStat<Kind, 2, false>;
template <TScaleKind Kind> using TPosChain3 = TValueChainStat<Kind, 3, false>;
constexpr TScaleKind kDigits = TScaleKind::Digits, kChannels = TScaleKind::Channels, kSegments = TScaleKind::Segments;

class TstChain2DrawsAll final : public TAllChain2<kDigits> {
public:
    using TValueChainStat::TValueChainStat;
    static constexpr std::string_view kClassName = "TstChain2DrawsAll";
    static constexpr std::string_view kCodeFormat = "SDV2";
    static constexpr std::string_view kNameFormat = "Переходы чисел между %0:d тиражами без учета позиции";
};
class TstChain2DrawsPos final : public TPosChain2<kDigits> {
public:
    using TValueChainStat::TValueChainStat;
    static constexpr std::string_view kClassName = "TstChain2DrawsPos";
    static constexpr std::string_view kCodeFormat = "SDP2";
    static constexpr std::string_view kNameFormat = "Переходы чисел между %0:d тиражами с учетом позиции";
};
class TstChain2Pos final : public TPositionChainStat<kDigits, 2> {
public:
    using TPositionChainStat::TPositionChainStat;
    static constexpr std::string_view kClassName = "TstChain2Pos";
    static constexpr std::string_view kCodeFormat = "SDN%d";
    static constexpr std::string_view kNameFormat = "Переходы чисел между %0:d тиражами в %%d позиции";
    static constexpr std::string_view kHelpCodeFormat = "SDNx";
};
class TstChain3DrawsPos final : public TPosChain3<kDigits> {
public:
    using TValueChainStat::TValueChainStat;
    static constexpr std::string_view kClassName = "TstChain3DrawsPos";
    static constexpr std::string_view kCodeFormat = "SDP3";
    static constexpr std::string_view kNameFormat = "Переходы чисел между %0:d тиражами с учетом позиции";
};
class TstChain3Pos final : public TPositionChainStat<kDigits, 3> {
public:
    using TPositionChainStat::TPositionChainStat;
    static constexpr std::string_view kClassName = "TstChain3Pos";
    static constexpr std::string_view kCodeFormat = "SDM%d";
    static constexpr std::string_view kNameFormat = "Переходы чисел между %0:d тиражами в %%d позиции";
    static constexpr std::string_view kHelpCodeFormat = "SDMx";
};

class TstChain2ChannelsAll final : public TAllChain2<kChannels> {
public:
    using TValueChainStat::TValueChainStat;
    static constexpr std::string_view kClassName = "TstChain2ChannelsAll";
    static constexpr std::string_view kCodeFormat = "SCV2";
    static constexpr std::string_view kNameFormat = "Переходы каналов между %0:d тиражами без учета позиции";
};
class TstChain2ChannelsPos final : public TPosChain2<kChannels> {
public:
    using TValueChainStat::TValueChainStat;
    static constexpr std::string_view kClassName = "TstChain2ChannelsPos";
    static constexpr std::string_view kCodeFormat = "SCP2";
    static constexpr std::string_view kNameFormat = "Переходы каналов между %0:d тиражами с учетом позиции";
};
class TstChain2Channel final : public TPositionChainStat<kChannels, 2> {
public:
    using TPositionChainStat::TPositionChainStat;
    static constexpr std::string_view kClassName = "TstChain2Channel";
    static constexpr std::string_view kCodeFormat = "SCN%d";
    static constexpr std::string_view kNameFormat = "Переходы каналов между %0:d тиражами в %%d позиции";
    static constexpr std::string_view kHelpCodeFormat = "SCNx";
};
class TstChain3ChannelsPos final : public TPosChain3<kChannels> {
public:
    using TValueChainStat::TValueChainStat;
    static constexpr std::string_view kClassName = "TstChain3ChannelsPos";
    static constexpr std::string_view kCodeFormat = "SCP3";
    static constexpr std::string_view kNameFormat = "Переходы каналов между %0:d тиражами с учетом позиции";
};
class TstChain3Channel final : public TPositionChainStat<kChannels, 3> {
public:
    using TPositionChainStat::TPositionChainStat;
    static constexpr std::string_view kClassName = "TstChain3Channel";
    static constexpr std::string_view kCodeFormat = "SCM%d";
    static constexpr std::string_view kNameFormat = "Переходы каналов между %0:d тиражами в %%d позиции";
    static constexpr std::string_view kHelpCodeFormat = "SCMx";
};

class TstChain2SegmentsAll final : public TAllChain2<kSegments> {
public:
    using TValueChainStat::TValueChainStat;
    static constexpr std::string_view kClassName = "TstChain2SegmentsAll";
    static constexpr std::string_view kCodeFormat = "SSV2";
    static constexpr std::string_view kNameFormat = "Переходы сегментов между %0:d тиражами без учета позиции";
};
class TstChain2SegmentsPos final : public TPosChain2<kSegments> {
public:
    using TValueChainStat::TValueChainStat;
    static constexpr std::string_view kClassName = "TstChain2SegmentsPos";
    static constexpr std::string_view kCodeFormat = "SSP2";
    static constexpr std::string_view kNameFormat = "Переходы сегментов между %0:d тиражами с учетом позиции";
};
class TstChain2Segment final : public TPositionChainStat<kSegments, 2> {
public:
    using TPositionChainStat::TPositionChainStat;
    static constexpr std::string_view kClassName = "TstChain2Segment";
    static constexpr std::string_view kCodeFormat = "SSN%d";
    static constexpr std::string_view kNameFormat = "Переходы сегментов между %0:d тиражами в %%d позиции";
    static constexpr std::string_view kHelpCodeFormat = "SSNx";
};
class TstChain3SegmentsPos final : public TPosChain3<kSegments> {
public:
    using TValueChainStat::TValueChainStat;
    static constexpr std::string_view kClassName = "TstChain3SegmentsPos";
    static constexpr std::string_view kCodeFormat = "SSP3";
    static constexpr std::string_view kNameFormat = "Переходы сегментов между %0:d тиражами с учетом позиции";
};
class TstChain3Segment final : public TPositionChainStat<kSegments, 3> {
public:
    using TPositionChainStat::TPositionChainStat;
    static constexpr std::string_view kClassName = "TstChain3Segment";
    static constexpr std::string_view kCodeFormat = "SSM%d";
    static constexpr std::string_view kNameFormat = "Переходы сегментов между %0:d тиражами в %%d позиции";
    static constexpr std::string_view kHelpCodeFormat = "SSMx";
};

} // namespace

std::vector<const TStatClass*> ChainClasses() {
    return {&StatClassOf<TstChain2DrawsAll>(),    &StatClassOf<TstChain2DrawsPos>(),
            &StatClassOf<TstChain2Pos>(),         &StatClassOf<TstChain3DrawsPos>(),
            &StatClassOf<TstChain3Pos>(),         &StatClassOf<TstChain2ChannelsAll>(),
            &StatClassOf<TstChain2ChannelsPos>(), &StatClassOf<TstChain2Channel>(),
            &StatClassOf<TstChain3ChannelsPos>(), &StatClassOf<TstChain3Channel>(),
            &StatClassOf<TstChain2SegmentsAll>(), &StatClassOf<TstChain2SegmentsPos>(),
            &StatClassOf<TstChain2Segment>(),     &StatClassOf<TstChain3SegmentsPos>(),
            &StatClassOf<TstChain3Segment>()};
}

} // namespace qx
