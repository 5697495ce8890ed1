#pragma once
#include <ctime>
#include <filesystem>
#include <optional>
#include <string_view>
#include <sys/types.h>

namespace qx {

// WriteFileAtomic (core/FileIO.h) that gives the new file the access and last-write time
// lastWrite (seconds since the epoch) before it takes the final name, so the name never shows the
// file with another time.
void WriteFileAtomicStamped(const std::filesystem::path& path, std::string_view bytes,
                            std::optional<time_t> lastWrite, mode_t mode = 0644);

} // namespace qx
