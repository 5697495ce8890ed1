#include "core/IniFile.h"

#include <cerrno>

#include "core/FileIO.h"
#include "core/Text.h"

namespace qx {

namespace {
// A value is one line of the file: a line break inside it would cut the value on reading and
// turn the rest into lines of their own (even a section header or another key). Each break
// (CR, LF or a CR LF pair) becomes a blank.
std::string OneLine(std::string_view value) {
    std::string line;
    line.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' || value[i] == '\n') {
            if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
            line += ' ';
        } else {
            line += value[i];
        }
    }
    return line;
}
} // namespace

TIniFile TIniFile::Parse(std::string_view utf8Text) {
    TIniFile ini;
    TSection* current = nullptr;
    for (const std::string& rawLine : SplitLines(utf8Text)) {
        std::string_view line = Trim(rawLine);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            ini.FSections.push_back(TSection{std::string(Trim(line.substr(1, line.size() - 2))), {}});
            current = &ini.FSections.back();
            continue;
        }
        if (!current) {
            ini.FPreamble.push_back(rawLine);
            continue;
        }
        TLine l;
        size_t eq = line.find('=');
        if (eq != std::string_view::npos && line[0] != ';' && line[0] != '#') {
            l.Entry = true;
            l.Key = std::string(Trim(line.substr(0, eq)));
            l.Value = std::string(Trim(line.substr(eq + 1)));
        } else {
            l.Raw = rawLine;
        }
        current->Lines.push_back(std::move(l));
    }
    return ini;
}

TIniFile TIniFile::Load(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {};
    return Parse(Cp1251ToUtf8(ReadFileLimited(path, kMaxIniFileBytes)));
}

std::string TIniFile::Text() const {
    std::string out;
    for (const auto& l : FPreamble) out += l + "\r\n";
    for (const auto& s : FSections) {
        out += "[" + s.Name + "]\r\n";
        for (const auto& l : s.Lines) out += (l.Entry ? l.Key + "=" + l.Value : l.Raw) + "\r\n";
    }
    return out;
}

void TIniFile::Save(const std::filesystem::path& path, mode_t mode) const { WriteTextFileAtomic(path, Text(), mode); }

const TIniFile::TSection* TIniFile::Find(std::string_view section) const {
    for (const auto& s : FSections)
        if (SameText(s.Name, section)) return &s;
    return nullptr;
}

TIniFile::TSection* TIniFile::Find(std::string_view section) {
    return const_cast<TSection*>(static_cast<const TIniFile*>(this)->Find(section));
}

TIniFile::TSection& TIniFile::Obtain(std::string_view section) {
    if (TSection* s = Find(section)) return *s;
    // A blank line keeps sections apart, as hand-written files have them.
    if (!FSections.empty()) {
        auto& lines = FSections.back().Lines;
        if (lines.empty() || lines.back().Entry || !Trim(lines.back().Raw).empty()) lines.push_back(TLine{});
    } else if (!FPreamble.empty() && !Trim(FPreamble.back()).empty()) {
        FPreamble.emplace_back();
    }
    FSections.push_back(TSection{std::string(section), {}});
    return FSections.back();
}

bool TIniFile::HasSection(std::string_view section) const { return Find(section) != nullptr; }

bool TIniFile::HasKey(std::string_view section, std::string_view key) const {
    return Value(section, key).has_value();
}

std::optional<std::string> TIniFile::Value(std::string_view section, std::string_view key) const {
    const TSection* s = Find(section);
    if (!s) return std::nullopt;
    for (const auto& l : s->Lines)
        if (l.Entry && SameText(l.Key, key)) return l.Value;
    return std::nullopt;
}

std::vector<std::string> TIniFile::Sections() const {
    std::vector<std::string> names;
    for (const auto& s : FSections) names.push_back(s.Name);
    return names;
}

std::vector<std::string> TIniFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const TSection* s = Find(section))
        for (const auto& l : s->Lines)
            if (l.Entry) keys.push_back(l.Key);
    return keys;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    auto v = Value(section, key);
    return v ? *v : std::string(def);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    auto v = Value(section, key);
    return v ? StrToIntDef(*v, def) : def;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

long double TIniFile::ReadFloat(std::string_view section, std::string_view key, long double def) const {
    auto v = Value(section, key);
    return v ? StrToFloatDef(*v, def) : def;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    TSection& s = Obtain(section);
    for (auto& l : s.Lines)
        if (l.Entry && SameText(l.Key, key)) {
            l.Value = OneLine(value);
            return;
        }
    // New keys go after the section's last entry, before its trailing blank lines.
    size_t at = s.Lines.size();
    while (at > 0 && !s.Lines[at - 1].Entry && Trim(s.Lines[at - 1].Raw).empty()) --at;
    TLine l;
    l.Entry = true;
    l.Key = std::string(key);
    l.Value = OneLine(value);
    s.Lines.insert(s.Lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(l));
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::WriteFloat(std::string_view section, std::string_view key, long double value) {
    WriteString(section, key, FloatToText(value));
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key) {
    TSection* s = Find(section);
    if (!s) return;
    std::erase_if(s->Lines, [&](const TLine& l) { return l.Entry && SameText(l.Key, key); });
}

void TIniFile::EraseSection(std::string_view section) {
    std::erase_if(FSections, [&](const TSection& s) { return SameText(s.Name, section); });
}

void UpdateIniFile(const std::filesystem::path& path, const std::function<void(TIniFile&)>& change, mode_t mode) {
    TIniFile ini = TIniFile::Load(path);
    change(ini);
    ini.Save(path, mode);
}

} // namespace qx
