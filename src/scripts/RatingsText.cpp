#include "scripts/RatingsText.h"

#include "core/Game.h"
#include "core/Text.h"
#include "stakes/StakeRecord.h"

namespace qx {
namespace {

using i128 = __int128;

std::string Int128Text(i128 v) {
    if (v == 0) return "0";
    std::string s;
    const bool negative = v < 0;
    unsigned __int128 a = negative ? -static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v);
    while (a) {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(a % 10)));
        a /= 10;
    }
    return negative ? "-" + s : s;
}

std::string Quoted(const std::string& text) {
    std::string s = "\"";
    for (char c : text) {
        if (c == '"') s += '"';
        s += c;
    }
    return s + "\"";
}

std::string Efficiency(const TRatingRow& row, int i, int mode, char separator) {
    const i128 s = row.Stakes, m = row.MatchCounts[i], n = kMatchCounts[static_cast<size_t>(i)];
    switch (mode) {
    case remExpected: {
        // rnd(s * n / 10000), halves to the even neighbour
        const i128 num = s * n;
        i128 q = num / kCombCount;
        const i128 r = num % kCombCount;
        if (2 * r > kCombCount || (2 * r == kCombCount && (q & 1) != 0)) ++q;
        return Int128Text(q);
    }
    case remAbsolute:
        // m * 100 / s - n / 100 = (m * 10000 - s * n) / (100 * s)
        return FixedRatio(m * kCombCount - s * n, 100 * s, 3, separator) + "%";
    case remRelative:
        // m * 100 / (s * n / 10000) = m * 1000000 / (s * n)
        return FixedRatio(m * 100 * kCombCount, s * n, 3, separator) + "%";
    default: return {};
    }
}

} // namespace

const char* const kRatingColumnCaptions[16] = {"Комментарий", "Ставок", "Угадано", "Среднее", "Профит", "Ср. профит",
                                               "0",           "1",      "2",       "3",       "4",      "E0",
                                               "E1",          "E2",     "E3",      "E4"};

std::string FixedRatio(i128 num, i128 den, int decimals, char separator) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    i128 scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const bool negative = num < 0;
    const i128 a = negative ? -num : num;
    i128 q = a * scale / den;
    if (2 * (a * scale % den) >= den) ++q;
    std::string digits = Int128Text(q);
    if (decimals > 0) {
        if (digits.size() <= static_cast<size_t>(decimals)) digits.insert(0, decimals + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<size_t>(decimals), 1, separator);
    }
    return negative && q != 0 ? "-" + digits : digits;
}

std::string RatingCellText(const TRatingRow& row, int column, int effMode, char separator) {
    if (row.Damaged()) return column == 0 ? kBadRatingRow : "";
    const bool any = row.Stakes > 0;
    switch (column) {
    case 0: return row.KeyText();
    case 1: return std::to_string(row.Stakes);
    case 2: return std::to_string(row.Matches);
    case 3: return any ? FixedRatio(row.Matches, row.Stakes, 3, separator) : std::string();
    case 4: return MoneyText(row.Profit, separator);
    case 5: return any ? MoneyText(MoneyAverage(row.Profit, row.Stakes), separator) : std::string();
    case 6:
    case 7:
    case 8:
    case 9:
    case 10: return std::to_string(row.MatchCounts[column - 6]);
    case 11:
    case 12:
    case 13:
    case 14:
    case 15: return any ? Efficiency(row, column - 11, effMode, separator) : std::string();
    default: return {};
    }
}

std::string RatingsCsvText(const std::vector<TRatingRow>& rows, char separator) {
    std::string text;
    for (int c = 0; c < 16; ++c) {
        if (c) text += ';';
        text += Quoted(kRatingColumnCaptions[c]);
    }
    text += "\r\n";
    for (const TRatingRow& row : rows) {
        const bool any = row.Stakes > 0;
        text += Quoted(row.KeyText());
        text += ';' + std::to_string(row.Stakes) + ';' + std::to_string(row.Matches) + ';';
        if (any) text += FixedRatio(row.Matches, row.Stakes, 3, separator);
        text += ';' + MoneyText(row.Profit, separator) + ';';
        if (any) text += MoneyText(MoneyAverage(row.Profit, row.Stakes), separator);
        for (int32_t c : row.MatchCounts) text += ';' + std::to_string(c);
        text += "\r\n";
    }
    return text;
}

} // namespace qx
