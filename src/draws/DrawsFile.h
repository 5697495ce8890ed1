#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/Game.h"

namespace qx {

// The largest draws file loaded: 64 MiB, about 2.8 million draws. A bigger one is no archive
// of this game (a disk image, a file of zeros) and would take minutes and gigabytes to load.
inline constexpr uint64_t kMaxDrawsFileBytes = uint64_t(64) << 20;

// The draws file: bare 24-byte records, oldest first, no header.
struct TDrawsReadResult {
    TDrawsArray Draws;                 // every complete record read
    std::optional<std::string> Error;  // the reason when reading stopped early or never began
};

// Missing file: empty archive, no error. An incomplete tail is ignored. A file that is not a
// regular file or is larger than kMaxDrawsFileBytes gives an error and no draws.
TDrawsReadResult ReadDrawsFile(const std::filesystem::path& path);
// Records no draw can have: a number not above 0 or a digit above 9.
int CountBadDraws(const TDrawsArray& draws);
// Rewrites the whole file atomically; raises TAppError with the system's reason.
void WriteDrawsFile(const std::filesystem::path& path, const TDrawsArray& draws);

TDrawsArray DecodeDraws(std::string_view bytes);
std::string EncodeDraws(const TDrawsArray& draws);

} // namespace qx
