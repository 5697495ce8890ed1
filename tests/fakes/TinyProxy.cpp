#include "TinyProxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "RawResponder.h"

namespace qx::fake {
namespace {

bool Accepts(int port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    close(fd);
    return ok;
}

} // namespace

std::filesystem::path TTinyProxy::Program() {
    for (const char* p : {"/usr/bin/tinyproxy", "/usr/sbin/tinyproxy", "/usr/local/bin/tinyproxy"})
        if (access(p, X_OK) == 0) return p;
    return {};
}

TTinyProxy::TTinyProxy(TOptions options) {
    if (Program().empty()) throw std::runtime_error("tinyproxy is not installed");
    static int serial = 0;
    FDir = std::filesystem::temp_directory_path() /
           ("quadrix-tinyproxy-" + std::to_string(getpid()) + "-" + std::to_string(++serial));
    std::filesystem::create_directories(FDir);
    // The free port is found by taking and releasing it: another program may win the race.
    for (int attempt = 0; attempt < 5; ++attempt)
        if (TryStart(options)) return;
    Stop();
    throw std::runtime_error("tinyproxy did not start");
}

TTinyProxy::~TTinyProxy() {
    Stop();
    std::error_code ec;
    std::filesystem::remove_all(FDir, ec);
}

bool TTinyProxy::TryStart(const TOptions& options) {
    FPort = ClosedPort();
    const auto config = FDir / "tinyproxy.conf";
    {
        std::ofstream c(config);
        c << "Port " << FPort << "\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 30\nMaxClients 20\n"
          << "LogLevel Critical\n";
        if (!options.Username.empty()) c << "BasicAuth " << options.Username << " " << options.Password << "\n";
        if (!options.Upstream.empty()) c << "Upstream http " << options.Upstream << "\n";
    }
    FPid = fork();
    if (FPid < 0) throw std::runtime_error("fork failed");
    if (FPid == 0) {
        const std::string program = Program().string(), conf = config.string();
        execl(program.c_str(), program.c_str(), "-d", "-c", conf.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 200; ++i) {
        if (Accepts(FPort)) return true;
        int status = 0;
        if (waitpid(FPid, &status, WNOHANG) == FPid) {
            FPid = -1;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    Stop();
    return false;
}

void TTinyProxy::Stop() {
    if (FPid <= 0) return;
    kill(FPid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200 && waitpid(FPid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (waitpid(FPid, &status, WNOHANG) == 0) {
        kill(FPid, SIGKILL);
        waitpid(FPid, &status, 0);
    }
    FPid = -1;
}

} // namespace qx::fake
