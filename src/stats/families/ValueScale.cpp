#include "stats/families/ValueScale.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/DrawHelpers.h"
#include "core/Text.h"

namespace qx {

TValueScale::TValueScale(TScaleKind kind, const TConfigData& config)
    : Kind(kind), Width(uint8_t(config.ChannelWidth())), Segments(config.MatrixSegments) {
    for (int p = 0; p < kPositions; ++p)
        for (int x = 0; x <= 9; ++x)
            FValue[p][x] = uint8_t(kind == TScaleKind::Digits     ? x
                                   : kind == TScaleKind::Channels ? ChannelOf(x, Width)
                                                                  : Segments[size_t(p)][size_t(x)]);
    // Above 9 a digit is its own value; it has no channel and no segment. Copied from a table of
    // every byte: a scale is made with every statistic object, and a byte loop costs more.
    static constexpr auto kEveryByte = [] {
        std::array<uint8_t, 256> t{};
        for (int x = 0; x < 256; ++x) t[size_t(x)] = uint8_t(x);
        return t;
    }();
    if (kind == TScaleKind::Digits)
        for (int p = 0; p < kPositions; ++p) std::copy(kEveryByte.begin() + 10, kEveryByte.end(), FValue[p] + 10);
    switch (kind) {
    case TScaleKind::Digits: break;
    case TScaleKind::Channels:
        FFirst = 1;
        FLast = FValue[0][9];
        break;
    case TScaleKind::Segments:
        FFirst = 9;
        FLast = 0;
        for (const auto& block : Segments)
            for (uint8_t s : block) {
                FFirst = std::min<int>(FFirst, s);
                FLast = std::max<int>(FLast, s);
            }
        break;
    }
}

std::string TValueScale::Text(int v) const {
    if (Kind != TScaleKind::Channels) return IntToStr(v);
    char text[16];
    std::snprintf(text, sizeof text, "%.2d", v);
    return text;
}

bool TPositionFilter::AnyPositionAccepts(TCombCode code, TSelectedRows selected, bool exclude, int L) {
    for (int p = 0; p < kPositions; ++p)
        if (AcceptsAt(p, uint8_t(DigitOfCode(code, p)), selected, exclude, L)) return true;
    return false;
}

void TPositionFilter::MatchTable(TSelectedRows selected, bool exclude, bool, int L, uint8_t* pass) {
    bool accepted[kPositions][10];
    for (int p = 0; p < kPositions; ++p)
        for (uint8_t x = 0; x <= 9; ++x) accepted[p][x] = AcceptsAt(p, x, selected, exclude, L);
    FillPositionTable(accepted, pass);
}

void FillPositionTable(const bool (&accepted)[kPositions][10], uint8_t* pass) {
    // The first two positions decide a hundred codes at once where they accept; elsewhere the last
    // two decide, the same way for every first two: their hundred answers are worked out once.
    uint8_t lastTwo[100];
    for (int cd = 0; cd < 100; ++cd) lastTwo[cd] = accepted[2][cd / 10] || accepted[3][cd % 10];
    for (int ab = 0; ab < 100; ++ab) {
        uint8_t* out = pass + ab * 100;
        if (accepted[0][ab / 10] || accepted[1][ab % 10])
            std::fill(out, out + 100, uint8_t(1));
        else
            std::copy(lastTwo, lastTwo + 100, out);
    }
}

} // namespace qx
