#include "online/UpdateData.h"

#include "core/Error.h"
#include "core/IniFile.h"
#include "core/Text.h"

namespace qx {
namespace {

constexpr const char* kGlobalSection = "GlobalOptions";

[[noreturn]] void BadName(const std::string& name) { throw TAppError(FormatText(kBadUpdateName, {name})); }

bool HasControl(const std::string& name) {
    for (unsigned char c : name)
        if (c < 32 || c == 127) return true;
    return false;
}

} // namespace

TUpdateVersionData TUpdateVersionData::Read(const TIniFile& ini, const std::string& section,
                                            const std::string& runningVersion) {
    TUpdateVersionData d;
    auto own = [&](const char* key, const std::string& def = {}) {
        return std::string(Trim(ini.ReadString(section, key, def)));
    };
    auto global = [&](const char* key) { return std::string(Trim(ini.ReadString(kGlobalSection, key, ""))); };
    d.VerId = own("VerId", runningVersion);
    d.Description = own("Description");
    d.DownloadUrl = own("DownloadUrl");
    d.OriginalFileName = own("OriginalFileName");
    d.ChecksumCRC32 = own("ChecksumCRC32");
    d.DownloadSize = own("DownloadSize");
    d.ChecksumSHA256 = own("ChecksumSHA256");
    d.GlobalDeleteBefore = global("DeleteBefore");
    d.GlobalDeleteAfter = global("DeleteAfter");
    d.GlobalExecBefore = global("ExecBefore");
    d.GlobalExecAfter = global("ExecAfter");
    d.DeleteBefore = own("DeleteBefore");
    d.DeleteAfter = own("DeleteAfter");
    d.ExecBefore = own("ExecBefore");
    d.ExecAfter = own("ExecAfter");
    return d;
}

std::vector<std::string> TUpdateVersionData::Entries(const std::string& global, const std::string& own) {
    std::vector<std::string> out;
    for (const std::string* list : {&global, &own})
        for (std::string_view w : SplitWords(*list, ";")) out.emplace_back(w);
    return out;
}

std::optional<uint64_t> TUpdateVersionData::PackageSize() const {
    if (DownloadSize.empty() || DownloadSize.size() > 18) return std::nullopt;
    uint64_t n = 0;
    for (char c : DownloadSize) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + static_cast<uint64_t>(c - '0');
    }
    if (n == 0) return std::nullopt;
    return n;
}

void CheckRelativeName(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.find('\\') != std::string::npos || HasControl(name))
        BadName(name);
    size_t start = 0;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i < name.size() && name[i] != '/') continue;
        const std::string_view part(name.data() + start, i - start);
        if (part.empty() || part == "..") BadName(name);
        start = i + 1;
    }
}

void CheckPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\\') != std::string::npos || HasControl(name))
        BadName(name);
}

bool InsideFolder(const std::filesystem::path& path, const std::filesystem::path& folder) {
    std::error_code ec;
    const auto p = std::filesystem::weakly_canonical(path, ec);
    if (ec) return false;
    const auto f = std::filesystem::weakly_canonical(folder, ec);
    if (ec) return false;
    const auto rel = p.lexically_relative(f);
    return !rel.empty() && rel != "." && *rel.begin() != "..";
}

} // namespace qx
