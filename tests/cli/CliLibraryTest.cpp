#include <gtest/gtest.h>

#include "CliRun.h"
#include "FakeCatalogue.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "core/Text.h"

using namespace qx;
using namespace qx::test;

namespace {

class CliLibrary : public ::testing::Test {
protected:
    TTempDir Dir;
    fake::TFakeCatalogue Fake;
    int Listed = 0, Foreign = 0;

    void SetUp() override {
        UpdateIniFile(Dir / "Quadrix_4d10.ini", [&](TIniFile& ini) {
            ini.WriteString("ONLINE", "CatalogueUrl", Fake.BaseUrl());
            ini.WriteString("ONLINE", "UserMail", "me@example.org");
        });
        fake::TFakeScript s;
        s.Author = "Автор";
        s.AuthorMail = "a@b.c";
        s.Universal = true;
        s.Title = "Сценарий\tс табуляцией";
        s.Descr = "строка 1\r\nстрока 2";
        s.Script = "L1\nL2\r\nL3 中";
        Listed = Fake.AddScript(s);
        s.Universal = false;
        s.AppGuid = "{another}";
        s.Title = "Чужой";
        Foreign = Fake.AddScript(s);
    }
};

TEST_F(CliLibrary, ListsGetsAndRates) {
    TCliRun run = RunCliIn(Dir, {"library", "list"});
    ASSERT_EQ(run.Code, 0) << run.Err;
    auto lines = OutputLines(run.Out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("ID\tТип\tНазвание\t", 0), 0u);
    EXPECT_EQ(lines[1].rfind(std::to_string(Listed) + "\tОбщий\tСценарий с табуляцией\tАвтор\tУниверсальный\t", 0), 0u)
        << lines[1];
    EXPECT_NE(lines[1].find("строка 1  строка 2"), std::string::npos);
    EXPECT_EQ(Fake.Calls().back().Field("fltid"), "1");

    run = RunCliIn(Dir, {"library", "get", std::to_string(Listed)});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(ReadFileBytes(Dir / "Quadrix_4d10.lss"), "L1\r\nL2\r\nL3 ?\r\n");

    run = RunCliIn(Dir, {"library", "rate", std::to_string(Listed), "5", "--comment", "Отлично"});
    ASSERT_EQ(run.Code, 0) << run.Err;
    ASSERT_EQ(Fake.Ratings().size(), 1u);
    EXPECT_EQ(Fake.Ratings()[0].Notes, "Отлично");
    run = RunCliIn(Dir, {"library", "rate", std::to_string(Listed), "-1"});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(OutputLines(RunCliIn(Dir, {"library", "list"}).Out).size(), 2u);
    lines = OutputLines(RunCliIn(Dir, {"library", "list", "--filter", "-1"}).Out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[1].find("\tСкрытый\t"), std::string::npos);
}

TEST_F(CliLibrary, FailuresExitNonZeroAndLeaveTheScript) {
    WriteFileAtomic(Dir / "Quadrix_4d10.lss", "keep\r\n");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"library", "get", std::to_string(Foreign)},
                                               {"library", "get", "999"},
                                               {"library", "get", "x"},
                                               {"library", "rate", std::to_string(Listed), "6"},
                                               {"library", "list", "--filter", "7"}}) {
        const TCliRun run = RunCliIn(Dir, args);
        EXPECT_NE(run.Code, 0) << args[1] << " " << args[2];
        EXPECT_FALSE(run.Err.empty());
    }
    Fake.SetFault(fake::TCatalogueFault::NoScriptRow, "/scripts/scr_getdata.php");
    EXPECT_NE(RunCliIn(Dir, {"library", "get", std::to_string(Listed)}).Code, 0);
    Fake.SetFault(fake::TCatalogueFault::ServerError);
    const TCliRun run = RunCliIn(Dir, {"library", "list"});
    EXPECT_NE(run.Code, 0);
    EXPECT_NE(run.Err.find("Ошибка загрузки каталога online-сценариев!"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(Dir / "Quadrix_4d10.lss"), "keep\r\n");
}

} // namespace
