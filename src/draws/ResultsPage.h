#pragma once
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/Game.h"

namespace qx {

// The operator's results-search page: the request of one date range and the reading of its answer.

inline constexpr const char* kResultsPagePath = "/site/winningNumberSearch";

// "03%2F07%2F2019" for 20190307: the slashes arrive already encoded, exactly so.
std::string ResultsDateText(int dateNumber);
// The query of the range [from, to] (yyyymmdd), keys in the order the page expects.
std::string ResultsQuery(std::string_view gameName, int from, int to);
// base is scheme, host and port ("http://" is assumed without a scheme); the page path and the
// query follow it.
std::string ResultsPageAddress(std::string_view base, std::string_view gameName, int from, int to);

// One table row of the page: the date and the two result cells as they stand.
struct TResultsDay {
    std::string Date;
    std::string Midday;
    std::string Evening;
};

// The rows of the results table in page order. A page without the results region or without the
// table body has none; a region or table body or row that does not end raises the marker-pair error.
std::vector<TResultsDay> ParseResultsPage(std::string_view page);

// Labels of an archive, letter case ignored, for the "already stored" test.
class TDrawLabelIndex {
public:
    explicit TDrawLabelIndex(const TDrawsArray& draws);
    bool Contains(std::string_view label) const;
    void Add(std::string_view label);

private:
    std::unordered_set<std::string> FLabels;
};

struct TNewDraws {
    TDrawsArray Draws;  // ready to append: numbered on from the newest draw, oldest first
    int Skipped = 0;    // results that could not be read: a bad date, not four numbers, a number outside 0..9
};

// The results of days inside [from, to] that the archive does not hold yet. A result that is empty
// or "-" has not been drawn yet and is passed over; results outside the range are not new draws
// (a page that ignores the dates repeats old ones).
TNewDraws CollectNewDraws(const std::vector<TResultsDay>& days, const TDrawsArray& archive, int from, int to);

} // namespace qx
