// Reading the operator's results page: a page of N days (two draws each) parsed, and its results
// matched against the real archive's labels. The walk over the page moves a position; the literal
// way, cutting each row off the head of the text, copies the rest of the page per row and grows
// with the square of the page (timed only on small pages).
#include <benchmark/benchmark.h>

#include <string>

#include "FakeResultsSite.h"
#include "core/DateTime.h"
#include "core/FileIO.h"
#include "core/TextBetween.h"
#include "draws/DrawsCsv.h"
#include "draws/ResultsPage.h"

using namespace qx;

namespace {

std::string Page(int days) {
    return fake::ResultsPageHtml(fake::SyntheticDays(19950101, AddDays(19950101, days - 1)));
}

const TDrawsArray& RealArchive() {
    static const TDrawsArray draws = [] {
        TDrawsArray d;
        AppendDrawsFromCsv(ReadTextFile(QUADRIX_SHARED_DATA "/va_pick4.csv"), d);
        return d;
    }();
    return draws;
}

// The literal row walk: find the markers, then erase the text's head up to the end marker.
size_t LiteralRows(std::string body) {
    size_t rows = 0;
    while (true) {
        const size_t s = FindNoCase(body, "<tr");
        if (s == std::string::npos) break;
        const size_t e = FindNoCase(body, "</tr>", s);
        if (e == std::string::npos) break;
        std::string row = body.substr(s + 3, e - s - 3);
        body.erase(0, e + 5);
        for (int cell = 0; cell < 3; ++cell) {
            const size_t a = FindNoCase(row, "<div>"), b = FindNoCase(row, "</div>", a);
            if (a == std::string::npos || b == std::string::npos) break;
            row.erase(0, b + 6);
        }
        ++rows;
    }
    return rows;
}

void ParsePage(benchmark::State& state) {
    const std::string page = Page(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ParseResultsPage(page));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
    state.counters["draws"] = static_cast<double>(state.range(0) * 2);
}

void ParseAndMatch(benchmark::State& state) {
    const std::string page = Page(static_cast<int>(state.range(0)));
    const TDrawsArray& archive = RealArchive();
    size_t fresh = 0;
    for (auto _ : state) fresh = CollectNewDraws(ParseResultsPage(page), archive, 19950101, 20991231).Draws.size();
    state.counters["draws"] = static_cast<double>(state.range(0) * 2);
    state.counters["new"] = static_cast<double>(fresh);
}

void LiteralWalk(benchmark::State& state) {
    const std::string page = Page(static_cast<int>(state.range(0)));
    const std::string body = ExtractBetween(page, "</thead><tbody>", "</tbody></table>");
    for (auto _ : state) benchmark::DoNotOptimize(LiteralRows(body));
    state.counters["draws"] = static_cast<double>(state.range(0) * 2);
}

} // namespace

BENCHMARK(ParsePage)->Arg(1000)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseAndMatch)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(LiteralWalk)->Arg(1000)->Arg(2500)->Arg(5000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
