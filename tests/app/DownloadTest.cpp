#include "app/DownloadFixture.h"

#include "RawResponder.h"
#include "core/ArchiveQueries.h"

using namespace qx;
using namespace qx::test;
using namespace qx::fake;

namespace {

std::string FirstLines(const std::filesystem::path& file, size_t n) {
    std::ifstream in(file, std::ios::binary);
    std::string line, out;
    for (size_t i = 0; i < n && std::getline(in, line); ++i) out += line + "\n";
    return out;
}

constexpr const char* kQuestionHead = "Ошибка загрузки архива тиражей с сайта: \"";
constexpr const char* kQuestionTail = "\"\r\rПовторить попытку?";

} // namespace

using Download = DownloadFixture;

TEST_F(Download, TheRealArchiveIsCompletedRangeByRangeAndASecondDownloadAddsNothing) {
    QX_REQUIRE_REAL_ARCHIVE();
    TFakeResultsSite site(DaysFromCsvFile(RealArchiveCsv().string()));
    StartAt(20150831);
    WriteBytes(Dir / "first.csv", FirstLines(RealArchiveCsv(), 13000));
    ASSERT_EQ(Ws->ImportDraws(Dir / "first.csv").Added, 13000);
    const int firstFrom = DateNumberAtRow(Ws->Draws(), 0, 0);
    Configure(site.BaseUrl());

    EXPECT_EQ(Ws->DrawsDownload(), 788);
    EXPECT_TRUE(Shell.Messages.empty());
    EXPECT_TRUE(site.Refusals().empty()) << site.Refusals().front();
    Ws->ExportDraws(Dir / "all.csv");
    EXPECT_TRUE(ReadBytes(Dir / "all.csv") == ReadBytes(RealArchiveCsv()));
    // Each range starts at the newest stored date, at most 100 days long, the last ends today.
    const auto ranges = site.Ranges();
    ASSERT_GE(ranges.size(), 4u);
    EXPECT_EQ(ranges.front().first, firstFrom);
    for (size_t i = 0; i < ranges.size(); ++i) {
        EXPECT_EQ(ranges[i].second, std::min(AddDays(ranges[i].first, 99), 20150831));
        if (i > 0) {
            EXPECT_TRUE(ranges[i].first <= ranges[i - 1].second && ranges[i].first > ranges[i - 1].first);
        }
    }
    EXPECT_EQ(ranges.back().second, 20150831);
    EXPECT_EQ(Ws->LastDownload().Ranges.size(), ranges.size());
    // The file was saved: a new run reads the whole archive.
    Restart();
    EXPECT_EQ(Ws->Draws().size(), 13788u);

    Ws->SetClock([] { return 20150831; });
    EXPECT_EQ(Ws->DrawsDownload(), 0);
    EXPECT_EQ(site.Ranges().size(), ranges.size() + 1);
    EXPECT_EQ(site.Ranges().back(), std::make_pair(20150830, 20150831));
}

TEST_F(Download, RangesOfAnEmptyArchiveAndOfAnArchiveEndingToday) {
    TFakeResultsSite site({});
    StartAt(20200101);
    Configure(site.BaseUrl());
    Shell.Statuses.clear();
    EXPECT_EQ(Ws->DrawsDownload(), 0);
    EXPECT_EQ(site.Ranges(), (std::vector<std::pair<int, int>>{{19910704, 19911011}}));
    EXPECT_EQ(Shell.Statuses.front(), "Загрузка архива тиражей...");
    EXPECT_NE(std::find(Shell.Statuses.begin(), Shell.Statuses.end(), "Загрузка тиражей 07/04/1991 E - 10/11/1991 E..."),
              Shell.Statuses.end());
    EXPECT_EQ(Shell.Waits, (std::vector<std::string>{"Загрузка архива тиражей...", "Загрузка архива тиражей...", ""}));

    const auto days = SyntheticDays(20200101, 20200103);
    TFakeResultsSite today(days);
    Restart();
    Ws->SetClock([] { return 20200103; });
    Configure(today.BaseUrl());
    for (const auto& d : DrawsOfDays(days)) Ws->AddDraw(d);
    EXPECT_EQ(Ws->DrawsDownload(), 0);
    EXPECT_EQ(today.Ranges(), (std::vector<std::pair<int, int>>{{20200103, 20200103}}));
    Ws->SetClock([] { return 20200102; });  // the newest draw lies after today: nothing is asked
    Ws->DrawsDownload();
    EXPECT_EQ(today.Ranges().size(), 1u);
}

