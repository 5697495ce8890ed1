#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliRun.h"
#include "core/IniFile.h"

using namespace qx;
using qx::test::RunCliIn;
using qx::test::TCliRun;
using qx::test::TTempDir;

namespace {

std::vector<std::string> Lines(const std::string& text) { return qx::test::OutputLines(text); }

// Draws 41..45: 1;2;3;4, 5;5;5;5, 7;0;3;9, 1;1;1;1, 9;9;9;9.
class CliAnalyses : public ::testing::Test {
protected:
    TTempDir Dir;
    void SetUp() override {
        int number = 40;
        for (const char* d : {"1;2;3;4", "5;5;5;5", "7;0;3;9", "1;1;1;1", "9;9;9;9"})
            ASSERT_EQ(RunCliIn(Dir, {"draws", "add", std::to_string(++number), d, "03/07/2019 M"}).Code, 0);
    }
    TCliRun Run(std::vector<std::string> args) { return RunCliIn(Dir, std::move(args)); }
};

} // namespace

TEST_F(CliAnalyses, RegularsAddListStakeAndTest) {
    TCliRun add = Run({"regulars", "add", "--comment", "R1", "--start", "1;2;3;4", "--step", "1"});
    ASSERT_EQ(add.Code, 0) << add.Err;
    EXPECT_EQ(add.Out, "Регуляров: 1\n");
    ASSERT_EQ(Run({"regulars", "add", "--comment", "P", "--previous", "--step", "5"}).Code, 0);

    TCliRun test = Run({"regulars", "test", "--index", "0,1", "--count", "2"});
    ASSERT_EQ(test.Code, 0) << test.Err;
    EXPECT_EQ(test.Out, "Ставок: 4\n");
    const auto stakes = Lines(Run({"stakes", "list"}).Out);
    ASSERT_EQ(stakes.size(), 5u);
    // Offset 2 stakes on draw 44 from draw 43 (7;0;3;9), offset 1 on 45 from 44.
    EXPECT_EQ(stakes[1].rfind("1\t44\tРегуляр\t2;3;4;5\t", 0), 0u) << stakes[1];
    EXPECT_NE(stakes[2].find("\t44\tРегуляр\t2;5;8;4\t"), std::string::npos) << stakes[2];
    EXPECT_NE(stakes[4].find("\t45\tРегуляр\t6;6;6;6\t"), std::string::npos) << stakes[4];

    TCliRun stake = Run({"regulars", "stake", "--index", "0"});
    ASSERT_EQ(stake.Code, 0) << stake.Err;
    EXPECT_EQ(stake.Out, "Ставок: 5\n");
    const auto list = Lines(Run({"regulars", "list"}).Out);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], "Индекс\tКомментарий\tСтартовая комбинация\tШаг\tТекущая комбинация\tСтавок");
    EXPECT_EQ(list[1], "0\tR1\t1;2;3;4\t1\t4;5;6;7\t3");
    EXPECT_EQ(list[2], "1\tP\t0;0;0;0\t5\t6;6;6;6\t2");
}

TEST_F(CliAnalyses, RegularsRefusals) {
    ASSERT_EQ(Run({"regulars", "add", "--comment", "R1", "--start", "1;2;3;4"}).Code, 0);
    struct {
        std::vector<std::string> Args;
        const char* Message;
    } refused[] = {
        {{"regulars", "add", "--comment", "r1", "--start", "5;5;5;5"}, "Запись с таким комментарией уже"},
        {{"regulars", "add", "--comment", "X", "--start", "5;5;5"}, "Введена некорректная комбинация!"},
        {{"regulars", "add", "--comment", " ", "--previous"}, "Необходимо ввести комментарий!"},
        {{"regulars", "add", "--comment", "X", "--previous", "--step", "-10"}, "Шаг должен быть от -9 до 9!"},
        {{"regulars", "add", "--comment", "X", "--previous", "--start", "1;1;1;1"}, "Укажите одно из"},
        {{"regulars", "test", "--index", "0", "--count", "5"}, "Количество тестов должно быть от 1 до 4!"},
        {{"regulars", "test", "--index", "3", "--count", "1"},
         "Запись со индексом 3 в файле данных не найдена!"},
        {{"regulars", "stake", "--index", "x"}, "Некорректный индекс регуляра: x"},
    };
    for (const auto& r : refused) {
        const TCliRun run = Run(r.Args);
        EXPECT_EQ(run.Code, 1) << r.Message;
        EXPECT_NE(run.Err.find(r.Message), std::string::npos) << run.Err;
    }
    EXPECT_EQ(Lines(Run({"regulars", "list"}).Out).size(), 2u);
    EXPECT_EQ(Lines(Run({"stakes", "list"}).Out).size(), 1u);

    // With the tab hidden every command refuses and the file stays as it was.
    const std::string before = qx::test::ReadBytes(Dir / "Quadrix_4d10.ltb");
    UpdateIniFile(Dir / "Quadrix_4d10.frm",
                  [](TIniFile& ini) { ini.WriteBool("TFormMain", "TabTables", false); });
    for (std::vector<std::string> args : {std::vector<std::string>{"regulars", "list"},
                                          {"regulars", "add", "--comment", "Y", "--previous"},
                                          {"regulars", "stake", "--index", "0"},
                                          {"regulars", "test", "--index", "0", "--count", "1"}}) {
        const TCliRun run = Run(args);
        EXPECT_EQ(run.Code, 1) << args[1];
        EXPECT_NE(run.Err.find("Вкладка \"Регуляры\" скрыта"), std::string::npos) << run.Err;
    }
    EXPECT_EQ(qx::test::ReadBytes(Dir / "Quadrix_4d10.ltb"), before);
    EXPECT_EQ(Lines(Run({"stakes", "list"}).Out).size(), 1u);
}

