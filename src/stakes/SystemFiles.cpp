#include "stakes/SystemFiles.h"

#include <cstdio>
#include <sys/stat.h>
#include <system_error>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/FileStamped.h"
#include "core/Text.h"
#include "stakes/DeleteByMask.h"

namespace qx {
namespace {

constexpr int kBlockMax = 3;

void CheckHeader(const tSystemInfo& info) {
    if (info.Id <= 0) throw TAppError(FormatText("Неверный номер системы: %d", {std::to_string(info.Id)}));
    if (info.Nums < kSystemNumsMin || info.Nums > kSystemNumsMax)
        throw TAppError(FormatText("Неверное количество чисел системы: %d", {std::to_string(info.Nums)}));
    if (info.Block > kBlockMax)
        throw TAppError(FormatText("Неверный размер блока системы: %d", {std::to_string(info.Block)}));
}

std::string OtherFilesMask(const tSystemInfo& info) {
    char mask[32];
    std::snprintf(mask, sizeof mask, "%d-%.2d-%%s_%%s.dat", kPositions, int(info.Nums));
    return mask;
}

} // namespace

std::vector<std::string> CheckFetchedSystem(const tSystemInfo& info, const std::string& content) {
    CheckHeader(info);
    std::vector<std::string> lines = SplitLines(content);
    if (static_cast<int64_t>(lines.size()) != info.CombinationsCount)
        throw TAppError(FormatText(kSystemCountMismatch,
                                   {std::to_string(lines.size()), std::to_string(info.CombinationsCount)}));
    for (size_t i = 0; i < lines.size(); ++i) SystemLineNumbers(Trim(lines[i]), info.Nums, i + 1);
    return lines;
}

std::filesystem::path SystemFilePath(const std::filesystem::path& dir, const tSystemInfo& info) {
    return dir / SystemFileName(info);
}

bool SystemFileExists(const std::filesystem::path& dir, const tSystemInfo& info) {
    if (info.Id <= 0) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(SystemFilePath(dir, info), ec);
}

bool SystemFileStale(const std::filesystem::path& dir, const tSystemInfo& info, int64_t created) {
    if (!SystemFileExists(dir, info)) return false;
    struct stat st {};
    if (::stat(SystemFilePath(dir, info).c_str(), &st) != 0) return false;
    return st.st_mtim.tv_sec != created;
}

std::vector<std::filesystem::path> StoreSystemFile(const std::filesystem::path& dir, const tSystemInfo& info,
                                                   const std::string& content, int64_t created) {
    const std::vector<std::string> lines = CheckFetchedSystem(info, content);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) throw TAppError(SystemErrorText(dir, ec.value()));
    const std::filesystem::path target = SystemFilePath(dir, info);
    WriteFileAtomicStamped(target, Utf8ToCp1251(JoinLinesCrLf(lines)), static_cast<time_t>(created));
    std::vector<std::filesystem::path> removed;
    for (const std::filesystem::path& other : FilesByMask(dir, OtherFilesMask(info))) {
        if (other.filename() == target.filename()) continue;
        if (std::filesystem::remove(other, ec)) removed.push_back(other);
    }
    return removed;
}

void RemoveSystemFile(const std::filesystem::path& dir, const tSystemInfo& info) {
    if (!SystemFileExists(dir, info)) return;
    std::error_code ec;
    std::filesystem::remove(SystemFilePath(dir, info), ec);
    if (ec) throw TAppError(SystemErrorText(SystemFilePath(dir, info), ec.value()));
}

} // namespace qx
