#include "online/CatalogueAnswer.h"

#include "core/Base64.h"
#include "core/Error.h"
#include "core/Text.h"
#include "core/TextBetween.h"
#include "online/CatalogueText.h"

namespace qx {
namespace {

std::string OpenTag(std::string_view name) { return "<" + std::string(name) + ">"; }
std::string CloseTag(std::string_view name) { return "</" + std::string(name) + ">"; }

} // namespace

std::string TCatalogueRow::Raw(std::string_view name) const {
    return ExtractBetween(FText, OpenTag(name), CloseTag(name));
}

std::string TCatalogueRow::Utf8(std::string_view name) const { return RepairUtf8(Raw(name)); }

std::string TCatalogueRow::Base64Utf8(std::string_view name) const {
    auto bytes = DecodeBase64(Raw(name));
    if (!bytes)
        throw TAppError(FormatText("Неверные данные Base64 в элементе \"%s\"", {std::string(name)}));
    return RepairUtf8(*bytes);
}

int32_t TCatalogueRow::Int(std::string_view name) const { return StrToIntDef(Raw(name), 0); }

double TCatalogueRow::Real(std::string_view name) const {
    return static_cast<double>(StrToFloatDef(Raw(name), 0));
}

TDateTime TCatalogueRow::Date(std::string_view name) const { return CatalogueUtcToLocal(Raw(name)); }

bool TCatalogueRow::BeginsWith(std::string_view name) const {
    const std::string_view text = TrimLeft(FText);
    return FindNoCase(text.substr(0, name.size() + 2), OpenTag(name)) == 0;
}

TCatalogueAnswer ReadCatalogueAnswer(std::string_view text) {
    TCatalogueAnswer answer;
    if (FindNoCase(text, "<result>") != std::string_view::npos) {
        // The raw text between the tags: rows are cut from it, so the quote rule must not apply here.
        TTextCursor cursor(text);
        answer.Result = cursor.CutBetween("<result>", "</result>").value_or("");
        answer.ResultEmpty = Trim(answer.Result).empty();
    } else {
        answer.Result = std::string(text);
    }
    TTextCursor rows(answer.Result);
    while (auto row = rows.CutBetween("<row>", "</row>")) {
        TCatalogueRow r(std::move(*row));
        const std::string error = r.Utf8("error");
        if (!error.empty()) throw TAppError(FormatText(kCatalogueServerError, {error}));
        answer.Rows.push_back(std::move(r));
    }
    return answer;
}

} // namespace qx
