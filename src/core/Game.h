#pragma once
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

static_assert(std::endian::native == std::endian::little, "records are stored in memory as on disk");

// The game: four positions, each a digit 0..9, two draws a day.
inline constexpr int kPositions = 4;
inline constexpr int kDigitCount = 10;
inline constexpr int kCombCount = 10000;  // kDigitCount to the power kPositions
inline constexpr const char* kGameDisplayName = "Pick 4";
inline constexpr const char* kProgramBaseName = "Quadrix_4d10";

// How many of the 10,000 combinations share exactly k positions with a given one: C(4,k)*9^(4-k).
inline constexpr std::array<int, kPositions + 1> kMatchCounts = {6561, 2916, 486, 36, 1};
inline constexpr double MatchProbability(int k) { return kMatchCounts[k] / double(kCombCount); }

inline constexpr int kDateLabelMax = 12;
// Draw numbers run from 1 to one below this largest 32-bit number, so the next number always fits.
inline constexpr int32_t kDrawNumberLimit = 2147483647;
inline constexpr bool IsValidDrawNumber(int64_t number) { return number >= 1 && number < kDrawNumberLimit; }

// One draw, exactly as it lies in the draws file (little-endian, 24 bytes).
struct TDrawRecord {
    int32_t Number = 0;
    uint8_t Digits[kPositions] = {0, 0, 0, 0};
    uint8_t LabelLength = 0;
    char Label[kDateLabelMax] = {};  // Windows-1251, bytes past LabelLength undefined
    uint8_t Reserved[3] = {0, 0, 0};

    // The label as UTF-8 text.
    std::string DateLabel() const;
    // Stores a UTF-8 label; a text longer than 12 characters keeps its first 12.
    void SetDateLabel(std::string_view utf8);
    // The label's raw Windows-1251 bytes.
    std::string_view RawLabel() const;
};
static_assert(sizeof(TDrawRecord) == 24);
static_assert(offsetof(TDrawRecord, Digits) == 4);
static_assert(offsetof(TDrawRecord, LabelLength) == 8);
static_assert(offsetof(TDrawRecord, Label) == 9);
static_assert(offsetof(TDrawRecord, Reserved) == 21);

// Byte k of a code is the digit of position k + 1.
using TCombCode = uint32_t;

using TDrawsArray = std::vector<TDrawRecord>;
using TCombsArray = std::vector<TCombCode>;
using TIntArray = std::vector<int32_t>;
using TByteArray = std::vector<uint8_t>;

inline constexpr TCombCode MakeCode(int d1, int d2, int d3, int d4) {
    return TCombCode(uint8_t(d1)) | TCombCode(uint8_t(d2)) << 8 | TCombCode(uint8_t(d3)) << 16 |
           TCombCode(uint8_t(d4)) << 24;
}
inline constexpr int DigitOfCode(TCombCode code, int position) { return (code >> (8 * position)) & 0xFF; }

// Position of a code in the full set 0000..9999 (d4 fastest); -1 when a byte is not a digit.
inline constexpr int CodeIndex(TCombCode code) {
    int index = 0;
    for (int p = 0; p < kPositions; ++p) {
        int d = DigitOfCode(code, p);
        if (d >= kDigitCount) return -1;
        index = index * kDigitCount + d;
    }
    return index;
}
inline constexpr TCombCode CodeOfIndex(int index) {
    return MakeCode(index / 1000, index / 100 % 10, index / 10 % 10, index % 10);
}

} // namespace qx
