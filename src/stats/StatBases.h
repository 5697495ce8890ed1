#pragma once
#include <string>
#include <string_view>

#include "stats/CustomStat.h"

namespace qx {

// One number per draw, offered on the graphs tab.
class TCustomGraphStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    static constexpr bool kIsGraph = true;

    std::string ValueText(const TStatDraw& row) const override;
    // The method's number for a combination; drawIndex lets a method look at the draws before it.
    virtual int32_t CombValue(TCombCode code, int drawIndex, bool sorted, int L) = 0;
    // CombValue of the draw at drawIndex.
    int32_t DrawValue(int drawIndex, int L, bool sorted);
};

// A count n of four, shown as n:(4 - n).
class TCustomRatioStat : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    std::string ValueText(const TStatDraw& row) const override;
    // The number before the first ":"; 0 without one.
    int32_t ParseValue(std::string_view text) const override;
};

// Values are digits.
class TCustomValuesStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    std::string ValueText(const TStatDraw& row) const override;
};

// Values are plain numbers.
class TCustomNumbersStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    std::string ValueText(const TStatDraw& row) const override;
};

// KeyA is a 4-bit pattern: bit 3 = position 1 ... bit 0 = position 4. Shown as four letters,
// position 1 first, then the pattern number: "ЧнЧн (005)".
class TCustomMaskStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    virtual std::string_view ZeroLetter() const = 0;
    virtual std::string_view OneLetter() const = 0;

    std::string ValueText(const TStatDraw& row) const override;
    // The first four characters, a bit set where the character is OneLetter.
    int32_t ParseValue(std::string_view text) const override;
    // The 16 patterns.
    void InitValues(int L, TStatSink& rows) override;
};

} // namespace qx
