#include "stakes/DeleteByMask.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "core/Text.h"

namespace qx {
namespace {

bool FitsFrom(std::string_view name, size_t n, std::string_view mask, size_t m) {
    while (m < mask.size()) {
        if (mask[m] == '%' && m + 1 < mask.size() && (mask[m + 1] == 'd' || mask[m + 1] == 's')) {
            const bool number = mask[m + 1] == 'd';
            m += 2;
            size_t end = n;
            if (number) {
                if (end < name.size() && name[end] == '-') ++end;
                const size_t digits = end;
                while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end]))) ++end;
                if (end == digits) return false;
                // A number takes digits greedily but may hand some back to what follows.
                for (size_t k = end; k > digits; --k)
                    if (FitsFrom(name, k, mask, m)) return true;
                return false;
            }
            for (size_t k = name.size() + 1; k-- > n;)
                if (FitsFrom(name, k, mask, m)) return true;
            return false;
        }
        if (n >= name.size() || name[n] != mask[m]) return false;
        ++n;
        ++m;
    }
    return n == name.size();
}

} // namespace

bool NameFitsMask(std::string_view name, std::string_view mask) { return FitsFrom(name, 0, mask, 0); }

std::vector<std::filesystem::path> FilesByMask(const std::filesystem::path& dir, std::string_view mask) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        if (NameFitsMask(entry.path().filename().string(), mask)) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TFileOpResult DeleteFilesByMask(const std::filesystem::path& dir, std::string_view mask) {
    TFileOpResult result;
    const std::vector<std::filesystem::path> files = FilesByMask(dir, mask);
    std::vector<std::string> failures;
    for (const auto& file : files) {
        std::error_code ec;
        if (std::filesystem::remove(file, ec) && !ec)
            ++result.Done;
        else
            failures.push_back(FormatText("\"%s\": %s", {file.string(), ec ? ec.message() : "файл не найден"}));
    }
    result.Completed = failures.empty();
    result.Title = result.Completed ? "Удаление файлов завершено." : "Удаление файлов завершено с ошибками!";
    result.Details = FormatText("Удалено файлов: %d из %d.", {std::to_string(result.Done), std::to_string(files.size())});
    for (const std::string& f : failures) result.Details += "\r" + f;
    return result;
}

} // namespace qx
