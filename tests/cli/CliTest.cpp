#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "CliTestSupport.h"

using namespace qx;
using namespace qx::test;

TEST(Cli, InfoOnAnEmptyDirectory) {
    TTempDir dir;
    TCliRun r = Cli(dir, {"info"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "Архив тиражей: 0\nСледующий тираж: 1\nПоследний тираж: нет\n");
}

TEST(Cli, AddListDeleteAndErrors) {
    TTempDir dir;
    EXPECT_EQ(Cli(dir, {"draws", "add", "7", "1,2;3 ; 4", "03/07/2019 M"}).Code, 0);
    EXPECT_EQ(Cli(dir, {"draws", "add", "8", "5;6;7;8", "03/07/2019 e"}).Code, 0);
    TCliRun bad = Cli(dir, {"draws", "add", "9", "1;2;3;10", "03/07/2019 M"});
    EXPECT_NE(bad.Code, 0);
    EXPECT_NE(bad.Err.find("Введена некорректная комбинация!"), std::string::npos);
    EXPECT_NE(Cli(dir, {"draws", "add", "9", "1;2;3;4", "02/30/2019 M"}).Code, 0);

    TCliRun list = Cli(dir, {"draws", "list"});
    EXPECT_EQ(list.Out, "Тираж\t1\t2\t3\t4\tS\tДата тиража\n8\t5\t6\t7\t8\t26\t03/07/2019 E\n7\t1\t2\t3\t4\t10\t03/07/2019 M\n");
    EXPECT_EQ(Cli(dir, {"draws", "list", "--offset", "1", "--limit", "5"}).Out.find("8\t"), std::string::npos);
    EXPECT_EQ(Cli(dir, {"draws", "delete", "8"}).Code, 0);
    EXPECT_NE(Cli(dir, {"draws", "delete", "8"}).Code, 0);
    EXPECT_NE(Cli(dir, {"nonsense"}).Code, 0);
    EXPECT_NE(Cli(dir, {"draws", "list", "--offset"}).Code, 0);
}

TEST(Cli, RealArchiveImport) {
    QX_REQUIRE_REAL_ARCHIVE();
    TTempDir dir;
    TCliRun imp = Cli(dir, {"draws", "import", qx::test::RealArchiveCsv().string()});
    EXPECT_EQ(imp.Code, 0) << imp.Err;
    EXPECT_EQ(imp.Out, "Добавлено тиражей: 13788\n");
    TCliRun info = Cli(dir, {"info"});
    EXPECT_NE(info.Out.find("Архив тиражей: 13788\nСледующий тираж: 13789\n"), std::string::npos);
}

TEST(Cli, CombsFullSetAndFilters) {
    TTempDir dir;
    int number = 0;
    for (const char* d : {"0;1;2;3", "4;5;6;7", "8;9;0;1", "2;3;4;5"})
        ASSERT_EQ(Cli(dir, {"draws", "add", std::to_string(++number), d, "03/07/2019 M"}).Code, 0);
    TCliRun gen = Cli(dir, {"combs", "gen", "--mode", "2", "--params", "1;2", "--out", (dir / "g.lcv").string()});
    EXPECT_EQ(gen.Code, 0) << gen.Err;
    EXPECT_NE(gen.Out.find("Комбинаций: 16\n"), std::string::npos);

    TCliRun rows = Cli(dir, {"filter", "--method", "NUMS", "--window", "10", "--rows", "1", "--remove", "--in",
                            (dir / "g.lcv").string(), "--out", (dir / "f.lcv").string()});
    EXPECT_EQ(rows.Code, 0) << rows.Err;
    EXPECT_NE(rows.Out.find("Комбинаций: 1\n"), std::string::npos);  // only 2222 is left
    EXPECT_EQ(qx::test::ReadBytes(dir / "f.lcv"), "2;2;2;2\r\n");

    TCliRun text = Cli(dir, {"filter", "--text", "TSD1#NUMS:1,2#LNO:#ST:1"});
    EXPECT_EQ(text.Code, 0) << text.Err;
    EXPECT_EQ(text.Out.substr(0, text.Out.find('\t')), "TSD#NUMS:1#LNO:#ST:1");
    EXPECT_EQ(std::count(text.Out.begin(), text.Out.end(), '\n'), 2);
    EXPECT_NE(Cli(dir, {"filter", "--text", "TSD1#NUMS:#LNO:#ST:1"}).Code, 0);

    // A list that cannot be read leaves an existing output file as it was.
    for (std::vector<std::string> failing :
         {std::vector<std::string>{"combs", "gen", "--mode", "4", "--params", (dir / "missing.lcv").string()},
          {"filter", "--method", "NUMS", "--window", "10", "--rows", "1", "--keep", "--in", (dir / "missing.lcv").string()},
          {"filter", "--text", "TSD1#NUMS:1,2#LNO:#ST:1", "--in", (dir / "missing.lcv").string()}}) {
        failing.insert(failing.end(), {"--out", (dir / "f.lcv").string()});
        TCliRun r = Cli(dir, failing);
        EXPECT_NE(r.Code, 0) << failing[0];
        EXPECT_EQ(r.Out.find("Сохранено"), std::string::npos) << r.Out;
        EXPECT_EQ(qx::test::ReadBytes(dir / "f.lcv"), "2;2;2;2\r\n") << failing[0];
    }

    TCliRun full = Cli(dir, {"stat", "--method", "NUMS", "--fullset"});
    EXPECT_EQ(full.Code, 0) << full.Err;
    EXPECT_NE(full.Out.find("\t2\t12.50000\t2\t0\t0.00000\t"), std::string::npos) << full.Out;
    // A reading command computes the norms without writing the file; building is its own command.
    EXPECT_FALSE(std::filesystem::exists(dir / "Prefetchs" / "Quadrix_4d10_NUMS.dfc"));
    TCliRun build = Cli(dir, {"fullset", "build", "--force", "--all"});
    EXPECT_EQ(build.Code, 0) << build.Err;
    EXPECT_TRUE(std::filesystem::exists(dir / "Prefetchs" / "Quadrix_4d10_NUMS.dfc"));
}

TEST(Cli, ADryRunCountsBothWaysAndWritesNoFile) {
    TTempDir dir;
    ASSERT_EQ(Cli(dir, {"draws", "add", "1", "0;1;2;3", "03/07/2019 M"}).Code, 0);
    const std::string out = (dir / "f.lcv").string();
    TCliRun rows = Cli(dir, {"filter", "--method", "NUMS", "--window", "10", "--rows", "0,1", "--dry-run", "--out", out});
    EXPECT_EQ(rows.Code, 0) << rows.Err;
    EXPECT_EQ(rows.Out, "Оставить выделенные: 5904\nУдалить выделенные: 4096\n");
    // Naming one of the two still counts both.
    EXPECT_EQ(Cli(dir, {"filter", "--method", "NUMS", "--rows", "0,1", "--remove", "--dry-run"}).Out, rows.Out);
    EXPECT_NE(Cli(dir, {"filter", "--method", "NUMS", "--rows", "0", "--keep", "--remove", "--dry-run"}).Code, 0);

    // Descriptions: each variant's count as without the switch.
    const std::vector<std::string> text = {"filter", "--text", "TSD1#NUMS:1,2#LNO:#ST:1"};
    std::vector<std::string> dry = text;
    dry.insert(dry.end(), {"--dry-run", "--out", out});
    TCliRun counted = Cli(dir, dry);
    EXPECT_EQ(counted.Code, 0) << counted.Err;
    EXPECT_EQ(counted.Out, Cli(dir, text).Out);
    EXPECT_FALSE(std::filesystem::exists(out));
}
