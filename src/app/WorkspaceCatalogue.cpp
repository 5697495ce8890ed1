#include "app/Workspace.h"
#include "online/UpdateVersion.h"

namespace qx {

std::unique_ptr<TCatalogueClient> TWorkspace::CatalogueClient() const {
    const TOnlineSettings online = OnlineSettings();
    return std::make_unique<TCatalogueClient>(
        online.CatalogueUrl, TCatalogueIdentity::From(online, ProgramVersion(), FInterfaceLanguage),
        HttpOptionsFor(online));
}

std::string TWorkspace::CatalogueProgramName() const {
    return std::filesystem::path(FOptions.ExeName).stem().string();
}

} // namespace qx
