#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "stats/CustomStat.h"
#include "stats/GroupBases.h"
#include "stats/OwnPasses.h"
#include "stats/families/ValueScale.h"

namespace qx {

// The transitions one draw gives, in the order they are merged. A draw gives at most twenty
// (four previous digits, each to four same-channel digits and once more to 0).
struct TChainHits {
    static constexpr int kMax = 20;
    uint64_t Keys[kMax]; // raw keys, left unset beyond Count
    int Count = 0;
    void Add(int k1, int k2, int k3 = 0) { Keys[Count++] = TStatKey::FromParts(k1, k2, k3).Raw(); }
};

// A chain member: the transitions into draw i that start from what the current draw L (and the
// draw before it) holds. They depend on nothing but a few draws around i and L, so a table's
// window and its facts come from one pass that numbers the transitions (every part 0..10).
class TCustomChainStat : public TCustomStat, public TOwnWindowPass {
public:
    TCustomChainStat(const TStatClass& cls, const TStatEnv& env, int32_t param, TScaleKind kind)
        : TCustomStat(cls, env, param), Scale(kind, ConfigOf(env)) {}
    static constexpr uint8_t kGroup = 10;
    static constexpr uint8_t kFlags = kFlagD;
    static constexpr bool kCanParseValue = false;

    // The transitions into draw i of the window ending at L.
    virtual void DrawChains(int i, int L, bool sorted, TChainHits& out) const = 0;

    void InitValues(int L, TStatSink& rows) override;
    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override;

    TOwnWindowPass* OwnWindowPass() override { return this; }
    bool BeginPass(int first, int last, int L, bool sorted) override;
    int ValueCount() const override { return kPart * kPart * kPart; }
    TStatKey ValueKey(uint32_t id) const override {
        return TStatKey::FromParts(int(id) / (kPart * kPart), int(id) / kPart % kPart, int(id) % kPart);
    }
    int DrawHits(int i, uint32_t* ids) const override;

    TValueScale Scale;

protected:
    // "4 -> 7" or "4-7 -> 2" (length 3); channels of channel chains as "04".
    std::string ChainText(const TStatDraw& row, int length, bool scaled) const;
    // The draw at index as DrawAt reads it; during a window pass from the copies the pass made.
    TDrawRecord Read(int index, bool sorted) const {
        if (index >= FCopyFrom && index < FCopyFrom + int(FCopies.size())) {
            if (!sorted) return Draws[size_t(index)];
            if (FSorted) return FCopies[size_t(index - FCopyFrom)];
        }
        return DrawAt(index, sorted);
    }
    // A draw exists when its number is at least 1.
    static bool Exists(const TDrawRecord& d) { return d.Number >= 1; }

private:
    static constexpr int kPart = 11; // parts 0..10: digits, channels of width 1, segments, counts
    int FL = 0;
    bool FSorted = false;
    // The draws the pass reads, digits sorted when the pass is (from FCopyFrom; none outside a pass).
    std::vector<TDrawRecord> FCopies;
    int FCopyFrom = 0;
};

static_assert(TChainHits::kMax <= TOwnWindowPass::kMaxHits);

} // namespace qx
