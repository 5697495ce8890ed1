#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"
#include "support/TestSupport.h"

using namespace qx;
using qx::test::TTempDir;

namespace {
struct CliRun {
    int Code;
    std::string Out, Err;
};
CliRun Cli(const TTempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", dir.Path().string()});
    std::ostringstream out, err;
    int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}
} // namespace

TEST(Cli, InfoOnAnEmptyDirectory) {
    TTempDir dir;
    CliRun r = Cli(dir, {"info"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "Архив тиражей: 0\nСледующий тираж: 1\nПоследний тираж: нет\n");
}

TEST(Cli, AddListDeleteAndErrors) {
    TTempDir dir;
    EXPECT_EQ(Cli(dir, {"draws", "add", "7", "1,2;3 ; 4", "03/07/2019 M"}).Code, 0);
    EXPECT_EQ(Cli(dir, {"draws", "add", "8", "5;6;7;8", "03/07/2019 e"}).Code, 0);
    CliRun bad = Cli(dir, {"draws", "add", "9", "1;2;3;10", "03/07/2019 M"});
    EXPECT_NE(bad.Code, 0);
    EXPECT_NE(bad.Err.find("Введена некорректная комбинация!"), std::string::npos);
    EXPECT_NE(Cli(dir, {"draws", "add", "9", "1;2;3;4", "02/30/2019 M"}).Code, 0);

    CliRun list = Cli(dir, {"draws", "list"});
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
    CliRun imp = Cli(dir, {"draws", "import", qx::test::RealArchiveCsv().string()});
    EXPECT_EQ(imp.Code, 0) << imp.Err;
    EXPECT_EQ(imp.Out, "Добавлено тиражей: 13788\n");
    CliRun info = Cli(dir, {"info"});
    EXPECT_NE(info.Out.find("Архив тиражей: 13788\nСледующий тираж: 13789\n"), std::string::npos);
}
