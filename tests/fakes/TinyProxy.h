#pragma once
#include <sys/types.h>

#include <filesystem>
#include <string>

namespace qx::fake {

// A real HTTP proxy for the tests: tinyproxy on 127.0.0.1 and a free port, with a generated
// configuration, stopped by its process id.
class TTinyProxy {
public:
    struct TOptions {
        std::string Username;  // BasicAuth when not empty
        std::string Password;
        std::string Upstream;  // "127.0.0.1:PORT": every request goes on through that proxy
    };

    // The program, or empty when it is not installed.
    static std::filesystem::path Program();

    explicit TTinyProxy(TOptions options = {});
    ~TTinyProxy();
    TTinyProxy(const TTinyProxy&) = delete;
    TTinyProxy& operator=(const TTinyProxy&) = delete;

    int Port() const { return FPort; }

private:
    bool TryStart(const TOptions& options);
    void Stop();

    std::filesystem::path FDir;
    pid_t FPid = -1;
    int FPort = 0;
};

} // namespace qx::fake

// Skips a test that needs tinyproxy when it is not installed.
#define QX_REQUIRE_TINYPROXY()                                                                   \
    do {                                                                                         \
        if (::qx::fake::TTinyProxy::Program().empty())                                           \
            GTEST_SKIP() << "tinyproxy is not installed (Debian package tinyproxy-bin)";         \
    } while (0)
