#include "online/SystemCatalogue.h"

#include "core/Error.h"
#include "core/Text.h"
#include "online/CatalogueClient.h"
#include "online/CatalogueRequests.h"

namespace qx {
namespace {

uint8_t SmallNumber(int32_t value) { return value >= 0 && value <= 255 ? static_cast<uint8_t>(value) : 0; }

// del_mode 0 stores the data with its content, 1 deletes (empty clist).
TCatalogueForm PutForm(const TCatalogueIdentity& id, const tSystemInfo& info, const std::string* content) {
    TCatalogueForm form;
    form.Number("del_mode", content ? 0 : 1)
        .Number("sys_id", info.Id)
        .Number("nums", info.Nums)
        .Number("clen", kPositions)
        .Number("olap", info.Block)
        .Text("title", info.Title)
        .Text("descr", info.Description)
        .Number("csize", info.CombinationsCount);
    if (content) form.Base64Text("clist", *content);
    else form.Plain("clist", "");
    form.Plain("url", info.Url);
    return form.Identification(id, info.Author, info.AuthorEmail, id.Lcid);
}

// The first row whose id_systems reads as an integer >= 0.
int32_t PutResult(const TCatalogueAnswer& answer) {
    std::optional<int32_t> negative;
    for (const TCatalogueRow& row : answer.Rows) {
        auto id = TryStrToInt(row.Raw("id_systems"));
        if (id && *id >= 0) return *id;
        if (id && !negative) negative = id;
    }
    if (negative) throw TAppError(FormatText(kCatalogueReturnCode, {IntToStr(*negative)}));
    throw TAppError(kCatalogueNoCode);
}

} // namespace

tSystemInfo SystemInfoFromRow(const TCatalogueRow& row) {
    tSystemInfo s;
    s.Id = row.Int("id");
    s.Nums = SmallNumber(row.Int("nums"));
    s.Block = SmallNumber(row.Int("olap"));
    s.CombinationsCount = row.Int("csize");
    s.Title = row.Base64Utf8("title");
    s.Description = row.Base64Utf8("descr");
    s.Author = row.Utf8("author");
    s.AuthorEmail = row.Utf8("cl_mail");
    s.Url = row.Utf8("url");
    s.Created = row.Date("created");
    s.Downloads = row.Int("downloads");
    s.LastDownload = row.Date("last_download");
    return s;
}

TSystemCatalogueList SystemCatalogueList(TCatalogueClient& client) {
    TCatalogueForm form;
    form.Number("comblen", kPositions).Number("maxnums", kSystemNumsMax).Identification(client.Identity());
    const TCatalogueAnswer answer = client.Post(kSysGetList, form);
    TSystemCatalogueList list;
    list.Unavailable = answer.ResultEmpty;
    for (const TCatalogueRow& row : answer.Rows) list.Entries.push_back(SystemInfoFromRow(row));
    return list;
}

std::optional<std::string> SystemCatalogueContent(TCatalogueClient& client, int32_t id) {
    return FirstRowText(PostId(client, kSysGetData, "sys_id", id), "clist",
                        [](const TCatalogueRow& row) { return !row.Raw("clist").empty(); });
}

int32_t SystemCatalogueStore(TCatalogueClient& client, const tSystemData& data) {
    return PutResult(client.Post(kSysPutData, PutForm(client.Identity(), data, &data.Content)));
}

int32_t SystemCatalogueDelete(TCatalogueClient& client, const tSystemInfo& info) {
    return PutResult(client.Post(kSysPutData, PutForm(client.Identity(), info, nullptr)));
}

} // namespace qx
