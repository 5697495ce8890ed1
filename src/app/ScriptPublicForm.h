#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "online/ScriptCatalogue.h"

namespace qx {

// The rules of the script properties dialog TFormScrPublic, shared by the window and tests.

inline constexpr int kScrPublicTextMax = 64;  // author and title
inline constexpr const char* kScrPublicNoTitle = "Название сценария должно быть указано обязательно!";
inline constexpr const char* kScrPublicTitleTaken =
    "Сценарий с таким названием уже существует!\rВыберите другое название.";
inline constexpr const char* kScrPublicCheckFailed = "Ошибка проверки уникальности online-сценария!\r\r%s";
inline constexpr const char* kScrPublicNoAuthor = "Имя автора должно быть указано обязательно!";

enum class TScrPublicField { None, Title, Author };
struct TScrPublicResult {
    TScrPublicField Field = TScrPublicField::None;  // None: accepted
    std::string Message;
    explicit operator bool() const { return Field == TScrPublicField::None; }
};

// What the dialog's fields hold when OK is pressed.
struct TScrPublicInput {
    std::string Author;
    int32_t Language = 0;
    std::string Title;
    bool Public = true;      // first item of " Доступность "
    bool Universal = false;  // second item of " Применяемость "
    std::string Description;
};

// OK, in order: the trimmed title is given; the catalogue reports it free for this entry (asked
// through titleFree, whose TAppError becomes the check-failure text); the trimmed author is given.
// A refusal keeps the dialog open. On success data takes the trimmed title and author and the
// other fields.
TScrPublicResult AcceptScriptPublic(tScriptData& data, const TScrPublicInput& input,
                                    const std::function<bool(int32_t id, const std::string& title)>& titleFree);

// The second item of " Применяемость ": "Только в \"%s\"" with the program's name.
std::string ScrPublicOwnAppText(const std::string& programName);

} // namespace qx
