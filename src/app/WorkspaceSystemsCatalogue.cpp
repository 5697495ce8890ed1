// The systems tab's catalogue commands: each collects its server, runs the catalogue's operation
// under the busy state and shows its own message when it fails.
#include "app/CommandAttempt.h"
#include "app/Workspace.h"
#include "core/Error.h"
#include "core/Text.h"
#include "online/CatalogueClient.h"
#include "online/SystemCatalogue.h"

namespace qx {
namespace {

// The systems requests through the catalogue server.
class TCatalogueSystemsServer : public TSystemsServer {
public:
    explicit TCatalogueSystemsServer(std::unique_ptr<TCatalogueClient> client) : FClient(std::move(client)) {}
    std::vector<tSystemInfo> List() override {
        TSystemCatalogueList list = SystemCatalogueList(*FClient);
        if (list.Unavailable) return {};
        return std::move(list.Entries);
    }
    std::string Content(int32_t id) override { return SystemCatalogueContent(*FClient, id).value_or(""); }
    int32_t Put(const tSystemData& data, bool remove) override {
        return remove ? SystemCatalogueDelete(*FClient, data) : SystemCatalogueStore(*FClient, data);
    }

private:
    std::unique_ptr<TCatalogueClient> FClient;
};

// One catalogue step under the busy state; a failure shows format with the reason. False then.
template <class Fn> bool Guarded(TShell& shell, const char* format, Fn&& step) {
    TBusyScope busy(shell, "");
    return Attempt(shell, format, step);
}

} // namespace

std::unique_ptr<TSystemsServer> TWorkspace::SystemsServer() const {
    if (FSystemsServerFactory) return FSystemsServerFactory();
    return std::make_unique<TCatalogueSystemsServer>(CatalogueClient());
}

std::string TWorkspace::CatalogueUserName() const {
    return OnlineSettings().UserName;
}

std::string TWorkspace::CatalogueUserMail() const {
    return OnlineSettings().UserMail;
}

TSystemOwner TWorkspace::SystemsOwner(size_t row) const {
    const auto& rows = FSystemsCatalogue.Rows();
    if (row >= rows.size() || rows[row].Placeholder()) return TSystemOwner::Nobody;
    return SystemOwner(rows[row].Info, CatalogueUserMail());
}

bool TWorkspace::SystemsLoad() {
    TBusyScope busy(FShell, "Загрузка списка систем...");
    return FSystemsCatalogue.Load(*SystemsServer());
}

bool TWorkspace::SystemsDownload(const std::vector<size_t>& rows) {
    TBusyScope busy(FShell, "");
    const std::unique_ptr<TSystemsServer> server = SystemsServer();
    bool ok = true;
    for (size_t row : rows)
        if (row < FSystemsCatalogue.Rows().size() && !FSystemsCatalogue.Rows()[row].Placeholder())
            ok = FSystemsCatalogue.Fetch(*server, row) && ok;
    return ok;
}

tSystemData TWorkspace::SystemsNewData() const {
    tSystemData data;
    data.Author = CatalogueUserName();
    data.AuthorEmail = CatalogueUserMail();
    return data;
}

std::optional<size_t> TWorkspace::SystemsAdd(const tSystemData& data) {
    size_t row = 0;
    if (!Guarded(FShell, kSystemAddError, [&] { row = FSystemsCatalogue.Publish(*SystemsServer(), data); }))
        return std::nullopt;
    return row;
}

std::optional<tSystemData> TWorkspace::SystemsData(size_t row) {
    tSystemData data;
    if (!Guarded(FShell, kSystemChangeError, [&] { data = FSystemsCatalogue.Data(*SystemsServer(), row); }))
        return std::nullopt;
    return data;
}

bool TWorkspace::SystemsChange(size_t row, const tSystemData& data) {
    if (SystemsOwner(row) != TSystemOwner::Own) return false;
    return Guarded(FShell, kSystemChangeError,
                   [&] { FSystemsCatalogue.Change(*SystemsServer(), row, data); });
}

bool TWorkspace::SystemsDelete(size_t row) {
    if (row >= FSystemsCatalogue.Rows().size()) return false;
    if (SystemsOwner(row) != TSystemOwner::Own) {
        FShell.ShowError(kSystemNotOwn);
        return false;
    }
    if (!FShell.AskNo(FormatText(kSystemDeleteQuestion, {FSystemsCatalogue.Rows()[row].Info.Title})))
        return false;
    return Guarded(FShell, kSystemDeleteError, [&] { FSystemsCatalogue.Delete(*SystemsServer(), row); });
}

} // namespace qx
