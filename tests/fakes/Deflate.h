#pragma once
#include <string>

namespace qx::fake {

// Compressed bytes for answers: zlib-wrapped (windowBits 15), raw (-15) or gzip (31) deflate.
std::string Deflated(const std::string& bytes, int windowBits);

} // namespace qx::fake
