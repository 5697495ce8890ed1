// Runs of digits rising by one from position to position inside one draw.
#include <algorithm>

#include "stats/DigitValues.h"
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"

namespace qx {
namespace {

// Calls emit(length) for every maximal run of steps of +1 (of +1 or -1 when eitherWay), left to
// right; a digit outside any such step is a run of length 1.
template <class Emit>
void ForEachRun(const TDigits& d, bool eitherWay, Emit&& emit) {
    int length = 1;
    for (int p = 1; p < kPositions; ++p) {
        const int step = int(d[size_t(p)]) - int(d[size_t(p - 1)]);
        if (step == 1 || (eitherWay && step == -1)) {
            ++length;
        } else {
            emit(length);
            length = 1;
        }
    }
    emit(length);
}

int RunsOfTwoOrMore(const TDigits& d, bool eitherWay) {
    int n = 0;
    ForEachRun(d, eitherWay, [&n](int length) { n += length > 1; });
    return n;
}

int LongestRun(const TDigits& d, bool eitherWay) {
    int longest = 1;
    ForEachRun(d, eitherWay, [&longest](int length) { longest = std::max(longest, length); });
    return longest;
}

template <class Base> class TSequenceStat : public Base {
public:
    using Base::Base;
    static constexpr uint8_t kGroup = 6;
    static constexpr uint8_t kFlags = kFlagS | kFlagN;
    TKeyPart MatchPart() const override { return TKeyPart::K1; }
};

class TstSequenceLen final : public TSequenceStat<TDigitsStat<TCustomNumbersStat>> {
public:
    using TSequenceStat::TSequenceStat;
    static constexpr std::string_view kClassName = "TstSequenceLen";
    static constexpr std::string_view kCodeFormat = "SEQL";
    static constexpr std::string_view kNameFormat = "Длина последовательности в тираже";

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, 1, 4);
    }
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        ForEachRun(d, false, [&out](int length) { out.Add(TStatKey::FromA(length)); });
    }
};

// The table counts runs of +1 steps; the graph lets a step of -1 count as well.
class TstSequenceCnt final : public TSequenceStat<TDigitsGraphStat<TCustomGraphStat>> {
public:
    using TSequenceStat::TSequenceStat;
    static constexpr std::string_view kClassName = "TstSequenceCnt";
    static constexpr std::string_view kCodeFormat = "SEQS";
    static constexpr std::string_view kNameFormat = "Количество последовательностей в тираже";

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, 0, 2);
    }
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        out.Add(TStatKey::FromA(RunsOfTwoOrMore(d, false)));
    }
    int32_t CombValue(TCombCode code, int, bool, int) override { return RunsOfTwoOrMore(DigitsOfCode(code), true); }
};

// The graph also plots 0 for a draw without any step of one.
class TstSequenceLenMax final : public TSequenceStat<TDigitsGraphStat<TCustomGraphStat>> {
public:
    using TSequenceStat::TSequenceStat;
    static constexpr std::string_view kClassName = "TstSequenceLenMax";
    static constexpr std::string_view kCodeFormat = "LENS";
    static constexpr std::string_view kNameFormat = "Макс. длина последовательности в тираже";

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, 1, 4);
    }
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        out.Add(TStatKey::FromA(LongestRun(d, false)));
    }
    int32_t CombValue(TCombCode code, int, bool, int) override {
        const int longest = LongestRun(DigitsOfCode(code), true);
        return longest > 1 ? longest : 0;
    }
};

} // namespace

std::vector<const TStatClass*> SequenceClasses() {
    return {&StatClassOf<TstSequenceLen>(), &StatClassOf<TstSequenceCnt>(), &StatClassOf<TstSequenceLenMax>()};
}

} // namespace qx
