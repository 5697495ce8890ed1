#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qx {

struct TStatMethod;
class TStatList;

// A filter's own coefficients of the weight column.
struct TFilterWeights {
    bool OwnWeights = false;
    long double WeightCount = 0;
    long double WeightDeviation = 0;
    long double WeightDepth = 0;
    bool WeightPercents = false;
    bool WeightAbs = false;
    friend bool operator==(const TFilterWeights&, const TFilterWeights&) = default;
};

// One filter as the user defines it. All-zero (not Defined) means there is no filter.
struct TFilterItem {
    bool Defined = false;
    std::string StatText;                // the statistic word as read ("NUMS:10,20")
    const TStatMethod* Method = nullptr;  // none when no registered method matched
    std::string Lengths;                 // number list of window lengths
    int32_t SortColumn = 0;
    bool BottomUp = false;     // walk the sorted table from the last row up
    bool MultiSelect = false;  // select every qualifying row, then filter once
    bool Keep = false;         // keep the matching combinations instead of removing them
    uint8_t Condition = 0;     // 0..31
    std::string ConditionValues;
    TFilterWeights Weights;
    uint8_t StopMode = 0;  // 0..5
    int32_t StopValue = 0;
};

// The same filter with one window length and, for threshold conditions, one threshold.
struct TFilterPart {
    bool Defined = false;
    const TStatMethod* Method = nullptr;
    int32_t Length = 0;
    int32_t SortColumn = 0;
    bool BottomUp = false;
    bool MultiSelect = false;
    bool Keep = false;
    uint8_t Condition = 0;
    std::string ConditionValue;   // what this variant tests
    std::string ConditionValues;  // the description's list as written
    TFilterWeights Weights;
    uint8_t StopMode = 0;
    int32_t StopValue = 0;
};

// One variant of a script line: a part per filter field of the line, unused parts all zero.
inline constexpr int kFilterFields = 7;
struct TFilterRec {
    std::array<TFilterPart, kFilterFields> Parts;
};

// The method a filter's statistic word names, among count codes in registry order: the code equal
// to the word before ":" (letter case ignored), else the first code that begins the word; -1 when
// none does.
int MatchMethodCode(std::string_view statText, int count, const std::function<std::string(int)>& codeOf);

// Text form "TSD1#NUMS:10,20#LMV:3#SF:1[#0:-1:1:0:0]". Method codes are looked up in the
// registry: a code equal to the word before ":" wins, else the first code in registry order that
// begins the word (so CHN10 never reads as CHN1).
TFilterItem ParseFilterItem(std::string_view text, const TStatList& registry);
std::string FilterItemText(const TFilterItem& item);
std::string FilterPartText(const TFilterPart& part);
std::string FilterRecText(const TFilterRec& rec);

} // namespace qx
