#include "FakeCatalogueCodec.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <stdexcept>

namespace qx::fake {
namespace {

int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> PercentDecode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%') {
            if (i + 2 >= text.size()) return std::nullopt;
            const int hi = Hex(text[i + 1]), lo = Hex(text[i + 2]);
            if (hi < 0 || lo < 0) return std::nullopt;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

} // namespace

std::optional<std::vector<std::pair<std::string, std::string>>> DecodeForm(const std::string& body) {
    std::vector<std::pair<std::string, std::string>> fields;
    if (body.empty()) return fields;
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('&', start);
        if (end == std::string::npos) end = body.size();
        const std::string part = body.substr(start, end - start);
        const size_t eq = part.find('=');
        if (eq == std::string::npos) return std::nullopt;
        auto name = PercentDecode(part.substr(0, eq));
        auto value = PercentDecode(part.substr(eq + 1));
        if (!name || !value) return std::nullopt;
        fields.emplace_back(*name, *value);
        start = end + 1;
    }
    return fields;
}

std::optional<std::string> CUnescape(const std::string& text) {
    static const std::string letters = "0123456abtnvfre\"'?\\";
    static const char bytes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 27, '"', '\'', '?', '\\'};
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') return std::nullopt;
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 1 >= text.size()) return std::nullopt;
        const size_t k = letters.find(text[++i]);
        if (k == std::string::npos) return std::nullopt;
        out += bytes[k];
    }
    return out;
}

std::string Cp1251ToUtf8Fake(const std::string& text) {
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: no CP1251");
    std::string out(text.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size(), outLeft = out.size();
    char* o = out.data();
    const size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) throw std::runtime_error("iconv: not Windows-1251");
    out.resize(out.size() - outLeft);
    return out;
}

std::string Base64Fake(const std::string& bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        unsigned v = 0;
        for (size_t k = 0; k < 3; ++k) v = v << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k) out += k <= n ? kAlphabet[v >> (18 - 6 * k) & 63] : '=';
    }
    return out;
}

std::optional<std::string> UnBase64Fake(const std::string& text) {
    if (text.size() % 4) return std::nullopt;
    std::string out;
    for (size_t i = 0; i < text.size(); i += 4) {
        unsigned v = 0;
        int pad = 0;
        for (size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            const char* p = c ? std::strchr(kAlphabet, c) : nullptr;
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                ++pad;
                v <<= 6;
            } else if (p && !pad) {
                v = v << 6 | static_cast<unsigned>(p - kAlphabet);
            } else {
                return std::nullopt;
            }
        }
        for (int k = 0; k < 3 - pad; ++k) out += static_cast<char>(v >> (16 - 8 * k) & 0xFF);
    }
    return out;
}

std::string UtcText(long long unixSeconds) {
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[80];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

} // namespace qx::fake
