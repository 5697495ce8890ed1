#include "scripts/RatingRow.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/Text.h"
#include "stakes/StakeRecord.h"

namespace qx {
namespace {

template <class T>
void AddSaturated(T& sum, T value) {
    if (__builtin_add_overflow(sum, value, &sum))
        sum = value < 0 ? std::numeric_limits<T>::min() : std::numeric_limits<T>::max();
}

} // namespace

std::string TRatingRow::KeyText() const { return Cp1251ToUtf8(RawKey()); }

void TRatingRow::SetRawKey(std::string_view cp1251) {
    const size_t n = std::min<size_t>(cp1251.size(), sizeof Key);
    std::memset(Key, 0, sizeof Key);
    std::memcpy(Key, cp1251.data(), n);
    KeyLength = static_cast<uint8_t>(n);
}

void TRatingRow::Add(int matches, TMoney profit) {
    AddSaturated(Stakes, int32_t{1});
    AddSaturated(Matches, int32_t{matches});
    AddSaturated(MatchCounts[matches], int32_t{1});
    AddSaturated(Profit, profit);
}

bool TRatingRow::Damaged() const {
    if (Stakes < 0 || Matches < 0) return true;
    return std::any_of(std::begin(MatchCounts), std::end(MatchCounts), [](int32_t c) { return c < 0; });
}

TRatingRow TRatingRow::Normalized() const {
    TRatingRow r = *this;
    std::memset(r.Key + KeyLength, 0, sizeof Key - KeyLength);
    return r;
}

int RatingMatchesOf(const TStakeRecord& stake) {
    return stake.IsChecked() ? stake.ValidMatchCount() : -1;
}

} // namespace qx
