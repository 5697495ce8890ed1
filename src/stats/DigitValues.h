#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/Game.h"
#include "stats/StatBases.h"

namespace qx {

using TDigits = std::array<uint8_t, kPositions>;

inline TDigits DigitsOfCode(TCombCode code) {
    return {uint8_t(code), uint8_t(code >> 8), uint8_t(code >> 16), uint8_t(code >> 24)};
}

// The record's digits, sorted ascending when sorted (a five-comparison network).
inline TDigits DrawDigits(const TDrawRecord& draw, bool sorted) {
    TDigits d = {draw.Digits[0], draw.Digits[1], draw.Digits[2], draw.Digits[3]};
    if (sorted) {
        auto order = [&d](int a, int b) {
            const uint8_t lo = std::min(d[a], d[b]), hi = std::max(d[a], d[b]);
            d[a] = lo;
            d[b] = hi;
        };
        order(0, 1);
        order(2, 3);
        order(0, 2);
        order(1, 3);
        order(1, 2);
    }
    return d;
}

// Position in the full set 0000..9999; -1 when a digit is outside 0..9.
inline int CodeIndexOf(const TDigits& d) {
    if (d[0] > 9 || d[1] > 9 || d[2] > 9 || d[3] > 9) return -1;
    return d[0] * 1000 + d[1] * 100 + d[2] * 10 + d[3];
}

// The same for a combination code, without unpacking it: a byte above 9 gives -1.
inline int CodeIndexOfCode(TCombCode c) {
    // b + 0x76 reaches bit 7 exactly when a byte b below 0x80 is 10 or more.
    if (((c | (c + 0x76767676u)) & 0x80808080u) != 0) return -1;
    return int(c & 0xFF) * 1000 + int(c >> 8 & 0xFF) * 100 + int(c >> 16 & 0xFF) * 10 + int(c >> 24);
}

// The values of four digits in the order a draw merges them, each with its period flag.
struct TDigitValue {
    TStatKey Key;
    bool Periods = true;
};
class TDigitValues {
public:
    static constexpr int kCapacity = 16;
    void Add(TStatKey key, bool periods = true);
    const TDigitValue* begin() const { return FItems.data(); }
    const TDigitValue* end() const { return FItems.data() + FCount; }
    int Size() const { return FCount; }

private:
    std::array<TDigitValue, kCapacity> FItems{};
    int FCount = 0;
};

class TDigitValuesSource;
class TOccurrenceCache;

// Every code's values, worked out once per method and configuration: the distinct keys in order
// of first appearance over the full set (value ids), each code's hits as value ids, and a 64-bit
// mask of each code's values when a method has at most 64 of them.
class TDigitValueTable {
public:
    static std::shared_ptr<const TDigitValueTable> Build(const TDigitValuesSource& source);

    static constexpr uint32_t kPeriodsBit = 0x80000000u;
    int ValueCount() const { return static_cast<int>(FKeys.size()); }
    TStatKey Key(uint32_t valueId) const { return FKeys[valueId]; }
    // Value id of a key, or -1 when no combination gives it.
    int FindValue(TStatKey key) const;
    // Hits of one code: value id, with kPeriodsBit when a draw merges it with periods.
    std::span<const uint32_t> Hits(int codeIndex) const {
        return {FHits.data() + FStart[size_t(codeIndex)], FHits.data() + FStart[size_t(codeIndex) + 1]};
    }
    bool HasMasks() const { return !FMasks.empty(); }
    // The hits of every code in one 32-bit word, when no code has more than four hits and the
    // method fewer than 128 values: byte k = value id of hit k, bit 7 set for periods, 0x7F after
    // the last hit. One load per draw instead of two.
    static constexpr uint32_t kPackedEnd = 0x7F;
    bool HasPacked() const { return !FPacked.empty(); }
    uint32_t Packed(int codeIndex) const { return FPacked[size_t(codeIndex)]; }
    const uint32_t* PackedData() const { return FPacked.data(); }
    uint64_t Mask(int codeIndex) const { return FMasks[size_t(codeIndex)]; }
    const uint64_t* MaskData() const { return FMasks.data(); }
    // For a method with more than 64 values and at most kMaxPaddedWidth hits per code: every
    // code's value ids (periods bit cleared) in a row of PaddedWidth(), filled up with ValueCount(),
    // so a test of all codes runs without a branch per hit. 0 when there are none.
    static constexpr size_t kMaxPaddedWidth = 8;
    int PaddedWidth() const { return FPaddedWidth; }
    const uint32_t* PaddedData() const { return FPadded.data(); }

private:
    std::vector<TStatKey> FKeys;
    std::vector<uint32_t> FStart;
    std::vector<uint32_t> FHits;
    std::vector<uint64_t> FMasks;
    std::vector<uint32_t> FPacked;
    std::vector<uint32_t> FPadded;
    int FPaddedWidth = 0;
    std::vector<std::pair<uint64_t, uint32_t>> FIndex;  // (key, value id) by key
};

// A method whose values follow from the four digits alone, the same for a draw and for a
// candidate. The engine tabulates it and runs tables, facts and filters without calling the
// method per draw or per combination.
class TDigitValuesSource {
public:
    virtual void DigitValues(const TDigits& digits, TDigitValues& out) const = 0;
    // The key part compared with the selected rows.
    virtual TKeyPart MatchPart() const { return TKeyPart::Whole; }
    // Whether a candidate with this value matches the selected rows.
    virtual bool ValueMatches(TStatKey value, TSelectedRows selected) const {
        return SelectedHasPart(selected, MatchPart(), value);
    }
    // True when ValueMatches is the part test of MatchPart.
    virtual bool MatchesByPart() const { return true; }

