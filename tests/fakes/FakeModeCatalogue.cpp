// quadrix_fake_server catalogue: the catalogue of shared scripts and systems, seeded with a few
// entries of other users so that lists, downloads and ratings have something to show.
#include <cstdio>

#include "FakeCatalogue.h"
#include "FakeModes.h"
#include "TestCa.h"

namespace qx::fake {
namespace {

void Seed(TFakeCatalogue& c, const std::string& appId) {
    const long long day = 24 * 3600;
    TFakeScript a;
    a.Author = "Иван";
    a.AuthorMail = "ivan@example.org";
    a.AppGuid = appId;
    a.Universal = true;
    a.Created = c.Now() - 30 * day;
    a.Title = "Суммы и каналы";
    a.Descr = "Два фильтра по суммам";
    a.Script = "SUMM;1000;1|0|1|2|3|4|5|6|7|8|9|10\r\n";
    const int first = c.AddScript(a);
    TFakeScript b = a;
    b.Author = "Olga";
    b.AuthorMail = "olga@example.org";
    b.Universal = false;
    b.AppGuid = "{00000000-0000-0000-0000-000000000000}";
    b.Title = "Чужой сценарий";
    b.Created = c.Now() - 3600;
    c.AddScript(b);
    TFakeRating r;
    r.ScriptId = first;
    r.Name = "Olga";
    r.Mail = "olga@example.org";
    r.Rate = 4;
    r.Notes = "Работает";
    c.AddRating(r);
    for (int n = 7; n <= 9; ++n) {
        TFakeSystem s;
        s.Nums = n;
        s.Olap = 1;
        s.Title = "Система на " + std::to_string(n) + " чисел";
        s.Descr = "Пример";
        s.Author = "Иван";
        s.Mail = "ivan@example.org";
        s.Created = c.Now() - 2 * day;
        s.Content = "01 02 03 04\r\n02 03 04 05\r\n0" + std::to_string(n - 3) + " 02 03 0" + std::to_string(n);
        s.CSize = 3;
        c.AddSystem(s);
    }
}

int RunCatalogue(std::vector<std::string>& args) {
    const int port = std::stoi(TakeOption(args, "port").value_or("0"));
    const bool tls = TakeFlag(args, "tls");
    const std::string appId = TakeOption(args, "appid").value_or("{5B7E2C94-31D8-4A6F-9E02-C4A18F6D3B70}");
    if (!args.empty()) throw std::runtime_error("catalogue [--port N] [--tls] [--appid ID]");
    TFakeCatalogue catalogue(tls ? &TTestCa::Get().Localhost() : nullptr, port);
    Seed(catalogue, appId);
    std::printf("CatalogueUrl=%s\n", catalogue.BaseUrl().c_str());
    if (tls) std::printf("CaFile=%s\n", TTestCa::Get().CaFile().c_str());
    std::printf("Ctrl+C stops the server.\n");
    std::fflush(stdout);
    WaitForStopSignal();
    for (const TCatalogueCall& call : catalogue.Calls())
        if (!call.Refused.empty()) std::fprintf(stderr, "refused %s: %s\n", call.Path.c_str(), call.Refused.c_str());
    return 0;
}

const TFakeModeRegistrar registrar({"catalogue", "catalogue [--port N] [--tls] [--appid ID]", RunCatalogue});

} // namespace
} // namespace qx::fake
