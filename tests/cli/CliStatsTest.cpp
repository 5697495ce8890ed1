#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"
#include "core/Text.h"
#include "support/TestSupport.h"

using namespace qx;
using qx::test::TTempDir;

namespace {
struct TRun {
    int Code;
    std::string Out, Err;
};
TRun RunCliIn(const TTempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", dir.Path().string()});
    std::ostringstream out, err;
    int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> f;
    size_t b = 0;
    for (size_t e; (e = line.find('\t', b)) != std::string::npos; b = e + 1) f.push_back(line.substr(b, e - b));
    f.push_back(line.substr(b));
    return f;
}
} // namespace

TEST(CliStats, MethodsAndATableOfASmallArchive) {
    TTempDir dir;
    int number = 1;
    for (const char* d : {"5;8;1;6", "9;1;7;2", "3;3;3;3"})
        ASSERT_EQ(RunCliIn(dir, {"draws", "add", std::to_string(number++), d, "03/07/2019 M"}).Code, 0);
    TRun methods = RunCliIn(dir, {"methods"});
    EXPECT_EQ(methods.Code, 0) << methods.Err;
    const auto lines = SplitLines(methods.Out);
    ASSERT_GE(lines.size(), 13u);
    EXPECT_EQ(lines[0], "№\tКод\tНазвание\tГруппа");
    EXPECT_EQ(lines[3], "2\tEVEN\t{ num } Количество четных чисел в тираже (Ч:Н) [ NG ]\t0");

    // Position 3 over the two older draws, digits sorted: 5816 -> 1568 gives 6, 9172 -> 1279 gives 7.
    TRun t = RunCliIn(dir, {"stat", "--method", "pos3", "--window", "2", "--offset", "1", "--sorted", "--sort", "1:desc"});
    ASSERT_EQ(t.Code, 0) << t.Err;
    const auto rows = SplitLines(t.Out);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(Fields(rows[1])[0], "7");  // equal counts: the captions decide, reversed too
    EXPECT_EQ(Fields(rows[2])[0], "6");
    EXPECT_EQ(Fields(rows[2])[16], "-");
    EXPECT_EQ(Fields(rows[3])[1], "0");
}

TEST(CliStats, TableOfTheRealArchive) {
    QX_REQUIRE_REAL_ARCHIVE();
    TTempDir dir;
    ASSERT_EQ(RunCliIn(dir, {"draws", "import", qx::test::RealArchiveCsv().string()}).Code, 0);
    TRun t = RunCliIn(dir, {"stat", "--method", "NUMS", "--window", "1000"});
    ASSERT_EQ(t.Code, 0) << t.Err;
    const auto lines = SplitLines(t.Out);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(Fields(lines[0]).size(), 20u);
    EXPECT_EQ(Fields(lines[0])[0], "Значение");
    EXPECT_EQ(Fields(lines[0])[19], "+/- КРН");
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(Fields(lines[i]).size(), 20u);
    EXPECT_EQ(lines[1], "0\t417\t10.42500\t-\t-\t-\t2\t15.38\t2.00\t13787\t1\t2.3981\t12\t13789\t13820\t13821\t-\t-\t-\t-");

    // Sorted by the weight, heaviest first; with an offset the facts appear.
    TRun sorted = RunCliIn(dir, {"stat", "--method", "EVNV", "--offset", "500", "--sort", "8:desc"});
    ASSERT_EQ(sorted.Code, 0) << sorted.Err;
    const auto rows = SplitLines(sorted.Out);
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(Fields(rows[1])[8], "59.00");
    EXPECT_EQ(Fields(rows[1])[16], "13320");

    for (auto bad : std::vector<std::vector<std::string>>{{"stat", "--method", "NOPE"},
                                                          {"stat"},
                                                          {"stat", "--method", "NUMS", "--sort", "20"},
                                                          {"stat", "--method", "NUMS", "--sort", "1:up"},
                                                          {"stat", "--method", "NUMS", "--offset", "13788"},
                                                          {"stat", "--method", "NUMS", "--window", "0"}})
        EXPECT_NE(RunCliIn(dir, bad).Code, 0) << bad.back();
}

TEST(CliStats, GraphValuesWithMeanAndMode) {
    TTempDir dir;
    int number = 1;
    for (const char* d : {"5;5;5;5", "3;4;4;4", "9;9;2;0", "1;0;0;0"})
        ASSERT_EQ(RunCliIn(dir, {"draws", "add", std::to_string(number++), d, "03/07/2019 M"}).Code, 0);
    // Sum changes of the three draws before the newest: 20 - 0 is outside the window, 15 - 20,
    // 20 - 15; the draw before the window still gives the first one's previous sum.
    TRun g = RunCliIn(dir, {"graph", "--method", "SUMC", "--window", "2", "--offset", "1"});
    ASSERT_EQ(g.Code, 0) << g.Err;
    EXPECT_EQ(SplitLines(g.Out),
              (std::vector<std::string>{"Тираж\tЗначение", "2\t-5", "3\t5", "Среднее\t0.0000", "Мода\t-5"}));
    TRun sums = RunCliIn(dir, {"graph", "--method", "sums", "--window", "10"});
    ASSERT_EQ(sums.Code, 0) << sums.Err;
    EXPECT_EQ(SplitLines(sums.Out), (std::vector<std::string>{"Тираж\tЗначение", "1\t20", "2\t15", "3\t20", "4\t1",
                                                               "Среднее\t14.0000", "Мода\t20"}));
    TRun notGraph = RunCliIn(dir, {"graph", "--method", "NUMS"});
    EXPECT_NE(notGraph.Code, 0);
    EXPECT_NE(notGraph.Err.find("Метод не строит график: NUMS"), std::string::npos) << notGraph.Err;
    EXPECT_NE(RunCliIn(dir, {"graph", "--method", "SUMS", "--offset", "9"}).Code, 0);
    EXPECT_NE(RunCliIn(dir, {"graph", "--method", "SUMS", "extra"}).Code, 0);
}
