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

constexpr auto kSegment = &TCustomSegmentsStat::GroupOf;
constexpr char kMixName[] = "Сочетания из %0:d сегментов по всем числам тиража";
constexpr char kSeqName[] = "Сочетания из %0:d сегментов по соседним числам";

template <int Size, TLiteral ClassName>
using TSegmentMix = TGroupCombStat<TCustomSegmentsStat, kSegment, Size, false, ClassName, "KGM%d", kMixName>;
template <int Size, TLiteral ClassName>
using TSegmentSeq = TGroupCombStat<TCustomSegmentsStat, kSegment, Size, true, ClassName, "KGS%d", kSeqName>;

} // namespace

std::vector<const TStatClass*> SegmentClasses() {
    return {&StatClassOf<TstSegments>(),
            &StatClassOf<TstSegmValues>(),
            &StatClassOf<TstSegmCount>(),
            &StatClassOf<TstSgmValCnt>(),
            &StatClassOf<TSegmentMix<2, "TstCombSegmMix2">>(),
            &StatClassOf<TSegmentMix<3, "TstCombSegmMix3">>(),
            &StatClassOf<TSegmentMix<4, "TstCombSegmMix4">>(),
            &StatClassOf<TSegmentSeq<2, "TstCombSegmSeq2">>(),
            &StatClassOf<TSegmentSeq<3, "TstCombSegmSeq3">>(),
            &StatClassOf<TSegmentSeq<4, "TstCombSegmSeq4">>()};
}

} // namespace qx
