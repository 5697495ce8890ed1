#include "online/CatalogueText.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace qx {
namespace {

char EscapeLetter(unsigned char c) {
    switch (c) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6: return static_cast<char>('0' + c);
    case 7: return 'a';
    case 8: return 'b';
    case 9: return 't';
    case 10: return 'n';
    case 11: return 'v';
    case 12: return 'f';
    case 13: return 'r';
    case 27: return 'e';
    case '"': case '\'': case '?': case '\\': return static_cast<char>(c);
    default: return 0;
    }
}

// Length of the valid UTF-8 sequence at text[i], or 0.
size_t Utf8SequenceLength(std::string_view text, size_t i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = b(i);
    if (c < 0x80) return 1;
    size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // the allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) len = 2;
    else if (c == 0xE0) len = 3, lo = 0xA0;
    else if (c >= 0xE1 && c <= 0xEC) len = 3;
    else if (c == 0xED) len = 3, hi = 0x9F;  // no surrogates
    else if (c >= 0xEE && c <= 0xEF) len = 3;
    else if (c == 0xF0) len = 4, lo = 0x90;
    else if (c >= 0xF1 && c <= 0xF3) len = 4;
    else if (c == 0xF4) len = 4, hi = 0x8F;
    else return 0;
    if (i + len > text.size()) return 0;
    if (b(i + 1) < lo || b(i + 1) > hi) return 0;
    for (size_t k = 2; k < len; ++k)
        if (b(i + k) < 0x80 || b(i + k) > 0xBF) return 0;
    return len;
}

bool Digits(std::string_view text, size_t at, size_t count, int& value) {
    value = 0;
    for (size_t k = at; k < at + count; ++k) {
        if (text[k] < '0' || text[k] > '9') return false;
        value = value * 10 + (text[k] - '0');
    }
    return true;
}

} // namespace

std::string CEscape(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const char letter = EscapeLetter(static_cast<unsigned char>(ch));
        if (letter) {
            out += '\\';
            out += letter;
        } else {
            out += ch;
        }
    }
    return out;
}

std::string RepairUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const size_t len = Utf8SequenceLength(bytes, i);
        if (len == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(bytes.substr(i, len));
            i += len;
        }
    }
    return out;
}

TDateTime CatalogueUtcToLocal(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
        text[16] != ':')
        return 0;
    int y, mo, d, h, mi, s;
    if (!Digits(text, 0, 4, y) || !Digits(text, 5, 2, mo) || !Digits(text, 8, 2, d) || !Digits(text, 11, 2, h) ||
        !Digits(text, 14, 2, mi) || !Digits(text, 17, 2, s))
        return 0;
    if (y < 1900 || !IsValidDate(y, mo, d) || h > 23 || mi > 59 || s > 59) return 0;
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    return UnixTimeToLocal(static_cast<int64_t>(timegm(&tm)));
}

std::string FormatCatalogueDate(TDateTime local) {
    if (!(local > 0)) return {};
    const TDateParts p = DecodeDateTime(local);
    char buf[80];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.Year, p.Month, p.Day, p.Hour, p.Minute,
                  p.Second);
    return buf;
}

int64_t LocalToUnixTime(TDateTime local) {
    const TDateParts p = DecodeDateTime(local + 0.5 / 86400.0);  // whole seconds, rounded
    std::tm tm{};
    tm.tm_year = p.Year - 1900;
    tm.tm_mon = p.Month - 1;
    tm.tm_mday = p.Day;
    tm.tm_hour = p.Hour;
    tm.tm_min = p.Minute;
    tm.tm_sec = p.Second;
    tm.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&tm));
}

TDateTime UnixTimeToLocal(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    localtime_r(&t, &tm);
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) + EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec);
}

} // namespace qx
