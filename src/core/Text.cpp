#include "core/Text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iconv.h>

#include "core/Error.h"

namespace qx {
namespace {

bool IsAscii(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

class TIconv {
public:
    TIconv(const char* to, const char* from) : FHandle(iconv_open(to, from)) {
        if (FHandle == reinterpret_cast<iconv_t>(-1))
            throw TAppError(std::string("iconv: ") + std::strerror(errno));
    }
    ~TIconv() { iconv_close(FHandle); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // Converts; on a character the target cannot hold, the source character is skipped
    // and replacement is appended instead.
    std::string Convert(std::string_view text, std::string_view replacement, bool utf8Source) {
        std::string out;
        out.resize(text.size() * 2 + 16);
        char* in = const_cast<char*>(text.data());
        size_t inLeft = text.size();
        size_t used = 0;
        iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char* outPtr = out.data() + used;
            size_t outLeft = out.size() - used;
            size_t r = iconv(FHandle, &in, &inLeft, &outPtr, &outLeft);
            used = out.size() - outLeft;
            if (r != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
            } else if (errno == EILSEQ || errno == EINVAL) {
                size_t skip = 1;
                if (utf8Source) {
                    // Skip a whole well-formed sequence, or one stray byte.
                    unsigned char c = static_cast<unsigned char>(*in);
                    size_t len = c >= 0xF0 && c < 0xF8 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
                    if (c >= 0xF8) len = 1;
                    skip = 1;
                    while (skip < len && skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
                    if (skip != len) skip = 1;
                }
                in += skip;
                inLeft -= skip;
                if (out.size() - used < replacement.size() + 8) out.resize(out.size() * 2);
                std::memcpy(out.data() + used, replacement.data(), replacement.size());
                used += replacement.size();
            } else {
                throw TAppError(std::string("iconv: ") + std::strerror(errno));
            }
        }
        out.resize(used);
        return out;
    }

private:
    iconv_t FHandle;
};

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

std::string Cp1251ToUtf8(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    TIconv conv("UTF-8", "CP1251");
    return conv.Convert(text, "?", false);
}

std::string Utf8ToCp1251(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    TIconv conv("CP1251", "UTF-8");
    return conv.Convert(text, "?", true);
}

std::string DecodeTextFile(std::string_view bytes) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        throw TAppError("текст в кодировке UTF-16 не поддерживается: сохраните файл в кодировке Windows-1251");
    if (bytes.find('\0') != std::string_view::npos) throw TAppError("файл содержит двоичные данные (нулевые байты)");
    if (bytes.starts_with(kUtf8Mark)) return std::string(bytes.substr(kUtf8Mark.size()));
    return Cp1251ToUtf8(bytes);
}

std::string_view TrimLeft(std::string_view text) {
    size_t b = 0;
    while (b < text.size() && IsBlank(text[b])) ++b;
    return text.substr(b);
}

std::string_view TrimRight(std::string_view text) {
    size_t e = text.size();
    while (e > 0 && IsBlank(text[e - 1])) --e;
    return text.substr(0, e);
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

std::string_view LeftChars(std::string_view text, size_t count) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // inside a character
        if (++chars > count) return text.substr(0, i);
    }
    return text;
}

std::optional<int64_t> TryStrToInt64(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool plus = i < text.size() && text[i] == '+';
    if (plus) ++i;
    std::string_view rest = text.substr(i);
    if (rest.empty() || (plus && rest[0] == '-')) return std::nullopt;
    bool negative = rest[0] == '-';
    std::string_view digits = negative ? rest.substr(1) : rest;
    if (digits.empty() || digits[0] < '0' || digits[0] > '9') return std::nullopt;
    int64_t value = 0;
    auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (ec != std::errc() || ptr != rest.data() + rest.size()) return std::nullopt;
    return value;
}

std::optional<int32_t> TryStrToInt(std::string_view text) {
    auto v = TryStrToInt64(text);
    if (!v || *v < INT32_MIN || *v > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(*v);
}

int32_t StrToIntDef(std::string_view text, int32_t def) { return TryStrToInt(text).value_or(def); }

std::optional<long double> TryStrToFloat(std::string_view text) {
    std::string s(Trim(text));
    for (char& c : s)
        if (c == ',') c = '.';
    // Only plain decimal forms: no hex, no inf/nan words.
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return std::nullopt;
    // from_chars reads "." whatever the process's locale, but takes no "+" sign of its own.
    std::string_view number = s;
    if (!number.empty() && number[0] == '+') {
        number.remove_prefix(1);
        if (!number.empty() && number[0] == '-') return std::nullopt;
    }
    long double v = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
    if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

long double StrToFloatDef(std::string_view text, long double def) { return TryStrToFloat(text).value_or(def); }

std::string FormatReal(long double value, TRealFormat format, int precision) {
    if (precision < 0) precision = 6;  // as printf takes a negative precision
    const auto form = format == TRealFormat::Fixed ? std::chars_format::fixed : std::chars_format::general;
    char buf[128];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, form, precision);
    if (ec == std::errc()) return std::string(buf, end);
    // Only the fixed form of a huge value is longer: the largest long double has 4933 digits.
    std::string big(size_t(5000) + size_t(precision), '\0');
    auto [bigEnd, bigEc] = std::to_chars(big.data(), big.data() + big.size(), value, form, precision);
    big.resize(bigEc == std::errc() ? size_t(bigEnd - big.data()) : 0);
    return big;
}

std::string FloatToText(long double value) {
    std::string s = FormatReal(value, TRealFormat::General, 15);
    if (s == "-0") s = "0";
    return s;
}

namespace {

// Decodes one UTF-8 code point at text[i], advancing i.
char32_t NextCodePoint(std::string_view text, size_t& i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    int len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (i + len > text.size()) len = 1;
    char32_t cp = len == 1 ? c : len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += len;
    return cp;
}

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t LowerCodePoint(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 32;
    if (cp >= 0x0410 && cp <= 0x042F) return cp + 32;  // А..Я
    if (cp >= 0x0400 && cp <= 0x040F) return cp + 80;  // Ѐ..Џ, Ё among them
    return cp;
}

} // namespace

std::string LowerText(std::string_view text) {
    if (IsAscii(text)) {
        std::string s(text);
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        return s;
    }
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) AppendCodePoint(out, LowerCodePoint(NextCodePoint(text, i)));
    return out;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() == b.size() && IsAscii(a) && IsAscii(b)) {
        for (size_t i = 0; i < a.size(); ++i) {
            char x = a[i], y = b[i];
            if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
            if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
            if (x != y) return false;
        }
        return true;
    }
    return LowerText(a) == LowerText(b);
}

std::string FormatText(std::string_view format, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(format.size() + 32);
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        char t = format[i + 1];
        if (t == '%') {
            out += '%';
            ++i;
        } else if (t == 's' || t == 'd') {
            if (next < args.size()) out += args[next];
            ++next;
            ++i;
        } else if (t >= '0' && t <= '9') {
            size_t j = i + 1;
            size_t index = 0;
            while (j < format.size() && format[j] >= '0' && format[j] <= '9') index = index * 10 + (format[j++] - '0');
            if (j + 1 < format.size() && format[j] == ':' && (format[j + 1] == 's' || format[j + 1] == 'd')) {
                if (index < args.size()) out += args[index];
                next = index + 1;
                i = j + 1;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::string FormatText(std::string_view format, std::initializer_list<std::string> args) {
    return FormatText(format, std::vector<std::string>(args));
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<std::string_view> SplitWords(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> words;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && separators.find(text[i]) == std::string_view::npos) continue;
        std::string_view w = Trim(text.substr(start, i - start));
        if (!w.empty()) words.push_back(w);
        start = i + 1;
    }
    return words;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

} // namespace qx
