#include "cli/CliArgs.h"

#include "core/Error.h"
#include "core/Text.h"

namespace qx {

namespace {
[[noreturn]] void Repeated(const std::string& name) {
    throw TAppError(FormatText("Параметр --%s указан более одного раза", {name}));
}
} // namespace

std::vector<std::string> TCliArgs::TakeOptions(const std::string& name) {
    std::vector<std::string> values;
    for (size_t i = 0; i < FWords.size();) {
        if (FWords[i] != "--" + name) {
            ++i;
            continue;
        }
        if (i + 1 >= FWords.size()) throw TAppError(FormatText("Не указано значение параметра --%s", {name}));
        values.push_back(FWords[i + 1]);
        FWords.erase(FWords.begin() + static_cast<std::ptrdiff_t>(i), FWords.begin() + static_cast<std::ptrdiff_t>(i + 2));
    }
    return values;
}

std::optional<std::string> TCliArgs::TakeOption(const std::string& name) {
    std::vector<std::string> values = TakeOptions(name);
    if (values.size() > 1) Repeated(name);
    if (values.empty()) return std::nullopt;
    return values.front();
}

bool TCliArgs::TakeFlag(const std::string& name) {
    const auto count = std::erase(FWords, "--" + name);
    if (count > 1) Repeated(name);
    return count == 1;
}

std::optional<int> TCliArgs::TakeIntOption(const std::string& name) {
    auto v = TakeOption(name);
    if (!v) return std::nullopt;
    auto n = TryStrToInt(*v);
    if (!n) throw TAppError(FormatText("Некорректное значение параметра --%s: %s", {name, *v}));
    return *n;
}

std::optional<int64_t> TCliArgs::TakeInt64Option(const std::string& name) {
    auto v = TakeOption(name);
    if (!v) return std::nullopt;
    auto n = TryStrToInt64(*v);
    if (!n) throw TAppError(FormatText("Некорректное значение параметра --%s: %s", {name, *v}));
    return *n;
}

void TCliArgs::RequireNoPositionals() const {
    if (!Positionals().empty()) throw TAppError("Неверное количество параметров команды");
}

std::vector<std::string> TCliArgs::Positionals() const {
    for (const auto& w : FWords)
        if (w.size() > 2 && w.rfind("--", 0) == 0) throw TAppError(FormatText("Неизвестный параметр: %s", {w}));
    return FWords;
}

} // namespace qx
