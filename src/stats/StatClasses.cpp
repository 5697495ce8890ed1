#include "stats/StatClasses.h"

#include <algorithm>
#include <array>
#include <vector>

#include "stats/families/Families.h"

namespace qx {
namespace {

constexpr std::array<std::string_view, 143> kOrder = {
    "TstValues", "TstDigits", "TstEvenCount", "TstEvenValues", "TstSmallCount", "TstSmallValues",
    "TstPrimeCount", "TstPrimeValues", "TstSumValues", "TstSumRanges", "TstSumChange", "TstSumChangeSome",
    "TstSumTrend", "TstSumEvenValues", "TstSumPrimeValues", "TstSum2To3", "TstDiffTotal", "TstDiffMax",
    "TstMinMaxDiffs", "TstDiffSame", "TstDiffSameCnt", "TstChannels", "TstChanValues", "TstChanCount",
    "TstColumns", "TstRows", "TstColValues", "TstRowValues", "TstColCount", "TstRowCount", "TstColMask",
    "TstRowMask", "TstColAjacent", "TstRowAjacent", "TstColAjacentCnt", "TstRowAjacentCnt", "TstSegments",
    "TstSegmValues", "TstSegmCount", "TstSequenceLen", "TstSequenceCnt", "TstSequenceLenMax", "TstRepValues2",
    "TstRepValues3", "TstRepValues2B3", "TstRepValues2over1", "TstRepValues2over2", "TstRepValues2over3",
    "TstRepValues2P1", "TstRepValues2N1", "TstRepValues2P2", "TstRepValues2N2", "TstRepCount2", "TstRepCount3",
    "TstRepCount2B3", "TstRepCount2over1", "TstRepCount2over2", "TstRepCount2over3", "TstRepCount2P1",
    "TstRepCount2N1", "TstRepCount2P2", "TstRepCount2N2", "TstCombValMix2", "TstCombValMix3", "TstCombValMix4",
    "TstCombValSeq2", "TstCombValSeq3", "TstCombValSeq4", "TstCombValPos2", "TstCombValPos3", "TstCombValPos4",
    "TstCombValSort2", "TstCombValSort3", "TstCombValSort4", "TstCombDiffSeq2", "TstCombDiffSeq3",
    "TstCombDiffSeq4", "TstCombChnMix2", "TstCombChnMix3", "TstCombChnMix4", "TstCombChnSeq2", "TstCombChnSeq3",
    "TstCombChnSeq4", "TstCombColMix2", "TstCombColMix3", "TstCombColMix4", "TstCombColSeq2", "TstCombColSeq3",
    "TstCombColSeq4", "TstCombRowMix2", "TstCombRowMix3", "TstCombRowMix4", "TstCombRowSeq2", "TstCombRowSeq3",
    "TstCombRowSeq4", "TstCombSegmMix2", "TstCombSegmMix3", "TstCombSegmMix4", "TstCombSegmSeq2",
    "TstCombSegmSeq3", "TstCombSegmSeq4", "TstPosVal", "TstPosExt", "TstChnValCnt", "TstColValCnt",
    "TstRowValCnt", "TstSgmValCnt", "TstNumGroups", "TstNumPauses", "TstChnGroups", "TstChnPauses",
    "TstSgmGroups", "TstSgmPauses", "TstNumPeriods", "TstChnPeriods", "TstSgmPeriods", "TstChain2DrawsAll",
    "TstChain2DrawsPos", "TstChain2Pos", "TstChain3DrawsPos", "TstChain3Pos", "TstChain2ChannelsAll",
    "TstChain2ChannelsPos", "TstChain2Channel", "TstChain3ChannelsPos", "TstChain3Channel", "TstChain2CnlCnt",
    "TstChain3CnlCnt", "TstChainChannels2InsideAll", "TstChainChannels2InsideSuc", "TstChainChannels2InsideBad",
    "TstChainChannels2InsideCnt", "TstChain2SegmentsAll", "TstChain2SegmentsPos", "TstChain2Segment",
    "TstChain3SegmentsPos", "TstChain3Segment", "TstChain2SgmCnt", "TstChain3SgmCnt", "TstOgnev1", "TstOgnev2",
    "TstOgnev3", "TstShreddingStat",
};

std::vector<const TStatClass*> CollectClasses() {
    std::vector<const TStatClass*> all;
    for (auto family : {DigitValueClasses, DigitClassClasses, SumClasses, SumChangeClasses, DiffClasses,
                        ChannelClasses, MatrixClasses, SegmentClasses,
                        SequenceClasses, RepeatClasses, CombValueClasses, OgnevClasses,
                        SerialClasses, PeriodClasses, ChainClasses, ChainCountClasses,
                        ShreddingClasses}) {
        auto classes = family();
        all.insert(all.end(), classes.begin(), classes.end());
    }
    // Registration order; a class missing from the order list would never be registered.
    std::vector<const TStatClass*> ordered;
    for (std::string_view name : kOrder)
        for (const TStatClass* c : all)
            if (c->ClassName() == name) ordered.push_back(c);
    return ordered;
}

} // namespace

std::span<const std::string_view> StatClassOrder() { return kOrder; }

std::span<const TStatClass* const> StatClasses() {
    static const std::vector<const TStatClass*> classes = CollectClasses();
    return classes;
}

const TStatClass* FindStatClass(std::string_view className) {
    for (const TStatClass* c : StatClasses())
        if (c->ClassName() == className) return c;
    return nullptr;
}

} // namespace qx
