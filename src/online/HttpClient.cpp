#include "online/HttpClient.h"

#include <curl/curl.h>

#include <chrono>
#include <exception>
#include <mutex>

#include "core/Error.h"
#include "core/Text.h"
#include "core/UrlEncode.h"

namespace qx {
namespace {

using TClock = std::chrono::steady_clock;

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string ProxyAddress(const THttpProxy& p) {
    std::string host = p.Server;
    // A bare IPv6 address needs its brackets before the port.
    if (host.find(':') != std::string::npos && host.front() != '[') host = "[" + host + "]";
    return "http://" + host + ":" + std::to_string(p.Port);
}

} // namespace

// One easy handle for the client's life: its cookie engine and its connections outlive requests.
struct THttpClient::TImpl {
    CURL* Handle = nullptr;
    curl_slist* Headers = nullptr;
    char ErrorBuffer[CURL_ERROR_SIZE] = {};
    std::string DefaultCaInfo;  // the built-in certificate bundle and directory
    std::string DefaultCaPath;

    // State of the running request.
    std::string Body;
    size_t Received = 0;
    const std::function<void(std::string_view)>* Sink = nullptr;
    std::exception_ptr SinkError;
    const std::function<void()>* Idle = nullptr;
    TClock::time_point LastIdle;
    std::string StatusLine;
    size_t MaxBody = 0;
    bool TooLarge = false;
    bool Stalled = false;
    int ReadTimeoutMs = 0;
    TClock::time_point Start;
    TClock::time_point LastByte;

    TImpl() {
        GlobalInit();
        Handle = curl_easy_init();
        if (!Handle) throw TAppError("libcurl: cannot create a request handle");
        Headers = curl_slist_append(Headers, (std::string("Accept: ") + kHttpAccept).c_str());
        Headers = curl_slist_append(Headers, "Expect:");
        curl_easy_setopt(Handle, CURLOPT_COOKIEFILE, "");  // cookies in memory only
        char* text = nullptr;
        if (curl_easy_getinfo(Handle, CURLINFO_CAINFO, &text) == CURLE_OK && text) DefaultCaInfo = text;
        text = nullptr;
        if (curl_easy_getinfo(Handle, CURLINFO_CAPATH, &text) == CURLE_OK && text) DefaultCaPath = text;
    }
    ~TImpl() {
        curl_slist_free_all(Headers);
        curl_easy_cleanup(Handle);
    }

    void Arrived() { LastByte = TClock::now(); }

    static size_t OnBody(char* data, size_t size, size_t count, void* self) {
        auto& s = *static_cast<TImpl*>(self);
        const size_t n = size * count;
        s.Arrived();
        if (s.Received + n > s.MaxBody) {
            s.TooLarge = true;
            return 0;  // aborts the transfer
        }
        s.Received += n;
        long status = 0;
        curl_easy_getinfo(s.Handle, CURLINFO_RESPONSE_CODE, &status);
        if (s.Sink && status >= 400) return n;  // an error page is no part of the file
        if (!s.Sink) {
            s.Body.append(data, n);
            return n;
        }
        try {
            (*s.Sink)(std::string_view(data, n));
        } catch (...) {
            s.SinkError = std::current_exception();
            return 0;
        }
        return n;
    }

    static size_t OnHeader(char* data, size_t size, size_t count, void* self) {
        auto& s = *static_cast<TImpl*>(self);
        const size_t n = size * count;
        s.Arrived();
        std::string_view line(data, n);
        // Each answer of a redirect chain (and of a proxy tunnel) starts with its status line.
        if (line.substr(0, 5) == "HTTP/") s.StatusLine = std::string(Trim(line));
        return n;
    }

    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        auto& s = *static_cast<TImpl*>(self);
        if (s.Idle && *s.Idle && TClock::now() - s.LastIdle >= std::chrono::milliseconds(100)) {
            s.LastIdle = TClock::now();
            (*s.Idle)();
        }
        // The silence is measured from the later of the last byte and the moment the request was
        // sent: connecting has its own time-out.
        curl_off_t sentUs = 0;
        curl_easy_getinfo(s.Handle, CURLINFO_PRETRANSFER_TIME_T, &sentUs);
        if (sentUs <= 0) return 0;
        auto anchor = std::max(s.LastByte, s.Start + std::chrono::microseconds(sentUs));
        if (TClock::now() - anchor > std::chrono::milliseconds(s.ReadTimeoutMs)) {
            s.Stalled = true;
            return 1;
        }
        return 0;
    }
};

