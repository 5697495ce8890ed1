#include "FakeProxyList.h"

#include <algorithm>

namespace qx::fake {
namespace {

std::string Base64(const std::string& in) {
    static const char* abc = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < in.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(in[i]) << 16 | static_cast<unsigned char>(in[i + 1]) << 8 |
                           static_cast<unsigned char>(in[i + 2]);
        out += {abc[v >> 18 & 63], abc[v >> 12 & 63], abc[v >> 6 & 63], abc[v & 63]};
    }
    if (i + 1 == in.size()) {
        const unsigned v = static_cast<unsigned char>(in[i]) << 16;
        out += {abc[v >> 18 & 63], abc[v >> 12 & 63], '=', '='};
    } else if (i + 2 == in.size()) {
        const unsigned v = static_cast<unsigned char>(in[i]) << 16 | static_cast<unsigned char>(in[i + 1]) << 8;
        out += {abc[v >> 18 & 63], abc[v >> 12 & 63], abc[v >> 6 & 63], '='};
    }
    return out;
}

std::string Escaped(const std::string& text) {
    static const char* hex = "0123456789abcdef";
    std::string out;
    for (unsigned char c : text) out += {'\\', 'x', hex[c >> 4], hex[c & 15]};
    return out;
}

std::string Row(const TFakeProxyRow& row, int portOffset) {
    const std::string head = row.Host.substr(0, row.Host.size() / 2), tail = row.Host.substr(row.Host.size() / 2);
    return "<tr><td><script>var h = '" + std::string(head.rbegin(), head.rend()) +
           "'.split('').reverse().join('') + atob('" + Escaped(Base64(tail)) + "'); pp = (" +
           std::to_string(row.Port - portOffset) + " + 0); document.write(h + ':' + (pp + " +
           std::to_string(portOffset) + "));</script></td><td>HTTP</td><td>95%</td></tr>\n";
}

} // namespace

std::string ProxyListHtml(const std::vector<TFakeProxyRow>& rows, int portOffset) {
    std::string page = "<html><body><div style=\"display:none\" data-offset=\"" + std::to_string(portOffset) +
                       "\"></div>\n<table><thead><tr><th>IP</th></tr></thead><tbody>\n";
    for (const TFakeProxyRow& r : rows) page += Row(r, portOffset);
    return page + "</tbody></table></body></html>\n";
}

TFakeProxyList::TFakeProxyList(std::vector<TFakeProxyRow> rows) : FRows(std::move(rows)) {
    FHttp.Server().Get("/proxy-list", [this](const httplib::Request& req, httplib::Response& res) {
        const auto q = req.target.find('?');
        {
            std::lock_guard<std::mutex> lock(FLock);
            FQueries.push_back(q == std::string::npos ? "" : req.target.substr(q + 1));
        }
        size_t offset = 0;
        if (!FOptions.IgnoreOffset && req.has_param("offset")) offset = std::stoul(req.get_param_value("offset"));
        std::vector<TFakeProxyRow> page;
        for (size_t i = offset; i < FRows.size() && page.size() < 15; ++i) page.push_back(FRows[i]);
        std::string html = ProxyListHtml(page, FOptions.PortOffset);
        if (FOptions.NoBody) html = "<html><body><p>No proxies</p></body></html>";
        if (FOptions.BrokenRows) {
            for (size_t at = html.find("atob('"); at != std::string::npos; at = html.find("atob('", at + 1))
                html.replace(at, 6, "atob(\"");
        }
        res.set_content(html, "text/html");
    });
    FHttp.Start();
}

std::vector<std::string> TFakeProxyList::Queries() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FQueries;
}

} // namespace qx::fake
