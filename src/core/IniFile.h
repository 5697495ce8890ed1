#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace qx {

// Settings files are a few kilobytes; one beyond this is no settings file and is not read.
inline constexpr uint64_t kMaxIniFileBytes = uint64_t(16) << 20;

// An INI file held in memory. Section and key names match without regard to letter case; every
// line the program does not change (other sections, comments, unknown keys) is kept as it was.
// On disk: Windows-1251, CR LF.
class TIniFile {
public:
    static TIniFile Parse(std::string_view utf8Text);
    // A missing file gives an empty INI; an unreadable one raises TAppError.
    static TIniFile Load(const std::filesystem::path& path);

    std::string Text() const;  // UTF-8 with CR LF line ends
    void Save(const std::filesystem::path& path, mode_t mode = 0644) const;

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    // True when the stored integer is not zero.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    long double ReadFloat(std::string_view section, std::string_view key, long double def) const;

    // The value is kept on one line: each CR, LF or CR LF pair in it becomes a blank.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int64_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);  // 1 or 0
    void WriteFloat(std::string_view section, std::string_view key, long double value);

    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

private:
    struct TLine {
        std::string Raw;  // kept for lines that are not key=value entries
        std::string Key;
        std::string Value;
        bool Entry = false;
    };
    struct TSection {
        std::string Name;
        std::vector<TLine> Lines;
    };
    const TSection* Find(std::string_view section) const;
    TSection* Find(std::string_view section);
    TSection& Obtain(std::string_view section);

    std::vector<std::string> FPreamble;  // lines before the first section
    std::vector<TSection> FSections;
};

// Re-reads the file, lets change alter its own keys and rewrites the file atomically, so keys
// other writers keep in the same file survive.
void UpdateIniFile(const std::filesystem::path& path, const std::function<void(TIniFile&)>& change,
                   mode_t mode = 0644);

} // namespace qx
