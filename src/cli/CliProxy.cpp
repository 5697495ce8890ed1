#include <istream>
#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "core/Error.h"
#include "core/Text.h"
#include "draws/ResultsPage.h"

namespace qx {
namespace {

constexpr const char* kModeNames[] = {"off", "auto", "manual"};

void Print(TCliContext& c) {
    const TProxyAgent& p = c.Workspace.Proxy();
    c.Out << "Режим: " << kModeNames[p.EffectiveMode()] << "\n"
          << "Сервер: " << p.ProxyServer << "\n"
          << "Порт: " << p.ProxyPort << "\n"
          << "Пользователь: " << p.ProxyUsername << "\n"
          << "Пароль: " << (p.ProxyPassword.empty() ? "не задан" : "задан") << "\n";
}

void Show(TCliContext& c, TCliArgs& args) {
    if (!args.Positionals().empty()) throw TAppError("Использование: proxy show");
    Print(c);
}

void Set(TCliContext& c, TCliArgs& args) {
    const auto server = args.TakeOption("server");
    const auto port = args.TakeIntOption("port");
    const auto user = args.TakeOption("user");
    const bool passwordFromInput = args.TakeFlag("password-stdin");
    const auto words = args.Positionals();
    int mode = -1;
    for (int m = 0; m < 3; ++m)
        if (words.size() == 1 && words[0] == kModeNames[m]) mode = m;
    if (mode < 0)
        throw TAppError("Использование: proxy set off|auto|manual [--server ИМЯ] [--port N] [--user ИМЯ] [--password-stdin]");
    // Unnamed fields keep their values, as the dialog shows them.
    TProxy p = c.Workspace.Proxy();
    p.ProxyMode = static_cast<uint8_t>(mode);
    if (server) p.ProxyServer = std::string(Trim(*server));
    if (port) p.ProxyPort = *port;
    if (user) p.ProxyUsername = *user;
    if (passwordFromInput) {
        std::string line;
        std::getline(c.In, line);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        p.ProxyPassword = line;
    }
    if (mode == 2) {
        if (p.ProxyServer.empty()) throw TAppError("Укажите proxy-сервер: --server ИМЯ");
        if (p.ProxyPort < 1 || p.ProxyPort > 65535) {
            if (port) throw TAppError("Порт должен быть от 1 до 65535");
            p.ProxyPort = 80;
        }
    }
    c.Workspace.ChangeProxy(p);
    Print(c);
}

void Discover(TCliContext& c, TCliArgs& args) {
    auto target = args.TakeOption("target");
    if (!args.Positionals().empty()) throw TAppError("Использование: proxy discover [--target АДРЕС]");
    if (!target) {
        const TOnlineSettings online = c.Workspace.OnlineSettings();
        target = online.ResultsPageUrl.empty() ? std::string("http://")
                                               : ResultsPageAddress(online.ResultsPageUrl, online.ResultsGameName, 0, 0);
    }
    const std::vector<std::string> found = WrapFailure("Ошибка получения списка proxy-серверов!\r\r%s", [&] {
        auto list = c.Workspace.DiscoverProxies(*target);
        if (list.empty()) throw TAppError(kProxyNotFound);
        return list;
    });
    for (const std::string& candidate : found) c.Out << candidate << "\n";
    c.Out << "Найдено proxy-серверов: " << found.size() << "\n";
}

} // namespace

void AddProxyCommands(TCliCommandList& list) {
    list.push_back({{"proxy", "show"}, "proxy show                             параметры proxy-сервера", Show});
    list.push_back({{"proxy", "set"},
                    "proxy set off|auto|manual [--server ИМЯ] [--port N] [--user ИМЯ] [--password-stdin]", Set});
    list.push_back({{"proxy", "discover"}, "proxy discover [--target АДРЕС]        поиск proxy-серверов", Discover});
}

} // namespace qx
