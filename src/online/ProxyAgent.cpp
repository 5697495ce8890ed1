#include "online/ProxyAgent.h"

#include "core/Error.h"
#include "core/Shell.h"
#include "core/Text.h"
#include "online/HttpClient.h"

namespace qx {

void TProxyAgent::Attach(TShell& shell, TSave save, TDiscover discover) {
    FShell = &shell;
    FSave = std::move(save);
    FDiscover = std::move(discover);
}

void TProxyAgent::ClearServer() {
    ProxyServer.clear();
    ProxyPort = 0;
    ProxyUsername.clear();
    ProxyPassword.clear();
}

bool TProxyAgent::ProxyPrepare(const std::string& target, THttpClient& client) {
    const int mode = EffectiveMode();
    if (mode == 1 && ProxyServer.empty() && !ProxyChoose(target)) {
        client.ClearProxy();
        return false;
    }
    if (mode == 0)
        client.ClearProxy();
    else
        client.SetProxy({ProxyServer, ProxyPort, ProxyUsername, ProxyPassword});
    return true;
}

bool TProxyAgent::ProxyChoose(const std::string& target) {
    try {
        if (Candidates.empty() && !ProxyDiscover(target)) return false;
        if (Candidates.empty()) throw TAppError(kProxyNotFound);
        const std::string& first = Candidates.front();
        const size_t colon = first.find(':');
        ClearServer();
        ProxyServer = first.substr(0, colon);
        ProxyPort = colon == std::string::npos ? 0 : StrToIntDef(first.substr(colon + 1), 0);
        Saved = false;
        return true;
    } catch (const std::exception& e) {
        ClearServer();
        if (FShell) FShell->ShowError(FailureText("Ошибка автоматического выбора proxy сервера!\r\r%s", e.what()));
        return false;
    }
}

bool TProxyAgent::ProxyDiscover(const std::string& target) {
    if (FShell) FShell->ShowWait("Загрузка архива тиражей...\r\rПоиск proxy-серверов");
    Candidates.clear();
    try {
        if (FDiscover) Candidates = FDiscover(target);
        if (Candidates.empty()) throw TAppError(kProxyNotFound);
        return true;
    } catch (const std::exception& e) {
        Candidates.clear();
        if (FShell) FShell->ShowError(FailureText("Ошибка получения списка proxy-серверов!\r\r%s", e.what()));
        return false;
    }
}

bool TProxyAgent::ProxyDropCurrent() {
    if (EffectiveMode() != 1) return false;
    ClearServer();
    Saved = false;
    if (!Candidates.empty()) Candidates.erase(Candidates.begin());
    return !Candidates.empty();
}

void TProxyAgent::ProxyConfirm() {
    if (!Saved && FSave) FSave(false);
}

std::string TProxyAgent::AttemptText(int attempt, const THttpClient& client) const {
    const THttpProxy& p = client.Proxy();
    if (p.Server.empty() || EffectiveMode() == 0) return {};
    return FormatText("Попытка %d, proxy %s : %d", {std::to_string(attempt), p.Server, std::to_string(p.Port)});
}

} // namespace qx
