#include <gtest/gtest.h>

#include "CliTestSupport.h"
#include "core/IniFile.h"
#include "core/Text.h"

using namespace qx;
using namespace qx::test;

TEST(CliFormulas, EvalPrintsTheValueOrTheErrorWithExitCodeOne) {
    TTempDir dir;
    EXPECT_EQ(Cli(dir, {"eval", "2+3^2"}).Out, "11\n");
    EXPECT_EQ(Cli(dir, {"eval", "-1,5*2", "--sep", ","}).Out, "-3\n");
    EXPECT_EQ(Cli(dir, {"eval", "1/4"}).Out, "0.25\n");
    const TCliRun bad = Cli(dir, {"eval", "SQRT(-1)"});
    EXPECT_EQ(bad.Code, 1);
    EXPECT_EQ(bad.Out, "Выражение под корнем меньне нуля\n");
    EXPECT_NE(Cli(dir, {"eval", "1", "--sep", "ab"}).Code, 0);
    EXPECT_NE(Cli(dir, {"eval"}).Code, 0);
}

TEST(CliFormulas, ShredValuesAndRefusedArguments) {
    TTempDir dir;
    EXPECT_EQ(Cli(dir, {"shred", "--formula", "(n1+n2)/(n3+n4)", "--places", "2", "--n", "1;2;3;4"}).Out, "42\n");
    EXPECT_EQ(Cli(dir, {"shred", "--formula", "(n1+p2+t3)/7", "--places", "3", "--n", "1;0;0;0", "--p", "0;2;0;0",
                        "--t", "0;0;3;0"})
                  .Out,
              "857\n");
    EXPECT_EQ(Cli(dir, {"shred", "--formula", "(n1+", "--places", "2", "--n", "1;2;3;4"}).Out, "0\n");
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"shred", "--formula", "n1/7", "--places", "0", "--n", "1;2;3;4"},
             {"shred", "--formula", "n1/7", "--places", "10", "--n", "1;2;3;4"},
             {"shred", "--formula", "n1/7", "--places", "2", "--n", "1;2;3"},
             {"shred", "--formula", "n1/7", "--places", "2", "--n", "1;2;3;10"},
             {"shred", "--formula", "n1/7", "--places", "2"},
             {"shred", "--places", "2", "--n", "1;2;3;4"}}) {
        const TCliRun r = Cli(dir, args);
        EXPECT_NE(r.Code, 0) << args.back();
        EXPECT_FALSE(r.Err.empty());
    }
}

// A formula set from the command line renames the method and computes with it; places are checked.
TEST(CliFormulas, ConfigFormulaKeysGoThroughTheDialogsPath) {
    TTempDir dir;
    ASSERT_EQ(Cli(dir, {"draws", "add", "1", "1;2;3;4", "03/07/2019 M"}).Code, 0);
    ASSERT_EQ(Cli(dir, {"draws", "add", "2", "5;6;7;8", "03/07/2019 E"}).Code, 0);
    const TCliRun set = Cli(dir, {"config", "set", "Formula1", "(n1*p2+t3)/7"});
    ASSERT_EQ(set.Code, 0) << set.Err;
    EXPECT_EQ(set.Out, "Formula1=(n1*p2+t3)/7\n");
    ASSERT_EQ(Cli(dir, {"config", "set", "Formula1Digits", "4"}).Code, 0);
    EXPECT_NE(Cli(dir, {"methods"}).Out.find("SHR1\t{ shr } Метод шинковки 1: (n1*p2+t3)/7 [ SNG ]"), std::string::npos);
    const TIniFile ini = TIniFile::Load(dir.Path() / "Quadrix_4d10.ini");
    EXPECT_EQ(ini.ReadInteger("SHREDDING", "Formula1Digits", 0), 4);
    // Draw 2 after draw 1: (5 * 2 + 0) / 7 = 1.428571...
    const TCliRun stat = Cli(dir, {"stat", "--method", "SHR1", "--window", "1"});
    EXPECT_EQ(SplitLines(stat.Out).at(1).substr(0, 5), "4285\t") << stat.Out;
}

TEST(CliFormulas, FavouritesAndNameSets) {
    TTempDir dir;
    TCliRun fav = Cli(dir, {"favourites", "--set", "nums,SHR1"});
    ASSERT_EQ(fav.Code, 0) << fav.Err;
    EXPECT_EQ(fav.Out, "NUMS\t{ num } Числа тиража [ N ]\nSHR1\t{ shr } Метод шинковки 1: (n1+n2)/(n3+n4) [ SNG ]\n");
    EXPECT_EQ(Cli(dir, {"favourites"}).Out, fav.Out);
    EXPECT_NE(Cli(dir, {"favourites", "--set", "NUMS,NOPE"}).Code, 0);
    EXPECT_EQ(Cli(dir, {"favourites"}).Out, fav.Out);

    const auto set = dir.Path() / "set.flt";
    WriteBytes(set, Utf8ToCp1251("[STRINGS_1049]\r\nNUMS=Числа %s и 100%\r\n"));
    ASSERT_EQ(Cli(dir, {"names", "import", set.string()}).Code, 0);
    EXPECT_NE(Cli(dir, {"favourites"}).Out.find("NUMS\t{ num } Числа %s и 100% [ N ]"), std::string::npos);
    const auto out = dir.Path() / "out.flt";
    ASSERT_EQ(Cli(dir, {"names", "export", out.string()}).Code, 0);
    const TIniFile exported = TIniFile::Load(out);
    EXPECT_EQ(exported.ReadString("STRINGS_1049", "NUMS", ""), "Числа %s и 100%");
    EXPECT_EQ(exported.ReadString("STRINGS_1049", "DIGS", ""), "Цифры тиража");
    EXPECT_FALSE(exported.HasSection("FILTERS"));
    const TIniFile own = TIniFile::Load(dir.Path() / "Quadrix_4d10.flt");
    EXPECT_EQ(own.Keys("STRINGS_1049"), (std::vector<std::string>{"NUMS"}));

    const TCliRun reset = Cli(dir, {"favourites", "--reset"});
    EXPECT_GT(SplitLines(reset.Out).size(), 50u);
}
