#include "stats/CustomStat.h"

#include <algorithm>

#include "core/DrawHelpers.h"
#include "core/Text.h"
#include "stats/ValueTexts.h"

namespace qx {
namespace {
const TDrawsArray kNoDraws;
}

TCustomStat::TCustomStat(const TStatClass& cls, const TStatEnv& env, int32_t param)
    : Param(param), Draws(env.Draws ? *env.Draws : kNoDraws), FClass(cls) {}

std::string TCustomStat::ValueText(const TStatDraw& row) const { return IntToStr(row.Key.KeyA()); }

const std::shared_ptr<TValueTexts>& TCustomStat::ValueTexts() const {
    if (!FValueTexts) FValueTexts = std::make_shared<TValueTexts>();
    return FValueTexts;
}

int32_t TCustomStat::ParseValue(std::string_view text) const { return StrToIntDef(text, 0); }

int32_t TCustomStat::ParseValueChecked(std::string_view text) const {
    return FClass.CanParseValue() ? ParseValue(text) : 0;
}

void TCustomStat::InitValues(int, TStatSink&) { Hit = TStatDraw{}; }

TDrawRecord TCustomStat::DrawAt(int index, bool sorted) const {
    if (index < 0 || index >= static_cast<int>(Draws.size())) return TDrawRecord{};
    TDrawRecord d = Draws[size_t(index)];
    if (sorted) SortDigits(d);
    return d;
}

void TCustomStat::Prepare(int drawIndex, int refIndex, bool sorted) {
    Draw = DrawAt(drawIndex, sorted);
    if (FClass.Flags() & kFlagD) RefDraw = DrawAt(refIndex, sorted);
}

void TCustomStat::AddCombination(TCombCode, TStatSink&) {
    Hit = TStatDraw{};
    Hit.Count = 1;
}

void TCustomStat::AddDraw(int i, int L, TLastValueArray&, TRunState&, TStatSink&, bool sorted) {
    Prepare(i, L, sorted);
    Hit = TStatDraw{};
    Hit.LastDraw = Hit.PrevDraw = Draw.Number;
    Hit.Depth = L - i + 1;
    Hit.Count = 1;
}

int32_t TCustomStat::FindNext(const TStatDraw& row, int from, bool sorted, int L) {
    // One scratch array for every step: the search allocates nothing per draw.
    TStatRows produced;
    TLastValueArray lastValues;
    TRunState runState{};
    const int high = static_cast<int>(Draws.size()) - 1;
    for (int idx = from; idx <= high; ++idx) {
        produced.Clear();
        lastValues.clear();
        AddDraw(idx, L, lastValues, runState, produced, sorted);
        const int r = produced.Find(row.Key);
        if (r >= 0) return produced[r].LastDraw;
    }
    return -1;
}

void TCustomStat::ListValue(TStatSink& rows, TStatKey key) {
    TStatDraw hit;
    hit.Key = key;
    rows.AddHit(hit, false);
}

void TCustomStat::ListValues(TStatSink& rows, int first, int last) {
    for (int v = first; v <= last; ++v) ListValue(rows, TStatKey::FromA(v));
}

} // namespace qx
