#include "core/ArchiveQueries.h"

#include <algorithm>

#include "core/DateTime.h"
#include "core/DrawHelpers.h"
#include "core/Text.h"

namespace qx {

int CurrentIndex(const TDrawsArray& draws, int offset) { return static_cast<int>(draws.size()) - 1 - offset; }

namespace {
bool RowInside(const TDrawsArray& draws, int row) { return row >= 0 && row < static_cast<int>(draws.size()); }
const TDrawRecord& AtRow(const TDrawsArray& draws, int row) { return draws[draws.size() - 1 - row]; }
} // namespace

int64_t NextDrawNumber(const TDrawsArray& draws, int row) {
    if (draws.empty()) return 1;
    if (!RowInside(draws, row)) return -1;
    return int64_t{AtRow(draws, row).Number} + 1;
}

TCombCode CodeAtRow(const TDrawsArray& draws, int row) {
    return RowInside(draws, row) ? CodeOfDraw(AtRow(draws, row)) : 0;
}

std::string FollowingDigitsText(const TDrawsArray& draws, int offset) {
    int count = static_cast<int>(draws.size());
    if (count == 0 || offset < 1 || offset > count - 1) return {};
    return DigitsText(CodeOfDraw(draws[count - 1 - offset + 1]));
}

TByteArray FollowingDigitSet(const TDrawsArray& draws, int offset) {
    TByteArray set;
    int count = static_cast<int>(draws.size());
    if (count == 0 || offset < 1 || offset > count - 1) return set;
    const TDrawRecord& d = draws[count - 1 - offset + 1];
    for (uint8_t v : d.Digits) {
        bool present = false;
        for (uint8_t s : set) present = present || s == v;
        if (!present) set.push_back(v);
    }
    return set;
}

int DateNumberAtRow(const TDrawsArray& draws, int row, int days) {
    if (!RowInside(draws, row)) return 19910704;
    return DateToNumber(ParseDrawLabel(AtRow(draws, row).DateLabel()) + days);
}

int IndexOfNumber(const TDrawsArray& draws, int32_t number) {
    const int64_t count = static_cast<int64_t>(draws.size());
    if (count == 0) return -1;
    const int high = static_cast<int>(count - 1);
    const int64_t first = draws.front().Number;
    const int64_t last = draws.back().Number;
    if (number == first) return 0;
    if (number == last) return high;
    // 64-bit arithmetic: the product overflows 32 bits on large numbers. A divisor of zero or
    // less (numbering that does not rise) cannot give a sensible guess, so the guess is High.
    int64_t guess = high;
    const int64_t divisor = last - first + 1;
    if (divisor > 0) {
        guess = count * (static_cast<int64_t>(number) - first) / divisor;
        if (guess < 0 || guess > high) guess = high;
    }
    int index = static_cast<int>(guess);
    if (draws[index].Number == number) return index;
    const int step = number > draws[index].Number ? 1 : -1;
    for (int i = index + step; i >= 0 && i <= high; i += step)
        if (draws[i].Number == number) return i;
    for (int i = high; i >= 0; --i)
        if (draws[i].Number == number) return i;
    return -1;
}

int IndexOfLabel(const TDrawsArray& draws, std::string_view label, int depth) {
    const int high = static_cast<int>(draws.size()) - 1;
    const int lowest = depth > 0 ? std::max(0, high - depth) : 0;
    for (int i = high; i >= lowest; --i)
        if (SameText(draws[i].DateLabel(), label)) return i;
    return -1;
}

} // namespace qx
