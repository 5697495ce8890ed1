#include "app/WorkspaceFixture.h"

using namespace qx;
using namespace qx::test;

using WorkspaceStats = WorkspaceFixture;

TEST_F(WorkspaceStats, RegistryIsBuiltOverTheArchiveAndConfiguration) {
    WriteBytes(Dir / "Quadrix_4d10.ini", "[CDL]\r\nCount=2\r\n[SHREDDING]\r\nFormula1=n1\r\n");
    Start({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {5, 6, 7, 8})});
    const TStatList& stats = Ws->Stats();
    // Every registered class, the configuration-dependent variants included.
    EXPECT_EQ(stats.Items(0).Code(), "NUMS");
    EXPECT_GE(stats.IndexOfCode("SUMC"), 0);
    EXPECT_GE(stats.IndexOfCode("POS4"), 0);
    EXPECT_GE(stats.IndexOfCode("CHN5"), 0);  // variants of the configured channel width
    EXPECT_EQ(stats.Draws(), &Ws->Draws());
    EXPECT_EQ(stats.Config().Weights.Count, 2);
    EXPECT_EQ(stats.Formulas().Formula[0], "n1");

    Ws->SetDrawsOffset(1);
    const TStatTableParams p = Ws->StatTableParams(500);
    EXPECT_EQ(p.Current, 0);
    EXPECT_EQ(p.WindowLength, 500);
    EXPECT_EQ(p.Weights.Count, 2);
    auto stat = Ws->Stats().CreateStat(0);
    const TStatTable t = ComputeTable(*stat, p);
    EXPECT_EQ(t.Text(1, TStatColumn::Count), "1");
    EXPECT_EQ(t.Text(1, TStatColumn::Fact), "-");
}

TEST_F(WorkspaceStats, SavingTheConfigurationKeepsFavourites) {
    Start();
    Ws->Stats().SetFavourites("NUMS,POS1");
    TConfigData c = Ws->Config();
    c.ChannelSize = 3;
    c.Weights.Level = 4;
    Ws->SaveConfig(c);
    EXPECT_EQ(Ws->Stats().Config().ChannelSize, 3);
    EXPECT_EQ(Ws->Stats().Config().Weights.Level, 4);
    EXPECT_EQ(Ws->Stats().FavouritesText(), "NUMS,POS1");
    Restart();
    EXPECT_EQ(Ws->Stats().Config().ChannelSize, 3);
}

TEST_F(WorkspaceStats, TablesFollowEveryEditOfTheArchive) {
    // Long enough for the tables to read the registry's occurrence indexes.
    TDrawsArray draws;
    for (int i = 0; i < 300; ++i) draws.push_back(MakeDraw(i + 1, {i % 10, i * 7 % 10, i * 3 % 10, i / 10 % 10}));
    Start(draws);
    const TStatList& stats = Ws->Stats();
    // The same table from an object that shares nothing with the registry.
    auto check = [&](const char* step) {
        for (int i = 0; i < stats.Count(); ++i) {
            const TStatTableParams p = Ws->StatTableParams(250);
            auto shared = stats.CreateStat(i);
            auto alone = stats.Items(i).CreateStat(stats.Env());
            const TStatTable a = ComputeTable(*shared, p), b = ComputeTable(*alone, p);
            ASSERT_EQ(a.Rows.size(), b.Rows.size()) << step << " " << stats.Items(i).Code();
            for (int r = 0; r < a.Size(); ++r)
                for (int c = 0; c < kStatColumnCount; ++c)
                    ASSERT_EQ(a.Text(r, c), b.Text(r, c)) << step << " " << stats.Items(i).Code() << " row " << r;
        }
    };
    check("start");
    Ws->ReplaceDrawAtRow(0, MakeDraw(300, {9, 9, 9, 9}));  // same length, newest draw changed
    check("replaced");
    Ws->ReplaceDrawAtRow(40, MakeDraw(260, {0, 1, 0, 1}));
    check("replaced inside");
    ASSERT_TRUE(Ws->DeleteDrawRows({5}));
    Ws->AddDraw(MakeDraw(301, {1, 1, 2, 2}));  // same length again
    check("deleted and added");
}
