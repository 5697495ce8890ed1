#include "stakes/Systems.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "stakes/DeleteByMask.h"

namespace qx {
namespace {

constexpr const char* kSystemSeparators = " *+,-./:;=\\_|~";

std::string TwoDigits(size_t n) { return n < 10 ? "0" + std::to_string(n) : std::to_string(n); }

std::vector<TCombCode> ReadSystem(const std::filesystem::path& file, const std::vector<uint8_t>& numbers) {
    std::vector<TCombCode> combs;
    for (const std::string& line : SplitLines(ReadTextFile(file))) {
        const std::vector<std::string_view> words = SplitWords(line, kSystemSeparators);
        if (words.empty()) continue;
        if (words.size() != size_t(kPositions))
            throw TAppError(FormatText("Строка \"%s\": ожидается четыре числа", {line}));
        std::array<int, kPositions> digits{};
        for (int p = 0; p < kPositions; ++p) {
            const auto k = TryStrToInt(words[size_t(p)]);
            if (!k || *k < 1 || *k > int(numbers.size()))
                throw TAppError(FormatText("Строка \"%s\": число вне системы", {line}));
            digits[size_t(p)] = numbers[size_t(*k - 1)];
        }
        combs.push_back(MakeCode(digits[0], digits[1], digits[2], digits[3]));
    }
    if (combs.empty()) throw TAppError("В файле системы нет комбинаций");
    return combs;
}

} // namespace

std::vector<uint8_t> SystemNumbers(const TCombsArray& combs) {
    std::vector<uint8_t> numbers;
    std::array<bool, 256> seen{};
    for (TCombCode code : combs)
        for (int p = 0; p < kPositions; ++p) {
            const int d = DigitOfCode(code, p);
            if (seen[size_t(d)]) continue;
            seen[size_t(d)] = true;
            numbers.push_back(uint8_t(d));
            if (numbers.size() == size_t(kDigitCount)) return numbers;
        }
    return numbers;
}

TSystemLoadResult SystemLoad(const std::filesystem::path& systemsDir, const std::vector<uint8_t>& numbers) {
    TSystemLoadResult r;
    const std::string n = std::to_string(numbers.size());
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    if (std::filesystem::is_directory(systemsDir, ec))
        files = FilesByMask(systemsDir, "4-" + TwoDigits(numbers.size()) + "-%s_%s.dat");
    if (files.empty()) {
        r.FileName = FormatText("Система для %d чисел не найдена или не загружена на компьютер!", {n});
        r.Message = FormatText("Система для %d чисел не найдена или не загружена на компьютер!\r\rПеред системной "
                               "игрой необходимо предварительно загрузить системы на Ваш компьютер через меню "
                               "\"Системы\" - \"Загрузить\".",
                               {n});
        return r;
    }
    r.FileName = files.front().filename().string();
    try {
        r.Combs = ReadSystem(files.front(), numbers);
        r.Ok = true;
    } catch (const std::exception& e) {
        r.Message = FailureText("Ошибка загрузки комбинаций системы!\r\r%s", e.what());
        r.FileName = e.what();
    }
    return r;
}

} // namespace qx
