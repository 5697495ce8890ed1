#include <gtest/gtest.h>

#include "app/WorkspaceFixture.h"
#include "cli/CliRun.h"
#include "core/Text.h"
#include "scripts/Script.h"

using namespace qx;
using namespace qx::test;

namespace {

const std::string kNoop = "TMD1#POS1:10#LMV:1000#SF:1";

class CliScript : public ::testing::Test {
protected:
    TTempDir Dir;
    void SetUp() override {
        TDrawsArray draws;
        for (int i = 1; i <= 40; ++i) draws.push_back(MakeDraw(i, {i % 10, i * 3 % 10, i * 7 % 10, (i + 5) % 10}));
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", draws);
    }
    std::string Script(const std::vector<std::string>& lines) {
        const auto file = Dir / "test.lsc";
        WriteScriptFile(file, lines);
        return file.string();
    }
    // The output without the line of seconds, which no two runs share.
    static std::string WithoutSeconds(const std::string& out) {
        const size_t at = out.rfind("Секунд\t");
        return at == std::string::npos ? out : out.substr(0, at);
    }
};

TEST_F(CliScript, ShowPrintsTheListsColumns) {
    const std::string file = Script({"EXCL:100#RAND#NEX|tsd1#nums:10#lmv:3#sf:1| | | | | | |Мой комментарий", "",
                                     "bogus|" + kNoop});
    const TCliRun r = RunCliIn(Dir, {"script", "show", file});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out,
              "Комментарии\tОпции\tФильтр 1\tФильтр 2\tФильтр 3\tФильтр 4\tФильтр 5\tФильтр 6\tФильтр 7\n"
              "Мой комментарий\tИсключить 100 тиражей; Случайно; Только новые ставки\tTSD1#NUMS:10#LMV:3#SF:1\t\t\t\t\t\t\n"
              "\t\t\t\t\t\t\t\t\n"
              "\tИсходный список; Случайно; Все создаваемые ставки\tTMD1#POS1:10#LMV:1000#SF:1\t\t\t\t\t\t\n"
              "Строк: 3\n");
}

TEST_F(CliScript, ATestPrintsItsStakesRatingsAndSummary) {
    const std::string file = Script({"FULL:0#FIRST|" + kNoop + "| | | | | | |первая", "FULL:0#RAND|TSD1#POS1:10#LMV:1#SF:1",
                                     "FULL:0#NONE|" + kNoop, "CURR:0#LAST#NEX|TMF2#POS2:10,20#CMV:2#SC:2"});
    const TCliRun r = RunCliIn(Dir, {"script", "test", file, "--count", "3", "--seed", "5", "--check-on-line", "no"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(MatchesGolden("scripts/cli-script-test.txt", WithoutSeconds(r.Out)));
    EXPECT_NE(r.Out.find("Циклов\t3\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Dir / "Quadrix_4d10.lss")) << "the current script is left alone";
    EXPECT_TRUE(std::filesystem::exists(Dir / "Quadrix_4d10.lsk"));
    EXPECT_TRUE(std::filesystem::exists(Dir / "Quadrix_4d10.lrt"));
}

TEST_F(CliScript, ExitCodesTellDoneStoppedFailedAndMisused) {
    const TCliRun stopped = RunCliIn(Dir, {"script", "run", Script({"FULL:0#STOP|" + kNoop})});
    EXPECT_EQ(stopped.Code, 2) << stopped.Err;
    EXPECT_NE(stopped.Err.find("их осталось более одной: 10000!"), std::string::npos) << stopped.Err;

    const TCliRun failed = RunCliIn(Dir, {"script", "run", Script({"FULL:0#FIRST|TSD1#NOPE:10#LMV:1#SF:1"})});
    EXPECT_EQ(failed.Code, 1);
    EXPECT_NE(failed.Err.find("Некорректное описание фильтра: TSD1#NOPE:10#LMV:1#SF:1!"), std::string::npos)
        << failed.Err;

    const std::string good = Script({"FULL:0#FIRST|" + kNoop});
    auto stakes = [&] { return std::filesystem::exists(Dir / "Quadrix_4d10.lsk") ? ReadBytes(Dir / "Quadrix_4d10.lsk") : ""; };
    const std::string before = stakes();
    for (const std::vector<std::string>& misuse :
         {std::vector<std::string>{"script", "test", good}, {"script", "test", good, "--count", "x"},
          {"script", "run", good, "--count", "3"}, {"script", "run", good, "--check-on-line", "maybe"},
          {"script", "run", good, "--seed", "-1"}}) {
        const TCliRun r = RunCliIn(Dir, misuse);
        EXPECT_EQ(r.Code, 2) << misuse.back();
        EXPECT_NE(r.Err.find("Использование: quadrix script"), std::string::npos) << r.Err;
    }
    EXPECT_EQ(stakes(), before) << "a usage error runs nothing";

    const TCliRun outside = RunCliIn(Dir, {"script", "test", good, "--count", "40"});
    EXPECT_EQ(outside.Code, 1);
    EXPECT_NE(outside.Err.find("Количество тестов должно быть от 1 до 39!"), std::string::npos) << outside.Err;

    const TCliRun done = RunCliIn(Dir, {"script", "run", good, "--log"});
    EXPECT_EQ(done.Code, 0) << done.Err;
    bool logged = false;
    for (const auto& entry : std::filesystem::directory_iterator(Dir.Path()))
        logged = logged || entry.path().filename().string().starts_with("ScriptLog_");
    EXPECT_TRUE(logged);
}

} // namespace
