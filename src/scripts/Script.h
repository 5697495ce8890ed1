#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace qx {

// The script: its lines in order, UTF-8 in memory. Script files (.lsc and the autosaved current
// script) hold one line per script line, each ended by CR LF, in Windows-1251, with no header.
class TScript {
public:
    const std::vector<std::string>& Lines() const { return FLines; }
    int Count() const { return static_cast<int>(FLines.size()); }
    bool Empty() const { return FLines.empty(); }

    // GetScriptLine; an index outside the script raises
    // "Запись со индексом %d в файле данных не найдена!".
    const std::string& Line(int index) const;
    // AppendScriptLine: the index of the new line.
    int Append(std::string line);
    // ReplaceScriptLine (same error as Line).
    void Replace(int index, std::string line);
    void Assign(std::vector<std::string> lines);
    // Appends a file's lines: when both have lines, one empty separator first unless the script's
    // last line is already blank.
    void AppendLines(const std::vector<std::string>& lines);
    // Removes the lines at these indexes (each once, from the last to the first).
    void Delete(std::vector<int> indexes);
    void Swap(int a, int b);
    void Clear() { FLines.clear(); }

private:
    void Require(int index) const;
    std::vector<std::string> FLines;
};

// The lines of a script file; raises the system's reason when it cannot be read.
std::vector<std::string> ReadScriptFile(const std::filesystem::path& file);
// Rewrites a script file through a temporary file; the old file stays whole when that fails.
void WriteScriptFile(const std::filesystem::path& file, const std::vector<std::string>& lines);

} // namespace qx
