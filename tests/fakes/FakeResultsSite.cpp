#include "FakeResultsSite.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <regex>
#include <sstream>

#include "HttpHeaders.h"

namespace qx::fake {
namespace {

std::string Unquoted(std::string s) {
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
    return s;
}

std::vector<std::string> Split(const std::string& line, char sep) {
    std::vector<std::string> parts;
    std::stringstream in(line);
    std::string part;
    while (std::getline(in, part, sep)) parts.push_back(part);
    return parts;
}

std::string DateText(int date) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d/%02d/%04d", date / 100 % 100, date % 100, date / 10000);
    return b;
}

} // namespace

std::vector<TFakeDay> DaysFromCsv(const std::string& csvText, size_t maxLines) {
    std::vector<TFakeDay> days;
    std::stringstream in(csvText);
    std::string line;
    size_t count = 0;
    while (std::getline(in, line) && (maxLines == 0 || count < maxLines)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto f = Split(line, ';');
        if (f.size() < 6) continue;
        ++count;
        const std::string label = Unquoted(f[1]);  // "mm/dd/yyyy M"
        if (label.size() < 12) continue;
        const int date = std::stoi(label.substr(6, 4)) * 10000 + std::stoi(label.substr(0, 2)) * 100 +
                         std::stoi(label.substr(3, 2));
        const std::string digits = f[2] + " - " + f[3] + " - " + f[4] + " - " + f[5];
        if (days.empty() || days.back().Date != date) days.push_back({date, "-", "-"});
        (label[11] == 'M' ? days.back().Midday : days.back().Evening) = digits;
    }
    return days;
}

std::vector<TFakeDay> DaysFromCsvFile(const std::string& path, size_t maxLines) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return DaysFromCsv(s.str(), maxLines);
}

std::vector<TFakeDay> SyntheticDays(int first, int last) {
    std::vector<TFakeDay> days;
    std::tm t{};
    t.tm_year = first / 10000 - 1900;
    t.tm_mon = first / 100 % 100 - 1;
    t.tm_mday = first % 100;
    t.tm_hour = 12;
    for (int i = 0;; ++i) {
        std::tm day = t;
        day.tm_mday += i;
        std::mktime(&day);
        const int date = (day.tm_year + 1900) * 10000 + (day.tm_mon + 1) * 100 + day.tm_mday;
        if (date > last) break;
        auto text = [](int v) {
            return std::to_string(v % 10) + " - " + std::to_string(v / 10 % 10) + " - " +
                   std::to_string(v / 100 % 10) + " - " + std::to_string(v / 1000 % 10);
        };
        days.push_back({date, text(i * 7), text(i * 7 + 3)});
    }
    return days;
}

std::string CsvOfDays(const std::vector<TFakeDay>& days) {
    std::string csv;
    int number = 0;
    for (const TFakeDay& d : days) {
        for (const auto& [cell, letter] : {std::pair{d.Midday, " M"}, std::pair{d.Evening, " E"}}) {
            if (cell == "-") continue;
            csv += std::to_string(++number) + ";\"" + DateText(d.Date) + letter + "\"";
            for (int p = 0; p < 4; ++p) csv += ";" + cell.substr(static_cast<size_t>(p) * 4, 1);
            csv += "\r\n";
        }
    }
    return csv;
}

std::string ResultsPageHtml(const std::vector<TFakeDay>& days) {
    std::string page = "<!DOCTYPE html><html><head><title>Winning numbers</title></head><body>\n"
                       "<nav>Games</nav>\n<section class=\"winningNumbersResults\">\n<h2>Results</h2>\n"
                       "<table class=\"results\"><thead><tr><th>Draw date</th><th>Day</th><th>Night</th></tr>"
                       "</thead><tbody>\n";
    page.reserve(page.size() + days.size() * 120);
    for (const TFakeDay& d : days) {
        page += "<tr class=\"row\"><td><div>" + DateText(d.Date) + "</div></td><td><div>" + d.Midday +
                "</div></td><td><div>" + d.Evening + "</div></td></tr>\n";
    }
    page += "</tbody></table>\n</section>\n<footer id=\"footerMain\">Contact</footer></body></html>\n";
    return page;
}

TFakeResultsSite::TFakeResultsSite(std::vector<TFakeDay> days, const TTlsFiles* tls, int port)
    : FDays(std::move(days)), FHttp(tls) {
    FHttp.Server().Get("/site/winningNumberSearch",
                       [this](const httplib::Request& req, httplib::Response& res) { Answer(req, res); });
    FHttp.Start(port);
}

std::vector<std::pair<int, int>> TFakeResultsSite::Ranges() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FRanges;
}

std::vector<std::string> TFakeResultsSite::Refusals() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FRefusals;
}

void TFakeResultsSite::Answer(const httplib::Request& req, httplib::Response& res) {
    static const std::regex query(
        "/site/winningNumberSearch\\?searchTypeIn=range&gameNameIn=[^&]+&singleDateIn=&"
        "fromDateIn=(\\d\\d)%2F(\\d\\d)%2F(\\d\\d\\d\\d)&toDateIn=(\\d\\d)%2F(\\d\\d)%2F(\\d\\d\\d\\d)&"
        "n1In=&n2In=&n3In=&n4In=&n5In=&submitForm=Submit");
    std::smatch m;
    std::string refusal = CommonHeadersProblem(req.headers);
    if (refusal.empty() && !std::regex_match(req.target, m, query)) refusal = "unexpected query " + req.target;
    if (!refusal.empty()) {
        std::lock_guard<std::mutex> lock(FLock);
        FRefusals.push_back(refusal);
        res.status = 400;
        res.set_content(refusal, "text/plain");
        return;
    }
    auto number = [&](int y, int mo, int d) {
        return std::stoi(m[y].str()) * 10000 + std::stoi(m[mo].str()) * 100 + std::stoi(m[d].str());
    };
    const int from = number(3, 1, 2), to = number(6, 4, 5);
    {
        std::lock_guard<std::mutex> lock(FLock);
        FRanges.emplace_back(from, to);
    }
    std::vector<TFakeDay> days;
    for (const TFakeDay& d : FDays)
        if (FOptions.IgnoreDates || (d.Date >= from && d.Date <= to)) days.push_back(d);
    if (FOptions.NewestFirst) std::reverse(days.begin(), days.end());
    std::string page = ResultsPageHtml(days);
    if (FOptions.Transform) page = FOptions.Transform(page);
    res.status = FOptions.Status;
    res.set_content(page, "text/html; charset=utf-8");
}

} // namespace qx::fake
