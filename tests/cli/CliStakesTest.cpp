#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliRun.h"
#include "support/XlsxReader.h"
#include "core/Text.h"

using namespace qx;
using qx::test::RunCliIn;
using qx::test::TCliRun;
using qx::test::TTempDir;

namespace {

// The lines of an output, without the trailing empty one.
std::vector<std::string> Lines(const std::string& text) { return qx::test::OutputLines(text); }

class CliStakes : public ::testing::Test {
protected:
    TTempDir Dir;
    void SetUp() override {
        int number = 40;
        for (const char* d : {"1;2;3;4", "1;2;4;3", "7;0;7;7"})
            ASSERT_EQ(RunCliIn(Dir, {"draws", "add", std::to_string(++number), d, "03/07/2019 M"}).Code, 0);
    }
};

} // namespace

TEST_F(CliStakes, AddCheckListAndRate) {
    TCliRun add = RunCliIn(Dir, {"stakes", "add", "--draw", "42", "--digits", "1;2;3;4", "--draws", "3"});
    ASSERT_EQ(add.Code, 0) << add.Err;
    EXPECT_EQ(add.Out, "Ставок: 5\n");
    TCliRun check = RunCliIn(Dir, {"stakes", "check"});
    EXPECT_EQ(check.Out, "Проверено ставок: 0\n");  // the add checked them already
    TCliRun list = RunCliIn(Dir, {"stakes", "list"});
    ASSERT_EQ(list.Code, 0) << list.Err;
    const auto lines = Lines(list.Out);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Строка\t№ тиража\tВид ставки\tМоя ставка\tВыборка\tРезультаты тиража\tСовпадений\tСовпадения\t"
                        "Профит\tКомментарий");
    EXPECT_EQ(lines[1], "1\t42\tВручную\t1;2;3;4\t10000\t1;2;4;3\t2\t1 2\t0.00\tСтавка \"вручную\"");
    EXPECT_EQ(lines[2], "2\t\t\t\t\t\t\t\t\t");
    EXPECT_EQ(lines[3], "3\t43\tВручную\t1;2;3;4\t10000\t7;0;7;7\t0\t\t0.00\tСтавка \"вручную\"");
    EXPECT_EQ(lines[5], "5\t44\tВручную\t1;2;3;4\t10000\t\t\t\t0.00\tСтавка \"вручную\"");
    EXPECT_EQ(Lines(RunCliIn(Dir, {"stakes", "list", "--limit", "1"}).Out).size(), 2u);

    TCliRun ratings = RunCliIn(Dir, {"ratings", "list", "--mode", "0"});
    ASSERT_EQ(ratings.Code, 0) << ratings.Err;
    EXPECT_EQ(Lines(ratings.Out)[1], "Ставка \"вручную\"\t2\t2\t1.000\t0.00\t0.00\t1\t0\t1\t0\t0\t1\t1\t0\t0\t0");
    EXPECT_EQ(Lines(ratings.Out).back(), "Рейтинг: 1");

    ASSERT_EQ(RunCliIn(Dir, {"draws", "add", "44", "1;2;3;4", "03/08/2019 M"}).Code, 0);
    EXPECT_EQ(RunCliIn(Dir, {"stakes", "check"}).Out, "Проверено ставок: 1\n");
    TCliRun csv = RunCliIn(Dir, {"ratings", "export", (Dir / "r.csv").string()});
    ASSERT_EQ(csv.Code, 0) << csv.Err;
    EXPECT_EQ(Lines(Cp1251ToUtf8(qx::test::ReadBytes(Dir / "r.csv")))[1], "\"Ставка \"\"вручную\"\"\";3;6;2.000;0.00;0.00;1;0;1;0;1\r");
}

