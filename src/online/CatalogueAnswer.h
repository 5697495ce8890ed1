#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/DateTime.h"

namespace qx {

// One row of a catalogue answer: named elements found by plain text search (first opening tag,
// letter case ignored, to the next closing tag; trimmed; the double-quote rule; absent = empty).
class TCatalogueRow {
public:
    explicit TCatalogueRow(std::string text) : FText(std::move(text)) {}
    const std::string& Text() const { return FText; }

    // The element's text as it stands; TAppError for an opening tag without its closing tag.
    std::string Raw(std::string_view name) const;
    // UTF-8 text (names, e-mail, addresses), invalid sequences replaced.
    std::string Utf8(std::string_view name) const;
    // Base64 of UTF-8 text (titles, descriptions, scripts, system contents); TAppError when the
    // element is no valid Base64.
    std::string Base64Utf8(std::string_view name) const;
    // A decimal integer; zero when empty or malformed.
    int32_t Int(std::string_view name) const;
    // A decimal number with "." (a "," is taken too); zero when empty or malformed.
    double Real(std::string_view name) const;
    // A UTC "yyyy-mm-dd hh:nn:ss" as local time; zero when empty or malformed.
    TDateTime Date(std::string_view name) const;
    // Whether the row's text starts with the element's opening tag (blanks before it ignored).
    bool BeginsWith(std::string_view name) const;

private:
    std::string FText;
};

// A whole answer: the text of its `result` element cut into `row` elements in one pass.
struct TCatalogueAnswer {
    std::string Result;  // the result element's text (the whole answer when there is none)
    bool ResultEmpty = true;  // the result element is missing or has no text
    std::vector<TCatalogueRow> Rows;

    // An element of the answer outside any particular row (the first one anywhere in the result).
    TCatalogueRow Whole() const { return TCatalogueRow(Result); }
};

// Reads an answer. TAppError with the pair message for an unclosed `result` or `row` element, and
// "Сервер сообщил об ошибке: %s" for a row whose `error` element is not empty.
TCatalogueAnswer ReadCatalogueAnswer(std::string_view text);

inline constexpr const char* kCatalogueServerError = "Сервер сообщил об ошибке: %s";

} // namespace qx