THttpClient::THttpClient(THttpOptions options) : FOptions(std::move(options)), FImpl(std::make_unique<TImpl>()) {}

THttpClient::~THttpClient() = default;

std::string THttpClient::Get(const std::string& url) { return Perform(url, nullptr); }

void THttpClient::GetToSink(const std::string& url, const std::function<void(std::string_view)>& sink) {
    Perform(url, nullptr, &sink);
}

std::string THttpClient::PostForm(const std::string& url, const TFormFields& fields) {
    const std::string body = FormEncode(fields);
    return Perform(url, &body);
}

std::string THttpClient::Perform(const std::string& url, const std::string* postBody,
                                 const std::function<void(std::string_view)>* sink) {
    TImpl& s = *FImpl;
    CURL* h = s.Handle;
    s.Body.clear();
    s.Received = 0;
    s.Sink = sink;
    s.SinkError = nullptr;
    s.Idle = &FOptions.Idle;
    s.LastIdle = TClock::now();
    s.StatusLine.clear();
    s.MaxBody = FOptions.MaxBodyBytes;
    s.TooLarge = s.Stalled = false;
    s.ReadTimeoutMs = FOptions.ReadTimeoutMs;
    s.Start = s.LastByte = TClock::now();
    s.ErrorBuffer[0] = 0;
    FLastStatus = 0;

    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, FOptions.Protocols.c_str());
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, FOptions.RedirectProtocols.c_str());
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, s.ErrorBuffer);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, s.Headers);
    curl_easy_setopt(h, CURLOPT_USERAGENT, kHttpUserAgent);
    // Sends the header as it stands and inflates gzip and deflate (with or without the zlib wrapper).
    curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, kHttpAcceptEncoding);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, static_cast<long>(FOptions.MaxRedirects));
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(FOptions.ConnectTimeoutMs));
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(FOptions.MaxBodyBytes));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &TImpl::OnBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &s);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &TImpl::OnHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &s);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &TImpl::OnProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &s);

    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    // The extra file replaces the default bundle; the system's certificates stay reachable
    // through the certificate directory.
    const std::string& caInfo = FOptions.CaFile.empty() ? s.DefaultCaInfo : FOptions.CaFile;
    curl_easy_setopt(h, CURLOPT_CAINFO, caInfo.empty() ? nullptr : caInfo.c_str());
    curl_easy_setopt(h, CURLOPT_CAPATH, s.DefaultCaPath.empty() ? nullptr : s.DefaultCaPath.c_str());

    // An empty proxy also keeps the environment's proxy variables out.
    curl_easy_setopt(h, CURLOPT_PROXY, FProxy.Server.empty() ? "" : ProxyAddress(FProxy).c_str());
    // Without a user name no credentials at all: an empty pair would still be sent.
    const bool credentials = !FProxy.Server.empty() && !FProxy.Username.empty();
    curl_easy_setopt(h, CURLOPT_PROXYUSERNAME, credentials ? FProxy.Username.c_str() : nullptr);
    curl_easy_setopt(h, CURLOPT_PROXYPASSWORD, credentials ? FProxy.Password.c_str() : nullptr);

    if (postBody) {
        curl_easy_setopt(h, CURLOPT_POST, 1L);
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(postBody->size()));
        curl_easy_setopt(h, CURLOPT_COPYPOSTFIELDS, postBody->c_str());
    } else {
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    }

    const CURLcode code = curl_easy_perform(h);
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &FLastStatus);
    s.Sink = nullptr;
    if (s.SinkError) std::rethrow_exception(s.SinkError);
    if (s.TooLarge || code == CURLE_FILESIZE_EXCEEDED)
        throw TAppError("Answer larger than " + std::to_string(FOptions.MaxBodyBytes) + " bytes");
    if (s.Stalled)
        throw TAppError("Read timed out: no data for " + std::to_string(FOptions.ReadTimeoutMs) + " ms");
    if (code != CURLE_OK) {
        std::string reason = s.ErrorBuffer[0] ? s.ErrorBuffer : curl_easy_strerror(code);
        throw TAppError(reason);
    }
    if (FLastStatus >= 400)
        throw TAppError(s.StatusLine.empty() ? "HTTP status " + std::to_string(FLastStatus) : s.StatusLine);
    std::string body;
    body.swap(s.Body);
    return body;
}

std::string FormEncode(const TFormFields& fields) {
    std::string out;
    for (const auto& [key, value] : fields) {
        if (!out.empty()) out += '&';
        out += UrlEncode(key) + "=" + UrlEncode(value);
    }
    return out;
}

} // namespace qx
