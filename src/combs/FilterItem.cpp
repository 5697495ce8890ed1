#include "combs/FilterItem.h"

#include <vector>

#include "combs/FilterConditions.h"
#include "core/Text.h"
#include "stats/StatList.h"

namespace qx {
namespace {

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != separator) continue;
        parts.push_back(text.substr(start, i - start));
        start = i + 1;
    }
    return parts;
}

// The words of a sub-field split at ":" (runs count as one).
std::vector<std::string_view> ColonWords(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::string_view w : SplitAt(text, ':'))
        if (!w.empty()) words.push_back(w);
    return words;
}

std::string SecondWord(std::string_view field) {
    auto words = ColonWords(field);
    return words.size() >= 2 ? std::string(Trim(words[1])) : std::string();
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

const TStatMethod* FindMethod(std::string_view statText, const TStatList& registry) {
    const int i = MatchMethodCode(statText, registry.Count(), [&](int k) { return registry.Items(k).Code(); });
    return i >= 0 ? &registry.Items(i) : nullptr;
}

// A coefficient of field 5: "." and "," both separate decimals, other characters are ignored.
long double ReadCoefficient(std::string_view text) {
    std::string kept;
    for (char c : text)
        if ((c >= '0' && c <= '9') || c == '-' || c == '.' || c == ',') kept += c;
    return StrToFloatDef(kept, 0);
}

std::string FlagLetters(bool bottomUp, bool multiSelect, bool keep) {
    return std::string(bottomUp ? "B" : "T") + (multiSelect ? "M" : "S") + (keep ? "F" : "D");
}

std::string WeightsText(const TFilterWeights& w) {
    return FloatToText(w.WeightCount) + ":" + FloatToText(w.WeightDeviation) + ":" + FloatToText(w.WeightDepth) +
           ":" + (w.WeightPercents ? "1" : "0") + ":" + (w.WeightAbs ? "1" : "0");
}

std::string TailText(uint8_t condition, const std::string& values, uint8_t stopMode, int32_t stopValue,
                     const TFilterWeights& weights) {
    std::string s = "#" + std::string(ConditionInfo(condition).Code) + ":" + values + "#" +
                    StopModeInfo(stopMode).Code + ":" + std::to_string(stopValue);
    if (weights.OwnWeights) s += "#" + WeightsText(weights);
    return s;
}

} // namespace

int MatchMethodCode(std::string_view statText, int count, const std::function<std::string(int)>& codeOf) {
    auto words = ColonWords(statText);
    std::string_view first = words.empty() ? std::string_view() : Trim(words[0]);
    int byPrefix = -1;
    for (int i = 0; i < count; ++i) {
        const std::string code = codeOf(i);
        if (SameText(code, first)) return i;
        if (byPrefix < 0 && StartsWithNoCase(statText, code)) byPrefix = i;
    }
    return byPrefix;
}

TFilterItem ParseFilterItem(std::string_view text, const TStatList& registry) {
    TFilterItem item;
    if (text.empty()) return item;
    item.Defined = true;
    auto fields = SplitAt(text, '#');
    auto field = [&](size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };

    std::string_view f1 = field(0);
    item.SortColumn = f1.size() > 3 ? StrToIntDef(f1.substr(3), 1) : 1;
    item.BottomUp = f1.find('B') != std::string_view::npos;
    item.MultiSelect = f1.find('M') != std::string_view::npos;
    item.Keep = f1.find('F') != std::string_view::npos;

    item.StatText = std::string(field(1));
    item.Method = FindMethod(item.StatText, registry);
    if (item.Method) item.Lengths = SecondWord(item.StatText);

    if (std::string_view f3 = field(2); !f3.empty()) {
        for (int c = 0; c < kConditionCount; ++c)
            if (StartsWithNoCase(f3, ConditionInfo(c).Code)) {
                item.Condition = static_cast<uint8_t>(c);
                break;
            }
        item.ConditionValues = SecondWord(f3);
    }

    if (std::string_view f4 = field(3); !f4.empty()) {
        for (int m = 0; m < kStopModeCount; ++m)
            if (StartsWithNoCase(f4, StopModeInfo(m).Code)) {
                item.StopMode = static_cast<uint8_t>(m);
                break;
            }
        item.StopValue = StrToIntDef(SecondWord(f4), 1);
    }

    if (std::string_view f5 = field(4); !f5.empty()) {
        auto sub = SplitAt(f5, ':');
        auto part = [&](size_t i) { return i < sub.size() ? sub[i] : std::string_view(); };
        item.Weights.OwnWeights = true;
        item.Weights.WeightCount = ReadCoefficient(part(0));
        item.Weights.WeightDeviation = ReadCoefficient(part(1));
        item.Weights.WeightDepth = ReadCoefficient(part(2));
        item.Weights.WeightPercents = part(3) == "1";
        item.Weights.WeightAbs = part(4) == "1";
    }
    return item;
}

std::string FilterItemText(const TFilterItem& item) {
    if (!item.Defined) return {};
    std::string s = FlagLetters(item.BottomUp, item.MultiSelect, item.Keep) + std::to_string(item.SortColumn) + "#";
    s += item.Method ? item.Method->Code() + ":" + item.Lengths : item.StatText;
    return s + TailText(item.Condition, item.ConditionValues, item.StopMode, item.StopValue, item.Weights);
}

std::string FilterPartText(const TFilterPart& part) {
    if (!part.Defined) return {};
    std::string s = FlagLetters(part.BottomUp, part.MultiSelect, part.Keep) + "#";
    s += (part.Method ? part.Method->Code() : std::string()) + ":" + std::to_string(part.Length);
    return s + TailText(part.Condition, part.ConditionValues, part.StopMode, part.StopValue, part.Weights);
}

std::string FilterRecText(const TFilterRec& rec) {
    std::string s;
    for (const TFilterPart& p : rec.Parts) {
        if (!p.Defined) continue;
        if (!s.empty()) s += " + ";
        s += FilterPartText(p);
    }
    return s;
}

} // namespace qx
