#include <gtest/gtest.h>

#include <sstream>

#include "CliTestSupport.h"
#include "core/IniFile.h"
#include "core/Text.h"
#include "support/TestSupport.h"
#include "support/XlsxReader.h"

using namespace qx;
using namespace qx::test;

namespace {

std::vector<std::vector<std::string>> TabRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        size_t start = 0;
        for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            cells.push_back(line.substr(start, tab - start));
        cells.push_back(line.substr(start));
        rows.push_back(cells);
    }
    return rows;
}

} // namespace

TEST(CliExport, TheDrawsWorkbookReadsBackAsTheDrawsList) {
    QX_REQUIRE_REAL_ARCHIVE();
    TTempDir dir;
    ASSERT_EQ(Cli(dir, {"draws", "import", RealArchiveCsv().string()}).Code, 0);
    const auto out = dir / "draws.xlsx";
    const TCliRun run = Cli(dir, {"export", "draws", "--out", out.string()});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, "Экспортировано строк: 13788\n" + out.string() + "\n");
    const auto list = TabRows(Cli(dir, {"draws", "list"}).Out);
    const TXlsxBook book = TXlsxBook::Read(out);
    // Title, date line, empty row, then the captions and rows as the list prints them.
    ASSERT_EQ(book.RowCount(), 3 + int(list.size()));
    int differing = 0;
    for (size_t r = 0; r < list.size(); ++r)
        for (size_t c = 0; c < list[r].size(); ++c)
            if (book.Text(int(r) + 3, int(c)) != list[r][c]) ++differing;
    EXPECT_EQ(differing, 0);
    // The configuration file is read, never written.
    EXPECT_FALSE(std::filesystem::exists(dir / "Quadrix_4d10.ini"));
}

TEST(CliExport, SettingsRowsAndStatisticsOptions) {
    TTempDir dir;
    for (int n = 1; n <= 6; ++n)
        ASSERT_EQ(Cli(dir, {"draws", "add", std::to_string(n), "1;2;3;" + std::to_string(n), "03/0" + std::to_string(n) + "/2019 M"}).Code, 0);
    // The view's section in the configuration file, and a parameter file over it.
    WriteBytes(dir / "Quadrix_4d10.ini", Utf8ToCp1251("[EXPORT_EXCEL_FORMMAIN.LVDRAWS]\r\nRestoreParameters=1\r\n"
                                                      "ShowCreateTime=0\r\nItem_0=5;S;Сумма;-1;1;9\r\n"));
    const std::string config = ReadBytes(dir / "Quadrix_4d10.ini");
    WriteBytes(dir / "p.exp", Utf8ToCp1251("[EXPORT_EXCEL_FORMMAIN.LVDRAWS]\r\nTitle=Выборка\r\nItem_1=6;Дата тиража;Дата;0;0;1\r\n"));
    const auto out = dir / "rows.xlsx";
    TCliRun run = Cli(dir, {"export", "draws", "--out", out.string(), "--params", (dir / "p.exp").string(), "--rows", "2-3"});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(ReadBytes(dir / "Quadrix_4d10.ini"), config);
    TXlsxBook book = TXlsxBook::Read(out);
    EXPECT_EQ(book.Text(0, 0), "Выборка");
    EXPECT_EQ(book.Text(2, 0), "Сумма");
    EXPECT_EQ(book.Text(2, 1), "Тираж");
    EXPECT_EQ(book.Text(2, 5), "4");  // the date column is off
    EXPECT_EQ(book.Cell(2, 6), nullptr);
    EXPECT_EQ(book.Text(3, 1), "5");  // list row 2 is draw 5
    EXPECT_EQ(book.Text(4, 1), "4");
    EXPECT_EQ(book.RowCount(), 5);
    EXPECT_EQ(book.Styles.at(size_t(book.Cell(3, 0)->Style)).Horizontal, "right");

    EXPECT_NE(Cli(dir, {"export", "draws", "--out", out.string(), "--rows", "3-2"}).Code, 0);
    EXPECT_NE(Cli(dir, {"export", "draws", "--out", out.string(), "--rows", "5-9"}).Code, 0);
    EXPECT_NE(Cli(dir, {"export", "draws"}).Code, 0);
    run = Cli(dir, {"export", "draws", "--out", (dir / "missing" / "x.xlsx").string()});
    EXPECT_NE(run.Code, 0);
    EXPECT_NE(run.Err.find("Ошибка подключения к Microsoft Excel!"), std::string::npos);

    // "stat" takes the options of the statistics table.
    const auto stat = dir / "stat.xlsx";
    run = Cli(dir, {"export", "stat", "--method", "NUMS", "--window", "3", "--out", stat.string(), "--sort", "1:desc"});
    ASSERT_EQ(run.Code, 0) << run.Err;
    const auto table = TabRows(Cli(dir, {"stat", "--method", "NUMS", "--window", "3", "--sort", "1:desc"}).Out);
    book = TXlsxBook::Read(stat);
    EXPECT_EQ(book.SheetNames, std::vector<std::string>{"Статистика"});
    EXPECT_EQ(book.Text(3, 0), table[0][0]);
    EXPECT_EQ(book.Text(4, 0), table[1][0]);
    EXPECT_EQ(book.Text(4, 1), table[1][1]);
    EXPECT_EQ(book.RowCount(), 3 + int(table.size()));

    const auto combs = dir / "combs.xlsx";
    ASSERT_EQ(Cli(dir, {"export", "combs", "--out", combs.string()}).Code, 0);
    EXPECT_EQ(TXlsxBook::Read(combs).RowCount(), 4 + 10000);
}
