#include "draws/ResultsPage.h"

#include <algorithm>
#include <cstdio>

#include "core/ArchiveQueries.h"
#include "core/DateTime.h"
#include "core/Text.h"
#include "core/TextBetween.h"
#include "core/UrlEncode.h"

namespace qx {
namespace {

std::string UpperAscii(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// yyyymmdd of a real "mm/dd/yyyy" date; 0 otherwise. Anything looser would be stored as a label
// that later date arithmetic cannot read.
int ResultDateNumber(std::string_view text) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') return 0;
    std::string_view mm = text.substr(0, 2), dd = text.substr(3, 2), yyyy = text.substr(6, 4);
    if (!AllDigits(mm) || !AllDigits(dd) || !AllDigits(yyyy)) return 0;
    const int month = std::stoi(std::string(mm)), day = std::stoi(std::string(dd)), year = std::stoi(std::string(yyyy));
    if (year < 1900 || !IsValidDate(year, month, day)) return 0;
    return year * 10000 + month * 100 + day;
}

enum class TResultKind { NotDrawn, Bad, Digits };

// Four numbers separated by "-", blanks around them allowed; a word that is no number reads 0.
TResultKind ReadResult(std::string_view text, uint8_t (&digits)[kPositions]) {
    text = Trim(text);
    if (text.empty() || text == "-") return TResultKind::NotDrawn;
    int count = 0;
    size_t start = 0;
    while (true) {
        const size_t dash = text.find('-', start);
        std::string_view word = text.substr(start, dash == std::string_view::npos ? std::string_view::npos : dash - start);
        if (count == kPositions) return TResultKind::Bad;
        const int value = StrToIntDef(Trim(word), 0);
        if (value < 0 || value >= kDigitCount) return TResultKind::Bad;
        digits[count++] = static_cast<uint8_t>(value);
        if (dash == std::string_view::npos) break;
        start = dash + 1;
    }
    return count == kPositions ? TResultKind::Digits : TResultKind::Bad;
}

struct TCollected {
    int Date;
    int Half;  // 0 midday, 1 evening
    TDrawRecord Draw;
};

} // namespace

std::string ResultsDateText(int dateNumber) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2d%%2F%.2d%%2F%.4d", dateNumber / 100 % 100, dateNumber % 100,
                  dateNumber / 10000);
    return buffer;
}

std::string ResultsQuery(std::string_view gameName, int from, int to) {
    std::string q = "searchTypeIn=range&gameNameIn=" + UrlEncode(gameName);
    q += "&singleDateIn=&fromDateIn=" + ResultsDateText(from) + "&toDateIn=" + ResultsDateText(to);
    q += "&n1In=&n2In=&n3In=&n4In=&n5In=&submitForm=Submit";
    return q;
}

std::string ResultsPageAddress(std::string_view base, std::string_view gameName, int from, int to) {
    std::string address(Trim(base));
    if (address.find("://") == std::string::npos) address = "http://" + address;
    while (!address.empty() && address.back() == '/') address.pop_back();
    return address + kResultsPagePath + "?" + ResultsQuery(gameName, from, to);
}

std::vector<TResultsDay> ParseResultsPage(std::string_view page) {
    const std::string region =
        ExtractBetween(page, "<section class=\"winningNumbersResults\">", "<footer id=\"footerMain\">");
    const std::string body = ExtractBetween(region, "</thead><tbody>", "</tbody></table>");
    std::vector<TResultsDay> days;
    TTextCursor rows(body);
    while (auto row = rows.CutBetween("<tr", "</tr>")) {
        TTextCursor cells(*row);
        TResultsDay day;
        day.Date = cells.CutBetween("<div>", "</div>").value_or("");
        day.Midday = cells.CutBetween("<div>", "</div>").value_or("");
        day.Evening = cells.CutBetween("<div>", "</div>").value_or("");
        days.push_back(std::move(day));
    }
    return days;
}

TDrawLabelIndex::TDrawLabelIndex(const TDrawsArray& draws) {
    FLabels.reserve(draws.size() * 2);
    for (const TDrawRecord& d : draws) FLabels.insert(UpperAscii(d.RawLabel()));
}

bool TDrawLabelIndex::Contains(std::string_view label) const { return FLabels.count(UpperAscii(label)) > 0; }

void TDrawLabelIndex::Add(std::string_view label) { FLabels.insert(UpperAscii(label)); }

TNewDraws CollectNewDraws(const std::vector<TResultsDay>& days, const TDrawsArray& archive, int from, int to) {
    TDrawLabelIndex stored(archive);
    std::vector<TCollected> collected;
    TNewDraws result;
    for (const TResultsDay& day : days) {
        const std::string_view dateText = Trim(day.Date);
        const int date = ResultDateNumber(dateText);
        const std::string_view cells[2] = {day.Midday, day.Evening};
        for (int half = 0; half < 2; ++half) {
            uint8_t digits[kPositions] = {};
            const TResultKind kind = ReadResult(cells[half], digits);
            if (kind == TResultKind::NotDrawn) continue;
            if (date == 0 || kind == TResultKind::Bad) {
                ++result.Skipped;
                continue;
            }
            if (date < from || date > to) continue;
            const std::string label = std::string(dateText) + (half == 0 ? " M" : " E");
            if (stored.Contains(label)) continue;
            stored.Add(label);
            TCollected c{date, half, {}};
            std::copy(std::begin(digits), std::end(digits), c.Draw.Digits);
            c.Draw.SetDateLabel(label);
            collected.push_back(c);
        }
    }
    // Appended oldest first even from a page that lists the newest first.
    std::stable_sort(collected.begin(), collected.end(), [](const TCollected& a, const TCollected& b) {
        return a.Date != b.Date ? a.Date < b.Date : a.Half < b.Half;
    });
    // Numbers go on from the newest draw's: after a deletion the archive length is no longer free.
    int32_t number = NextDrawNumber(archive, 0);
    for (TCollected& c : collected) {
        c.Draw.Number = number++;
        result.Draws.push_back(c.Draw);
    }
    return result;
}

} // namespace qx
