#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class THttpClient;

// What the public proxy-list page is asked for.
struct TProxyListQuery {
    int Protocols = 3;  // bits: 1 http, 2 https, 4 socks4, 8 socks5
    int Anonymity = 0;  // bits 1, 2, 4, 8: levels 1..4; 0 any
    std::vector<std::string> Countries;  // empty: any
    int MinUptime = 75;
    int MaxResponseMs = 10;  // the page takes whole seconds of it
    int Port = 0;            // 0: any
};

// The protocols worth asking for a target: https only for an https target, else http and https.
TProxyListQuery ProxyQueryFor(std::string_view target);

// The query of page p (from 1): keys joined by "&", offset (p - 1) * 15 from the second page on.
std::string ProxyListQueryText(const TProxyListQuery& query, int page);
// The list address followed by "?" and the query (the "?" only when there is a query).
std::string ProxyListPageAddress(std::string_view listUrl, const TProxyListQuery& query, int page);

inline constexpr int kProxyListPageRows = 15;
inline constexpr int kProxyCandidatesWanted = 30;

struct TProxyListPage {
    int Rows = 0;                         // every table row, read or not
    std::vector<std::string> Candidates;  // "host:port" in page order
};

// The rows of one list page. A row whose address or port cannot be read (bad hexadecimal escapes,
// bad Base64, a host with other characters than letters, digits, "." and "-", a port outside
// 1..65535) is passed over; a page of other markup has no rows.
TProxyListPage ParseProxyListPage(std::string_view page, int portFilter = 0);

// Fetches list pages directly (the client has no proxy) until kProxyCandidatesWanted candidates
// are collected, a page has fewer than kProxyListPageRows rows, or a page adds no new candidate.
// Raises when the address is empty or a page cannot be fetched.
std::vector<std::string> DiscoverProxies(THttpClient& client, std::string_view listUrl, std::string_view target);

} // namespace qx
