#pragma once
#include <string>
#include <string_view>

namespace qx {

// "Вы задали слишком много вариантов фильтров ..." with the reason after two line breaks.
std::string TooManyVariantsMessage(std::string_view reason);

} // namespace qx
