#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "scripts/RatingLine.h"
#include "scripts/Script.h"
#include "scripts/ScriptLine.h"
#include "scripts/ScriptLog.h"
#include "stats/StatList.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

// Files may not grow past a few bytes while the object lives: every longer write fails.
class TWriteLimit {
public:
    explicit TWriteLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit limit = FOld;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TWriteLimit() { setrlimit(RLIMIT_FSIZE, &FOld); }

private:
    rlimit FOld{};
};

class ScriptModel : public ::testing::Test {
protected:
    TDrawsArray Draws;
    TStatList Registry;
    void SetUp() override {
        Registry.SetDraws(&Draws);
        Registry.Register();
    }
};

TEST_F(ScriptModel, TheEditorsAllBlankLineReadsBackAsOneFilterlessLine) {
    const std::string blank = BuildScriptLine({}, {}, "");
    EXPECT_EQ(blank, "FULL:0#RAND| | | | | | | |");
    const TScriptLine line = ParseScriptLine(blank);
    EXPECT_FALSE(line.Separator);
    EXPECT_EQ(line.Settings, TScriptSettings{});
    for (const std::string& f : line.Filters) EXPECT_EQ(f, "");
    EXPECT_EQ(line.Comment, "");
    // Filters are written as typed and the blank ones keep the positions of the later ones.
    const std::string built = BuildScriptLine({100, ssExcl, ssmAll, true, true},
                                              {"TSD1#NUMS:10#LMV:3#SF:1", " ", "", "", "", "", " x "}, "Мой | текст");
    EXPECT_EQ(built, "EXCL:100#ALL#CLR#NEX|TSD1#NUMS:10#LMV:3#SF:1| | | | | | x |Мой | текст");
    const TScriptLine back = ParseScriptLine(built);
    EXPECT_EQ(back.Filters[6], "x");
    EXPECT_EQ(back.Comment, "Мой") << "a comment is cut at its first \"|\"";
}

TEST_F(ScriptModel, SettingsAreReadByTheirRules) {
    struct TCase {
        const char* Text;
        TScriptSettings Expected;
    } cases[] = {
        {"EXCL#ALL", {0, ssExcl, ssmAll, false, false}},
        {"bogus", {0, ssFull, ssmRand, false, false}},
        {"excl:25#sysc#nex#clr", {25, ssExcl, ssmSysC, true, true}},
        {"CURRENT:x#LASTING#CLRX", {0, ssCurr, ssmRand, false, false}},  // prefix for the source only
        {"FULL:-3#NONE", {-3, ssFull, ssmNone, false, false}},
        {"##EXCL:7##SKIP", {7, ssExcl, ssmSkip, false, false}},
        {"", {}},
    };
    for (const TCase& c : cases) EXPECT_EQ(ParseScriptSettings(c.Text), c.Expected) << c.Text;
}

TEST_F(ScriptModel, BothPrintedFormsAndTheDescription) {
    const TScriptSettings excl{100, ssExcl, ssmRand, true, true};
    EXPECT_EQ(ScriptSettingsText(excl), "EXCL:100#RAND#CLR#NEX");
    EXPECT_EQ(ScriptSettingsLabel(excl), "EXCL:100#RAND#NEX");
    EXPECT_EQ(ScriptSettingsDescription(excl),
              "Исключить 100 тиражей; Случайно; Удалить ставки; Только новые ставки");
    const TScriptSettings full{0, ssFull, ssmLast, true, false};
    EXPECT_EQ(ScriptSettingsText(full), "FULL:0#LAST#CLR");
    EXPECT_EQ(ScriptSettingsLabel(full), "FULL#LAST");
    EXPECT_EQ(ScriptSettingsDescription(full), "Исходный список; Последняя; Удалить ставки; Все создаваемые ставки");
    const TScriptSettings broken{1, 9, 77, false, false};
    EXPECT_EQ(ScriptSettingsText(broken), "# ERROR #:1## ERROR #");
    EXPECT_EQ(ScriptSettingsDescription(broken), "# ERROR #; # ERROR #; Все создаваемые ставки");
}

