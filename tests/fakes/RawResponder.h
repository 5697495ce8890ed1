#pragma once
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qx::fake {

// A bare TCP server on 127.0.0.1 for answers no well-behaved HTTP server gives: it reads the
// request head and then plays its part on the socket.
class TRawResponder {
public:
    // What to do with a connection once its request head has arrived.
    using TScript = std::function<void(TRawResponder& self, int socket)>;

    explicit TRawResponder(TScript script);
    ~TRawResponder();
    TRawResponder(const TRawResponder&) = delete;
    TRawResponder& operator=(const TRawResponder&) = delete;

    int Port() const { return FPort; }
    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(FPort); }
    std::vector<std::string> RequestHeads() const;

    // Parts to play.
    static TScript Reply(std::string bytes);  // sends the bytes and closes
    static TScript Silent();                  // never answers
    static TScript Endless(std::string head); // the head, then body bytes until the client gives up

    // Sends everything (false when the peer has gone); waits while the responder runs.
    static bool SendAll(int socket, std::string_view bytes);
    bool Stopping() const { return FStop; }
    // Sleeps up to ms, returning early (false) when the responder stops.
    bool Pause(int ms) const;

private:
    void AcceptLoop();
    void Serve(int socket);

    TScript FScript;
    int FListen = -1;
    int FPort = 0;
    int FWake[2] = {-1, -1};
    std::atomic<bool> FStop{false};
    std::thread FThread;
    mutable std::mutex FLock;
    std::vector<std::thread> FConnections;
    std::vector<std::string> FHeads;
};

// A port on 127.0.0.1 nobody listens on (taken and released at once).
int ClosedPort();

} // namespace qx::fake
