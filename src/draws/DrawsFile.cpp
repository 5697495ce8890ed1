#include "draws/DrawsFile.h"

#include <cstring>

#include "core/FileIO.h"

namespace qx {

TDrawsArray DecodeDraws(std::string_view bytes) {
    TDrawsArray draws(bytes.size() / sizeof(TDrawRecord));
    if (!draws.empty()) std::memcpy(draws.data(), bytes.data(), draws.size() * sizeof(TDrawRecord));
    return draws;
}

std::string EncodeDraws(const TDrawsArray& draws) {
    return std::string(reinterpret_cast<const char*>(draws.data()), draws.size() * sizeof(TDrawRecord));
}

TDrawsReadResult ReadDrawsFile(const std::filesystem::path& path) {
    TDrawsReadResult result;
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return result;
    // Every complete record is kept as its block arrives, so a failure part-way keeps what came before.
    std::string pending;
    try {
        ReadFileBlocks(path, kMaxDrawsFileBytes, [&](std::string_view block) {
            pending.append(block);
            const size_t whole = pending.size() / sizeof(TDrawRecord) * sizeof(TDrawRecord);
            TDrawsArray chunk = DecodeDraws(std::string_view(pending).substr(0, whole));
            result.Draws.insert(result.Draws.end(), chunk.begin(), chunk.end());
            pending.erase(0, whole);
        });
    } catch (const std::exception& e) {
        result.Error = e.what();
    }
    return result;
}

int CountBadDraws(const TDrawsArray& draws) {
    int bad = 0;
    for (const TDrawRecord& d : draws) {
        bool wrong = d.Number <= 0;
        for (uint8_t v : d.Digits) wrong = wrong || v > 9;
        bad += wrong ? 1 : 0;
    }
    return bad;
}

void WriteDrawsFile(const std::filesystem::path& path, const TDrawsArray& draws) {
    WriteFileAtomic(path, EncodeDraws(draws));
}

} // namespace qx
