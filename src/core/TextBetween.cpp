#include "core/TextBetween.h"

#include <algorithm>

#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The searched text goes into the message; a whole page would make a box nobody can read.
constexpr size_t kShownTextMax = 1000;

std::string ShownText(std::string_view text) {
    if (text.size() <= kShownTextMax) return std::string(text);
    size_t cut = kShownTextMax;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // whole characters
    return std::string(text.substr(0, cut)) + "...";
}

std::string Dequoted(std::string_view text) {
    text = Trim(text);
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') return std::string(text);
    std::string out;
    std::string_view inner = text.substr(1, text.size() - 2);
    for (size_t i = 0; i < inner.size(); ++i) {
        out += inner[i];
        if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"') ++i;
    }
    return out;
}

struct TFound {
    size_t Begin;  // first character after the start marker
    size_t End;    // the end marker's position (npos when missing)
};

std::optional<TFound> FindPair(std::string_view text, std::string_view start, std::string_view end) {
    const size_t s = FindNoCase(text, start);
    if (s == std::string_view::npos) return std::nullopt;
    const size_t begin = s + start.size();
    return TFound{begin, FindNoCase(text, end, begin)};
}

[[noreturn]] void RaiseNoPair(std::string_view text, std::string_view start, std::string_view end) {
    throw TAppError(FormatText("Не удалось найти пару идентификаторов \"%1:s\" - \"%2:s\" в тексте\r\r[%0:s]!",
                               {ShownText(text), std::string(start), std::string(end)}));
}

} // namespace

size_t FindNoCase(std::string_view text, std::string_view what, size_t from) {
    if (from > text.size()) return std::string_view::npos;
    if (what.empty()) return from;
    auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), what.begin(), what.end(),
                          [](char a, char b) { return Fold(a) == Fold(b); });
    return it == text.end() ? std::string_view::npos : static_cast<size_t>(it - text.begin());
}

std::string ExtractBetween(std::string_view text, std::string_view start, std::string_view end, TBetweenMode mode) {
    auto found = FindPair(text, start, end);
    if (!found) return {};
    if (found->End == std::string_view::npos) {
        switch (mode) {
        case TBetweenMode::Raise: RaiseNoPair(text, start, end);
        case TBetweenMode::Empty: return {};
        case TBetweenMode::ToEnd: return Dequoted(text.substr(found->Begin));
        }
    }
    return Dequoted(text.substr(found->Begin, found->End - found->Begin));
}

std::optional<std::string> TTextCursor::CutBetween(std::string_view start, std::string_view end) {
    std::string_view rest = Rest();
    auto found = FindPair(rest, start, end);
    if (!found) return std::nullopt;
    if (found->End == std::string_view::npos) RaiseNoPair(rest, start, end);
    FPos += found->End + end.size();
    return Dequoted(rest.substr(found->Begin, found->End - found->Begin));
}

} // namespace qx
