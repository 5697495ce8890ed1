#include "scripts/Script.h"

#include <algorithm>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"

namespace qx {

void TScript::Require(int index) const {
    if (index < 0 || index >= Count())
        throw TAppError(FormatText("Запись со индексом %d в файле данных не найдена!", {std::to_string(index)}));
}

const std::string& TScript::Line(int index) const {
    Require(index);
    return FLines[size_t(index)];
}

int TScript::Append(std::string line) {
    FLines.push_back(std::move(line));
    return Count() - 1;
}

void TScript::Replace(int index, std::string line) {
    Require(index);
    FLines[size_t(index)] = std::move(line);
}

void TScript::Assign(std::vector<std::string> lines) { FLines = std::move(lines); }

void TScript::AppendLines(const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    if (!FLines.empty() && !Trim(FLines.back()).empty()) FLines.emplace_back();
    FLines.insert(FLines.end(), lines.begin(), lines.end());
}

void TScript::Delete(std::vector<int> indexes) {
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it)
        if (*it >= 0 && *it < Count()) FLines.erase(FLines.begin() + *it);
}

void TScript::Swap(int a, int b) {
    Require(a);
    Require(b);
    std::swap(FLines[size_t(a)], FLines[size_t(b)]);
}

std::vector<std::string> ReadScriptFile(const std::filesystem::path& file) { return SplitLines(ReadTextFile(file)); }

void WriteScriptFile(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    WriteTextFileAtomic(file, JoinLinesCrLf(lines));
}

} // namespace qx
