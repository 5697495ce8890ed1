#include "app/SystemsCatalogue.h"

#include "core/Error.h"
#include "core/Shell.h"
#include "core/Text.h"
#include "online/CatalogueText.h"
#include "stakes/SystemFiles.h"

namespace qx {
namespace {

std::string Quoted(const char* format, const std::string& title) {
    return FormatText(format, {title});
}

} // namespace

TSystemOwner SystemOwner(const tSystemInfo& info, std::string_view userMail) {
    if (info.AuthorEmail.empty()) return TSystemOwner::Nobody;
    return SameText(info.AuthorEmail, userMail) ? TSystemOwner::Own : TSystemOwner::Other;
}

const TSystemRow& TSystemsCatalogue::RowAt(size_t row) const {
    if (row >= FRows.size()) throw TAppError("Система не выбрана");
    return FRows[row];
}

void TSystemsCatalogue::RefreshLoaded() {
    for (TSystemRow& r : FRows) r.Loaded = SystemFileExists(FDir, r.Info);
}

bool TSystemsCatalogue::TryFetch(TSystemsServer& server, const tSystemInfo& info) {
    try {
        FShell.ShowStatus(Quoted("Загрузка \"%s\"...", info.Title));
        StoreSystemFile(FDir, info, server.Content(info.Id), LocalToUnixTime(info.Created));
        return true;
    } catch (const std::exception& e) {
        FShell.ShowError(FormatText(kSystemFetchError, {std::to_string(info.Id), e.what()}));
        return false;
    }
}

bool TSystemsCatalogue::Load(TSystemsServer& server) {
    FRows.clear();
    std::vector<tSystemInfo> entries;
    try {
        entries = server.List();
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText(kSystemsLoadError, e.what()));
        return false;
    }
    if (entries.empty()) {
        TSystemRow placeholder;
        placeholder.Info.Title = kSystemsPlaceholder;
        FRows.push_back(placeholder);
        return true;
    }
    for (const tSystemInfo& info : entries) {
        FRows.push_back({info, SystemFileExists(FDir, info)});
        // A failed refresh keeps the old copy; the list goes on.
        if (SystemFileStale(FDir, info, LocalToUnixTime(info.Created))) TryFetch(server, info);
    }
    RefreshLoaded();
    return true;
}

bool TSystemsCatalogue::Fetch(TSystemsServer& server, size_t row) {
    const tSystemInfo info = RowAt(row).Info;
    if (info.Id <= 0) return false;
    const bool stored = TryFetch(server, info);
    RefreshLoaded();
    return stored && FRows[row].Loaded;
}

size_t TSystemsCatalogue::Publish(TSystemsServer& server, const tSystemData& data) {
    FShell.ShowStatus(Quoted("Сохранение \"%s\"...", data.Title));
    tSystemData stored = data;
    stored.Id = 0;
    int32_t id = 0;
    try {
        id = server.Put(stored, false);
        // A stored system must get a number: a row with none could never be fetched or deleted.
        if (id <= 0) throw TAppError(FormatText("Код возврата: %d", {std::to_string(id)}));
    } catch (const std::exception& e) {
        throw TAppError(FormatText(kSystemStoreError, {"0", e.what()}));
    }
    stored.Id = id;
    FRows.push_back({static_cast<const tSystemInfo&>(stored), SystemFileExists(FDir, stored)});
    return FRows.size() - 1;
}

tSystemData TSystemsCatalogue::Data(TSystemsServer& server, size_t row) const {
    tSystemData data;
    static_cast<tSystemInfo&>(data) = RowAt(row).Info;
    FShell.ShowStatus(Quoted("Загрузка \"%s\"...", data.Title));
    data.Content = server.Content(data.Id);
    return data;
}

void TSystemsCatalogue::Change(TSystemsServer& server, size_t row, const tSystemData& data) {
    tSystemData stored = data;
    stored.Id = RowAt(row).Info.Id;
    FShell.ShowStatus(Quoted("Сохранение \"%s\"...", stored.Title));
    const int32_t id = server.Put(stored, false);
    if (id < 0) throw TAppError(FormatText("Код возврата: %d", {std::to_string(id)}));
    FRows[row].Info = stored;
    FRows[row].Loaded = SystemFileExists(FDir, stored);
}

void TSystemsCatalogue::Delete(TSystemsServer& server, size_t row) {
    tSystemData data;
    static_cast<tSystemInfo&>(data) = RowAt(row).Info;
    FShell.ShowStatus(Quoted("Удаление \"%s\"...", data.Title));
    const int32_t answer = server.Put(data, true);
    if (answer != 0) throw TAppError(FormatText("Код возврата: %d", {std::to_string(answer)}));
    FRows.erase(FRows.begin() + static_cast<std::ptrdiff_t>(row));
    RemoveSystemFile(FDir, data);
}

} // namespace qx
