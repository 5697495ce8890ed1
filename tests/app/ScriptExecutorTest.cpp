#include <map>
#include <random>
#include <regex>
#include <set>

#include "app/ScriptTestSupport.h"
#include "app/TestCountForm.h"
#include "core/Error.h"
#include "scripts/Ratings.h"

using namespace qx;
using namespace qx::test;

namespace {

const std::string kNoop = kNoopFilter;

class ScriptExecutor : public ScriptFixture {};

TEST_F(ScriptExecutor, ATestRunsTheOffsetsDownToOneThenPutsTheUsersOffsetBack) {
    StartList({"1;2;3;4"});
    Lines({"FULL:0#FIRST|" + kNoop});
    Ws->SetDrawsOffset(5);
    Ws->ScriptTest(3);
    EXPECT_EQ(Ws->DrawsOffset(), 5);
    const std::string log = LogText();
    const size_t third = log.find("=== Выполнение сценария для смещения 000003 ===");
    const size_t second = log.find("=== Выполнение сценария для смещения 000002 ===");
    const size_t first = log.find("=== Выполнение сценария для смещения 000001 ===");
    ASSERT_NE(first, std::string::npos);
    EXPECT_LT(third, second);
    EXPECT_LT(second, first);
    EXPECT_EQ(Count(log, "смещения 0000"), 3);
    EXPECT_TRUE(log.starts_with("[2024-05-06 07:08:09]: ### ЗАПУСК СЦЕНАРИЯ ###"));
    EXPECT_NE(log.find("### ЗАВЕРШЕНИЕ СЦЕНАРИЯ ###"), std::string::npos);
    // Each stake lands on the draw after the current one and is checked at once.
    const auto stakes = Stakes();
    ASSERT_EQ(stakes.size(), 3u);
    EXPECT_EQ(stakes[0].DrawNumber, 38);
    EXPECT_EQ(stakes[2].DrawNumber, 40);
    for (const auto& s : stakes) {
        EXPECT_TRUE(s.IsChecked());
        EXPECT_EQ(s.Kind, skScript);
        EXPECT_EQ(s.CommentText(), "01.001: @ FULL#FIRST + TMD#POS1:10#LMV:1000#SF:1");
    }
    EXPECT_EQ(Ws->ScriptPanelText(4), "Сценарий завершен!");
    EXPECT_EQ(Ws->ScriptPanelText(3), "Ставок: 3");
    EXPECT_EQ(Shell.Opened, std::vector<std::string>{LogFile().string()});
    EXPECT_FALSE(Ws->ScriptRunning());
    EXPECT_FALSE(Shell.IsBusy());
    EXPECT_TRUE(Shell.Errors().empty());
}

TEST_F(ScriptExecutor, AStopKeepsTheOffsetWhereTheTestStopped) {
    StartList({"1;2;3;4"});
    Lines({"FULL:0#FIRST|" + kNoop});
    Ws->SetDrawsOffset(7);
    TScriptExecutor& e = Ws->ScriptExecutor();
    e.OnPoll = [&] {
        if (Ws->DrawsOffset() == 2) e.Stop();
    };
    Ws->ScriptTest(4);
    EXPECT_EQ(Ws->DrawsOffset(), 2);
    EXPECT_TRUE(e.Summary().Stopped);
    EXPECT_NE(Ws->ScriptPanelText(4), "Сценарий завершен!");
    const std::string log = LogText();
    EXPECT_NE(log.find("### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО ###"), std::string::npos);
    EXPECT_EQ(log.find("смещения 000001"), std::string::npos);
    EXPECT_FALSE(Ws->StopRequested()) << "the request ends with the run";
}

TEST_F(ScriptExecutor, StopModeEndsTheRunOnTwoCombinationsAndStakesASingleOne) {
    StartList({"1;2;3;4", "4;3;2;1"});
    Lines({"FULL:0#STOP|" + kNoop, "FULL:0#FIRST|" + kNoop});
    Ws->ScriptRun();
    EXPECT_TRUE(Stakes().empty());
    EXPECT_EQ(Shell.Texts(TMessageKind::Warning),
              std::vector<std::string>{"Выполнение сценария прервано, т.к. после применения всех фильтров в списке "
                                       "комбинаций их осталось более одной: 2!\r\rФильтры: 01.001: @ FULL#STOP + "
                                       "TMD#POS1:10#LMV:1000#SF:1"});
    EXPECT_NE(LogText().find("{!} Сценарий остановлен!"), std::string::npos);
    EXPECT_EQ(LogText().find("Выполнение строки 002"), std::string::npos);
    EXPECT_TRUE(Ws->ScriptExecutor().Summary().StoppedByLine);

    std::filesystem::remove(LogFile());
    StartList({"5;6;7;8"});
    Ws->ScriptRun();
    const auto stakes = Stakes();
    ASSERT_EQ(stakes.size(), 2u) << "STOP with one combination stakes it, and the next line runs";
    EXPECT_EQ(stakes[0].NumbersText(), "5;6;7;8");
    EXPECT_EQ(stakes[0].DrawNumber, 41);
    EXPECT_EQ(stakes[0].Sample, 1);
}

TEST_F(ScriptExecutor, ModesPickTheirCombinations) {
    StartList({"1;1;1;1", "2;2;2;2", "3;3;3;3", "4;4;4;4", "5;5;5;5"});
    Lines({"FULL:0#FIRST|" + kNoop, "FULL:0#LAST|" + kNoop, "FULL:0#RAND|" + kNoop, "FULL:0#SKIP|" + kNoop,
           "FULL:0#ALL|" + kNoop});
    Ws->Random().seed(77);
    std::mt19937 same(77);
    const size_t picked = std::uniform_int_distribution<size_t>(0, 4)(same);
    Ws->ScriptRun();
    std::vector<std::string> numbers;
    for (const auto& s : Stakes()) numbers.push_back(s.NumbersText());
    const std::string r = std::to_string(picked + 1) + ";" + std::to_string(picked + 1) + ";" +
                          std::to_string(picked + 1) + ";" + std::to_string(picked + 1);
    EXPECT_EQ(numbers, (std::vector<std::string>{"1;1;1;1", "5;5;5;5", r, "1;1;1;1", "2;2;2;2", "3;3;3;3",
                                                 "4;4;4;4", "5;5;5;5"}));
    EXPECT_NE(LogText().find("{-} Ставка игнорирована!"), std::string::npos);
    EXPECT_EQ(Ws->ScriptPanelText(3), "Ставок: 8");
}

TEST_F(ScriptExecutor, NoneMakesNothingAndCurrContinuesFromTheListItLeft) {
    StartList({"1;2;3;4", "2;2;3;4", "3;2;3;4"});
    // Removes the rows of POS1 values 2 and 3: only 1;2;3;4 is left.
    Lines({"FULL:0#NONE|TSD1#POS1:10#LVA:2,3#SF:1", "CURR:0#ALL|" + kNoop, "FULL:0#NONE|" + kNoop});
    Ws->ScriptRun();
    const auto stakes = Stakes();
    ASSERT_EQ(stakes.size(), 1u);
    EXPECT_EQ(stakes[0].NumbersText(), "1;2;3;4");
    EXPECT_EQ(stakes[0].CommentText(), "02.001: @ CURR#ALL + TMD#POS1:10#LMV:1000#SF:1");
    EXPECT_EQ(Ws->Combs().Count(), 3) << "the list holds what the last variant left";
    EXPECT_FALSE(Ws->Combs().CanUndo()) << "the undo copy is emptied after each line";
}

TEST_F(ScriptExecutor, NewOnlySkipsAStakeMadeBefore) {
    StartList({"1;2;3;4"});
    Lines({"FULL:0#FIRST#NEX|" + kNoop});
    Ws->ScriptRun();
    std::filesystem::remove(LogFile());
    Ws->ScriptRun();
    EXPECT_EQ(Stakes().size(), 1u);
    EXPECT_NE(LogText().find("{-} Ставка на тираж 41 не добавлена, так как уже имеется в списке ставок: [1;2;3;4]"),
              std::string::npos);
    EXPECT_EQ(Ws->ScriptExecutor().Summary().StakesMade, 0);
}

TEST_F(ScriptExecutor, StakesAreCheckedPerVariantOrOncePerPass) {
    StartList({"1;2;3;4"});
    Lines({"FULL:0#FIRST|" + kNoop, "FULL:0#LAST|" + kNoop, "FULL:0#RAND|TMD1#POS1:10,20#LMV:1000#SF:1"});
    auto checks = [&] {
        int n = 0;
        for (const std::string& s : Shell.Statuses) n += s == "Проверка результатов ставок..." ? 1 : 0;
        return n;
    };
    Ws->SetFormKey("StakesCheckOnLine", false);
    Ws->ScriptTest(2);
    EXPECT_EQ(checks(), 2);
    Ws->SetFormKey("StakesCheckOnLine", true);
    Shell.Statuses.clear();
    Ws->ScriptTest(2);
    EXPECT_EQ(checks(), 8);
    EXPECT_EQ(Ws->Ratings().Count(), 4);
    for (const auto& row : Ws->Ratings().Rows()) EXPECT_EQ(row.Stakes, 4);
}

TEST_F(ScriptExecutor, MalformedLinesStopTheRunCleanly) {
    StartList({"1;2;3;4"});
    Lines({"FULL:0#FIRST| | | | | | | |", "FULL:0#FIRST|" + kNoop});
    Ws->StatTab().SetSort(3, false);
    const TStatWeights weights = Ws->Stats().Config().Weights;
    Ws->ScriptRun();
    EXPECT_EQ(Shell.Errors(), std::vector<std::string>{"Некорректное описание фильтра: !"});
    EXPECT_TRUE(Stakes().empty());
    EXPECT_EQ(LogText().find("Выполнение строки 002"), std::string::npos);

    Shell.Messages.clear();
    Ws->ReplaceScriptLine(0, "FULL:0#FIRST|TSD1#NOPE:10#LMV:1#SF:1|TSD1#POS1:10#LMV:1#SF:1#2:0:0:0:0");
    Ws->ScriptRun();
    EXPECT_EQ(Shell.Errors(), std::vector<std::string>{"Некорректное описание фильтра: TSD1#NOPE:10#LMV:1#SF:1!"});
    // A failure in a filter step: a list test on a figure that is not a number (no deviations
    // without the full-set comparison).
    Shell.Messages.clear();
    Ws->ReplaceScriptLine(0, "FULL:0#FIRST|TSD1#POS1:10#DDV:1#SF:1");
    StartList({"1;2;3;4", "5;6;7;8"});
    Ws->ScriptRun();
    EXPECT_TRUE(Stakes().empty());
    EXPECT_EQ(Shell.Errors().size(), 1u);

    EXPECT_EQ(Ws->StatTab().SortColumn(), 3);
    EXPECT_FALSE(Ws->StatTab().Descending());
    EXPECT_EQ(Ws->Stats().Config().Weights, weights);
    EXPECT_EQ(Ws->Combs().BufferKey(), std::make_pair(-1, -1));
    EXPECT_FALSE(Shell.IsBusy());
    EXPECT_FALSE(Ws->ViewsSuspended());
    EXPECT_FALSE(Ws->ScriptRunning());
}

TEST_F(ScriptExecutor, AClearingLineRatesEachVariantsStakesBeforeRemovingThem) {
    StartList({"1;2;3;4"});
    Lines({"FULL:0#FIRST#CLR|TMD1#POS1:10,20#LMV:1000#SF:1"});
    Ws->ScriptTest(1);
    const auto stakes = Stakes();
    ASSERT_EQ(stakes.size(), 1u);
    EXPECT_EQ(stakes[0].CommentText(), "01.002: @ FULL#FIRST + TMD#POS1:20#LMV:1000#SF:1");
    ASSERT_EQ(Ws->Ratings().Count(), 2);
    for (const auto& row : Ws->Ratings().Rows()) EXPECT_EQ(row.Stakes, 1);
    EXPECT_TRUE(Ws->ScriptExecutor().Summary().StakesCleared);
}

TEST_F(ScriptExecutor, LabelsAreCutTo255Characters) {
    StartList({"1;2;3;4"});
    std::string comment;
    for (int i = 0; i < 300; ++i) comment += "ж";
    Lines({"FULL:0#FIRST|" + kNoop + "| | | | | | |" + comment});
    Ws->ScriptTest(1);
    const std::string label = "01.001: " + comment + " @ FULL#FIRST + TMD#POS1:10#LMV:1000#SF:1";
    const auto stakes = Stakes();
    ASSERT_EQ(stakes.size(), 1u);
    EXPECT_EQ(stakes[0].CommentText(), std::string(LeftChars(label, 255)));
    EXPECT_EQ(Ws->Ratings().Row(0).KeyText(), std::string(LeftChars(label, 255)));
}

TEST_F(ScriptExecutor, SystemsArePlayedOverTheDigitsOfTheList) {
    std::filesystem::create_directory(Dir / "Systems");
    WriteBytes(Dir / "Systems" / "4-05-0_0001.dat", "01 02 03 04\r\n05 04 03 02\r\n\r\n01-01-02-02\r\n");
    StartList({"3;5;7;8", "5;7;8;9", "9;9;9;9"});
    Lines({"FULL:0#SYSA|" + kNoop, "FULL:0#SYSC|" + kNoop});
    Ws->ScriptRun();
    std::vector<std::string> numbers;
    for (const auto& s : Stakes()) numbers.push_back(s.NumbersText() + " " + std::to_string(s.Sample));
    EXPECT_EQ(numbers, (std::vector<std::string>{"3;5;7;8 3", "5;7;8;9 3", "3;3;5;5 3", "3;5;7;8 3", "5;7;8;9 3"}));
    const std::string log = LogText();
    EXPECT_NE(log.find("{#} Системная игра для 5 чисел [все система]: загружен файл \"4-05-0_0001\""), std::string::npos);
    EXPECT_NE(log.find("{#} Системная игра для 5 чисел [система * комбинации]: загружен файл \"4-05-0_0001\""),
              std::string::npos);

    std::filesystem::remove(LogFile());
    StartList({"1;2;3;4", "4;3;2;1"});
    Ws->ScriptRun();
    EXPECT_EQ(Stakes().size(), 5u);
    ASSERT_EQ(Shell.Errors().size(), 2u);
    EXPECT_TRUE(Shell.Errors()[0].starts_with("Система для 4 чисел не найдена или не загружена на компьютер!\r\r"));
    EXPECT_NE(LogText().find("{#} Системная игра для 4 чисел [ОШИБКА]: \"Система для 4 чисел не найдена или не "
                             "загружена на компьютер!\""),
              std::string::npos);
}

TEST_F(ScriptExecutor, APartWithItsOwnWeightsGetsATableOfItsOwn) {
    // Both parts: POS1 over ten draws; the second weighs by the count alone.
    Lines({"FULL:0#NONE|" + kNoop + "|TMD1#POS1:10#WMV:1000#SF:1#1:0:0:0:0"});
    Ws->ScriptRun();
    const std::string log = LogText();
    const size_t second = log.find("Анализ тиражей", log.find("Анализ тиражей") + 1);
    ASSERT_NE(second, std::string::npos);
    const std::regex row(R"(< \[\d\] кол-во: (\d+) \([^)]*\), отклонение: [^,]*, глубина: (\d+) \([^)]*\), вес: (\d+)\.00 >)");
    int rows = 0, depthWeighted = 0;
    for (std::sregex_iterator it(log.begin(), log.end(), row), end; it != end; ++it) {
        const bool inSecond = size_t(it->position()) > second;
        if (inSecond) {
            EXPECT_EQ((*it)[3], (*it)[1]) << "weight = count";
            ++rows;
        } else {
            depthWeighted += (*it)[3] == (*it)[2] ? 1 : 0;
        }
    }
    EXPECT_EQ(rows, 10);
    EXPECT_EQ(depthWeighted, 10) << "the first part weighs by the depth, as the configuration says";
}

TEST_F(ScriptExecutor, TestsTakeACountFromOneToTheDrawsLessOne) {
    Lines({"FULL:0#FIRST|" + kNoop});
    try {
        Ws->ScriptTest(40);
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_STREQ(e.what(), "Количество тестов должно быть от 1 до 39!");
    }
    EXPECT_THROW(Ws->ScriptTest(0), TAppError);
    EXPECT_EQ(TestCountRange(40).Default, 10);
    EXPECT_EQ(TestCountRange(4).Default, 3);
    EXPECT_FALSE(std::filesystem::exists(LogFile()));
}

class OneDrawScript : public ScriptFixture {
protected:
    void SetUp() override { StartScripts({MakeDraw(1, {1, 2, 3, 4})}); }
};

TEST_F(OneDrawScript, ATestIsRefusedBeforeAnythingRuns) {
    Lines({"FULL:0#FIRST|" + kNoop});
    EXPECT_TRUE(TestCountRange(1).Empty());
    try {
        Ws->ScriptTest(1);
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_STREQ(e.what(), "Для тестирования в архиве должно быть не менее двух тиражей!");
    }
    EXPECT_FALSE(std::filesystem::exists(LogFile()));
    Ws->ScriptRun();  // a forecast needs one draw only
    ASSERT_EQ(Stakes().size(), 1u);
    EXPECT_EQ(Stakes()[0].NumbersText(), "0;0;0;0") << "the whole set's first combination";
}

TEST_F(ScriptExecutor, ALogThatCannotBeWrittenIsReportedOncePerRun) {
    std::filesystem::create_directory(LogFile());
    StartList({"1;2;3;4"});
    Lines({"FULL:0#FIRST|" + kNoop, "FULL:0#LAST|" + kNoop});
    Ws->ScriptTest(3);
    const auto errors = Shell.Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].starts_with("Ошибка записи журнала: ")) << errors[0];
    EXPECT_TRUE(errors[0].ends_with("!"));
    EXPECT_EQ(Stakes().size(), 6u) << "the run goes on";
}

