#include "HttpHeaders.h"

namespace qx::fake {

std::string CommonHeadersProblem(const httplib::Headers& headers) {
    // The fake's own copy of the texts: a change in the program must show here.
    static const std::pair<const char*, const char*> expected[] = {
        {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
        {"Accept-Encoding", "gzip, deflate, sdch"},
        {"User-Agent", "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
                       "Chrome/47.0.2526.80 Safari/537.36"},
    };
    for (const auto& [name, value] : expected) {
        auto it = headers.find(name);
        if (it == headers.end()) return std::string("missing header ") + name;
        if (it->second != value) return std::string("header ") + name + ": " + it->second;
    }
    return {};
}

} // namespace qx::fake
