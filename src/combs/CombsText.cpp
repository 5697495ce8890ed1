#include "combs/CombsText.h"

#include <optional>

#include "core/DrawHelpers.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

std::optional<TCombCode> CodeOfWords(const std::vector<std::string_view>& words) {
    if (words.size() != kPositions) return std::nullopt;
    int d[kPositions];
    for (int p = 0; p < kPositions; ++p) {
        auto v = TryStrToInt(words[p]);
        if (!v || *v < 0 || *v > 9) return std::nullopt;
        d[p] = *v;
    }
    return MakeCode(d[0], d[1], d[2], d[3]);
}

} // namespace

std::string LcvText(const TCombsArray& combs) {
    std::string out;
    out.reserve(combs.size() * 9);
    for (TCombCode c : combs) {
        out += DigitsText(c);
        out += "\r\n";
    }
    return out;
}

TCombsArray ParseLcvText(std::string_view text) {
    TCombsArray combs;
    for (const std::string& line : SplitLines(text))
        if (auto code = CodeOfWords(SplitWords(line, ",;"))) combs.push_back(*code);
    return combs;
}

std::string CombsClipboardText(const TCombsArray& combs, const std::vector<int>& rows) {
    std::string out;
    for (int row : rows) {
        if (row < 0 || row >= static_cast<int>(combs.size())) continue;
        out += DigitsBlankText(combs[static_cast<size_t>(row)]);
        out += "\r\n";
    }
    return out;
}

TCombsArray ParseClipboardCombs(std::string_view text) {
    TCombsArray combs;
    for (const std::string& line : SplitLines(text)) {
        auto code = CodeOfWords(SplitWords(line, "\t ,-.:;|"));
        if (!code) throw TAppError(FormatText("Некорректная комбинация: \"%s\"!", {line}));
        combs.push_back(*code);
    }
    return combs;
}

std::vector<std::string> FindCombInDraws(const TDrawsArray& draws, TCombCode code) {
    std::vector<std::string> lines;
    for (size_t i = draws.size(); i-- > 0;) {
        if (CodeOfDraw(draws[i]) != code) continue;
        lines.push_back(DrawDescription(draws[i]));
        if (lines.size() > 25) break;
    }
    return lines;
}

std::string FindInDrawsMessage(const std::vector<std::string>& lines) {
    if (lines.empty()) return "Выделенная комбинация не найдена архиве тиражей!";
    std::string text = "Выделенная комбинация найдена в следующих тиражах:\r";
    for (const auto& l : lines) text += "\r" + l;
    return text;
}

int UniqueDigitCount(const TCombsArray& combs) {
    bool seen[256] = {};
    int count = 0;
    for (TCombCode c : combs) {
        for (int p = 0; p < kPositions; ++p) {
            int d = DigitOfCode(c, p);
            if (!seen[d]) {
                seen[d] = true;
                ++count;
            }
        }
        if (count >= kDigitCount) break;
    }
    return count;
}

} // namespace qx
