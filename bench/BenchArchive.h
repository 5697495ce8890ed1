#pragma once
#include <cstdlib>
#include <filesystem>

#include "core/FileIO.h"
#include "core/Game.h"
#include "draws/DrawsCsv.h"

namespace qx::bench {

// The draws CSV every benchmark reads: the file QUADRIX_ARCHIVE names, else the real archive
// beside the project.
inline std::filesystem::path ArchiveCsv() {
    const char* env = std::getenv("QUADRIX_ARCHIVE");
    return env && *env ? std::filesystem::path(env) : std::filesystem::path(QUADRIX_SHARED_DATA) / "va_pick4.csv";
}

// Its draws; none when the file is not there.
inline TDrawsArray LoadArchive() {
    TDrawsArray draws;
    std::error_code ec;
    if (std::filesystem::exists(ArchiveCsv(), ec)) AppendDrawsFromCsv(ReadTextFile(ArchiveCsv()), draws);
    return draws;
}

} // namespace qx::bench
