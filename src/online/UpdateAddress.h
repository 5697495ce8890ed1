#pragma once
#include <filesystem>
#include <string>

namespace qx {

// Where an update file comes from: an https address, an http address on this machine, or a
// local path. Local paths and loopback http are accepted only when the settings allow them.
enum class TUpdateSourceKind { Https, LoopbackHttp, LocalPath };

struct TUpdateSource {
    TUpdateSourceKind Kind = TUpdateSourceKind::Https;
    std::string Address;           // the address as given (Https, LoopbackHttp)
    std::filesystem::path Path;    // LocalPath: relative names are taken from the program directory

    bool IsLocal() const { return Kind == TUpdateSourceKind::LocalPath; }
};

inline constexpr const char* kBadUpdateAddress = "Недопустимый адрес обновления: \"%s\"";
// The configuration's place on the update server.
inline constexpr const char* kUpdateConfigPath = "/files/autoupdates/Plexa_AU.cfg";

// Classifies an address; raises kBadUpdateAddress when it is not allowed.
TUpdateSource ParseUpdateSource(const std::string& address, bool allowLocal, const std::filesystem::path& programDir);

// The configuration address for the server setting (its trailing "/" dropped).
std::string UpdateConfigAddress(const std::string& updateUrl);

// The folder of the descriptions beside the configuration: for an address everything up to and
// including its last "/" then "UpdDescr/"; for a local path its folder then "UpdDescr".
std::string DescriptionFolder(const TUpdateSource& config);
// A file of that folder.
std::string DescriptionAddress(const TUpdateSource& config, const std::string& fileName);

} // namespace qx
