#include "stakes/StakeRecord.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/Text.h"

namespace qx {
namespace {

using i128 = __int128;

TMoney Saturate(i128 v) {
    constexpr i128 lo = std::numeric_limits<TMoney>::min();
    constexpr i128 hi = std::numeric_limits<TMoney>::max();
    return static_cast<TMoney>(std::clamp(v, lo, hi));
}

} // namespace

const char* StakeKindCaption(int kind) {
    switch (kind) {
    case skManual: return "Вручную";
    case skRegular: return "Регуляр";
    case skScript: return "Сценарий";
    case skSystem: return "Система";
    default: return "";
    }
}

TStakeNumbers StakeNumbersOf(TCombCode code) {
    TStakeNumbers n;
    n.Count = kPositions;
    for (int p = 0; p < kPositions; ++p) n.Digits[p] = static_cast<uint8_t>(DigitOfCode(code, p));
    return n;
}

std::string_view TStakeRecord::RawComment() const {
    return {Comment, std::min<size_t>(CommentLength, sizeof Comment)};
}

std::string TStakeRecord::CommentText() const { return Cp1251ToUtf8(RawComment()); }

void TStakeRecord::SetComment(std::string_view utf8) {
    SetRawComment(Utf8ToCp1251(LeftChars(utf8, kStakeCommentMax)));
}

void TStakeRecord::SetRawComment(std::string_view cp1251) {
    const size_t n = std::min<size_t>(cp1251.size(), sizeof Comment);
    std::memset(Comment, 0, sizeof Comment);
    std::memcpy(Comment, cp1251.data(), n);
    CommentLength = static_cast<uint8_t>(n);
}

int TStakeRecord::ValidMatchCount() const {
    return Matched.Count >= 0 && Matched.Count <= kPositions ? Matched.Count : -1;
}

std::string TStakeRecord::NumbersText() const {
    const int n = std::clamp(Numbers.Count, 0, kPositions);
    std::string s;
    for (int p = 0; p < n; ++p) {
        if (p) s += ';';
        s += std::to_string(Numbers.Digits[p]);
    }
    return s;
}

void StakeInitSeparator(TStakeRecord& record) {
    record = TStakeRecord{};
    record.Kind = skNone;
    record.DrawNumber = -1;
    record.Matched.Count = -1;
}

TStakeRecord StakeSeparator() {
    TStakeRecord r;
    StakeInitSeparator(r);
    return r;
}

TStakeRecord NewStake(TStakeKind kind, int32_t drawNumber, const TStakeNumbers& numbers, int32_t sample,
                      std::string_view commentUtf8, const TConfigData& config) {
    TStakeRecord r;
    r.Kind = kind;
    r.DrawNumber = drawNumber;
    r.Sample = sample;
    r.Numbers = numbers;
    r.Matched.Count = -1;
    r.SetComment(commentUtf8);
    r.Profit = StakeProfit(numbers.Count, -1, config);
    return r;
}

TMoney StakeProfit(int32_t count, int32_t matches, const TConfigData& config) {
    // count^4 of a damaged count exceeds 64 bits: the factor is capped at 2^63, where any cost
    // other than zero saturates anyway, so factor times cost stays inside 128 bits.
    i128 factor = 1;
    if (count > kPositions) {
        const i128 c = count;
        factor = std::min(c * c * c * c, i128{1} << 63);
    }
    i128 profit = -(factor * i128{config.Cost});
    if (matches >= 0) {
        for (const TProfitEntry& row : config.Profits)
            if (row.Overlap == matches) {
                profit += row.Profit;
                break;
            }
    }
    return Saturate(profit);
}

void CheckStake(TStakeRecord& record, const uint8_t (&drawn)[kPositions], const TConfigData& config) {
    record.Checked = 1;
    uint8_t digits[kPositions] = {0, 0, 0, 0};
    int count = 0;
    for (int p = 0; p < kPositions; ++p) {
        record.Drawn[p] = drawn[p];
        if (record.Numbers.Digits[p] == drawn[p]) digits[count++] = drawn[p];
    }
    // Insertion sort of at most four digits (std::sort's unrolled head trips the bounds checker).
    for (int i = 1; i < count; ++i)
        for (int j = i; j > 0 && digits[j - 1] > digits[j]; --j) std::swap(digits[j - 1], digits[j]);
    TStakeNumbers matched;
    matched.Count = count;
    std::copy(digits, digits + kPositions, matched.Digits);
    record.Matched = matched;
    record.Profit = StakeProfit(record.Numbers.Count, matched.Count, config);
}

std::string MoneyText(TMoney value, char separator) {
    std::string s = MoneyToFixed(value, 2);
    if (separator != '.') std::replace(s.begin(), s.end(), '.', separator);
    return s;
}

TMoney MoneyAverage(TMoney total, int64_t count) {
    if (count <= 0) return 0;
    TMoney q = total / count;
    const TMoney r = total % count;
    // |r| < count, so 2|r| fits.
    const uint64_t twice = 2 * (r < 0 ? uint64_t(0) - uint64_t(r) : uint64_t(r));
    if (twice >= static_cast<uint64_t>(count)) q += total < 0 ? -1 : 1;
    return q;
}

} // namespace qx
