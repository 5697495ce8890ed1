#pragma once
#include <string>
#include <string_view>

namespace qx {

// Percent-encoding of a query value: ASCII letters, digits and "-_.~" stay, every other byte is %XX.
std::string UrlEncode(std::string_view text);

} // namespace qx
