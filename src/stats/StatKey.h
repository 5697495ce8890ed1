#pragma once
#include <cstdint>

namespace qx {

// The key of one value of a method: eight bytes, read as two signed 32-bit numbers (KeyA, KeyB),
// as four signed 16-bit parts (K1, K2 = low and high half of KeyA; K3, K4 the same of KeyB) or as
// eight bytes. Two keys are equal when all eight bytes are equal.
class TStatKey {
public:
    constexpr TStatKey() = default;

    static constexpr TStatKey FromRaw(uint64_t raw) {
        TStatKey k;
        k.FRaw = raw;
        return k;
    }
    static constexpr TStatKey FromA(int32_t a, int32_t b = 0) {
        return FromRaw(uint64_t(uint32_t(a)) | uint64_t(uint32_t(b)) << 32);
    }
    static constexpr TStatKey FromParts(int k1, int k2 = 0, int k3 = 0, int k4 = 0) {
        return FromRaw(uint64_t(uint16_t(k1)) | uint64_t(uint16_t(k2)) << 16 | uint64_t(uint16_t(k3)) << 32 |
                       uint64_t(uint16_t(k4)) << 48);
    }

    constexpr uint64_t Raw() const { return FRaw; }
    constexpr int32_t KeyA() const { return int32_t(uint32_t(FRaw)); }
    constexpr int32_t KeyB() const { return int32_t(uint32_t(FRaw >> 32)); }
    // part 1..4
    constexpr int16_t K(int part) const { return int16_t(uint16_t(FRaw >> (16 * (part - 1)))); }
    constexpr int16_t K1() const { return K(1); }
    constexpr int16_t K2() const { return K(2); }
    constexpr int16_t K3() const { return K(3); }
    constexpr int16_t K4() const { return K(4); }
    // byte 1..8
    constexpr uint8_t Byte(int n) const { return uint8_t(FRaw >> (8 * (n - 1))); }

    constexpr void SetKeyA(int32_t a) { FRaw = (FRaw & 0xFFFFFFFF00000000ull) | uint32_t(a); }
    constexpr void SetKeyB(int32_t b) { FRaw = (FRaw & 0xFFFFFFFFull) | uint64_t(uint32_t(b)) << 32; }
    constexpr void SetK(int part, int value) {
        const int shift = 16 * (part - 1);
        FRaw = (FRaw & ~(0xFFFFull << shift)) | uint64_t(uint16_t(value)) << shift;
    }
    constexpr void SetByte(int n, uint8_t value) {
        const int shift = 8 * (n - 1);
        FRaw = (FRaw & ~(0xFFull << shift)) | uint64_t(value) << shift;
    }

    // The key order compares K1, K2, K3, K4 in turn, each as an unsigned 16-bit number, so a
    // negative part sorts after every non-negative one. Keys compare as these numbers do.
    constexpr uint64_t OrderValue() const {
        return (FRaw & 0xFFFF) << 48 | (FRaw >> 16 & 0xFFFF) << 32 | (FRaw >> 32 & 0xFFFF) << 16 | FRaw >> 48;
    }

    friend constexpr bool operator==(TStatKey, TStatKey) = default;

private:
    uint64_t FRaw = 0;
};
static_assert(sizeof(TStatKey) == 8);

constexpr bool KeyOrderLess(TStatKey a, TStatKey b) { return a.OrderValue() < b.OrderValue(); }

// Which part of a key a method compares when it tests a value against selected rows.
enum class TKeyPart : uint8_t { Whole, KeyA, KeyB, K1, K2, K3, K4, Byte1 };

constexpr uint64_t KeyPartValue(TStatKey key, TKeyPart part) {
    switch (part) {
    case TKeyPart::Whole: return key.Raw();
    case TKeyPart::KeyA: return uint32_t(key.KeyA());
    case TKeyPart::KeyB: return uint32_t(key.KeyB());
    case TKeyPart::K1: return uint16_t(key.K1());
    case TKeyPart::K2: return uint16_t(key.K2());
    case TKeyPart::K3: return uint16_t(key.K3());
    case TKeyPart::K4: return uint16_t(key.K4());
    case TKeyPart::Byte1: return key.Byte(1);
    }
    return key.Raw();
}

} // namespace qx
