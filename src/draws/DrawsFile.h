#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/Game.h"

namespace qx {

// The draws file: bare 24-byte records, oldest first, no header.
struct TDrawsReadResult {
    TDrawsArray Draws;                 // every complete record read
    std::optional<std::string> Error;  // the reason when reading stopped early
};

// Missing file: empty archive, no error. An incomplete tail is ignored.
TDrawsReadResult ReadDrawsFile(const std::filesystem::path& path);
// Rewrites the whole file atomically; raises TAppError with the system's reason.
void WriteDrawsFile(const std::filesystem::path& path, const TDrawsArray& draws);

TDrawsArray DecodeDraws(std::string_view bytes);
std::string EncodeDraws(const TDrawsArray& draws);

} // namespace qx
