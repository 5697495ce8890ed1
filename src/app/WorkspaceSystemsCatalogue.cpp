// The systems tab's catalogue commands: each collects its server, runs the catalogue's operation
// under the busy state and shows its own message when it fails.
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

} // namespace

std::unique_ptr<TSystemsServer> TWorkspace::SystemsServer() const {
    if (FSystemsServerFactory) return FSystemsServerFactory();
    return std::make_unique<TCatalogueSystemsServer>(CatalogueClient());
}

std::string TWorkspace::CatalogueUserName() const { return OnlineSettings().UserName; }

std::string TWorkspace::CatalogueUserMail() const { return OnlineSettings().UserMail; }

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
    TBusyScope busy(FShell, "");
    try {
        return FSystemsCatalogue.Publish(*SystemsServer(), data);
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText(kSystemAddError, e.what()));
        return std::nullopt;
    }
}

std::optional<tSystemData> TWorkspace::SystemsData(size_t row) {
    TBusyScope busy(FShell, "");
    try {
        return FSystemsCatalogue.Data(*SystemsServer(), row);
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText(kSystemChangeError, e.what()));
        return std::nullopt;
    }
}

bool TWorkspace::SystemsChange(size_t row, const tSystemData& data) {
    if (SystemsOwner(row) != TSystemOwner::Own) return false;
    TBusyScope busy(FShell, "");
    try {
        FSystemsCatalogue.Change(*SystemsServer(), row, data);
        return true;
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText(kSystemChangeError, e.what()));
        return false;
    }
}

bool TWorkspace::SystemsDelete(size_t row) {
    if (row >= FSystemsCatalogue.Rows().size()) return false;
    if (SystemsOwner(row) != TSystemOwner::Own) {
        FShell.ShowError(kSystemNotOwn);
        return false;
    }
    if (!FShell.AskNo(FormatText(kSystemDeleteQuestion, {FSystemsCatalogue.Rows()[row].Info.Title}))) return false;
    TBusyScope busy(FShell, "");
    try {
        FSystemsCatalogue.Delete(*SystemsServer(), row);
        return true;
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText(kSystemDeleteError, e.what()));
        return false;
    }
}

} // namespace qx
