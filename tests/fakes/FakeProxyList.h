#pragma once
#include <mutex>
#include <string>
#include <vector>

#include "FakeHttpServer.h"

namespace qx::fake {

struct TFakeProxyRow {
    std::string Host;
    int Port = 0;
};

// One page of the public proxy list in the markup the program reads: the host hidden in a
// reversed text and a Base64 text of "\x" escapes, the port as an offset plus a number.
std::string ProxyListHtml(const std::vector<TFakeProxyRow>& rows, int portOffset);

// The proxy-list page on 127.0.0.1: 15 rows per page chosen by the offset key.
class TFakeProxyList {
public:
    struct TOptions {
        bool IgnoreOffset = false;  // always the first page
        bool NoBody = false;        // a page without the table body
        bool BrokenRows = false;    // rows whose script cannot be read
        int PortOffset = 1000;
    };

    explicit TFakeProxyList(std::vector<TFakeProxyRow> rows);
    TOptions& Options() { return FOptions; }
    TFakeHttpServer& Http() { return FHttp; }
    // The address to configure: the page path on the server.
    std::string ListUrl() const { return FHttp.BaseUrl() + "/proxy-list"; }
    // The raw query of every page request, in order.
    std::vector<std::string> Queries() const;

private:
    std::vector<TFakeProxyRow> FRows;
    TOptions FOptions;
    mutable std::mutex FLock;
    std::vector<std::string> FQueries;
    TFakeHttpServer FHttp;
};

} // namespace qx::fake
