#include "online/UpdateAddress.h"

#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

// The host of "scheme://host[:port][/...]"; empty when the authority carries credentials or
// the text has no authority.
std::string HostOf(std::string_view address) {
    const size_t start = address.find("://");
    if (start == std::string_view::npos) return {};
    std::string_view rest = address.substr(start + 3);
    const std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
    if (authority.find('@') != std::string_view::npos) return {};
    if (!authority.empty() && authority.front() == '[') {
        const size_t close = authority.find(']');
        return close == std::string_view::npos ? std::string() : std::string(authority.substr(0, close + 1));
    }
    return std::string(authority.substr(0, authority.find(':')));
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

bool Loopback(const std::string& host) {
    return host == "127.0.0.1" || SameText(host, "localhost") || host == "[::1]";
}

} // namespace

TUpdateSource ParseUpdateSource(const std::string& address, bool allowLocal, const std::filesystem::path& programDir) {
    auto refuse = [&] { return TAppError(FormatText(kBadUpdateAddress, {address})); };
    for (unsigned char c : address)
        if (c <= 32 || c == 127) throw refuse();
    TUpdateSource s;
    s.Address = address;
    if (StartsWithNoCase(address, "https://")) {
        if (HostOf(address).empty()) throw refuse();
        s.Kind = TUpdateSourceKind::Https;
        return s;
    }
    if (StartsWithNoCase(address, "http://")) {
        if (!allowLocal || !Loopback(HostOf(address))) throw refuse();
        s.Kind = TUpdateSourceKind::LoopbackHttp;
        return s;
    }
    if (!allowLocal || address.find("://") != std::string::npos) throw refuse();
    s.Kind = TUpdateSourceKind::LocalPath;
    s.Path = std::filesystem::path(address).is_relative() ? programDir / address : std::filesystem::path(address);
    return s;
}

std::string UpdateConfigAddress(const std::string& updateUrl) {
    std::string base(Trim(updateUrl));
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base + kUpdateConfigPath;
}

std::string DescriptionFolder(const TUpdateSource& config) {
    if (config.IsLocal()) return (config.Path.parent_path() / "UpdDescr").string() + "/";
    return config.Address.substr(0, config.Address.rfind('/') + 1) + "UpdDescr/";
}

std::string DescriptionAddress(const TUpdateSource& config, const std::string& fileName) {
    return DescriptionFolder(config) + fileName;
}

} // namespace qx
