#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// Position of what in text at or after from, ignoring the letter case of ASCII letters; npos when absent.
size_t FindNoCase(std::string_view text, std::string_view what, size_t from = 0);

// What ExtractBetween does when the end marker is missing.
enum class TBetweenMode {
    Raise = 0,  // "Не удалось найти пару идентификаторов ..."
    Empty = 1,  // an empty text
    ToEnd = 2,  // everything after the start marker
};

// The text between the first start marker and the end marker after it (markers ignore letter
// case), trimmed; a text of two or more characters enclosed in double quotes loses them and its
// doubled inner quotes become single. No start marker: an empty text.
std::string ExtractBetween(std::string_view text, std::string_view start, std::string_view end,
                           TBetweenMode mode = TBetweenMode::Raise);

// Walks a text from marker pair to marker pair. Only the position moves: the text itself is never
// copied or shortened, so walking a page of n rows costs its length, not n times its length.
class TTextCursor {
public:
    explicit TTextCursor(std::string_view text) : FText(text) {}
    // As ExtractBetween in the raising mode, and the position moves past the end marker. None
    // (and the position stays) when no start marker follows the position.
    std::optional<std::string> CutBetween(std::string_view start, std::string_view end);
    std::string_view Rest() const { return FText.substr(FPos); }

private:
    std::string_view FText;
    size_t FPos = 0;
};

} // namespace qx
