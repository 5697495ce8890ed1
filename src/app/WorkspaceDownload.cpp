#include <exception>

#include "app/Workspace.h"
#include "core/ArchiveQueries.h"
#include "core/ConfigFile.h"
#include "core/DateTime.h"
#include "core/Error.h"
#include "core/Text.h"
#include "draws/ResultsPage.h"
#include "online/ProxyList.h"

namespace qx {
namespace {

constexpr const char* kDownloadText = "Загрузка архива тиражей...";
constexpr int kRangeDays = 100;

std::string DateText(int dateNumber) {
    return FormatDrawLabel(NumberToDate(dateNumber));
}

// Runs its action when the scope ends, however it ends.
template <class Fn> class TScopeExit {
public:
    explicit TScopeExit(Fn fn) : FFn(std::move(fn)) {}
    ~TScopeExit() { FFn(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    Fn FFn;
};

} // namespace

TOnlineSettings TWorkspace::OnlineSettings() const {
    try {
        return TOnlineSettings::Read(TIniFile::Load(FPaths.ConfigFile()), FPaths.Dir);
    } catch (const std::exception&) {
        return TOnlineSettings(); // the configuration's own reader reports an unreadable file
    }
}

THttpOptions TWorkspace::HttpOptionsFor(const TOnlineSettings& online) const {
    THttpOptions o = FHttpOptions;
    o.CaFile = online.CaFile;
    return o;
}

int TWorkspace::Today() const {
    return FToday ? FToday() : DateToNumber(NowDateTime());
}

int TWorkspace::DrawsDownload() {
    TBusyScope busy(FShell, kDownloadText);
    FShell.ShowWait(kDownloadText);
    TScopeExit after([this] {
        StakesCheckAfterDownload();
        FShell.HideWait();
    });
    return DownloadDraws();
}

void TWorkspace::StakesCheckAfterDownload() {
    // As "Проверить ставки" does; this runs while the command unwinds, so nothing may escape.
    try {
        StakesCheck();
        StakesRefresh(true, false);
    } catch (const std::exception& e) {
        FShell.ShowError(e.what());
    }
}

int TWorkspace::DownloadDraws() {
    FDownloadReport = TDownloadReport{};
    FDownloadAttempt = 1;
    // One client for the whole download: cookies the page sets last across its ranges.
    FDownloadClient = std::make_unique<THttpClient>(FHttpOptions);
    TScopeExit forget([this] {
        FProxy.ProxyForget();
        FDownloadClient.reset();
    });
    int total = 0;
    for (bool again = true; again;) {
        again = false;
        try {
            FDownloadOnline = OnlineSettings();
            if (FDownloadOnline.ResultsPageUrl.empty()) throw TAppError(kNoServerAddress);
            FDownloadClient->Options() = HttpOptionsFor(FDownloadOnline);
            const int today = Today();
            while (true) {
                const int from = DateNumberAtRow(Draws(), 0, 0);
                if (today < from) break;
                int to = AddDays(from, kRangeDays - 1);
                if (to > today) to = today;
                if (to < from) to = from;
                const int n = DownloadRange(from, to);
                FProxy.ProxyConfirm();
                if (n <= 0) break;
                total += n;
                FDownloadReport.Added = total;
                // A draws file that cannot be written stops the download: nothing more piles
                // up in memory only.
                if (!SaveDraws()) break;
                RefreshViews(false);
                if (to >= today) break;
            }
        } catch (const std::exception& e) {
            ++FDownloadAttempt;
            FDownloadReport.LastError = e.what();
            if (FProxy.ProxyDropCurrent()) {
                again = true;
            } else if (FShell.AskRetry(
                           FormatText("Ошибка загрузки архива тиражей с сайта: \"%s\"\r\rПовторить попытку?",
                                      {e.what()}))) {
                again = true;
            } else {
                FDownloadReport.Failed = true;
            }
        }
    }
    return total;
}

std::string TWorkspace::HttpGetText(const std::string& address) {
    if (!FDownloadClient) FDownloadClient = std::make_unique<THttpClient>(HttpOptionsFor(OnlineSettings()));
    if (!FProxy.ProxyPrepare(address, *FDownloadClient)) return {};
    const std::string attempt = FProxy.AttemptText(FDownloadAttempt, *FDownloadClient);
    FShell.ShowWait(attempt.empty() ? std::string(kDownloadText)
                                    : std::string(kDownloadText) + "\r\r" + attempt);
    FShell.ProcessMessages();
    return FDownloadClient->Get(address);
}

int TWorkspace::DownloadRange(int from, int to) {
    FShell.ShowStatus(FormatText("Загрузка тиражей %s - %s...", {DateText(from), DateText(to)}));
    if (FDownloadOnline.ResultsPageUrl.empty()) FDownloadOnline = OnlineSettings();
    if (FDownloadOnline.ResultsPageUrl.empty()) throw TAppError(kNoServerAddress);
    const std::string page = HttpGetText(
        ResultsPageAddress(FDownloadOnline.ResultsPageUrl, FDownloadOnline.ResultsGameName, from, to));
    TNewDraws fresh = CollectNewDraws(ParseResultsPage(page), Draws(), from, to);
    FDownloadReport.Ranges.push_back({from, to, static_cast<int>(fresh.Draws.size()), fresh.Skipped});
    if (fresh.Draws.empty()) return 0;
    FShell.ShowStatus("Сохранение файла тиражей...");
    FArchive.Append(fresh.Draws);
    return static_cast<int>(fresh.Draws.size());
}

void TWorkspace::StartupDownload(bool ask) {
    if (OnlineSettings().ResultsPageUrl.empty()) return;
    if (ask && !FShell.AskYes("Обновить список тиражей?\r\rДля выполнения обновления необходимо действующее "
                              "подключение к сети Интернет."))
        return;
    DrawsDownload();
}

void TWorkspace::SaveProxy(bool withStatus) {
    auto write = [&] {
        WrapFailure("Ошибка записи в файл конфигурации!\r\r%s", [&] {
            UpdateIniFile(
                FPaths.ConfigFile(), [&](TIniFile& ini) { WriteProxy(ini, FProxy); }, kConfigFileMode);
        });
    };
    if (!withStatus) return write();
    TBusyScope busy(FShell, "Сохранение файла конфигурации...");
    write();
}

void TWorkspace::ChangeProxy(const TProxy& settings) {
    FProxy.ProxyMode = settings.ProxyMode;
    FProxy.ProxyServer = settings.ProxyServer;
    FProxy.ProxyPort = settings.ProxyPort;
    FProxy.ProxyUsername = settings.ProxyUsername;
    FProxy.ProxyPassword = settings.ProxyPassword;
    FProxy.Candidates.clear();
    if (FProxy.EffectiveMode() == 1) {
        // The next download discovers afresh.
        FProxy.ProxyServer.clear();
        FProxy.ProxyPort = 0;
        FProxy.ProxyUsername.clear();
        FProxy.ProxyPassword.clear();
    }
    SaveProxy(true);
}

std::vector<std::string> TWorkspace::DiscoverProxies(const std::string& target) {
    const TOnlineSettings online = OnlineSettings();
    THttpClient client(HttpOptionsFor(online)); // the list page is asked directly, never through a proxy
    return qx::DiscoverProxies(client, online.ProxyListUrl, target);
}

} // namespace qx
