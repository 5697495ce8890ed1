#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx {

// The common request headers every request of the program sends.
inline constexpr const char* kHttpAccept = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
inline constexpr const char* kHttpAcceptEncoding = "gzip, deflate, sdch";
inline constexpr const char* kHttpUserAgent = "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, "
                                              "like Gecko) Chrome/47.0.2526.80 Safari/537.36";

struct THttpOptions {
    int ConnectTimeoutMs = 5000;
    // No byte received for this long ends the request.
    int ReadTimeoutMs = 10000;
    int MaxRedirects = 10;
    // A larger answer is refused instead of filling the memory.
    size_t MaxBodyBytes = 32u << 20;
    // PEM file of certificates trusted besides the system's (empty: only the system's).
    std::string CaFile;
    // Schemes a request may use, and those a redirect may lead to (libcurl's list form).
    std::string Protocols = "http,https";
    std::string RedirectProtocols = "http,https";
    // Called now and then while a transfer runs (the window keeps breathing).
    std::function<void()> Idle;
};

// The proxy of a request. The credentials travel as their own options, never inside an address.
struct THttpProxy {
    std::string Server;  // empty: no proxy
    int32_t Port = 0;
    std::string Username;
    std::string Password;
};

using TFormFields = std::vector<std::pair<std::string, std::string>>;

// A synchronous HTTP(S) client. Redirects are followed, compressed answers inflated, cookies kept
// for the client's life, certificates and host names checked. Every failure (transport error,
// time-out, status 400 and above, cut or oversized answer) raises TAppError with the reason; the
// proxy password appears in no message.
class THttpClient {
public:
    explicit THttpClient(THttpOptions options = {});
    ~THttpClient();
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    THttpOptions& Options() { return FOptions; }
    const THttpOptions& Options() const { return FOptions; }
    void SetProxy(THttpProxy proxy) { FProxy = std::move(proxy); }
    void ClearProxy() { FProxy = THttpProxy{}; }
    const THttpProxy& Proxy() const { return FProxy; }

    // The body as received (after inflating), bytes unchanged.
    std::string Get(const std::string& url);
    // The body handed to sink block by block as it arrives, never held whole: for large files.
    // An exception of the sink ends the transfer and is raised again.
    void GetToSink(const std::string& url, const std::function<void(std::string_view)>& sink);
    // application/x-www-form-urlencoded POST of the fields, in order.
    std::string PostForm(const std::string& url, const TFormFields& fields);

    // Status code of the last answer (0 before any).
    long LastStatus() const { return FLastStatus; }

private:
    struct TImpl;
    std::string Perform(const std::string& url, const std::string* postBody,
                        const std::function<void(std::string_view)>* sink = nullptr);

    THttpOptions FOptions;
    THttpProxy FProxy;
    std::unique_ptr<TImpl> FImpl;
    long FLastStatus = 0;
};

// "a=1&b=2" with every value encoded.
std::string FormEncode(const TFormFields& fields);

} // namespace qx
