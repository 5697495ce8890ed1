#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qx {

// One AddGraphPoint call of the chart window: the point (X, Y) labelled with X's decimal text on
// the line series titled Title (series are told apart ignoring letter case), created on first
// use with the point marks, value marks and colour of its first call. Colour 0 lets the window
// choose; otherwise 0xRRGGBB.
struct TGraphPoint {
    double X = 0;
    std::string Title;
    double Y = 0;
    bool PointsVisible = true;
    bool MarksVisible = true;
    uint32_t Colour = 0;
};

// What a chart window shows: its caption and the calls in order. The engine builds it, the
// window draws it, tests read it.
struct TGraphPlot {
    std::string Caption;
    std::vector<TGraphPoint> Points;

    void Add(double x, const std::string& title, double y, bool points, bool marks, uint32_t colour) {
        Points.push_back({x, title, y, points, marks, colour});
    }
};

inline constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return uint32_t{r} << 16 | uint32_t{g} << 8 | b;
}

} // namespace qx
