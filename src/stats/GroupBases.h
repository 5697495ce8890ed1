#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Config.h"
#include "core/DrawHelpers.h"
#include "stats/StatBases.h"

namespace qx {

// The configuration a statistic object copies at creation; the defaults when it was made without.
const TConfigData& ConfigOf(const TStatEnv& env);

// "%.2d [%s-%s]": channel k of width w holds the digits w(k - 1) .. wk - 1 (the last one may
// name digits past 9: "04 [9-11]").
std::string ChannelText(int channel, int width);
// The segment numbers of the table read position by position, digit by digit, each once.
std::vector<int> SegmentNumbers(const TMatrixSegments& segments);

// Groups of digits by consecutive ranges of the channel width. The width is the effective one
// (a stored width outside 1..10 acts as 2), copied when the object is made.
template <class Base> class TChannelsOf : public Base {
public:
    TChannelsOf(const TStatClass& cls, const TStatEnv& env, int32_t param)
        : Base(cls, env, param), ChannelSize(uint8_t(ConfigOf(env).ChannelWidth())) {
        for (int k = 1; k <= ChannelCount(); ++k) Groups.push_back(k);
    }
    static constexpr uint8_t kGroup = 3;

    // Channel of the digit, from 1; 0 for a digit outside 0..9. The position plays no part.
    int GroupOf(int, uint8_t digit) const { return ChannelOf(digit, ChannelSize); }
    int ChannelCount() const { return ChannelOf(9, ChannelSize); }
    std::string GroupName(int channel) const { return ChannelText(channel, ChannelSize); }

    uint8_t ChannelSize;
    std::vector<int> Groups; // every channel, 1..ChannelCount()
};
using TCustomChannelsStat = TChannelsOf<TCustomNumbersStat>;
using TCustomChannelsGraphStat = TChannelsOf<TCustomGraphStat>;

// The matrix of this game is one column (0) of ten rows: digit d lies in row d + 1, whatever
// MatrixCols says.
template <class Base> class TMatrixOf : public Base {
public:
    TMatrixOf(const TStatClass& cls, const TStatEnv& env, int32_t param)
        : Base(cls, env, param), MatrixCols(ConfigOf(env).MatrixCols) {}
    static constexpr uint8_t kGroup = 4;

    int ColumnOf(int, uint8_t) const { return 0; }
    int RowOf(int, uint8_t digit) const { return digit + 1; }

    int32_t MatrixCols;
    int32_t RowCount = 10;
};
using TCustomMatrixStat = TMatrixOf<TCustomNumbersStat>;
using TCustomMatrixGraphStat = TMatrixOf<TCustomGraphStat>;

// A segment number for every digit at every position, from the configured table copied when
// the object is made.
template <class Base> class TSegmentsOf : public Base {
public:
    TSegmentsOf(const TStatClass& cls, const TStatEnv& env, int32_t param)
        : Base(cls, env, param), Segments(ConfigOf(env).MatrixSegments), Groups(SegmentNumbers(Segments)) {}
    static constexpr uint8_t kGroup = 5;

    // Position 0..3; 0 for a digit outside 0..9, which has no cell in the table.
    int GroupOf(int position, uint8_t digit) const {
        return digit <= 9 ? Segments[size_t(position)][digit] : 0;
    }
    std::string GroupName(int segment) const { return std::to_string(segment); }

    TMatrixSegments Segments;
    std::vector<int> Groups; // SegmentNumbers of the table
};
using TCustomSegmentsStat = TSegmentsOf<TCustomNumbersStat>;
using TCustomSegmentsGraphStat = TSegmentsOf<TCustomGraphStat>;

} // namespace qx
