#include <gtest/gtest.h>

#include "CliTestSupport.h"
#include "core/IniFile.h"
#include "core/Text.h"

using namespace qx;
using namespace qx::test;

namespace {
std::vector<std::string> MethodCodes(const TTempDir& dir, std::string_view prefix) {
    std::vector<std::string> codes;
    for (const std::string& line : SplitLines(Cli(dir, {"methods"}).Out)) {
        const std::string code =
            line.substr(line.find('\t') + 1, line.find('\t', line.find('\t') + 1) - line.find('\t') - 1);
        if (code.rfind(prefix, 0) == 0 && code.size() > prefix.size() && code[prefix.size()] <= '9')
            codes.push_back(code);
    }
    return codes;
}
} // namespace

TEST(CliConfig, GetAndSetTheChannelWidthAndTheSegmentTable) {
    TTempDir dir;
    ASSERT_EQ(Cli(dir, {"draws", "add", "1", "0;1;8;9", "03/07/2019 M"}).Code, 0);
    EXPECT_EQ(Cli(dir, {"config", "get", "ChannelSize"}).Out, "2\n");
    EXPECT_EQ(Cli(dir, {"config", "get"}).Out,
              "ChannelSize=2\nMatrixSegments=" + std::string(40, '1') +
                  "\nFormula1=(n1+n2)/(n3+n4)\nFormula2=(n1+n3)/(n2+n4)\nFormula3=(n3+n4)/(n1+n2)\n"
                  "Formula1Digits=2\nFormula2Digits=2\nFormula3Digits=2\n");
    EXPECT_EQ(MethodCodes(dir, "CHN"), (std::vector<std::string>{"CHN1", "CHN2", "CHN3", "CHN4", "CHN5"}));

    TCliRun set = Cli(dir, {"config", "set", "channelsize", "1"});
    ASSERT_EQ(set.Code, 0) << set.Err;
    EXPECT_EQ(set.Out, "ChannelSize=1\n");
    EXPECT_EQ(TIniFile::Load(dir.Path() / "Quadrix_4d10.ini").ReadString("GLOBAL", "ChannelSize", ""), "1");
    EXPECT_EQ(MethodCodes(dir, "CHN").size(), 10u);
    EXPECT_EQ(MethodCodes(dir, "CHN").back(), "CHN10");

    const std::string table = "1111122222333334444455555666667777788888";
    ASSERT_EQ(Cli(dir, {"config", "set", "MatrixSegments", table}).Code, 0);
    EXPECT_EQ(Cli(dir, {"config", "get", "MatrixSegments"}).Out, table + "\n");
    EXPECT_EQ(MethodCodes(dir, "SGM").size(), 8u);
}

TEST(CliConfig, RefusesUnknownKeysAndBadValuesChangingNothing) {
    TTempDir dir;
    ASSERT_EQ(Cli(dir, {"config", "set", "ChannelSize", "3"}).Code, 0);
    const std::string before = ReadBytes(dir.Path() / "Quadrix_4d10.ini");
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"config", "set", "ChannelSize", "0"},
             {"config", "set", "ChannelSize", "11"},
             {"config", "set", "ChannelSize", "2x"},
             {"config", "set", "ChannelSize", ""},
             {"config", "set", "MatrixSegments", std::string(39, '2')},
             {"config", "set", "MatrixSegments", std::string(41, '2')},
             {"config", "set", "MatrixSegments", std::string(39, '2') + "0"},
             {"config", "set", "MatrixSegments", std::string(39, '2') + "a"},
             {"config", "set", "MatrixCols", "3"},
             {"config", "set", "Formula2Digits", "0"},
             {"config", "set", "Formula2Digits", "6"},
             {"config", "set", "ChannelSize"},
             {"config", "get", "Nothing"}}) {
        TCliRun r = Cli(dir, args);
        EXPECT_NE(r.Code, 0) << args.back();
        EXPECT_FALSE(r.Err.empty()) << args.back();
    }
    EXPECT_EQ(ReadBytes(dir.Path() / "Quadrix_4d10.ini"), before);
    EXPECT_EQ(Cli(dir, {"config", "get", "ChannelSize"}).Out, "3\n");
    EXPECT_NE(Cli(dir, {"config", "set", "Foo", "1"}).Err.find("Неизвестный ключ конфигурации: Foo"),
              std::string::npos);
}
