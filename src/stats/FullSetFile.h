#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stats/FullSet.h"

namespace qx {

struct TStatMethod;

// A full-set file: 12-byte records {K1, K2, K3, K4: int16; Count: int32} in key order, then a
// 12-byte trailer {FullMin, FullMax: int32; 0}, little-endian, no header.
inline constexpr size_t kFullSetRecordSize = 12;
// No method has more values than the 10,000 combinations have hits; a bigger file is damaged.
inline constexpr uint64_t kMaxFullSetFileBytes = uint64_t(16) << 20;

// "<program dir>/Prefetchs/<program name>_<method code>.dfc"
std::filesystem::path FullSetPath(const std::filesystem::path& programDir, std::string_view programName,
                                  const TStatMethod& method);

std::string EncodeFullSet(const TFullSet& fullSet);

struct TFullSetTrailer {
    int32_t FullMin = 0;
    int32_t FullMax = 0;
};
// The last 12 bytes; none for a file shorter than that.
std::optional<TFullSetTrailer> ReadFullSetTrailer(std::string_view bytes);

struct TFullSetFileRecord {
    int Index = 0;  // 1-based position in the file (the chart's x coordinate)
    TStatKey Key;
    int32_t Count = 0;
};
// Every whole record before the trailer, in file order.
std::vector<TFullSetFileRecord> ReadFullSetRecords(std::string_view bytes);

// The whole file; none when it is damaged: shorter than its trailer or not a whole number of
// records (such a file is built again rather than read half).
std::optional<TFullSet> DecodeFullSet(std::string_view bytes);

} // namespace qx