TEST_F(ScriptExecutor, TheRatingsFileFollowsAtTheEndOfEachPass) {
    StartList({"1;2;3;4"});
    Lines({"FULL:0#FIRST|" + kNoop, "FULL:0#LAST|TMD1#POS1:10,20#LMV:1000#SF:1"});
    const auto lrt = Dir / "Quadrix_4d10.lrt";
    TScriptExecutor& e = Ws->ScriptExecutor();
    // Within a pass the file keeps what the previous pass left, while the rows in memory move on.
    std::map<int, std::set<std::string>> filesInPass;
    bool memoryAhead = false;
    e.OnPoll = [&] {
        if (e.CurrentLine() < 0) return;
        const std::string file = std::filesystem::exists(lrt) ? ReadBytes(lrt) : "";
        filesInPass[Ws->DrawsOffset()].insert(file);
        memoryAhead = memoryAhead || file != RatingsFileBytes(Ws->Ratings().Rows());
    };
    Ws->ScriptTest(3);
    for (const auto& [offset, files] : filesInPass) EXPECT_EQ(files.size(), 1u) << offset;
    EXPECT_TRUE(memoryAhead);
    EXPECT_EQ(ReadBytes(lrt), RatingsFileBytes(Ws->Ratings().Rows()));
    EXPECT_EQ(Ws->Ratings().Row(0).Stakes, 3);
}

} // namespace