TEST_F(ScriptModel, FieldsSplitAtRunsOfBarsAndTheListShowsFiltersNormalised) {
    const TScriptLine runs = ParseScriptLine("|FULL:0#FIRST|||tsd1#nums:10#lmv:3#sf:1||  |c");
    EXPECT_EQ(runs.Settings.StakeMode, ssmFirst);
    EXPECT_EQ(runs.Filters[0], "tsd1#nums:10#lmv:3#sf:1") << "a run of \"|\" is one separator";
    EXPECT_EQ(runs.Filters[1], "");
    EXPECT_EQ(runs.Filters[2], "c");
    EXPECT_TRUE(ParseScriptLine(" \t ").Separator);

    const auto cells = ScriptLineCells("EXCL:5#SKIP|tsd1#nums:10#lmv:3#sf:1| |TSD1#NOPE:1#LNO:#SF:1| | | | |Мой", Registry);
    EXPECT_EQ(cells[0], "Мой");
    EXPECT_EQ(cells[1], "Исключить 5 тиражей; Пропустить; Все создаваемые ставки");
    EXPECT_EQ(cells[2], "TSD1#NUMS:10#LMV:3#SF:1");
    EXPECT_EQ(cells[3], "");
    EXPECT_EQ(cells[4], "TSD1#NOPE:1#LNO:#SF:1") << "an unknown method keeps its word";
    const auto separator = ScriptLineCells("   ", Registry);
    for (const std::string& c : separator) EXPECT_EQ(c, "");
}

TEST_F(ScriptModel, StakeLabels) {
    const TScriptSettings s{100, ssExcl, ssmRand, false, false};
    EXPECT_EQ(ScriptStakeLabel(1, 1, "", s, "TSD#NUMS:10#LMV:3#SF:1"), "01.001: @ EXCL:100#RAND + TSD#NUMS:10#LMV:3#SF:1");
    EXPECT_EQ(ScriptStakeLabel(12, 1234, "Моя", {0, ssFull, ssmAll, true, true}, "X"),
              "12.1234: Моя @ FULL#ALL#NEX + X");
}

TEST_F(ScriptModel, RatingKeysTurnBackIntoLines) {
    EXPECT_EQ(ScriptLineOfRatingKey("01.001: @ EXCL:100#RAND + TSD#NUMS:10#LMV:3#SF:1 + TMF#POS1:20#LNO:#SF:1", Registry),
              "EXCL:100#RAND|TSD#NUMS:10#LMV:3#SF:1|TMF#POS1:20#LNO:#SF:1| | | | | |01.001:");
    EXPECT_EQ(ScriptLineOfRatingKey("EXCL:1#ALL + TSD#NUMS:10#LMV:3#SF:1", Registry),
              "EXCL:1#ALL|TSD#NUMS:10#LMV:3#SF:1| | | | | | |");
    EXPECT_EQ(ScriptLineOfRatingKey("Ставка \"вручную\"", Registry), std::nullopt);
    EXPECT_EQ(ScriptLineOfRatingKey("a @ ", Registry), std::nullopt);
}

TEST_F(ScriptModel, ScriptListOperations) {
    TScript script;
    EXPECT_THROW(script.Line(0), TAppError);
    script.Assign({"a", "b", "c", "d"});
    script.Delete({3, 1, 1});
    EXPECT_EQ(script.Lines(), (std::vector<std::string>{"a", "c"}));
    script.Swap(0, 1);
    EXPECT_EQ(script.Lines(), (std::vector<std::string>{"c", "a"}));
    try {
        script.Replace(2, "x");
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_STREQ(e.what(), "Запись со индексом 2 в файле данных не найдена!");
    }
    // Appending a file adds one separator unless the last line is blank already.
    script.AppendLines({"f1", "f2"});
    EXPECT_EQ(script.Lines(), (std::vector<std::string>{"c", "a", "", "f1", "f2"}));
    script.Assign({"x", "  "});
    script.AppendLines({"f"});
    EXPECT_EQ(script.Lines(), (std::vector<std::string>{"x", "  ", "f"}));
    script.AppendLines({});
    EXPECT_EQ(script.Count(), 3);
    TScript empty;
    empty.AppendLines({"f", ""});
    EXPECT_EQ(empty.Lines(), (std::vector<std::string>{"f", ""}));
}

