#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// Standard Base64 (alphabet "A-Za-z0-9+/", "=" padding to a multiple of four characters).
std::string EncodeBase64(std::string_view bytes);
// The bytes of a standard Base64 text; none for a length that is no multiple of four, a character
// outside the alphabet or misplaced padding. Line breaks and blanks are not skipped: the program's
// servers send none, and allowing them would hide a cut or mangled answer. An empty text is empty.
std::optional<std::string> DecodeBase64(std::string_view text);

} // namespace qx
