#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "stakes/Systems.h"

namespace qx {

// The rules of the system dialog TFormSystem, shared by the window and the command-line tool.

// A local "yyyy-mm-dd hh:mm:ss" as the dialog shows it; zero for a text that is not one.
TDateTime CatalogueTimeOf(std::string_view text);

// The content as it becomes on leaving the field: every line trimmed and split at the separators of
// system files; a line of exactly four numbers becomes the numbers as two digits joined by single
// spaces, any other line goes. Nums = largest - smallest number + 1 over the lines (0 for none).
struct TSystemContent {
    std::vector<std::string> Lines;
    int Nums = 0;
};
TSystemContent RewriteSystemContent(std::string_view text);

// The dialog's fields as texts.
struct TSystemFormFields {
    std::string Title;
    std::string Description;
    std::string Author;
    std::string Url;
    std::string Content; // lines joined by line breaks
    std::string Created;
    std::string CSize;
    std::string Downloads;
    std::string LastDownload;
    std::string Nums;
    std::string Block;
};
TSystemFormFields SystemFormFields(const tSystemData& data);

// The field a refusal puts the focus on.
enum class TSystemField { None, Title, Nums, Block, Author, Description, Content };
struct TSystemFormResult {
    TSystemField Field = TSystemField::None; // None: accepted
    std::string Message;
    explicit operator bool() const { return Field == TSystemField::None; }
};

// OK of the dialog: title, N 5..10, block 0..3, author, description and content are checked in this
// order. On success data keeps its id and author e-mail and takes everything else from the fields
// (the content with CR LF between lines; created from its text, now when empty).
TSystemFormResult AcceptSystemForm(const TSystemFormFields& fields, tSystemData& data);

// The three number fields take digits only.
inline bool SystemDigitChar(char32_t c) {
    return c >= U'0' && c <= U'9';
}

inline constexpr const char* kSystemNoTitle = "Название системы должно быть указано обязательно!";
inline constexpr const char* kSystemBadNums = "Указано недопустмое количество используемых чисел!";
inline constexpr const char* kSystemBadBlock = "Указан недопустмый размер блока!";
inline constexpr const char* kSystemNoAuthor = "Имя автора должно быть указано обязательно!";
inline constexpr const char* kSystemNoDescription = "Описание системы должно быть указано обязательно!";
inline constexpr const char* kSystemNoContent = "Содержимое системы должно быть указано обязательно!";

} // namespace qx
