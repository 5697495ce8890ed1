#include "app/ScriptPublicForm.h"

#include "core/Error.h"
#include "core/Text.h"

namespace qx {

TScrPublicResult AcceptScriptPublic(tScriptData& data, const TScrPublicInput& input,
                                    const std::function<bool(int32_t id, const std::string& title)>& titleFree) {
    const std::string title(Trim(input.Title));
    if (title.empty()) return {TScrPublicField::Title, kScrPublicNoTitle};
    try {
        if (!titleFree(data.Id, title)) return {TScrPublicField::Title, kScrPublicTitleTaken};
    } catch (const TAppError& e) {
        return {TScrPublicField::Title, FormatText(kScrPublicCheckFailed, {e.what()})};
    }
    const std::string author(Trim(input.Author));
    if (author.empty()) return {TScrPublicField::Author, kScrPublicNoAuthor};
    data.Title = title;
    data.Author = author;
    data.Language = input.Language;
    data.Public = input.Public;
    data.Universal = input.Universal;
    data.Description = input.Description;
    return {};
}

std::string ScrPublicOwnAppText(const std::string& programName) {
    return FormatText("Только в \"%s\"", {programName});
}

} // namespace qx