TEST_F(Download, PagesThatIgnoreDatesOrListTheNewestFirstAddOnlyTheMissingDrawsInOrder) {
    const auto days = SyntheticDays(20150101, 20150420);
    const TDrawsArray all = DrawsOfDays(days);
    for (int variant = 0; variant < 2; ++variant) {
        TFakeResultsSite site(days);
        (variant == 0 ? site.Options().IgnoreDates : site.Options().NewestFirst) = true;
        TTempDir dir;
        TRecordingShell shell;
        TWorkspaceOptions o;
        o.ProgramDir = dir.Path();
        WriteDrawsFile(dir / "Quadrix_4d10.ldr", TDrawsArray(all.begin(), all.begin() + 40));
        TWorkspace ws(shell, o);
        ws.StartFirstStage();
        ASSERT_TRUE(ws.StartSecondStage());
        ws.SetClock([] { return 20150420; });
        UpdateIniFile(dir / "Quadrix_4d10.ini", [&](TIniFile& ini) { ini.WriteString("ONLINE", "ResultsPageUrl", site.BaseUrl()); });
        EXPECT_EQ(ws.DrawsDownload(), static_cast<int>(all.size()) - 40) << variant;
        ASSERT_EQ(ws.Draws().size(), all.size());
        for (size_t i = 0; i < all.size(); ++i) {
            ASSERT_EQ(ws.Draws()[i].DateLabel(), all[i].DateLabel()) << variant << " " << i;
            ASSERT_EQ(ws.Draws()[i].Number, all[i].Number);
        }
    }
}

TEST_F(Download, NewDrawsAreNumberedOnFromTheNewestAfterADeletion) {
    const auto days = SyntheticDays(20150101, 20150110);
    TDrawsArray stored = DrawsOfDays(days);
    stored.resize(10);
    stored.erase(stored.begin() + 3);  // numbers 1..10 without 4
    TFakeResultsSite site(days);
    StartAt(20150110, stored);
    Configure(site.BaseUrl());
    // A stake on the next draw is checked once the download brings it.
    ASSERT_TRUE(Ws->StakeAdd(Ws->ProposedStake(MakeCode(1, 2, 3, 4)), 1));
    EXPECT_EQ(Ws->DrawsDownload(), 10);
    EXPECT_EQ(Ws->Draws()[9].Number, 11);
    EXPECT_EQ(Ws->Draws().back().Number, 20);
    EXPECT_EQ(Ws->Draws()[9].DateLabel(), "01/06/2015 M");
    EXPECT_EQ(Ws->LastCheckedCount(), 1);
}

