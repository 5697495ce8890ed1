#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/Config.h"

namespace qx {

class THttpClient;
class TShell;

inline constexpr const char* kProxyNotFound = "Не найдено ни одного proxy-сервера с заданными параметрами";

// The proxy record with the operations the draw download calls around its requests: off, given
// by the user, or chosen from a discovered candidate list that shrinks as candidates fail.
class TProxyAgent : public TProxy {
public:
    // Writes the PROXY section (with or without the status text) and marks it saved.
    using TSave = std::function<void(bool withStatus)>;
    // The candidate list for a target address ("host:port", best first).
    using TDiscover = std::function<std::vector<std::string>(const std::string& target)>;

    void Attach(TShell& shell, TSave save, TDiscover discover);
    // Back to the zero-filled record.
    void Reset() { static_cast<TProxy&>(*this) = TProxy{}; }

    // 0 off, 1 automatic, 2 manual; any other stored value acts as off.
    int EffectiveMode() const { return ProxyMode <= 2 ? ProxyMode : 0; }

    // Before each request: sets (or clears) the client's proxy. False when the automatic choice
    // failed (the error has been shown): no request is to be made.
    bool ProxyPrepare(const std::string& target, THttpClient& client);
    // Takes the first candidate, discovering candidates first when there are none.
    bool ProxyChoose(const std::string& target);
    bool ProxyDiscover(const std::string& target);
    // After a failed request, automatic mode only: forgets the proxy in use and its candidate.
    // True while candidates remain (the caller retries at once).
    bool ProxyDropCurrent();
    // After a successful request: a discovered proxy is written to the configuration.
    void ProxyConfirm();
    // When a download ends.
    void ProxyForget() { Candidates.clear(); }

    // "Попытка %d, proxy %s : %d" while the client uses a proxy, else empty.
    std::string AttemptText(int attempt, const THttpClient& client) const;

private:
    void ClearServer();

    TShell* FShell = nullptr;
    TSave FSave;
    TDiscover FDiscover;
};

} // namespace qx
