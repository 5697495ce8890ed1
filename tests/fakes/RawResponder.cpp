#include "RawResponder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace qx::fake {
namespace {

int ListenSocket(int& port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) throw std::runtime_error("raw responder: socket");
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(fd, 16) != 0) {
        close(fd);
        throw std::runtime_error("raw responder: bind");
    }
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    port = ntohs(a.sin_port);
    return fd;
}

} // namespace

int ClosedPort() {
    int port = 0;
    close(ListenSocket(port));
    return port;
}

TRawResponder::TRawResponder(TScript script) : FScript(std::move(script)) {
    FListen = ListenSocket(FPort);
    if (pipe(FWake) != 0) throw std::runtime_error("raw responder: pipe");
    FThread = std::thread([this] { AcceptLoop(); });
}

TRawResponder::~TRawResponder() {
    FStop = true;
    (void)!write(FWake[1], "x", 1);
    FThread.join();
    for (auto& t : FConnections) t.join();
    close(FListen);
    close(FWake[0]);
    close(FWake[1]);
}

std::vector<std::string> TRawResponder::RequestHeads() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FHeads;
}

bool TRawResponder::Pause(int ms) const {
    pollfd p{FWake[0], POLLIN, 0};
    return poll(&p, 1, ms) == 0 && !FStop;
}

void TRawResponder::AcceptLoop() {
    while (!FStop) {
        pollfd p[2] = {{FListen, POLLIN, 0}, {FWake[0], POLLIN, 0}};
        if (poll(p, 2, -1) <= 0 || FStop) break;
        if (!(p[0].revents & POLLIN)) continue;
        int s = accept(FListen, nullptr, nullptr);
        if (s < 0) continue;
        std::lock_guard<std::mutex> lock(FLock);
        FConnections.emplace_back([this, s] { Serve(s); });
    }
}

void TRawResponder::Serve(int socket) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        pollfd p[2] = {{socket, POLLIN, 0}, {FWake[0], POLLIN, 0}};
        if (poll(p, 2, 5000) <= 0 || FStop || !(p[0].revents & POLLIN)) break;
        ssize_t n = recv(socket, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<size_t>(n));
    }
    {
        std::lock_guard<std::mutex> lock(FLock);
        FHeads.push_back(head);
    }
    if (!FStop) FScript(*this, socket);
    close(socket);
}

bool TRawResponder::SendAll(int socket, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

TRawResponder::TScript TRawResponder::Reply(std::string bytes) {
    return [bytes](TRawResponder&, int s) { SendAll(s, bytes); };
}

TRawResponder::TScript TRawResponder::Silent() {
    return [](TRawResponder& self, int) { self.Pause(60000); };
}

TRawResponder::TScript TRawResponder::Endless(std::string head) {
    return [head](TRawResponder& self, int s) {
        if (!SendAll(s, head)) return;
        const std::string block(64 * 1024, 'x');
        // Bounded all the same: 1 GiB and the responder's life.
        for (int i = 0; i < 16384 && !self.Stopping(); ++i)
            if (!SendAll(s, block)) return;
    };
}

} // namespace qx::fake