namespace {

// The whole log of a small test, byte for byte: banners, tables, steps and stakes of every mode
// that stakes, at a fixed clock and seed.
TEST_F(ScriptExecutor, TheLogOfASmallTestIsTheGoldenOne) {
    StartList({"1;2;3;4", "2;2;3;4", "3;2;3;4", "7;7;8;9"});
    Lines({"FULL:0#RAND|TSD1#POS1:10#LMV:1#SF:1| | | | | | |случайно",
           "",
           "FULL:0#LAST#NEX|TMF2#POS2:10,20#CMV:2#SC:2",
           "CURR:0#SKIP|" + kNoop,
           "EXCL:5#ALL#CLR|BSD1#NUMS:10#LLV:3#ST:1|" + kNoop});
    Ws->ScriptTest(2);
    EXPECT_TRUE(Shell.Errors().empty());
    EXPECT_TRUE(MatchesGolden("scripts/small-test.log", ReadBytes(LogFile())));
}

} // namespace

namespace {

// The script's file commands: every change saved, a failed read keeping the lines, the current
// script back after a restart.
TEST_F(ScriptExecutor, ScriptFilesKeepTheLinesThroughFailuresAndRestarts) {
    const auto lss = Dir / "Quadrix_4d10.lss";
    Lines({"FULL:0#FIRST|" + kNoop, "FULL:0#LAST|" + kNoop});
    EXPECT_EQ(Cp1251ToUtf8(ReadBytes(lss)), "FULL:0#FIRST|" + kNoop + "\r\nFULL:0#LAST|" + kNoop + "\r\n");

    EXPECT_FALSE(Ws->ScriptOpen(Dir / "missing.lsc"));
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_TRUE(Shell.Errors()[0].starts_with("Ошибка чтения файла \"" + (Dir / "missing.lsc").string() + "\"!\r\r"));
    EXPECT_EQ(Ws->Script().Count(), 2);

    WriteBytes(Dir / "more.lsc", "CURR:0#NONE|" + kNoop + "\r\n");
    EXPECT_TRUE(Ws->ScriptLoad(Dir / "more.lsc"));
    EXPECT_EQ(Ws->Script().Lines(),
              (std::vector<std::string>{"FULL:0#FIRST|" + kNoop, "FULL:0#LAST|" + kNoop, "", "CURR:0#NONE|" + kNoop}));
    Shell.Answers.push_back(true);
    ASSERT_TRUE(Ws->ScriptDel({0, 2}));
    EXPECT_EQ(Shell.Messages.back().Text, "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
    EXPECT_EQ(Ws->ScriptMove(1, -1), 0);

    Restart();
    EXPECT_EQ(Ws->Script().Lines(), (std::vector<std::string>{"CURR:0#NONE|" + kNoop, "FULL:0#LAST|" + kNoop}));
    EXPECT_TRUE(Ws->ScriptOpen(Dir / "more.lsc"));
    EXPECT_EQ(ReadBytes(lss), "CURR:0#NONE|" + kNoop + "\r\n");
}

// Lines of random words, run as a forecast: failures are shown and end the run cleanly, none
// escapes or crashes.
TEST_F(ScriptExecutor, RandomLinesNeverBreakARun) {
    StartList({"1;2;3;4", "5;6;7;8", "1;1;2;2"});
    Ws->FormKeys().ScriptLogEnabled = false;
    std::mt19937 random(16);
    const std::vector<std::string> words = {"FULL", "EXCL:3", "CURR", "ALL", "STOP", "RAND", "#", "|", "||", ":",
                                            "TSD1", "BMF7", "POS1:10", "NUMS:5,10", "LMV:2", "LVA:1,x", "CMP:50",
                                            "SF:1", "ST:1", "SZ:1", "1:0:0:0:0", "x", "-1", "99999999999", " "};
    for (int i = 0; i < 40; ++i) {
        std::string text;
        const int n = 1 + int(random() % 14);
        for (int k = 0; k < n; ++k) text += words[random() % words.size()];
        Shell.Answers.push_back(true);
        Ws->ScriptClr();
        Ws->AppendScriptLine(text);
        EXPECT_NO_THROW(Ws->ScriptRun()) << text;
        EXPECT_FALSE(Ws->ScriptRunning()) << text;
        EXPECT_FALSE(Shell.IsBusy()) << text;
    }
}

} // namespace
