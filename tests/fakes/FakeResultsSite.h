#pragma once
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FakeHttpServer.h"

namespace qx::fake {

// One day of the operator's results: "4 - 4 - 0 - 7" texts, "-" for a draw not held.
struct TFakeDay {
    int Date = 0;  // yyyymmdd
    std::string Midday = "-";
    std::string Evening = "-";
};

// Days from a draws CSV of the program's export form: number;"mm/dd/yyyy M";d1;d2;d3;d4.
std::vector<TFakeDay> DaysFromCsv(const std::string& csvText, size_t maxLines = 0);
std::vector<TFakeDay> DaysFromCsvFile(const std::string& path, size_t maxLines = 0);

// Days from first to last (yyyymmdd), both draws held, digits varying with the day.
std::vector<TFakeDay> SyntheticDays(int first, int last);
// The days as a draws CSV numbered from 1 (the inverse of DaysFromCsv).
std::string CsvOfDays(const std::vector<TFakeDay>& days);

// The results page markup the program reads, over the given days in the given order.
std::string ResultsPageHtml(const std::vector<TFakeDay>& days);

// The operator's results-search page on 127.0.0.1. It answers only the exact query the program
// must send (key order, dates with "%2F", the common headers) and 400 with the reason otherwise.
class TFakeResultsSite {
public:
    struct TOptions {
        bool IgnoreDates = false;  // every day, whatever the range
        bool NewestFirst = false;
        int Status = 200;
        // Changes the page before it is sent (cut it, drop markers, ...).
        std::function<std::string(std::string)> Transform;
    };

    explicit TFakeResultsSite(std::vector<TFakeDay> days, const TTlsFiles* tls = nullptr, int port = 0);
    TOptions& Options() { return FOptions; }
    TFakeHttpServer& Http() { return FHttp; }
    std::string BaseUrl() const { return FHttp.BaseUrl(); }
    // The ranges asked for, in order, as yyyymmdd pairs.
    std::vector<std::pair<int, int>> Ranges() const;
    // Why requests were refused (empty when every request was right).
    std::vector<std::string> Refusals() const;

private:
    void Answer(const httplib::Request& req, httplib::Response& res);

    std::vector<TFakeDay> FDays;
    TOptions FOptions;
    mutable std::mutex FLock;
    std::vector<std::pair<int, int>> FRanges;
    std::vector<std::string> FRefusals;
    TFakeHttpServer FHttp;
};

} // namespace qx::fake
