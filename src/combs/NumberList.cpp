#include "combs/NumberList.h"

#include <optional>

#include "combs/FilterText.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

[[noreturn]] void TooLong(std::string_view text) {
    throw TAppError(TooManyVariantsMessage(FormatText("Список \"%s\" содержит более %d значений",
                                                      {std::string(text), std::to_string(kNumberListLimit)})));
}

} // namespace

std::vector<int32_t> ParseNumberList(std::string_view text) {
    text = Trim(text);
    std::vector<int32_t> values;
    if (text.empty()) return values;
    const size_t dash = text.find('-', 1);
    if (dash == std::string_view::npos) {
        for (std::string_view w : SplitWords(text, ",;")) {
            auto v = TryStrToInt(w);
            if (!v) return {};
            values.push_back(*v);
        }
        if (static_cast<int64_t>(values.size()) > kNumberListLimit) TooLong(text);
        return values;
    }
    auto low = TryStrToInt(Trim(text.substr(0, dash)));
    std::vector<std::string_view> rest = SplitWords(text.substr(dash + 1), ",;");
    if (!low || rest.size() != 2) return {};
    auto high = TryStrToInt(rest[0]);
    auto step = TryStrToInt(rest[1]);
    if (!high || !step || *step <= 0) return {};
    const int64_t count = (int64_t(*high) - int64_t(*low)) / *step + 1;
    if (count <= 0) return {};
    if (count > kNumberListLimit) TooLong(text);
    values.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) values.push_back(static_cast<int32_t>(*low + i * int64_t(*step)));
    return values;
}

std::string NumberListText(const std::vector<int32_t>& values, std::string_view separator) {
    std::string s;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i) s += separator;
        s += std::to_string(values[i]);
    }
    return s;
}

} // namespace qx
