#include "online/ScriptCatalogue.h"

#include "core/Error.h"
#include "core/Text.h"
#include "online/CatalogueClient.h"
#include "online/CatalogueRequests.h"

namespace qx {
namespace {

void RequireReturnCode(bool ok, int32_t code) {
    if (!ok) throw TAppError(FormatText(kCatalogueReturnCode, {IntToStr(code)}));
}

TCatalogueForm PutForm(const TCatalogueIdentity& id, const tScriptData& data, const std::string* text) {
    TCatalogueForm form;
    form.Number("del_mode", text ? 0 : 1)
        .Number("scr_id", data.Id)
        .Number("scr_uniapps", data.Universal ? 1 : 0)
        .Number("scr_publics", data.Public ? 1 : 0)
        .Text("scr_title", data.Title)
        .Text("scr_descr", data.Description);
    if (text) form.Text("scr_script", *text);
    return form.Identification(id, data.Author, id.UserMail, data.Language);
}

} // namespace

void JudgeScriptInfo(tScriptInfo& info, const TCatalogueIdentity& id) {
    // Nobody owns an entry without an e-mail, however the user's own is set.
    info.Mine = !info.AuthorEmail.empty() && SameText(info.AuthorEmail, id.UserMail);
    info.Compatible = info.Universal || (!info.AppGuid.empty() && SameText(info.AppGuid, id.AppId));
    info.Editable = info.Mine && info.Compatible;
}

tScriptInfo ScriptInfoFromRow(const TCatalogueRow& row, const TCatalogueIdentity& id) {
    tScriptInfo s;
    s.Id = row.Int("id");
    s.Author = row.Utf8("key_cl_name");
    s.AuthorEmail = row.Utf8("key_cl_mail");
    s.Language = row.Raw("key_cl_lcid").empty() ? id.Lcid : row.Int("key_cl_lcid");
    s.AppName = row.Utf8("app_name");
    s.AppVersion = row.Utf8("app_ver");
    s.Universal = row.Int("uniapps") > 0;
    s.Public = row.Int("publics") > 0;
    s.Created = row.Date("created");
    s.Rating = row.Real("rating_avg");
    s.Ratings = row.Int("rating_cnt");
    s.YourRating = row.Int("rating_you");
    s.Downloads = row.Int("downloads");
    s.LastDownload = row.Date("last_download");
    s.Title = row.Base64Utf8("title");
    s.Description = row.Base64Utf8("descr");
    s.AppGuid = row.Utf8("app_guid");
    JudgeScriptInfo(s, id);
    return s;
}

tScriptData ScriptDataOf(const tScriptInfo& info) {
    return {info.Id, info.Author, info.Language, info.Universal, info.Public, info.Title, info.Description};
}

std::vector<tScriptInfo> ScriptCatalogueList(TCatalogueClient& client, int32_t fltid) {
    TCatalogueForm form;
    form.Number("fltid", fltid).Identification(client.Identity());
    const TCatalogueAnswer answer = client.Post(kScrGetList, form);
    std::vector<tScriptInfo> list;
    list.reserve(answer.Rows.size());
    for (const TCatalogueRow& row : answer.Rows) list.push_back(ScriptInfoFromRow(row, client.Identity()));
    return list;
}

std::optional<std::string> ScriptCatalogueText(TCatalogueClient& client, int32_t id) {
    return FirstRowText(PostId(client, kScrGetData, "scr_id", id), "script",
                        [](const TCatalogueRow& row) { return row.BeginsWith("script"); });
}

void ScriptCatalogueRate(TCatalogueClient& client, int32_t id, int32_t value, const std::string& notes) {
    TCatalogueForm form;
    form.Number("scr_id", id).Number("rate_value", value).Text("rate_notes", notes).Identification(client.Identity());
    const int32_t code = RequiredCode(client.Post(kScrSetRate, form), "res_code");
    RequireReturnCode(code >= 0, code);
}

bool ScriptCatalogueTitleFree(TCatalogueClient& client, int32_t id, const std::string& title) {
    TCatalogueForm form;
    form.Number("scr_id", id).Text("scr_title", title);
    return RequiredCode(client.Post(kScrChkTitle, form), "ret_code") == 0;
}

int32_t ScriptCatalogueStore(TCatalogueClient& client, const tScriptData& data, const std::string& text) {
    const int32_t code = RequiredCode(client.Post(kScrPutScript, PutForm(client.Identity(), data, &text)), "id_scripts");
    RequireReturnCode(code > 0, code);
    return code;
}

void ScriptCatalogueDelete(TCatalogueClient& client, const tScriptData& data) {
    const int32_t code =
        RequiredCode(client.Post(kScrPutScript, PutForm(client.Identity(), data, nullptr)), "id_scripts");
    RequireReturnCode(code == 0, code);
}

std::vector<tScriptRate> ScriptCatalogueRates(TCatalogueClient& client, int32_t id) {
    const TCatalogueAnswer answer = PostId(client, kScrGetRates, "scr_id", id);
    std::vector<tScriptRate> rates;
    for (const TCatalogueRow& row : answer.Rows)
        rates.push_back({row.Utf8("key_cl_name"), row.Int("rate"), row.Date("created"), row.Utf8("app_name"),
                         row.Utf8("app_ver"), row.Base64Utf8("notes")});
    return rates;
}

} // namespace qx
