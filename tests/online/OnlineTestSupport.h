#pragma once
#include <string>

#include "core/Error.h"
#include "online/HttpClient.h"

namespace qx::test {

// Short time-outs: every server here is on this machine.
inline THttpOptions QuickHttp(int readTimeoutMs = 300) {
    THttpOptions o;
    o.ConnectTimeoutMs = 2000;
    o.ReadTimeoutMs = readTimeoutMs;
    return o;
}

// The reason a GET fails with; empty when it succeeds.
inline std::string FailureOf(THttpClient& client, const std::string& url) {
    try {
        client.Get(url);
    } catch (const TAppError& e) {
        return e.what();
    }
    return {};
}

} // namespace qx::test
