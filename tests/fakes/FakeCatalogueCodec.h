#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qx::fake {

// The fake catalogue's own reading of what the program sends (kept apart from the program's code
// so a fault on either side shows).

// "a=1&b=%C0+b" -> {{"a","1"},{"b","\xC0 b"}}: "+" and %20 are blanks; none for a bad escape.
std::optional<std::vector<std::pair<std::string, std::string>>> DecodeForm(const std::string& body);
// Undoes the C escapes; none for an escape the program never sends or for a bare '"' or '\'.
std::optional<std::string> CUnescape(const std::string& text);
std::string Cp1251ToUtf8Fake(const std::string& text);
std::string Base64Fake(const std::string& bytes);
std::optional<std::string> UnBase64Fake(const std::string& text);
// "yyyy-mm-dd hh:nn:ss" of a UTC time.
std::string UtcText(long long unixSeconds);

} // namespace qx::fake