TEST_F(CliStakes, RefusalsFollowTheDialog) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--draw", "42", "--digits", "1;2;3"}, "Введена некорректная комбинация!"},
        {{"--draw", "42", "--digits", "1;2;3;10"}, "Введена некорректная комбинация!"},
        {{"--draw", "42", "--digits", "1;2;3;4", "--comment", " "}, "Необходимо ввести комментарий!"},
        {{"--draw", "0", "--digits", "1;2;3;4"}, "Номер тиража должен быть от 1 до 2147483647!"},
        {{"--draw", "2147483648", "--digits", "1;2;3;4"}, "Номер тиража должен быть от 1 до 2147483647!"},
        {{"--draw", "42", "--digits", "1;2;3;4", "--draws", "65536"}, "Количество тиражей должно быть от 1 до 65535!"},
        {{"--draw", "2147483647", "--digits", "1;2;3;4", "--draws", "2"},
         "Ошибка добавления записи в файл ставок!\n\nНомер тиража 2147483648 больше 2147483647!"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"stakes", "add"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        TCliRun r = RunCliIn(Dir, args);
        EXPECT_EQ(r.Code, 1) << c.message;
        EXPECT_NE(r.Err.find(c.message), std::string::npos) << r.Err;
    }
    EXPECT_EQ(Lines(RunCliIn(Dir, {"stakes", "list"}).Out).size(), 1u);  // nothing was added
    EXPECT_EQ(RunCliIn(Dir, {"stakes", "delete", "--rows", "1-2"}).Code, 1);
    EXPECT_EQ(RunCliIn(Dir, {"stakes", "delete", "--where", "<>:1"}).Code, 1);
    EXPECT_EQ(RunCliIn(Dir, {"stakes", "delete"}).Code, 1);
    EXPECT_EQ(RunCliIn(Dir, {"ratings", "list", "--sort", "16"}).Code, 1);
}

TEST_F(CliStakes, CombinationFilesDeletionAndClearing) {
    qx::test::WriteBytes(Dir / "c.lcv", "1;2;3;4\r\n7;0;7;7\r\n5;5;5;5\r\n");
    TCliRun add = RunCliIn(Dir, {"stakes", "add", "--lcv", (Dir / "c.lcv").string(), "--draw", "43", "--comment", "Файл"});
    ASSERT_EQ(add.Code, 0) << add.Err;
    EXPECT_EQ(add.Out, "Ставок: 3\n");
    TCliRun ratings = RunCliIn(Dir, {"ratings", "list", "--sort", "1:desc"});
    EXPECT_EQ(Lines(ratings.Out)[1].substr(0, 10), "Файл\t3");
    EXPECT_EQ(RunCliIn(Dir, {"stakes", "delete", "--where", "<:1"}).Out, "Ставок: 1\n");  // 0 matches: 5555 and 1234
    EXPECT_EQ(RunCliIn(Dir, {"stakes", "delete", "--rows", "1"}).Out, "Ставок: 0\n");
    RunCliIn(Dir, {"stakes", "add", "--draw", "50", "--digits", "1;1;1;1"});
    TCliRun clear = RunCliIn(Dir, {"stakes", "clear"});
    EXPECT_EQ(clear.Code, 0) << clear.Err;
    EXPECT_EQ(clear.Out, "Ставок: 0\n");
    EXPECT_EQ(Lines(RunCliIn(Dir, {"ratings", "list"}).Out).back(), "Рейтинг: 0");  // rebuilt from nothing
}

TEST_F(CliStakes, TheRatingsWorkbookHoldsTheListedRows) {
    ASSERT_EQ(RunCliIn(Dir, {"stakes", "add", "--draw", "41", "--digits", "1;2;3;4", "--draws", "3"}).Code, 0);
    ASSERT_EQ(RunCliIn(Dir, {"stakes", "add", "--draw", "43", "--digits", "7;0;7;7", "--comment", "семь"}).Code, 0);
    const auto out = Dir / "r.xlsx";
    const TCliRun run = RunCliIn(Dir, {"export", "ratings", "--out", out.string()});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, "Экспортировано строк: 2\n" + out.string() + "\n");
    const auto listed = Lines(RunCliIn(Dir, {"ratings", "list"}).Out);
    const qx::test::TXlsxBook book = qx::test::TXlsxBook::Read(out);
    // Title, date line, empty row, then the captions and rows as the list prints them.
    ASSERT_EQ(book.RowCount(), 3 + 3);
    // Plain numbers go out as numbers (their format keeps the decimals shown); the rest as text.
    for (int r = 0; r < 3; ++r) {
        std::vector<std::string> shown;
        std::istringstream line(listed[static_cast<size_t>(r)]);
        for (std::string cell; std::getline(line, cell, '\t');) shown.push_back(cell);
        ASSERT_EQ(shown.size(), 16u);
        for (int c = 0; c < 16; ++c) {
            const qx::test::TXlsxCell* cell = book.Cell(3 + r, c);
            ASSERT_NE(cell, nullptr);
            if (cell->Number)
                EXPECT_DOUBLE_EQ(cell->Value, std::stod(shown[size_t(c)])) << r << " " << c;
            else
                EXPECT_EQ(cell->Text, shown[size_t(c)]) << r << " " << c;
        }
    }
}
