#include "stats/KeyTests.h"

namespace qx {
namespace {
template <class Pred>
bool AnySelected(TSelectedRows selected, Pred pred) {
    for (const TStatDraw& r : selected)
        if (pred(r.Key)) return true;
    return false;
}
} // namespace

bool SelectedHasKey(TSelectedRows selected, TStatKey key) {
    return AnySelected(selected, [&](TStatKey k) { return k == key; });
}

bool SelectedHasKeyAB(TSelectedRows selected, int32_t a, int32_t b) {
    const int32_t wa = uint16_t(a), wb = uint16_t(b);
    return AnySelected(selected, [&](TStatKey k) { return k.KeyA() == wa && k.KeyB() == wb; });
}

bool SelectedHasKeyPart(TSelectedRows selected, int part, int32_t value) {
    return AnySelected(selected, [&](TStatKey k) { return (part == 1 ? k.KeyA() : k.KeyB()) == value; });
}

bool SelectedHasK(TSelectedRows selected, int part, int16_t value) {
    return AnySelected(selected, [&](TStatKey k) { return k.K(part) == value; });
}

bool SelectedHasByte(TSelectedRows selected, int n, uint8_t value) {
    return AnySelected(selected, [&](TStatKey k) { return k.Byte(n) == value; });
}

bool SelectedHasPart(TSelectedRows selected, TKeyPart part, TStatKey value) {
    const uint64_t v = KeyPartValue(value, part);
    return AnySelected(selected, [&](TStatKey k) { return KeyPartValue(k, part) == v; });
}

} // namespace qx
