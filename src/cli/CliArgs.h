#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qx {

// Words of one command: positionals and "--name value" / "--flag" options.
class TCliArgs {
public:
    explicit TCliArgs(std::vector<std::string> words) : FWords(std::move(words)) {}

    // Removes "--name value" and returns the value; raises when the value is missing or the
    // option is given twice.
    std::optional<std::string> TakeOption(const std::string& name);
    // Every "--name value" of an option that may repeat, in order.
    std::vector<std::string> TakeOptions(const std::string& name);
    // Removes "--name" and tells whether it was there; raises when it is given twice.
    bool TakeFlag(const std::string& name);
    std::optional<int> TakeIntOption(const std::string& name);
    std::optional<int64_t> TakeInt64Option(const std::string& name);
    // The remaining words, which must all be positionals.
    std::vector<std::string> Positionals() const;
    // Everything not taken yet.
    const std::vector<std::string>& Words() const { return FWords; }
    // Raises "Неверное количество параметров команды" when a positional is left.
    void RequireNoPositionals() const;

private:
    std::vector<std::string> FWords;
};

} // namespace qx