    // The table, built on first use unless one was attached.
    const TDigitValueTable& Table() const;
    // Shares a table built for the same class, variant and configuration.
    void AttachTable(std::shared_ptr<const TDigitValueTable> table) const { FTable = std::move(table); }
    const std::shared_ptr<const TDigitValueTable>& SharedTable() const;
    // Where the registry keeps this method's occurrence indexes; none for objects made without it.
    TOccurrenceCache* Occurrences() const { return FOccurrences.get(); }
    void AttachOccurrences(std::shared_ptr<TOccurrenceCache> cache) const { FOccurrences = std::move(cache); }

protected:
    ~TDigitValuesSource() = default;

private:
    mutable std::shared_ptr<const TDigitValueTable> FTable;
    mutable std::shared_ptr<TOccurrenceCache> FOccurrences;
};

// The operations of a digit-values method, on top of one of the framework bases.
template <class Base>
class TDigitsStat : public Base, public TDigitValuesSource {
public:
    using Base::Base;

    const TDigitValuesSource* DigitSource() const override { return this; }
    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        Base::AddDraw(i, L, lastValues, runState, rows, sorted);
        Merge(DrawDigits(this->Draw, false), rows, true);
    }
    void AddCombination(TCombCode code, TStatSink& rows) override {
        Base::AddCombination(code, rows);
        Merge(DigitsOfCode(code), rows, false);
    }
    bool Matches(TCombCode code, TSelectedRows selected, bool, bool, int) override {
        TDigitValues values;
        DigitValues(DigitsOfCode(code), values);
        for (const TDigitValue& v : values)
            if (ValueMatches(v.Key, selected)) return true;
        return false;
    }
    int32_t FindNext(const TStatDraw& row, int from, bool sorted, int) override {
        const TDigitValueTable& table = Table();
        const int high = static_cast<int>(this->Draws.size()) - 1;
        for (int idx = from; idx <= high; ++idx) {
            const TDrawRecord draw = this->DrawAt(idx, false);
            const TDigits d = DrawDigits(draw, sorted);
            const int ci = CodeIndexOf(d);
            if (ci >= 0) {
                for (uint32_t h : table.Hits(ci))
                    if (table.Key(h & ~TDigitValueTable::kPeriodsBit) == row.Key) return draw.Number;
            } else {
                TDigitValues values;
                DigitValues(d, values);
                for (const TDigitValue& v : values)
                    if (v.Key == row.Key) return draw.Number;
            }
        }
        return -1;
    }

protected:
    // The first value's KeyA: the number of single-value graph methods.
    int32_t FirstValue(TCombCode code) const {
        TDigitValues values;
        DigitValues(DigitsOfCode(code), values);
        return values.Size() > 0 ? values.begin()->Key.KeyA() : 0;
    }

private:
    void Merge(const TDigits& digits, TStatSink& rows, bool draw) {
        TDigitValues values;
        DigitValues(digits, values);
        for (const TDigitValue& v : values) {
            this->Hit.Key = v.Key;
            rows.AddHit(this->Hit, draw && v.Periods);
        }
    }
};

// Single-value graph methods: the plotted number is the value.
template <class Base>
class TDigitsGraphStat : public TDigitsStat<Base> {
public:
    using TDigitsStat<Base>::TDigitsStat;
    int32_t CombValue(TCombCode code, int, bool, int) override { return this->FirstValue(code); }
};

} // namespace qx
