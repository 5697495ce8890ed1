#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/ConfigFile.h"
#include "core/FormState.h"
#include "core/IniFile.h"
#include "support/TestSupport.h"

using namespace qx;
using qx::test::ReadBytes;
using qx::test::TTempDir;
using qx::test::WriteBytes;

TEST(IniFile, RoundTripKeepsUntouchedSectionsAndWritesWindows1251CrLf) {
    TTempDir dir;
    auto path = dir / "a.ini";
    WriteBytes(path, "; header\r\n[EXPORT_EXCEL_X.Y]\r\nColumns=1,2\r\n# comment\r\n\r\n[global]\r\nmatrixcols=5\r\n");
    UpdateIniFile(path, [](TIniFile& ini) {
        ini.WriteInteger("GLOBAL", "MatrixCols", 7);
        ini.WriteString("Новый", "Имя", "Значение ёж");
    });
    std::string bytes = ReadBytes(path);
    EXPECT_NE(bytes.find("[EXPORT_EXCEL_X.Y]\r\nColumns=1,2\r\n# comment\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("matrixcols=7\r\n"), std::string::npos);  // key spelling kept, value changed
    EXPECT_NE(bytes.find("; header\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\xC8\xEC\xFF=\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5 \xB8\xE6"), std::string::npos);  // cp1251
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            EXPECT_EQ(bytes[i - 1], '\r');
        }
    }

    TIniFile again = TIniFile::Load(path);
    EXPECT_EQ(again.ReadString("новый", "имя", ""), "Значение ёж");
    EXPECT_EQ(again.ReadInteger("Global", "MATRIXCOLS", 0), 7);
    EXPECT_EQ(again.ReadString("EXPORT_EXCEL_X.Y", "Columns", ""), "1,2");
    EXPECT_FALSE(std::filesystem::exists(dir / "a.ini.tmp"));
}

TEST(IniFile, ReadersFallBackToDefaults) {
    TIniFile ini = TIniFile::Parse("[S]\nA=x\nB=12\nC=0\nD=1,5\nE=\n");
    EXPECT_EQ(ini.ReadInteger("S", "A", 3), 3);
    EXPECT_EQ(ini.ReadInteger("S", "B", 3), 12);
    EXPECT_FALSE(ini.ReadBool("S", "C", true));
    EXPECT_TRUE(ini.ReadBool("S", "B", false));
    EXPECT_TRUE(ini.ReadBool("S", "missing", true));
    EXPECT_EQ(ini.ReadFloat("S", "D", 0), 1.5L);
    EXPECT_EQ(ini.ReadString("S", "E", "def"), "");
    EXPECT_EQ(ini.ReadString("T", "E", "def"), "def");
    EXPECT_EQ(TIniFile::Load("/nonexistent/dir/x.ini").Sections().size(), 0u);
}

TEST(IniFile, LineBreaksInAValueBecomeBlanksAndAddNoLines) {
    TTempDir dir;
    auto path = dir / "a.ini";
    WriteBytes(path, "[GLOBAL]\r\nCombsGenerateParameters=1\r\n");
    TCombsGenParams gen;
    gen.Parameters = "1234\r\n[PROXY]\nProxyServer=evil\r5678";  // pasted text, existing key
    UpdateIniFile(path, [&](TIniFile& ini) {
        WriteCombsGenDefaults(ini, gen);
        ini.WriteString("GLOBAL", "Fresh", "a\n\rb\r\rc");  // new key; LF CR is two breaks
    });
    std::string bytes = ReadBytes(path);
    EXPECT_NE(bytes.find("CombsGenerateParameters=1234 [PROXY] ProxyServer=evil 5678\r\n"), std::string::npos);

    TIniFile back = TIniFile::Load(path);
    EXPECT_EQ(back.Sections(), std::vector<std::string>{"GLOBAL"});
    EXPECT_EQ(back.Keys("GLOBAL"), (std::vector<std::string>{"CombsGenerateParameters", "CombsGenerateMode", "Fresh"}));
    EXPECT_EQ(back.ReadString("GLOBAL", "Fresh", ""), "a  b  c");
    TCombsGenParams read;
    ReadCombsGenDefaults(back, read);
    EXPECT_EQ(read.Parameters, "1234 [PROXY] ProxyServer=evil 5678");
    TProxy p;
    ReadProxy(back, p);
    EXPECT_EQ(p.ProxyServer, "");
}

TEST(ConfigFile, DefaultsFromAnEmptyFile) {
    TIniFile ini;
    TConfigData c;
    c.MatrixCols = 9;
    ReadConfigData(ini, c);
    EXPECT_EQ(c, TConfigData{});
    TShreddingFormulas f;
    ReadShredding(ini, f);
    EXPECT_EQ(f.Formula[0], "(n1+n2)/(n3+n4)");
    EXPECT_EQ(f.Digits[2], 2);
    TProxy p;
    ReadProxy(ini, p);
    EXPECT_EQ(p.ProxyMode, 0);
    EXPECT_EQ(p.ProxyPort, 80);
    EXPECT_TRUE(p.Saved);
}

