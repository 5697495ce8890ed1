#include "app/SystemForm.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/Text.h"
#include "online/CatalogueText.h"

namespace qx {
namespace {

constexpr const char* kWordSeparators = " *+,-./:;=\\_|~";

std::optional<int> Number(std::string_view word) {
    if (word.empty() || word.size() > 9) return std::nullopt;
    if (!std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return TryStrToInt(word);
}

int FieldNumber(std::string_view text, int fallback) {
    const std::optional<int> n = Number(Trim(text));
    return n ? *n : fallback;
}

} // namespace

TDateTime CatalogueTimeOf(std::string_view text) {
    text = Trim(text);
    int y, mo, d, h, mi, s;
    char tail;
    if (std::sscanf(std::string(text).c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s,
                    &tail) != 6)
        return 0;
    if (!IsValidDate(y, mo, d) || h > 23 || mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0) return 0;
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s);
}

TSystemContent RewriteSystemContent(std::string_view text) {
    TSystemContent result;
    int low = INT_MAX, high = INT_MIN;
    for (const std::string& raw : SplitLines(text)) {
        const std::vector<std::string_view> words = SplitWords(Trim(raw), kWordSeparators);
        if (words.size() != kPositions) continue;
        int numbers[kPositions];
        bool ok = true;
        for (int j = 0; j < kPositions && ok; ++j) {
            const std::optional<int> n = Number(words[static_cast<size_t>(j)]);
            ok = n.has_value();
            if (ok) numbers[j] = *n;
        }
        if (!ok) continue;
        char line[64];
        std::snprintf(line, sizeof line, "%.2d %.2d %.2d %.2d", numbers[0], numbers[1], numbers[2],
                      numbers[3]);
        result.Lines.emplace_back(line);
        for (int n : numbers) low = std::min(low, n), high = std::max(high, n);
    }
    if (!result.Lines.empty()) result.Nums = high - low + 1;
    return result;
}

TSystemFormFields SystemFormFields(const tSystemData& data) {
    TSystemFormFields f;
    f.Title = data.Title;
    f.Description = data.Description;
    f.Author = data.Author;
    f.Url = data.Url;
    std::string content;
    for (const std::string& line : SplitLines(data.Content)) content += (content.empty() ? "" : "\n") + line;
    f.Content = content;
    f.Created = FormatCatalogueDate(data.Created);
    f.CSize = std::to_string(data.CombinationsCount);
    f.Downloads = std::to_string(data.Downloads);
    f.LastDownload = FormatCatalogueDate(data.LastDownload);
    f.Nums = std::to_string(data.Nums);
    f.Block = std::to_string(data.Block);
    return f;
}

TSystemFormResult AcceptSystemForm(const TSystemFormFields& fields, tSystemData& data) {
    auto refuse = [](TSystemField field, const char* message) { return TSystemFormResult{field, message}; };
    if (Trim(fields.Title).empty()) return refuse(TSystemField::Title, kSystemNoTitle);
    const int nums = FieldNumber(fields.Nums, -1);
    if (nums < kSystemNumsMin || nums > kSystemNumsMax) return refuse(TSystemField::Nums, kSystemBadNums);
    const int block = FieldNumber(fields.Block, -1);
    if (block < 0 || block > 3) return refuse(TSystemField::Block, kSystemBadBlock);
    if (Trim(fields.Author).empty()) return refuse(TSystemField::Author, kSystemNoAuthor);
    if (Trim(fields.Description).empty()) return refuse(TSystemField::Description, kSystemNoDescription);
    if (Trim(fields.Content).empty()) return refuse(TSystemField::Content, kSystemNoContent);

    data.Title = std::string(Trim(fields.Title));
    data.Nums = static_cast<uint8_t>(nums);
    data.Block = static_cast<uint8_t>(block);
    data.CombinationsCount = FieldNumber(fields.CSize, 0);
    data.Author = std::string(Trim(fields.Author));
    data.Description = fields.Description;
    data.Url = std::string(Trim(fields.Url));
    data.Content = JoinLinesCrLf(SplitLines(fields.Content));
    if (data.Content.size() >= 2) data.Content.resize(data.Content.size() - 2);
    const TDateTime created = CatalogueTimeOf(fields.Created);
    data.Created = created > 0 ? created : NowDateTime();
    data.Downloads = FieldNumber(fields.Downloads, 0);
    data.LastDownload = CatalogueTimeOf(fields.LastDownload);
    return {};
}

} // namespace qx