TEST_F(Download, EveryFailureEndsInTheQuestionAndLeavesTheFilesAsTheyWere) {
    const auto days = SyntheticDays(20150101, 20150120);
    TDrawsArray stored = DrawsOfDays(days);
    stored.resize(20);
    const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    struct TCase {
        const char* Name;
        std::function<std::string(TFakeResultsSite&)> Setup;  // returns the address to configure
    };
    std::vector<std::unique_ptr<TRawResponder>> raws;
    auto raw = [&](TRawResponder::TScript script) {
        raws.push_back(std::make_unique<TRawResponder>(std::move(script)));
        return raws.back()->BaseUrl();
    };
    TFakeHttpServer loop;
    loop.Server().Get("/site/winningNumberSearch",
                      [](const httplib::Request& req, httplib::Response& res) { res.set_redirect(req.target); });
    loop.Start();
    const std::vector<TCase> cases = {
        {"missing end of the table", [](TFakeResultsSite& s) {
             s.Options().Transform = [](std::string p) { return p.replace(p.find("</tbody></table>"), 16, "</tbody>"); };
             return s.BaseUrl();
         }},
        {"status 500", [](TFakeResultsSite& s) { s.Options().Status = 500; return s.BaseUrl(); }},
        {"refused port", [](TFakeResultsSite&) { return "http://127.0.0.1:" + std::to_string(ClosedPort()); }},
        {"stall", [&](TFakeResultsSite&) { return raw(TRawResponder::Silent()); }},
        {"short body", [&](TFakeResultsSite&) { return raw(TRawResponder::Reply("HTTP/1.1 200 OK\r\nContent-Length: 99\r\n\r\n<html>")); }},
        {"cut chunk", [&](TFakeResultsSite&) { return raw(TRawResponder::Reply(chunked + "400\r\n<html>")); }},
        {"garbage status line", [&](TFakeResultsSite&) { return raw(TRawResponder::Reply("OK THEN\r\n\r\n")); }},
        {"oversized", [&](TFakeResultsSite& s) { Ws->HttpOptions().MaxBodyBytes = 1000; return s.BaseUrl(); }},
        {"redirect loop", [&](TFakeResultsSite&) { return loop.BaseUrl(); }},
        {"not configured", [](TFakeResultsSite&) { return std::string(); }},
    };
    for (const TCase& c : cases) {
        TFakeResultsSite site(days);
        StartAt(20150120, stored);
        Configure(c.Setup(site));
        const std::string ldr = FileBytes("Quadrix_4d10.ldr"), ini = FileBytes("Quadrix_4d10.ini"),
                          frm = FileBytes("Quadrix_4d10.frm");
        Shell.Messages.clear();
        Shell.Answers = {false};
        EXPECT_EQ(Ws->DrawsDownload(), 0) << c.Name;
        ASSERT_EQ(Questions().size(), 1u) << c.Name;
        const std::string q = Questions()[0];
        EXPECT_EQ(q.rfind(kQuestionHead, 0), 0u) << c.Name;
        EXPECT_EQ(q.substr(q.size() - std::string(kQuestionTail).size()), kQuestionTail) << c.Name;
        EXPECT_GT(q.size(), std::string(kQuestionHead).size() + std::string(kQuestionTail).size()) << c.Name;
        if (std::string(c.Name) == "not configured") {
            EXPECT_NE(q.find("Адрес сервера не задан"), std::string::npos);
        }
        EXPECT_TRUE(Ws->LastDownload().Failed);
        EXPECT_EQ(Ws->Draws().size(), 20u) << c.Name;
        EXPECT_TRUE(FileBytes("Quadrix_4d10.ldr") == ldr && FileBytes("Quadrix_4d10.ini") == ini &&
                    FileBytes("Quadrix_4d10.frm") == frm)
            << c.Name;
        EXPECT_EQ(Shell.BusyDepth(), 0);
        Ws.reset();
        raws.clear();
    }
}

TEST_F(Download, RangesSavedBeforeAFailureStayAndYesTriesAgainFromThere) {
    const auto days = SyntheticDays(20150101, 20150530);
    TDrawsArray stored = DrawsOfDays(days);
    stored.resize(20);  // up to 01/10/2015
    TFakeResultsSite site(days);
    int pages = 0;
    site.Options().Transform = [&](std::string p) { return ++pages == 2 ? p.substr(0, p.size() / 2) : p; };
    StartAt(20150530, stored);
    Configure(site.BaseUrl());
    Shell.Answers = {false};
    EXPECT_EQ(Ws->DrawsDownload(), 198);  // 01/11 .. 04/19
    EXPECT_EQ(Ws->Draws().back().DateLabel(), "04/19/2015 E");
    Restart();
    EXPECT_EQ(Ws->Draws().size(), 218u);

    // The same cut once more, answered Yes: the next attempt goes on from the saved draws.
    Ws->SetClock([] { return 20150530; });
    pages = 1;
    Shell.Messages.clear();
    Shell.Answers = {true};
    EXPECT_EQ(Ws->DrawsDownload(), 82);
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_EQ(Ws->Draws().back().DateLabel(), "05/30/2015 E");
    EXPECT_EQ(site.Ranges().back(), std::make_pair(20150419, 20150530));
}

TEST_F(Download, APageWithoutResultsEndsQuietlyAndYesReadsTheSettingsAgain) {
    const auto days = SyntheticDays(20150101, 20150120);
    TFakeResultsSite site(days);
    site.Options().Transform = [](std::string) { return std::string("<html><body>Maintenance</body></html>"); };
    StartAt(20150120, DrawsOfDays({days[0]}));
    Configure(site.BaseUrl());
    EXPECT_EQ(Ws->DrawsDownload(), 0);
    EXPECT_TRUE(Shell.Messages.empty());
    EXPECT_FALSE(Ws->LastDownload().Failed);

    // Not configured at first; the address is filled in while the question is open.
    site.Options().Transform = nullptr;
    Configure("");
    Shell.OnMessage = [&](TMessageKind, const std::string&) { Configure(site.BaseUrl()); };
    EXPECT_EQ(Ws->DrawsDownload(), 38);
    EXPECT_EQ(Questions().size(), 1u);
}
