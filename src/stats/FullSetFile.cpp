#include "stats/FullSetFile.h"

#include <cstring>

#include "stats/StatList.h"

namespace qx {
namespace {

template <class T>
T ReadLE(std::string_view bytes, size_t at) {
    T v;
    std::memcpy(&v, bytes.data() + at, sizeof v);  // the host is little-endian (see core/Game.h)
    return v;
}

template <class T>
void AppendLE(std::string& out, T v) {
    char buf[sizeof v];
    std::memcpy(buf, &v, sizeof v);
    out.append(buf, sizeof v);
}

} // namespace

std::filesystem::path FullSetPath(const std::filesystem::path& programDir, std::string_view programName,
                                  const TStatMethod& method) {
    return programDir / "Prefetchs" / (std::string(programName) + "_" + method.Code() + ".dfc");
}

std::string EncodeFullSet(const TFullSet& fullSet) {
    std::string out;
    out.reserve((fullSet.Records.size() + 1) * kFullSetRecordSize);
    for (const TFullSetRecord& r : fullSet.Records) {
        for (int part = 1; part <= 4; ++part) AppendLE<int16_t>(out, r.Key.K(part));
        AppendLE<int32_t>(out, r.Count);
    }
    AppendLE<int32_t>(out, fullSet.FullMin);
    AppendLE<int32_t>(out, fullSet.FullMax);
    AppendLE<int32_t>(out, 0);
    return out;
}

std::optional<TFullSetTrailer> ReadFullSetTrailer(std::string_view bytes) {
    if (bytes.size() < kFullSetRecordSize) return std::nullopt;
    const size_t at = bytes.size() - kFullSetRecordSize;
    return TFullSetTrailer{ReadLE<int32_t>(bytes, at), ReadLE<int32_t>(bytes, at + 4)};
}

std::vector<TFullSetFileRecord> ReadFullSetRecords(std::string_view bytes) {
    std::vector<TFullSetFileRecord> records;
    if (bytes.size() < kFullSetRecordSize) return records;
    const size_t end = bytes.size() - kFullSetRecordSize;
    int index = 0;
    for (size_t at = 0; at + kFullSetRecordSize <= end; at += kFullSetRecordSize) {
        TFullSetFileRecord r;
        r.Index = ++index;
        r.Key = TStatKey::FromParts(ReadLE<int16_t>(bytes, at), ReadLE<int16_t>(bytes, at + 2),
                                    ReadLE<int16_t>(bytes, at + 4), ReadLE<int16_t>(bytes, at + 6));
        r.Count = ReadLE<int32_t>(bytes, at + 8);
        records.push_back(r);
    }
    return records;
}

std::optional<TFullSet> DecodeFullSet(std::string_view bytes) {
    if (bytes.size() < kFullSetRecordSize || bytes.size() % kFullSetRecordSize != 0) return std::nullopt;
    auto trailer = ReadFullSetTrailer(bytes);
    TFullSet set;
    set.FullMin = trailer->FullMin;
    set.FullMax = trailer->FullMax;
    for (const TFullSetFileRecord& r : ReadFullSetRecords(bytes)) set.Records.push_back({r.Key, r.Count});
    return set;
}

} // namespace qx
