#pragma once
#include <cstdint>
#include <string>

#include "core/Config.h"
#include "core/Game.h"
#include "stats/KeyTests.h"
#include "stats/OwnPasses.h"

namespace qx {

// What a cross-draw member counts at a position: the digit itself, its channel or its segment.
enum class TScaleKind : uint8_t { Digits, Channels, Segments };

// value(p, x) of one object, with the width or the segment table copied when the object is made.
// A digit outside 0..9 has no channel and no cell in the segment table: it reads as 0.
class TValueScale {
public:
    TValueScale(TScaleKind kind, const TConfigData& config);

    int Of(int position, uint8_t digit) const { return FValue[position][digit]; }
    // True when some position of the draw holds value v.
    bool Holds(const TDrawRecord& draw, int v) const {
        for (int p = 0; p < kPositions; ++p)
            if (Of(p, draw.Digits[p]) == v) return true;
        return false;
    }
    // How many positions of the draw hold value v.
    int CountIn(const TDrawRecord& draw, int v) const {
        int n = 0;
        for (int p = 0; p < kPositions; ++p) n += Of(p, draw.Digits[p]) == v;
        return n;
    }
    // The values a draw can give: digits 0..9, channels 1..ch(9), the table's segment numbers.
    int First() const { return FFirst; }
    int Last() const { return FLast; }
    // Channels show two digits ("03"), the others plain decimals.
    std::string Text(int v) const;

    TScaleKind Kind;
    uint8_t Width = 2;
    TMatrixSegments Segments{};

private:
    uint8_t FValue[kPositions][256] = {}; // value(p, x) of every byte x
    int FFirst = 0, FLast = 9;
};

// A member whose candidate matches when some position's digit is accepted on its own. The filter
// decides the forty (position, digit) pairs once and spreads them over the full set.
class TPositionFilter : public TOwnCodeFilter {
public:
    virtual bool AcceptsAt(int position, uint8_t digit, TSelectedRows selected, bool exclude, int L) = 0;

    bool AnyPositionAccepts(TCombCode code, TSelectedRows selected, bool exclude, int L);
    void MatchTable(TSelectedRows selected, bool exclude, bool sorted, int L, uint8_t* pass) override;

protected:
    ~TPositionFilter() = default;
};

// pass[ci] := accepted[p][digit at p] for some p, for the 10,000 codes in full-set order.
void FillPositionTable(const bool (&accepted)[kPositions][10], uint8_t* pass);

} // namespace qx