TEST_F(CliAnalyses, SystemPlayFromTheSystemsFolder) {
    std::filesystem::create_directories(Dir / "Systems");
    qx::test::WriteBytes(Dir / "Systems" / "4-05-0_0001.dat", "01 02 03 04\r\n05 04 03 02\r\n");
    TCliRun gen =
        Run({"combs", "gen", "--mode", "2", "--params", "1;2;5;8;9", "--out", (Dir / "five.lcv").string()});
    ASSERT_EQ(gen.Code, 0) << gen.Err;
    TCliRun all = Run({"systems", "play", "--all", "--lcv", (Dir / "five.lcv").string()});
    ASSERT_EQ(all.Code, 0) << all.Err;
    EXPECT_EQ(all.Out, "Система: 4-05-0_0001, чисел: 5, комбинаций в системе: 2\nСтавок: 2\n");
    const auto stakes = Lines(Run({"stakes", "list"}).Out);
    ASSERT_EQ(stakes.size(), 3u);
    EXPECT_EQ(
        stakes[1],
        "1\t46\tСистема\t1;2;5;8\t2\t\t\t\t0.00\tСистемная игра для 5 чисел [вся система]: 4-05-0_0001");
    EXPECT_NE(stakes[2].find("\t2;5;8;9\t"), std::string::npos) << stakes[2];

    TCliRun comb = Run({"systems", "play", "--comb", "--lcv", (Dir / "five.lcv").string(), "--draw", "45",
                        "--comment", "мой"});
    ASSERT_EQ(comb.Code, 0) << comb.Err;
    const auto more = Lines(Run({"stakes", "list"}).Out);
    ASSERT_EQ(more.size(), 6u); // a separator and both combinations, which the list of 625 holds
    EXPECT_NE(more[4].find("\t45\tСистема\t1;2;5;8\t625\t9;9;9;9\t0\t"), std::string::npos) << more[4];

    EXPECT_EQ(Run({"systems", "play", "--all", "--comb", "--lcv", "x.lcv"}).Code, 1);
    TCliRun missing = Run({"systems", "play", "--all", "--lcv", (Dir / "five.lcv").string(), "--draw", "0"});
    EXPECT_EQ(missing.Code, 1);
    EXPECT_NE(missing.Err.find("Номер тиража должен быть от 1 до 2147483647!"), std::string::npos)
        << missing.Err;
}

TEST_F(CliAnalyses, RepeatsAndSums) {
    TCliRun repeats = Run({"repeats", "--length", "3", "--deep", "5"});
    ASSERT_EQ(repeats.Code, 0) << repeats.Err;
    // 45 (9;9;9;9) shares 1 with 43 (7;0;3;9); 44 (1;1;1;1) and 43 share 1 with 41 (1;2;3;4).
    EXPECT_EQ(repeats.Out, "Тираж\tСовпадений\tКол-во повторов\n45\t1\t1\n44\t1\t1\n43\t1\t1\n");
    TCliRun lists = Run({"repeats", "--length", "2147483647", "--deep", "2147483647", "--lists"});
    ASSERT_EQ(lists.Code, 0) << lists.Err;
    EXPECT_EQ(
        lists.Out,
        "Тираж\tСовпадений\tКол-во повторов\tСписок тиражей\n45\t1\t1\t43\n44\t1\t1\t41\n43\t1\t1\t41\n");
    for (std::vector<std::string> args :
         {std::vector<std::string>{"repeats", "--length", "0"}, {"repeats", "--deep", "2147483648"}}) {
        const TCliRun run = Run(args);
        EXPECT_EQ(run.Code, 1);
        EXPECT_NE(run.Err.find("от 1 до 2147483647!"), std::string::npos) << run.Err;
    }
    // The window's stored lengths are the defaults.
    UpdateIniFile(Dir / "Quadrix_4d10.frm",
                  [](TIniFile& ini) { ini.WriteInteger("TFormRepeats", "DrawsLength", 1); });
    EXPECT_EQ(Lines(Run({"repeats"}).Out).size(), 2u);

    TCliRun sums = Run({"sums"});
    ASSERT_EQ(sums.Code, 0) << sums.Err;
    const auto lines = Lines(sums.Out);
    ASSERT_EQ(lines.size(), 2u + 37 + 3);
    EXPECT_EQ(lines[1], "Сумма\tКомбинаций\tТиражей");
    EXPECT_EQ(lines[2 + 10], "10\t282\t1");
    EXPECT_EQ(lines[2 + 20], "20\t633\t1");
    EXPECT_EQ(lines[2 + 36], "36\t1\t1");
    EXPECT_EQ(lines[39], "Диапазон 1 (от 1/3 и выше по оси Y) - суммы 10-26");
}
