#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qx {

class TIniFile;

// What the update configuration says about one program: the offered version and how to install
// it. The lists are ";"-separated file names.
struct TUpdateVersionData {
    std::string VerId;
    std::string Description;
    std::string DownloadUrl;
    std::string OriginalFileName;
    std::string ChecksumCRC32;
    // The package's exact size in bytes and its SHA-256 (64 hexadecimal digits): both are
    // required before anything is fetched.
    std::string DownloadSize;
    std::string ChecksumSHA256;
    // Section GlobalOptions, then the program's own section.
    std::string GlobalDeleteBefore, GlobalDeleteAfter, GlobalExecBefore, GlobalExecAfter;
    std::string DeleteBefore, DeleteAfter, ExecBefore, ExecAfter;

    // The program's section (its file name, letter case ignored) and GlobalOptions; an absent
    // VerId is the running version.
    static TUpdateVersionData Read(const TIniFile& ini, const std::string& section, const std::string& runningVersion);

    // The entries of a list, global ones first; blank entries are skipped.
    static std::vector<std::string> Entries(const std::string& global, const std::string& own);
    std::vector<std::string> DeleteBeforeList() const { return Entries(GlobalDeleteBefore, DeleteBefore); }
    std::vector<std::string> DeleteAfterList() const { return Entries(GlobalDeleteAfter, DeleteAfter); }
    std::vector<std::string> ExecBeforeList() const { return Entries(GlobalExecBefore, ExecBefore); }
    std::vector<std::string> ExecAfterList() const { return Entries(GlobalExecAfter, ExecAfter); }

    // DownloadSize as a byte count (none when it is not a positive integer).
    std::optional<uint64_t> PackageSize() const;
};

inline constexpr const char* kBadUpdateName = "Недопустимое имя файла в описании обновления: \"%s\"";
inline constexpr const char* kBadChecksum = "Неверная контрольная сумма скачанного файла.";

// A name from the description that leads a file operation: relative, with no empty or ".."
// part and no backslash. Raises kBadUpdateName.
void CheckRelativeName(const std::string& name);
// One plain file name: no folder part, not "." or "..". Raises kBadUpdateName.
void CheckPlainFileName(const std::string& name);
// Whether path (made canonical as far as it exists) lies inside folder.
bool InsideFolder(const std::filesystem::path& path, const std::filesystem::path& folder);

} // namespace qx