TEST_F(ScriptModel, FilesAreWindows1251WithCrLfAfterEveryLine) {
    TTempDir dir;
    const auto file = dir / "s.lsc";
    WriteScriptFile(file, {"FULL:0#RAND| | | | | | | |Тест", "", "x"});
    EXPECT_EQ(ReadBytes(file), "FULL:0#RAND| | | | | | | |\xD2\xE5\xF1\xF2\r\n\r\nx\r\n");
    EXPECT_EQ(ReadScriptFile(file), (std::vector<std::string>{"FULL:0#RAND| | | | | | | |Тест", "", "x"}));
    WriteBytes(file, "a\r\n\r\n");
    EXPECT_EQ(ReadScriptFile(file), (std::vector<std::string>{"a", ""})) << "the final CR LF ends a line";
    EXPECT_THROW(ReadScriptFile(dir / "missing.lsc"), TAppError);
    // A write that cannot finish leaves the old file whole.
    WriteScriptFile(file, {"old"});
    {
        TWriteLimit limit(4);
        EXPECT_THROW(WriteScriptFile(file, {"a longer new line"}), TAppError);
    }
    EXPECT_EQ(ReadBytes(file), "old\r\n");
}

TEST(ScriptLog, BannersAreNinetyFourCharactersAndLinesCarryTheTime) {
    for (const std::string& b : {ScriptLogStartBanner(), ScriptLogEndBanner(), ScriptLogStopBanner(),
                                 ScriptLogOffsetBanner(3), ScriptLogDoubleRule(), ScriptLogSingleRule()})
        EXPECT_EQ(Utf8ToCp1251(b).size(), 94u) << b;
    EXPECT_TRUE(ScriptLogOffsetBanner(3).starts_with("=== Выполнение сценария для смещения 000003 ===="));
    const TDateTime at = EncodeDate(2024, 1, 31) + EncodeTime(23, 5, 8);
    EXPECT_EQ(ScriptLogFileName(at), "ScriptLog_2024-01-31-23-05-08.txt");
    TTempDir dir;
    TScriptLog log([at] { return at; });
    int failures = 0;
    log.OnFailure = [&](const std::string&) { ++failures; };
    log.Write("не пишется без начала");
    log.Start(dir.Path());
    log.Write("Строка");
    log.Write("");
    const auto path = log.Finish();
    EXPECT_EQ(ReadBytes(path), "[2024-01-31 23:05:08]: \xD1\xF2\xF0\xEE\xEA\xE0\r\n[2024-01-31 23:05:08]: \r\n");
    // A file that cannot be opened is reported once, however many lines follow.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    log.Start(dir.Path());
    for (int i = 0; i < 5; ++i) log.Write("x");
    log.Finish();
    EXPECT_EQ(failures, 1);
}

// Random texts of the characters that mean something in a line never break reading or printing.
TEST_F(ScriptModel, RandomLinesReadAndPrintWithoutFailing) {
    std::mt19937 random(15);
    const std::string alphabet = "|#: ,;-1234567890TSDBMFLNOVPCXAEURHIYKZ\xD0\xB0";
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        const int length = int(random() % 80);
        for (int k = 0; k < length; ++k) text += alphabet[random() % alphabet.size()];
        const TScriptLine line = ParseScriptLine(text);
        ScriptLineCells(text, Registry);
        const std::string again = BuildScriptLine(line.Settings, line.Filters, line.Comment);
        EXPECT_EQ(ParseScriptLine(again).Settings, line.Settings) << text;
        ScriptLineOfRatingKey(text, Registry);
    }
}

} // namespace
