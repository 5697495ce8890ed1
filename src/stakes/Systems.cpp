#include "stakes/Systems.h"

#include <algorithm>
#include <cstdio>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Shell.h"
#include "core/Text.h"
#include "stakes/DeleteByMask.h"

namespace qx {
namespace {

constexpr const char* kWordSeparators = " *+,-./:;=\\_|~";

std::string NumsText(int nums) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2d", nums);
    return text;
}

[[noreturn]] void BadLine(size_t line, const std::string& reason) {
    throw TAppError(FormatText("Строка %d: %s", {std::to_string(line), reason}));
}

} // namespace

std::string SystemFileName(const tSystemInfo& info) {
    char name[64];
    std::snprintf(name, sizeof name, "%d-%.2d-%d_%.4d.dat", kPositions, int(info.Nums), int(info.Block),
                  info.Id);
    return name;
}

TByteArray SystemNumbers(const TCombsArray& list) {
    TByteArray map;
    bool seen[kDigitCount] = {};
    for (TCombCode code : list) {
        for (int p = 0; p < kPositions; ++p) {
            const int d = DigitOfCode(code, p);
            if (d >= kDigitCount || seen[d]) continue;
            seen[d] = true;
            map.push_back(static_cast<uint8_t>(d));
            if (map.size() == kDigitCount) return map;
        }
    }
    return map;
}

std::optional<std::filesystem::path> FindSystemFile(const std::filesystem::path& dir, int nums) {
    const std::string mask = std::to_string(kPositions) + "-" + NumsText(nums) + "-%s_%s.dat";
    const std::vector<std::filesystem::path> files = FilesByMask(dir, mask);
    if (files.empty()) return std::nullopt;
    return files.front();
}

std::array<int, kPositions> SystemLineNumbers(std::string_view line, int nums, size_t lineNo) {
    const std::vector<std::string_view> words = SplitWords(line, kWordSeparators);
    if (words.size() != kPositions)
        BadLine(lineNo, FormatText("нужно четыре числа, а не %d: \"%s\"",
                                   {std::to_string(words.size()), std::string(line)}));
    std::array<int, kPositions> numbers{};
    for (int j = 0; j < kPositions; ++j) {
        const std::optional<int32_t> k = TryStrToInt(words[static_cast<size_t>(j)]);
        if (!k) BadLine(lineNo, FormatText("\"%s\" не число", {std::string(words[static_cast<size_t>(j)])}));
        if (*k < 1 || *k > nums)
            BadLine(lineNo, FormatText("число %d вне диапазона 1-%d", {std::to_string(*k), std::to_string(nums)}));
        numbers[static_cast<size_t>(j)] = *k;
    }
    return numbers;
}

std::vector<TCombCode> ReadSystemCombs(const std::filesystem::path& file, const TByteArray& map) {
    const std::string text = ReadTextFile(file);
    const int nums = static_cast<int>(map.size());
    std::vector<TCombCode> combs;
    const std::vector<std::string> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (line.empty()) continue;
        const std::array<int, kPositions> k = SystemLineNumbers(line, nums, i + 1);
        combs.push_back(MakeCode(map[static_cast<size_t>(k[0] - 1)], map[static_cast<size_t>(k[1] - 1)],
                                 map[static_cast<size_t>(k[2] - 1)], map[static_cast<size_t>(k[3] - 1)]));
    }
    if (combs.empty()) throw TAppError(FormatText("В файле %s нет ни одной комбинации", {file.string()}));
    return combs;
}

bool SystemLoad(TShell& shell, const std::filesystem::path& dir, const TByteArray& map,
                std::vector<TCombCode>& combs, std::string& fileName) {
    combs.clear();
    const std::string nums = std::to_string(map.size());
    const std::optional<std::filesystem::path> file = FindSystemFile(dir, static_cast<int>(map.size()));
    if (!file) {
        shell.ShowError(FormatText(kSystemMissing, {nums}));
        fileName = FormatText(kSystemMissingShort, {nums});
        return false;
    }
    fileName = file->string();
    try {
        combs = ReadSystemCombs(*file, map);
    } catch (const std::exception& e) {
        combs.clear();
        shell.ShowError(FailureText(kSystemLoadFailure, e.what()));
        return false;
    }
    return true;
}

std::string SystemTitle(const std::string& fileName) {
    return std::filesystem::path(fileName).stem().string();
}

std::string SystemPlayComment(TSystemPlayMode mode, int nums, const std::string& fileName) {
    const char* format = mode == TSystemPlayMode::WholeSystem
                             ? "Системная игра для %d чисел [вся система]: %s"
                             : "Системная игра для %d чисел [комбинации]: %s";
    return FormatText(format, {std::to_string(nums), SystemTitle(fileName)});
}

} // namespace qx