TEST(ConfigFile, KeyRules) {
    TIniFile ini = TIniFile::Parse(
        "[GLOBAL]\nMatrixSegments=12\nChannelSize=0\n[STAKES]\nCost=1,23456\nProfits=2\nProfit_0_Overlap=4\n"
        "Profit_0_Profit=5000.5\nProfit_1_Overlap=3\nProfit_1_Profit=x\n[CDL]\nCount=0.5\nUsePercents=-1\n"
        "UseAbsValues=2\n[PROXY]\nProxyServer=proxy.local\n");
    TConfigData c;
    ReadConfigData(ini, c);
    EXPECT_EQ(c.MatrixSegmentsText(), "12" + std::string(38, '1'));
    EXPECT_EQ(c.ChannelSize, 0);  // kept as read ...
    EXPECT_EQ(c.ChannelWidth(), 2);  // ... and acts as 2
    EXPECT_EQ(c.Cost, 12346);        // 1.23456 * 10000 rounded
    ASSERT_EQ(c.Profits.size(), 2u);
    EXPECT_EQ(c.Profits[0].Overlap, 4);
    EXPECT_EQ(c.Profits[0].Profit, 50005000);
    EXPECT_EQ(c.Profits[1].Profit, 0);
    EXPECT_EQ(c.Weights.Count, 0.5L);
    EXPECT_FALSE(c.Weights.UsePercents);  // true only when > 0
    EXPECT_TRUE(c.Weights.UseAbsValues);
    TProxy p;
    ReadProxy(ini, p);
    EXPECT_EQ(p.ProxyMode, 2);  // absent mode with a server: the user's proxy

    TIniFile out;
    c.Profits.pop_back();
    WriteConfigData(out, c);
    EXPECT_EQ(out.ReadString("GLOBAL", "MatrixSegments", ""), "12" + std::string(38, '1'));
    EXPECT_EQ(out.ReadString("STAKES", "Cost", ""), "1.2346");
    EXPECT_EQ(out.ReadString("CDL", "UseAbsValues", ""), "1");
    TConfigData back;
    ReadConfigData(out, back);
    EXPECT_EQ(back, c);
}

TEST(ConfigFile, MoneyOutOfRangeIsClamped) {
    TConfigData c;
    ReadConfigData(TIniFile::Parse("[STAKES]\nCost=1e300\nProfits=2\nProfit_0_Profit=-1e300\nProfit_1_Profit=nan\n"), c);
    EXPECT_GT(c.Cost, TMoney(9e18));
    EXPECT_LT(c.Profits[0].Profit, TMoney(-9e18));
    EXPECT_EQ(c.Profits[1].Profit, 0);
}

TEST(ConfigFile, HandEditedPrizeCountIsCapped) {
    TIniFile ini = TIniFile::Parse(
        "[STAKES]\nProfits=2000000000\nProfit_0_Overlap=4\nProfit_0_Profit=10\nProfit_300_Overlap=1\n");
    TConfigData c;
    ReadConfigData(ini, c);
    ASSERT_EQ(c.Profits.size(), static_cast<size_t>(kMaxProfitEntries));
    EXPECT_EQ(c.Profits[0].Overlap, 4);
    EXPECT_EQ(c.Profits[0].Profit, 100000);
    EXPECT_EQ(c.Profits.back().Overlap, 0);

    TIniFile full = ini;
    WriteConfigData(full, c);
    EXPECT_EQ(full.ReadInteger("STAKES", "Profits", 0), kMaxProfitEntries);
    EXPECT_TRUE(full.HasKey("STAKES", "Profit_255_Profit"));
    c.Profits.resize(1);  // saving fewer entries removes the stale ones, as far as they were read
    WriteConfigData(full, c);
    WriteConfigData(ini, c);
    for (TIniFile* saved : {&full, &ini}) {
        EXPECT_EQ(saved->ReadInteger("STAKES", "Profits", 0), 1);
        EXPECT_FALSE(saved->HasKey("STAKES", "Profit_1_Overlap"));
        EXPECT_FALSE(saved->HasKey("STAKES", "Profit_255_Profit"));
        EXPECT_TRUE(saved->HasKey("STAKES", "Profit_300_Overlap"));
    }

    ReadConfigData(TIniFile::Parse("[STAKES]\nProfits=-5\n"), c);
    EXPECT_TRUE(c.Profits.empty());
}

TEST(FormState, KeysDefaultsAndPlacement) {
    TMainFormKeys k;
    k.Load(TIniFile::Parse("[TFormMain]\nLeftPanelWidth=400\nColorDraws=0\nLayoutCompareLen3=7\n"));
    EXPECT_EQ(k.LeftPanelWidth, 400);
    EXPECT_FALSE(k.ColorDraws);
    EXPECT_EQ(k.LayoutCompareLen[2], 7);
    EXPECT_EQ(k.DrawsStatLen, 1000);
    EXPECT_EQ(k.Language, 1033);
    TIniFile out;
    k.WriteClosingKeys(out);
    EXPECT_EQ(out.ReadString("TFormMain", "LeftPanelWidth", ""), "400");
    EXPECT_FALSE(out.HasKey("TFormMain", "ColorDraws"));  // switches are written when changed
    k.WriteKey(out, "ColorDraws");
    EXPECT_EQ(out.ReadString("TFormMain", "ColorDraws", ""), "0");

    TWindowPlacement p;
    p.NormPos = {10, 20, 1087, 802};
    p.ShowCmd = 3;
    p.Write(out, "TFormMain", 1920, 1080);
    EXPECT_EQ(out.ReadString("TFormMain", "NormPos_1920x1080", ""), "10,20,1087,802");
    auto back = TWindowPlacement::Read(out, "TFormMain", 1920, 1080);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->NormPos, p.NormPos);
    EXPECT_EQ(back->ShowCmd, 3);
    out.WriteString("TFormMain", "NormPos", "1,2,3,4");
    EXPECT_EQ(TWindowPlacement::Read(out, "TFormMain", 800, 600)->NormPos, (std::array<int, 4>{1, 2, 3, 4}));
}
