#pragma once
#include <httplib.h>

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qx::fake {

// One request as the fake server received it.
struct TRecordedRequest {
    std::string Method;
    std::string Target;  // as sent: path and query, percent escapes untouched
    std::string Path;
    std::string Body;
    httplib::Headers Headers;
    std::string Header(const std::string& name) const;
    bool HasHeader(const std::string& name) const { return Headers.count(name) > 0; }
};

struct TTlsFiles {
    std::string Certificate;  // PEM
    std::string Key;          // PEM
};

// An HTTP (or, given certificate files, HTTPS) server on 127.0.0.1 and a free port, answering
// from a thread with the handlers added to Server() before Start(). Text answers are gzipped by
// the server itself when the client accepts gzip. Every request is recorded on arrival.
class TFakeHttpServer {
public:
    explicit TFakeHttpServer(const TTlsFiles* tls = nullptr);
    ~TFakeHttpServer();
    TFakeHttpServer(const TFakeHttpServer&) = delete;
    TFakeHttpServer& operator=(const TFakeHttpServer&) = delete;

    httplib::Server& Server() { return *FServer; }
    // On the given port, or a free one when 0.
    void Start(int port = 0);
    void Stop();
    int Port() const { return FPort; }
    // "http://127.0.0.1:PORT" (https for a TLS server).
    std::string BaseUrl() const;

    std::vector<TRecordedRequest> Requests() const;
    void ClearRequests();

private:
    std::unique_ptr<httplib::Server> FServer;
    bool FTls = false;
    int FPort = 0;
    std::thread FThread;
    mutable std::mutex FLock;
    std::vector<TRecordedRequest> FRequests;
};

} // namespace qx::fake
