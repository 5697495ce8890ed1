#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "stakes/Systems.h"

namespace qx {

// The fetched copies of catalogue systems in the folder Systems: at most one per N, each stamped
// with its system's creation time so an out-of-date copy is recognised.

// The content lines of a fetched system, checked before anything is written: the catalogue's
// numbers name the file and fill it, so id > 0, N 5..10 and block 0..3 are required, the number of
// lines (a trailing line break adds none) must equal the combinations count ("Количество скачанных
// комбинаций ( %d ) отличается от ожидаемого значения ( %d )") and every line must hold four
// numbers 1..N. Raises TAppError with the reason.
std::vector<std::string> CheckFetchedSystem(const tSystemInfo& info, const std::string& content);

// The local copy of the system (it need not exist).
std::filesystem::path SystemFilePath(const std::filesystem::path& dir, const tSystemInfo& info);
bool SystemFileExists(const std::filesystem::path& dir, const tSystemInfo& info);
// A local copy exists and its last-write time (seconds since the epoch) differs from created, the
// system's creation time in the same measure.
bool SystemFileStale(const std::filesystem::path& dir, const tSystemInfo& info, int64_t created);

// Stores a fetched system: checks it (above), creates dir when missing, writes the lines to a
// temporary file beside the final one, gives it the last-write time created (seconds since the
// epoch) and renames it over the final name; only then are the other files of the same N deleted. A failure
// before the rename leaves every old file as it was and raises TAppError. Returns the files deleted.
std::vector<std::filesystem::path> StoreSystemFile(const std::filesystem::path& dir, const tSystemInfo& info,
                                                   const std::string& content, int64_t created);

// Removes the local copy of the system, if any; TAppError when it exists and cannot be removed.
void RemoveSystemFile(const std::filesystem::path& dir, const tSystemInfo& info);

inline constexpr const char* kSystemCountMismatch =
    "Количество скачанных комбинаций ( %d ) отличается от ожидаемого значения ( %d )";

} // namespace qx
