#include "app/ConfigForm.h"
#include "app/WebLinks.h"
#include "app/WorkspaceFixture.h"
#include "core/Error.h"
#include "core/IniFile.h"
#include "support/CommaLocale.h"

using namespace qx;
using namespace qx::test;

TEST(ConfigForm, ShowsMoneyWithTwoDecimalsWeightsWithThreeAndFivePrizeRows) {
    TConfigData c;
    c.Cost = 12345; // 1.2345
    c.Profits = {{3, 50000}, {4, 1234567}};
    c.Weights.Deviation = -1;
    c.Weights.Level = 0.12345L;
    TConfigForm f = ConfigFormFromData(c);
    EXPECT_EQ(f.Cost, "1.23");
    EXPECT_EQ(f.Profits, (std::array<std::string, 5>{"5.00", "123.46", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(f.Weights, (std::array<std::string, 3>{"0.000", "-1.000", "0.123"}));
    EXPECT_EQ(f.Segments.size(), 3u); // MatrixCols = 3
    EXPECT_EQ(SegmentGridColumns(10), 4);
    EXPECT_EQ(SegmentGridColumns(0), 1);
    EXPECT_EQ(MoneyToFixed(-15, 2), "0.00");
    EXPECT_EQ(MoneyToFixed(-50, 2), "-0.01");
    EXPECT_EQ(MoneyToFixed(5, 0), "0");
    EXPECT_EQ(MoneyToFixed(12345, 4), "1.2345");
}

TEST(ConfigForm, SegmentCellsAcceptOneToNineOrEmpty) {
    EXPECT_FALSE(SegmentCellError(""));
    EXPECT_FALSE(SegmentCellError("9"));
    EXPECT_FALSE(SegmentCellError("07"));
    EXPECT_EQ(SegmentCellError("0"), "Некорректное значение: 0!\r\rУкажите любое число от 1 до 9");
    EXPECT_TRUE(SegmentCellError("10"));
    EXPECT_TRUE(SegmentCellError("99999999999"));
    EXPECT_TRUE(IsMoneyInputChar(U'7'));
    EXPECT_TRUE(IsMoneyInputChar(U','));
    EXPECT_TRUE(IsMoneyInputChar(U'\b'));
    EXPECT_FALSE(IsMoneyInputChar(U'-'));
    EXPECT_FALSE(IsMoneyInputChar(U'ж'));
}

TEST(ConfigForm, OkKeepsUntouchedValuesExactlyAndTakesEditedOnes) {
    TConfigData c;
    c.Cost = 12345;
    c.MaxStake = 7;
    c.Profits = {{4, 50000}};
    c.Weights.Level = 0.12345L;
    c.MatrixSegments[3][9] = 5; // a block beyond the three visible columns
    TConfigForm shown = ConfigFormFromData(c);
    EXPECT_EQ(ConfigDataFromForm(c, shown, shown).Cost, 12345);

    TConfigForm edited = shown;
    edited.Cost = "2,5";
    edited.Profits[1] = "abc"; // not a number: 0
    edited.Profits[4] = "1000.125";
    edited.Weights[0] = "1.5";
    edited.Segments[0][0] = "";
    edited.Segments[1][2] = "8";
    edited.ChannelSize = 4;
    TConfigData r = ConfigDataFromForm(c, shown, edited);
    EXPECT_EQ(r.Cost, 25000);
    EXPECT_EQ(r.MaxStake, 7);
    ASSERT_EQ(r.Profits.size(), 5u);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(r.Profits[static_cast<size_t>(k)].Overlap, k);
    EXPECT_EQ(r.Profits[0].Profit, 50000); // row 0 showed entry 0's prize and was not touched
    EXPECT_EQ(r.Profits[1].Profit, 0);
    EXPECT_EQ(r.Profits[4].Profit, 10001250);
    EXPECT_EQ(r.Weights.Count, 1.5L);
    EXPECT_EQ(r.Weights.Level, 0.12345L);
    EXPECT_EQ(r.MatrixSegments[0][0], 1);
    EXPECT_EQ(r.MatrixSegments[1][2], 8);
    EXPECT_EQ(r.MatrixSegments[3][9], 5);
    EXPECT_EQ(ChangedStatGroups(c, r), (std::vector<int>{kStatGroupChannels, kStatGroupSegments}));
    TConfigData m = r;
    m.MatrixCols = 4;
    m.MatrixSegments[2][2] = 3;
    EXPECT_EQ(ChangedStatGroups(r, m), (std::vector<int>{kStatGroupMatrix, kStatGroupSegments}));
}

// Coefficients and money keep "." under a comma-decimal locale, and edited values are read back.
TEST(ConfigForm, NumbersIgnoreTheProcessLocale) {
    QX_COMMA_LOCALE_SCOPE(comma);
    TConfigData c;
    c.Cost = 12345;
    c.Weights.Deviation = -1;
    c.Weights.Level = 0.12345L;
    TConfigForm shown = ConfigFormFromData(c);
    EXPECT_EQ(shown.Cost, "1.23");
    EXPECT_EQ(shown.Weights, (std::array<std::string, 3>{"0.000", "-1.000", "0.123"}));
    TConfigForm edited = shown;
    edited.Cost = "2.5";
    edited.Weights[0] = "0.5";
    TConfigData r = ConfigDataFromForm(c, shown, edited);
    EXPECT_EQ(r.Cost, 25000);
    EXPECT_EQ(r.Weights.Count, 0.5L);
    EXPECT_EQ(r.Weights.Deviation, -1);
}

TEST(WebLinks, DefaultsSettingsAndSchemes) {
    TWebLinks defaults;
    EXPECT_FALSE(defaults.Address("OpenLotoSite").empty());
    EXPECT_EQ(defaults.Address("urlBlog"), "");
    EXPECT_EQ(defaults.Address("NoSuchCommand"), "");
    TWebLinks set = TWebLinks::Read(
        TIniFile::Parse("[LINKS]\r\nurlBlog= blog.example.org \r\nOpenLotoSite=\r\nMail=a@b.c\r\n"));
    EXPECT_EQ(set.Address("urlBlog"), "blog.example.org");
    EXPECT_EQ(set.Address("OpenLotoSite"), ""); // switched off by the settings
    EXPECT_EQ(set.Mail(), "a@b.c");
    EXPECT_EQ(UrlWithScheme("blog.example.org/x"), "http://blog.example.org/x");
    EXPECT_EQ(UrlWithScheme("https://a.b"), "https://a.b");
    EXPECT_EQ(UrlWithScheme("localhost:8080/page"), "http://localhost:8080/page");
    EXPECT_EQ(UrlWithScheme("mailto:a@b.c"), "mailto:a@b.c");
    EXPECT_EQ(UrlWithScheme("  "), "");
}

using ConfigChange = WorkspaceFixture;

TEST_F(ConfigChange, WritesRefreshesViewsAndNamesTheChangedGroups) {
    Start();
    struct TViews : TWorkspaceObserver {
        int Forced = 0;
        void RefreshViews(bool force) override { Forced += force; }
    } views;
    Ws->AddObserver(&views);
    TConfigData c = Ws->Config();
    c.ChannelSize = 5;
    EXPECT_EQ(Ws->ChangeConfig(c), std::vector<int>{kStatGroupChannels});
    EXPECT_EQ(views.Forced, 1);
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.ini").ReadString("GLOBAL", "ChannelSize", ""), "5");

    // A configuration file that cannot be written: the change stays in force and the views
    // show it before the failure is reported.
    std::filesystem::remove(Dir / "Quadrix_4d10.ini");
    std::filesystem::create_directory(Dir / "Quadrix_4d10.ini");
    c.ChannelSize = 3;
    EXPECT_THROW(Ws->ChangeConfig(c), TAppError);
    EXPECT_EQ(Ws->Config().ChannelSize, 3);
    EXPECT_EQ(views.Forced, 2);
    Ws->RemoveObserver(&views);
}
