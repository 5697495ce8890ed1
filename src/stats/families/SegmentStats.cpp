// Segments: a group number for every digit at every position, from the configured table.
#include <algorithm>

#include "stats/StatClassOf.h"
#include "stats/families/Families.h"
#include "stats/families/GroupMembers.h"

namespace qx {
namespace {

class TstSegments final : public TGroupsStat<TCustomSegmentsStat> {
public:
    using TGroupsStat::TGroupsStat;
    static constexpr std::string_view kClassName = "TstSegments";
    static constexpr std::string_view kCodeFormat = "SGMS";
    static constexpr std::string_view kNameFormat = "Сегменты матрицы";

    // Every entry of the table in order: each segment number once, in order of first appearance.
    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        for (int segment : Groups) ListValue(rows, TStatKey::FromA(segment));
    }
    TKeyPart MatchPart() const override { return TKeyPart::K1; }
};

class TstSegmValues final : public TGroupCountsStat<TCustomSegmentsStat> {
public:
    using TGroupCountsStat::TGroupCountsStat;
    static constexpr std::string_view kClassName = "TstSegmValues";
    static constexpr std::string_view kCodeFormat = "SGMV";
    static constexpr std::string_view kNameFormat = "Количество чисел в сегменте матрицы";
};

class TstSegmCount final : public TDistinctGroupsStat<TCustomSegmentsGraphStat> {
public:
    using TDistinctGroupsStat::TDistinctGroupsStat;
    static constexpr std::string_view kClassName = "TstSegmCount";
    static constexpr std::string_view kCodeFormat = "SGMC";
    static constexpr std::string_view kNameFormat = "Количество не пустых сегментов в матрице";
};

class TstSgmValCnt final : public TGroupMembersStat<TCustomSegmentsGraphStat> {
public:
    using TGroupMembersStat::TGroupMembersStat;
    static constexpr std::string_view kClassName = "TstSgmValCnt";
    static constexpr std::string_view kCodeFormat = "SGM%d";
    static constexpr std::string_view kNameFormat = "Количество чисел в %0:d сегменте матрицы";
    static constexpr std::string_view kHelpCodeFormat = "SGMx";
    // The smallest to the largest segment number of the table.
    static TParamRange ParamRange(const TConfigData& config) {
        const std::vector<int> numbers = SegmentNumbers(config.MatrixSegments);
        const auto [low, high] = std::minmax_element(numbers.begin(), numbers.end());
        return {*low, *high};
    }
};

} // namespace

std::vector<const TStatClass*> SegmentClasses() {
    std::vector<const TStatClass*> classes = {&StatClassOf<TstSegments>(), &StatClassOf<TstSegmValues>(),
                                              &StatClassOf<TstSegmCount>(), &StatClassOf<TstSgmValCnt>()};
    for (const TStatClass* c :
         GroupCombClasses<TCustomSegmentsStat, &TCustomSegmentsStat::GroupOf, "TstCombSegm", "KGM%d",
                          "Сочетания из %0:d сегментов по всем числам тиража", "KGS%d",
                          "Сочетания из %0:d сегментов по соседним числам">())
        classes.push_back(c);
    return classes;
}

} // namespace qx
