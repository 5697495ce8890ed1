// quadrix_fake_server results: the operator's results page over a draws CSV.
#include <cstdio>

#include "FakeModes.h"
#include "FakeResultsSite.h"
#include "TestCa.h"

namespace qx::fake {
namespace {

int RunResults(std::vector<std::string>& args) {
    const auto csv = TakeOption(args, "csv");
    const int port = std::stoi(TakeOption(args, "port").value_or("0"));
    const size_t lines = std::stoul(TakeOption(args, "lines").value_or("0"));
    const bool tls = TakeFlag(args, "tls");
    if (!csv || !args.empty()) throw std::runtime_error("results --csv FILE [--port N] [--lines N] [--tls]");
    TFakeResultsSite site(DaysFromCsvFile(*csv, lines), tls ? &TTestCa::Get().Localhost() : nullptr, port);
    std::printf("ResultsPageUrl=%s\n", site.BaseUrl().c_str());
    if (tls) std::printf("CaFile=%s\n", TTestCa::Get().CaFile().c_str());
    std::printf("Ctrl+C stops the server.\n");
    std::fflush(stdout);
    WaitForStopSignal();
    for (const std::string& r : site.Refusals()) std::fprintf(stderr, "refused: %s\n", r.c_str());
    return 0;
}

const TFakeModeRegistrar registrar({"results", "results --csv FILE [--port N] [--lines N] [--tls]", RunResults});

} // namespace
} // namespace qx::fake
