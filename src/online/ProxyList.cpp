#include "online/ProxyList.h"

#include <algorithm>
#include <optional>

#include "core/Base64.h"
#include "core/Error.h"
#include "core/Text.h"
#include "core/TextBetween.h"
#include "core/UrlEncode.h"
#include "online/HttpClient.h"
#include "online/OnlineSettings.h"

namespace qx {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "\x4d\x43..." -> "MC..."; none when anything else is in the text.
std::optional<std::string> Unescape(std::string_view text) {
    if (text.empty() || text.size() % 4 != 0) return std::nullopt;
    std::string out;
    for (size_t i = 0; i < text.size(); i += 4) {
        if (text[i] != '\\' || text[i + 1] != 'x') return std::nullopt;
        const int hi = HexValue(text[i + 2]), lo = HexValue(text[i + 3]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
    }
    return out;
}

bool HostCharacters(std::string_view host) {
    return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
    });
}

// The text between start and the next end after it, untouched; none when either is missing.
std::optional<std::string_view> RawBetween(std::string_view text, std::string_view start, std::string_view end) {
    const size_t s = FindNoCase(text, start);
    if (s == std::string_view::npos) return std::nullopt;
    const size_t e = FindNoCase(text, end, s + start.size());
    if (e == std::string_view::npos) return std::nullopt;
    return text.substr(s + start.size(), e - s - start.size());
}

int PortOffset(std::string_view page) {
    constexpr std::string_view marker = "<div style=\"display:none\" data-";
    const size_t element = FindNoCase(page, marker);
    if (element == std::string_view::npos) return 0;
    auto value = RawBetween(page.substr(element + marker.size()), "=\"", "\"");
    return value ? StrToIntDef(*value, 0) : 0;
}

std::optional<std::string> ReadRow(std::string_view row, int portOffset) {
    auto script = RawBetween(row, "<script>", "</script>");
    if (!script) return std::nullopt;
    auto declaration = RawBetween(*script, "var", "split");
    if (!declaration) return std::nullopt;
    auto reversed = RawBetween(*declaration, "'", "'");
    if (!reversed) return std::nullopt;
    std::string host(reversed->rbegin(), reversed->rend());
    auto escaped = RawBetween(*script, "atob('", "'");
    if (!escaped) return std::nullopt;
    auto base64 = Unescape(*escaped);
    if (!base64) return std::nullopt;
    auto tail = DecodeBase64(*base64);
    if (!tail) return std::nullopt;
    host += *tail;
    auto statement = RawBetween(*script, "pp =", ";");
    if (!statement) return std::nullopt;
    auto number = RawBetween(*statement, "(", " ");
    if (!number) return std::nullopt;
    auto portPart = TryStrToInt(*number);
    if (!portPart) return std::nullopt;
    const int64_t port = static_cast<int64_t>(portOffset) + *portPart;
    if (!HostCharacters(host) || port < 1 || port > 65535) return std::nullopt;
    return host + ":" + std::to_string(port);
}

} // namespace

TProxyListQuery ProxyQueryFor(std::string_view target) {
    TProxyListQuery q;
    q.Protocols = target.substr(0, 8) == "https://" ? 2 : 3;
    return q;
}

std::string ProxyListQueryText(const TProxyListQuery& query, int page) {
    std::vector<std::string> keys;
    static const char* protocols[] = {"http", "https", "socks4", "socks5"};
    for (int bit = 0; bit < 4; ++bit)
        if (query.Protocols & (1 << bit)) keys.push_back(std::string("protocol=") + protocols[bit]);
    for (int bit = 0; bit < 4; ++bit)
        if (query.Anonymity & (1 << bit)) keys.push_back("anonlvl=" + std::to_string(bit + 1));
    for (const std::string& country : query.Countries) keys.push_back("country=" + UrlEncode(country));
    if (query.MinUptime > 0) keys.push_back("min_uptime=" + std::to_string(query.MinUptime));
    if (query.MaxResponseMs > 0) keys.push_back("max_response_time=" + std::to_string(query.MaxResponseMs / 1000));
    if (page > 1) keys.push_back("offset=" + std::to_string((page - 1) * kProxyListPageRows));
    std::string text;
    for (const std::string& k : keys) text += (text.empty() ? "" : "&") + k;
    return text;
}

std::string ProxyListPageAddress(std::string_view listUrl, const TProxyListQuery& query, int page) {
    const std::string q = ProxyListQueryText(query, page);
    return std::string(Trim(listUrl)) + (q.empty() ? "" : "?" + q);
}

TProxyListPage ParseProxyListPage(std::string_view page, int portFilter) {
    TProxyListPage result;
    auto body = RawBetween(page, "<tbody>", "</tbody>");
    if (!body) return result;
    const int offset = PortOffset(page);
    size_t at = FindNoCase(*body, "<tr>");
    while (at != std::string_view::npos) {
        const size_t next = FindNoCase(*body, "<tr>", at + 4);
        std::string_view row = body->substr(at + 4, next == std::string_view::npos ? std::string_view::npos : next - at - 4);
        ++result.Rows;
        if (auto candidate = ReadRow(row, offset)) {
            const bool portMatches =
                portFilter == 0 || candidate->substr(candidate->rfind(':') + 1) == std::to_string(portFilter);
            if (portMatches) result.Candidates.push_back(*candidate);
        }
        at = next;
    }
    return result;
}

std::vector<std::string> DiscoverProxies(THttpClient& client, std::string_view listUrl, std::string_view target) {
    if (Trim(listUrl).empty()) throw TAppError(kNoServerAddress);
    const TProxyListQuery query = ProxyQueryFor(target);
    std::vector<std::string> found;
    for (int page = 1; static_cast<int>(found.size()) < kProxyCandidatesWanted; ++page) {
        const TProxyListPage list = ParseProxyListPage(client.Get(ProxyListPageAddress(listUrl, query, page)), query.Port);
        bool added = false;
        for (const std::string& c : list.Candidates) {
            if (static_cast<int>(found.size()) >= kProxyCandidatesWanted) break;
            if (std::find(found.begin(), found.end(), c) != found.end()) continue;
            found.push_back(c);
            added = true;
        }
        // A page that ignores the offset, or whose rows cannot be read, would be asked for ever.
        if (list.Rows < kProxyListPageRows || !added) break;
    }
    return found;
}

} // namespace qx
