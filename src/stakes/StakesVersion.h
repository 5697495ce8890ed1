#pragma once
#include <filesystem>

namespace qx {

// Whether the stakes file open at fd is of the current version: empty, or whole records whose
// first byte is version 2. A file that is not gets emptied by a run that may write (after a copy
// is kept); a run that only reads leaves it alone. TAppError when it cannot be read.
bool StakesFileCurrent(int fd, const std::filesystem::path& path);

} // namespace qx
