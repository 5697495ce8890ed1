// Channels: the digits grouped by consecutive ranges of the configured width.
#include <algorithm>

#include "stats/StatClassOf.h"
#include "stats/families/Families.h"
#include "stats/families/GroupMembers.h"

namespace qx {
namespace {

class TstChannels final : public TGroupsStat<TCustomChannelsStat> {
public:
    using TGroupsStat::TGroupsStat;
    static constexpr std::string_view kClassName = "TstChannels";
    static constexpr std::string_view kCodeFormat = "CHAN";
    static constexpr std::string_view kNameFormat = "Каналы";

    // Channels 1..C, each once, by the channels of digits 0..9.
    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        for (uint8_t d = 0; d <= 9; ++d) ListValue(rows, TStatKey::FromA(GroupOf(0, d)));
    }
    TKeyPart MatchPart() const override { return TKeyPart::Byte1; }
    std::string ValueText(const TStatDraw& row) const override { return GroupName(row.Key.KeyA()); }
    // The number before the first space: "03 [4-5]" reads 3.
    int32_t ParseValue(std::string_view text) const override {
        return StrToIntDef(text.substr(0, text.find(' ')), 0);
    }
};

class TstChanValues final : public TGroupCountsStat<TCustomChannelsStat> {
public:
    using TGroupCountsStat::TGroupCountsStat;
    static constexpr std::string_view kClassName = "TstChanValues";
    static constexpr std::string_view kCodeFormat = "CHNV";
    static constexpr std::string_view kNameFormat = "Количество чисел в канале";

    // Channel 1 with counts 0..m, then channel 2 with 0..m, ... (m = min(width, 4)).
    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        for (int channel : Groups)
            for (int n = 0; n <= std::min<int>(ChannelSize, 4); ++n)
                ListValue(rows, TStatKey::FromParts(channel, n));
    }
};

class TstChanCount final : public TDistinctGroupsStat<TCustomChannelsGraphStat> {
public:
    using TDistinctGroupsStat::TDistinctGroupsStat;
    static constexpr std::string_view kClassName = "TstChanCount";
    static constexpr std::string_view kCodeFormat = "CHNC";
    static constexpr std::string_view kNameFormat = "Количество каналов в тираже";

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, 1, std::min<int>(ChannelSize, 4));
    }
};

class TstChnValCnt final : public TGroupMembersStat<TCustomChannelsGraphStat> {
public:
    using TGroupMembersStat::TGroupMembersStat;
    static constexpr std::string_view kClassName = "TstChnValCnt";
    static constexpr std::string_view kCodeFormat = "CHN%d";
    static constexpr std::string_view kNameFormat = "Количество чисел в %0:d канале";
    static constexpr std::string_view kHelpCodeFormat = "CHNx";
    // Channels 1..C of the effective width.
    static TParamRange ParamRange(const TConfigData& config) {
        return {1, ChannelOf(9, config.ChannelWidth())};
    }

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, 1, ChannelSize);
    }
};

} // namespace

std::vector<const TStatClass*> ChannelClasses() {
    std::vector<const TStatClass*> classes = {&StatClassOf<TstChannels>(), &StatClassOf<TstChanValues>(),
                                              &StatClassOf<TstChanCount>(), &StatClassOf<TstChnValCnt>()};
    for (const TStatClass* c :
         GroupCombClasses<TCustomChannelsStat, &TCustomChannelsStat::GroupOf, "TstCombChn", "KCM%d",
                          "Сочетания из %0:d каналов по всем числам тиража", "KCS%d",
                          "Сочетания из %0:d каналов по соседним числам">())
        classes.push_back(c);
    return classes;
}

} // namespace qx
