#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/DateTime.h"

namespace qx {

class TCatalogueClient;
struct TCatalogueIdentity;
class TCatalogueRow;

// A script of the online library as the list shows it.
struct tScriptInfo {
    int32_t Id = 0;
    std::string Author;
    std::string AuthorEmail;
    int32_t Language = 0;  // locale id
    std::string AppName;
    std::string AppVersion;
    bool Universal = false;  // usable by any program of the family
    bool Public = false;     // visible to every user
    TDateTime Created = 0;
    double Rating = 0;
    int32_t Ratings = 0;
    int32_t YourRating = 0;  // 0 none, 1..5 the user's mark, -1 hidden by the user
    int32_t Downloads = 0;
    TDateTime LastDownload = 0;
    std::string Title;
    std::string Description;
    std::string AppGuid;
    bool Mine = false;        // the author's e-mail is the user's (letter case ignored)
    bool Compatible = false;  // universal, or published by this program
    bool Editable = false;    // mine and compatible
};

// What is published: a new script starts as id -1, the user as author, the interface language,
// not universal, public, no title or description.
struct tScriptData {
    int32_t Id = -1;
    std::string Author;
    int32_t Language = 0;
    bool Universal = false;
    bool Public = true;
    std::string Title;
    std::string Description;
};

// One user's rating of a script.
struct tScriptRate {
    std::string Name;
    int32_t Rate = 0;
    TDateTime Created = 0;
    std::string AppName;
    std::string AppVersion;
    std::string Notes;
};

// The entry an answer row describes, judged for the given user and program.
tScriptInfo ScriptInfoFromRow(const TCatalogueRow& row, const TCatalogueIdentity& id);
// Sets Mine, Compatible and Editable for the given user and program.
void JudgeScriptInfo(tScriptInfo& info, const TCatalogueIdentity& id);
tScriptData ScriptDataOf(const tScriptInfo& info);

// The requests of the script library. Each raises TAppError with the reason on failure.
// The entries of the list for a filter number (-1..6), in answer order.
std::vector<tScriptInfo> ScriptCatalogueList(TCatalogueClient& client, int32_t fltid);
// The script's text (UTF-8, its lines as sent); none when no row begins with a script element.
std::optional<std::string> ScriptCatalogueText(TCatalogueClient& client, int32_t id);
// Rates (1..5), removes the rating (0) or hides the script (-1); "Код возврата: %d" below zero.
void ScriptCatalogueRate(TCatalogueClient& client, int32_t id, int32_t value, const std::string& notes);
// Whether no other script of the catalogue carries the title.
bool ScriptCatalogueTitleFree(TCatalogueClient& client, int32_t id, const std::string& title);
// Stores the script (the text joined by CR LF) and gives its id (> 0).
int32_t ScriptCatalogueStore(TCatalogueClient& client, const tScriptData& data, const std::string& text);
// Deletes the script (the server answers 0).
void ScriptCatalogueDelete(TCatalogueClient& client, const tScriptData& data);
std::vector<tScriptRate> ScriptCatalogueRates(TCatalogueClient& client, int32_t id);

inline constexpr const char* kScrGetList = "/scripts/scr_getlist.php";
inline constexpr const char* kScrGetData = "/scripts/scr_getdata.php";
inline constexpr const char* kScrSetRate = "/scripts/scr_setrate.php";
inline constexpr const char* kScrChkTitle = "/scripts/scr_chktitle.php";
inline constexpr const char* kScrPutScript = "/scripts/scr_putscript.php";
inline constexpr const char* kScrGetRates = "/scripts/scr_getrates.php";

} // namespace qx
