#include <cerrno>
#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "cli/ConsoleShell.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Languages.h"
#include "core/Text.h"
#include "online/UpdateAddress.h"

namespace qx {
namespace {

// The offer, or "none"; raises the search error.
std::optional<TUpdateOffer> CheckOffer(TCliContext& c, TSelfUpdater& updater, const TOnlineSettings& online) {
    auto offer = WrapFailure(kUpdateSearchError, [&] {
        if (online.UpdateUrl.empty()) throw TAppError(kNoServerAddress);
        return updater.Check(UpdateConfigAddress(online.UpdateUrl), kBuiltInLanguage);
    });
    if (!offer) {
        c.Out << "none\n";
        return offer;
    }
    c.Out << "Текущая версия: " << offer->CurrentVersion << "\n"
          << "Новая версия: " << offer->Data.Description << " (" << offer->Data.VerId << ")\n"
          << ConsoleText(std::string(TrimRight(offer->DescriptionText))) << "\n";
    return offer;
}

void PrintList(TCliContext& c, const char* caption, const std::vector<std::string>& names) {
    for (const std::string& name : names) c.Out << caption << name << "\n";
}

void Run(TCliContext& c, TCliArgs& args, bool install) {
    const bool yes = install && args.TakeFlag("yes");
    if (!args.Positionals().empty())
        throw TAppError(install ? "Использование: update install [--yes]" : "Использование: update check");
    const TOnlineSettings online = c.Workspace.OnlineSettings();
    TSelfUpdater updater(c.Shell, c.Workspace.SelfUpdateOptions(online));
    const auto offer = CheckOffer(c, updater, online);
    if (!offer || !yes) return;
    WrapFailure(kUpdateInstallError, [&] {
        // An installed program is its package manager's to update.
        if (!c.Workspace.SelfUpdateAllowed()) throw TAppError(SystemErrorText(c.Workspace.Paths().Dir, EACCES));
        updater.Install(*offer);
    });
    PrintList(c, "Удалено: ", updater.Report().Deleted);
    PrintList(c, "Запущено: ", updater.Report().Run);
    PrintList(c, "Скопировано: ", updater.Report().Copied);
    c.Out << ConsoleText(FormatText(kUpdateInstalled, {offer->Data.Description})) << "\n";
}

} // namespace

void AddUpdateCommands(TCliCommandList& list) {
    list.push_back({{"update", "check"},
                    "update check                           поиск обновлений программы",
                    [](TCliContext& c, TCliArgs& a) { Run(c, a, false); }});
    list.push_back({{"update", "install"},
                    "update install [--yes]                 установка найденного обновления (без --yes только поиск)",
                    [](TCliContext& c, TCliArgs& a) { Run(c, a, true); }});
}

} // namespace qx
