#include "FakeHttpServer.h"

#include <chrono>
#include <stdexcept>

namespace qx::fake {

std::string TRecordedRequest::Header(const std::string& name) const {
    auto it = Headers.find(name);
    return it == Headers.end() ? std::string() : it->second;
}

TFakeHttpServer::TFakeHttpServer(const TTlsFiles* tls) : FTls(tls != nullptr) {
    if (tls)
        FServer = std::make_unique<httplib::SSLServer>(tls->Certificate.c_str(), tls->Key.c_str());
    else
        FServer = std::make_unique<httplib::Server>();
    if (!FServer->is_valid()) throw std::runtime_error("fake server: cannot set up (certificate files?)");
    FServer->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response&) {
        std::lock_guard<std::mutex> lock(FLock);
        FRequests.push_back({req.method, req.target, req.path, req.body, req.headers});
        return httplib::Server::HandlerResponse::Unhandled;
    });
    // One request per connection: a client holding a connection open would delay Stop() by the
    // server's keep-alive time.
    FServer->set_keep_alive_max_count(1);
}

TFakeHttpServer::~TFakeHttpServer() { Stop(); }

void TFakeHttpServer::Start(int port) {
    FPort = port > 0 ? (FServer->bind_to_port("127.0.0.1", port) ? port : -1) : FServer->bind_to_any_port("127.0.0.1");
    if (FPort <= 0) throw std::runtime_error("fake server: cannot bind 127.0.0.1" + (port > 0 ? ":" + std::to_string(port) : ""));
    FThread = std::thread([this] { FServer->listen_after_bind(); });
    // Stopping works only on a running server: wait for the accept loop.
    for (int i = 0; i < 5000 && !FServer->is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void TFakeHttpServer::Stop() {
    if (!FThread.joinable()) return;
    FServer->stop();
    FThread.join();
}

std::string TFakeHttpServer::BaseUrl() const {
    return std::string(FTls ? "https" : "http") + "://127.0.0.1:" + std::to_string(FPort);
}

std::vector<TRecordedRequest> TFakeHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FRequests;
}

void TFakeHttpServer::ClearRequests() {
    std::lock_guard<std::mutex> lock(FLock);
    FRequests.clear();
}

} // namespace qx::fake
