// The online script library: the panel's list, downloading, rating, publishing, replacing and
// deleting scripts of the catalogue.
#include <algorithm>

#include "app/CommandAttempt.h"
#include "app/Workspace.h"
#include "core/DateTime.h"
#include "core/Error.h"
#include "core/Text.h"
#include "online/UpdateVersion.h"

namespace qx {
namespace {

constexpr const char* kLoadError = "Ошибка загрузки каталога online-сценариев!\r\r%s";
constexpr const char* kDownloadError = "Ошибка загрузки online-сценария!\r\r%s";
constexpr const char* kRateError = "Ошибка сохранения оценки online-сценария!\r\r%s";
constexpr const char* kPublishError = "Ошибка публикации online-сценария!\r\r%s";
constexpr const char* kStoreError = "Ошибка сохранения online-сценария в базе данных!\r\r%s";
constexpr const char* kDeleteError = "Ошибка удаления online-сценария из базы данных!\r\r%s";
constexpr const char* kRatesError = "Ошибка просмотра оценок online-сценария!\r\r%s";

// The script as it goes to the catalogue: its lines joined by CR LF, no break after the last.
std::string ScriptText(const TScript& script) {
    std::string text = JoinLinesCrLf(script.Lines());
    if (!text.empty()) text.resize(text.size() - 2);
    return text;
}

// The fields the properties dialog edits, into a list entry.
void TakeData(tScriptInfo& e, const tScriptData& d) {
    e.Author = d.Author;
    e.Language = d.Language;
    e.Universal = d.Universal;
    e.Public = d.Public;
    e.Title = d.Title;
    e.Description = d.Description;
}

const tScriptInfo& Require(const tScriptInfo* entry) {
    if (!entry) throw TAppError("Сценарий не выбран");
    return *entry;
}

} // namespace

void TWorkspace::ScriptLibraryToggle() {
    SetFormKey("ScriptLibraryOn", !FFormKeys.ScriptLibraryOn);
    ScriptLibraryLoad();
}

void TWorkspace::ScriptLibrarySetFilter(int index) {
    if (index < 0 || index >= kScriptLibraryFilterCount) return;
    SetFormKey("ScriptLibraryFilter", index);
    ScriptLibraryLoad();
}

bool TWorkspace::ScriptLibraryLoad() {
    if (ScriptLibraryShown())
        return ScriptLibraryLoadFilter(
            ScriptLibraryFilterId(std::clamp(FFormKeys.ScriptLibraryFilter, 0, kScriptLibraryFilterCount - 1)));
    FScriptLibrary.Clear();
    Notify([](TWorkspaceObserver& o) { o.ScriptLibraryChanged(); });
    return true;
}

bool TWorkspace::ScriptLibraryLoadFilter(int fltid) {
    TBusyScope busy(FShell, "Загрузка online-каталога сценариев...");
    const tScriptInfo* current = FScriptLibrary.Current();
    const int32_t keep = current ? current->Id : 0;
    // The whole answer is read before the list changes: a failed load leaves the list as it was
    // rather than empty or cut short.
    const bool ok = Attempt(FShell, kLoadError, [&] {
        FScriptLibrary.Assign(ScriptCatalogueList(*CatalogueClient(), fltid), keep);
    });
    Notify([](TWorkspaceObserver& o) { o.ScriptLibraryChanged(); });
    return ok;
}

bool TWorkspace::ScriptLibrarySelectId(int32_t id) {
    FScriptLibrary.Select(FScriptLibrary.IndexOf(id));
    Notify([](TWorkspaceObserver& o) { o.ScriptLibraryChanged(); });
    return FScriptLibrary.Current() != nullptr;
}

void TWorkspace::ScriptLibraryStartupLoad() {
    if (!ScriptLibraryShown() || OnlineSettings().CatalogueUrl.empty()) return;
    ScriptLibraryLoad();
}

bool TWorkspace::ScriptLibraryDownload() {
    TBusyScope busy(FShell, "Скачивание сценария из online-каталога...");
    bool changed = false;
    const bool ok = Attempt(FShell, kDownloadError, [&] {
        const tScriptInfo& entry = Require(FScriptLibrary.Current());
        if (!entry.Compatible) throw TAppError("Сценарий предназначен для другого приложения");
        auto text = ScriptCatalogueText(*CatalogueClient(), entry.Id);
        if (!text) return;  // no script row: the current script stays as it is
        FScript.Assign(ScriptTextLines(*text));
        changed = true;
    });
    if (changed) ScriptLinesChanged();
    return ok && changed;
}

bool TWorkspace::ScriptLibraryRate(int value, const std::string& comment) {
    bool ok;
    {
        TBusyScope busy(FShell, "Отправка оценки на сервер...");
        ok = Attempt(FShell, kRateError, [&] {
            const tScriptInfo& entry = Require(FScriptLibrary.Current());
            ScriptCatalogueRate(*CatalogueClient(), entry.Id, value, value > 0 ? comment : std::string());
        });
    }
    return ok && ScriptLibraryLoad();
}

bool TWorkspace::ScriptLibraryTitleFree(int32_t id, const std::string& title) {
    TBusyScope busy(FShell, "Проверка названия сценария...");
    return ScriptCatalogueTitleFree(*CatalogueClient(), id, title);
}

tScriptData TWorkspace::ScriptLibraryNewData() const {
    tScriptData d;
    d.Author = OnlineSettings().UserName;
    d.Language = FInterfaceLanguage;
    return d;
}

bool TWorkspace::ScriptLibraryUpload(const tScriptData& data) {
    TBusyScope busy(FShell, "Сохранение сценария в базе данных...");
    const bool ok = Attempt(FShell, kPublishError, [&] {
        tScriptData d = data;
        d.Id = -1;
        auto client = CatalogueClient();
        const int32_t id = WrapFailure(kStoreError, [&] {
            return ScriptCatalogueStore(*client, d, ScriptText(FScript));
        });
        tScriptInfo e;
        TakeData(e, d);
        e.Id = id;
        e.AuthorEmail = client->Identity().UserMail;
        e.AppName = CatalogueProgramName();
        e.AppVersion = ProgramVersion();
        e.AppGuid = client->Identity().AppId;
        e.Created = NowDateTime();
        // Published here, so the user's own and usable here, whatever the e-mail setting says.
        e.Mine = e.Compatible = e.Editable = true;
        FScriptLibrary.Add(std::move(e));
    });
    Notify([](TWorkspaceObserver& o) { o.ScriptLibraryChanged(); });
    return ok;
}

bool TWorkspace::ScriptLibraryReplace(const tScriptData& data) {
    TBusyScope busy(FShell, "Сохранение сценария в базе данных...");
    const bool ok = Attempt(FShell, kPublishError, [&] {
        const int index = FScriptLibrary.Selected();
        tScriptInfo e = Require(FScriptLibrary.Current());
        tScriptData d = data;
        d.Id = e.Id;
        const int32_t id = WrapFailure(kStoreError, [&] {
            return ScriptCatalogueStore(*CatalogueClient(), d, ScriptText(FScript));
        });
        TakeData(e, d);
        e.Id = id;
        e.AppVersion = ProgramVersion();
        e.Created = NowDateTime();
        FScriptLibrary.Update(index, std::move(e));
    });
    Notify([](TWorkspaceObserver& o) { o.ScriptLibraryChanged(); });
    return ok;
}

bool TWorkspace::ScriptLibraryDelete() {
    const tScriptInfo* current = FScriptLibrary.Current();
    if (!current) return false;
    if (!FShell.AskNo(FormatText("Вы действительно хотите удалить сценарий \"%s\"?", {current->Title}))) return false;
    TBusyScope busy(FShell, "Удаление сценария из базы данных...");
    const bool ok = Attempt(FShell, kPublishError, [&] {
        const int index = FScriptLibrary.Selected();
        const tScriptData d = ScriptDataOf(Require(FScriptLibrary.Current()));
        WrapFailure(kDeleteError, [&] { ScriptCatalogueDelete(*CatalogueClient(), d); });
        FScriptLibrary.Remove(index);
    });
    Notify([](TWorkspaceObserver& o) { o.ScriptLibraryChanged(); });
    return ok;
}

std::optional<std::vector<tScriptRate>> TWorkspace::ScriptLibraryRates() {
    TBusyScope busy(FShell, "Загрузка списка оценок...");
    std::optional<std::vector<tScriptRate>> rates;
    Attempt(FShell, kRatesError,
            [&] { rates = ScriptCatalogueRates(*CatalogueClient(), Require(FScriptLibrary.Current()).Id); });
    return rates;
}

} // namespace qx
