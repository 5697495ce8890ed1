// Reading the script library's list: an answer of N rows (as the catalogue sends them, Base64
// titles and descriptions, UTC dates) read into entries. The reader moves a position through the
// answer, so the time must grow with the answer's length, not with the square of the rows.
#include <benchmark/benchmark.h>

#include <string>

#include "core/Base64.h"
#include "online/CatalogueAnswer.h"
#include "online/CatalogueClient.h"
#include "online/ScriptCatalogue.h"

using namespace qx;

namespace {

std::string El(const char* name, const std::string& text) {
    return std::string("<") + name + ">" + text + "</" + name + ">";
}

std::string ListAnswer(int rows) {
    std::string text = "<result>";
    for (int i = 1; i <= rows; ++i) {
        const std::string n = std::to_string(i);
        text += "<row>" + El("id", n) + El("key_cl_name", "Автор " + n) + El("key_cl_mail", "user" + n + "@example.org") +
                El("key_cl_lcid", "1049") + El("app_name", "Quadrix_4d10") + El("app_ver", "1.0.0." + n) +
                El("app_guid", "{5B7E2C94-31D8-4A6F-9E02-C4A18F6D3B70}") + El("uniapps", "0") + El("publics", "1") +
                El("created", "2024-05-01 22:00:00") + El("rating_avg", "3.750") + El("rating_cnt", "4") +
                El("rating_you", "0") + El("downloads", n) + El("last_download", "2024-06-01 10:00:00") +
                El("title", EncodeBase64("Сценарий номер " + n)) +
                El("descr", EncodeBase64("Описание сценария " + n + ": два фильтра по суммам и каналам")) + "</row>";
    }
    return text + "</result>";
}

void ReadList(benchmark::State& state) {
    const std::string answer = ListAnswer(static_cast<int>(state.range(0)));
    const TCatalogueIdentity me{"{5B7E2C94-31D8-4A6F-9E02-C4A18F6D3B70}", "1.0.0.0", "Я", "user1@example.org", 1049};
    for (auto _ : state) {
        const TCatalogueAnswer read = ReadCatalogueAnswer(answer);
        std::vector<tScriptInfo> entries;
        entries.reserve(read.Rows.size());
        for (const TCatalogueRow& row : read.Rows) entries.push_back(ScriptInfoFromRow(row, me));
        benchmark::DoNotOptimize(entries.data());
        if (entries.size() != static_cast<size_t>(state.range(0))) state.SkipWithError("rows lost");
    }
    state.counters["bytes"] = static_cast<double>(answer.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(ReadList)->Arg(1000)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

BENCHMARK_MAIN();
