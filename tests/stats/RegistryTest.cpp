#include <gtest/gtest.h>

#include "StatTestSupport.h"
#include "core/Error.h"
#include "core/IniFile.h"
#include "stats/StatClasses.h"
#include "stats/StatList.h"
#include "stats/StatTable.h"
#include "stats/families/Families.h"
#include "support/TestSupport.h"

using namespace qx;

namespace {
// The codes of the methods of groups 0..maxGroup, in registration order.
std::vector<std::string> Codes(const TStatList& list, int maxGroup) {
    std::vector<std::string> codes;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Items(i).StatClass->Group() <= maxGroup) codes.push_back(list.Items(i).Code());
    return codes;
}
} // namespace

TEST(Registry, RegistersTheBuiltClassesInTheFixedOrder) {
    TStatList list;
    list.Register();
    EXPECT_EQ(Codes(list, 2),
              (std::vector<std::string>{"NUMS", "DIGS", "EVEN", "EVNV", "SMAL", "SMLV", "PRIM", "PRMV", "SUMS",
                                        "SUM1", "SUM2", "SUM3", "SUMC", "SUMV", "SUMT", "SUME", "SUMP", "S2T3",
                                        "DIFA", "DIFM", "DIFD", "DIFO", "DIFK", "KNM2", "KNM3", "KNS2", "KNS3",
                                        "KNP21", "KNP22", "KNP23", "KNP31", "KNP32", "KNP41", "KNO2", "KNO3",
                                        "KDS2", "KDS3", "POS1", "POS2", "POS3", "POS4"}));
    EXPECT_EQ(StatClassOrder().size(), 143u);
    // Every class the program has appears in the order list (else it would never register).
    size_t built = 0;
    for (auto family : {DigitValueClasses, DigitClassClasses, SumClasses, SumChangeClasses, DiffClasses,
                        ChannelClasses, MatrixClasses, SegmentClasses,
                        SequenceClasses, RepeatClasses, CombValueClasses, OgnevClasses,
                        SerialClasses, PeriodClasses, ChainClasses, ChainCountClasses,
                        ShreddingClasses})
        built += family().size();
    EXPECT_EQ(StatClasses().size(), built);
    EXPECT_NE(FindStatClass("TstPosExt"), nullptr);       // known, but its variant range is empty
    EXPECT_NE(FindStatClass("TstCombDiffSeq4"), nullptr);  // known, but not available
    EXPECT_EQ(list.IndexOfCode("KDS4"), -1);
    EXPECT_EQ(FindStatClass("TstNoSuchClass"), nullptr);
    const int pos3 = list.IndexOfCode("pos3");
    ASSERT_GE(pos3, 0);
    EXPECT_EQ(list.Items(pos3).Code(), "POS3");
    EXPECT_EQ(list.IndexOfCode("POE1"), -1);
    EXPECT_TRUE(list.IsGraph(2));
    EXPECT_FALSE(list.IsGraph(3));
    EXPECT_TRUE(list.HasFullSet(0));
    EXPECT_TRUE(list.IsListed(0));
    EXPECT_TRUE(list.IsAvailable(0));
}

TEST(Registry, DisplayNamesWithGroupTagAndFlags) {
    TStatList list;
    list.Register();
    EXPECT_EQ(list.DisplayName(0, true), "{ num } Числа тиража [ N ]");
    EXPECT_EQ(list.DisplayName(2, true), "{ num } Количество четных чисел в тираже (Ч:Н) [ NG ]");
    EXPECT_EQ(list.DisplayName(3, true), "{ num } Четные и нечетные числа в тираже (Чн..нЧ) [ SN ]");
    const int pos2 = list.IndexOfCode("POS2");
    EXPECT_EQ(list.DisplayName(pos2, true), "{ num } Число в 2 позиции тиража [ SNG ]");
    EXPECT_EQ(list.DisplayName(pos2, false), "{ num } Число в 2 позиции тиража");
    EXPECT_EQ(list.DisplayName(list.IndexOfCode("SUM3"), true), "{ sum } Сумма тиража: диапазон 3 (2/3) [ NG ]");
    EXPECT_EQ(list.DisplayName(list.IndexOfCode("SUMC"), true), "{ sum } Сумма тиража: изменения (точно) [ DG ]");
    EXPECT_EQ(list.DisplayName(list.IndexOfCode("KDS2"), true), "{ dif } Сочетания из 2 разностей между числами [ S ]");
    list.ShowGroupName = false;
    list.ShowMethodFlags = false;
    EXPECT_EQ(list.DisplayName(pos2, true), "Число в 2 позиции тиража");
    // A custom name is the user's text: its "%s" stays as it is.
    list.Items(0).CustomName = "Мои %s %d";
    EXPECT_EQ(list.DisplayName(0, true), "Мои %s %d");
    EXPECT_EQ(GroupLongName(0), "{ num } Числа тиража");
    EXPECT_EQ(GroupLongName(12), "{ shr } Методы шинковки");
    EXPECT_EQ(GroupLongName(13), "#ERROR#");
    EXPECT_EQ(GroupLongName(-1), "#ERROR#");
}

TEST(Registry, FavouritesRoundTrip) {
    TStatList list;
    list.Register();
    EXPECT_EQ(list.FavouritesText(), "");
    list.SetFavourites(" nums , POS2,unknown");
    EXPECT_FALSE(list.AllFavourites);
    EXPECT_EQ(list.FavouritesText(), "NUMS,POS2");
    EXPECT_TRUE(list.IsVisible(0));
    EXPECT_FALSE(list.IsVisible(1));
    TStatList other;
    other.Register();
    other.SetFavourites(list.FavouritesText());
    EXPECT_EQ(other.FavouritesText(), "NUMS,POS2");

    list.MarkAll();
    EXPECT_EQ(list.FavouritesText(), "");
    list.SetFavourites("NUMS");
    list.SetFavourites("   ");
    EXPECT_TRUE(list.AllFavourites);
    EXPECT_TRUE(list.Items(5).Favourite);

    // All marks equal: every method counts; marks that differ: only the marked ones.
    for (int i = 0; i < list.Count(); ++i) list.Items(i).Favourite = false;
    list.AllFavourites = false;
    list.NormalizeFavourites();
    EXPECT_TRUE(list.AllFavourites);
    EXPECT_TRUE(list.Items(3).Favourite);
    list.Items(3).Favourite = false;
    list.NormalizeFavourites();
    EXPECT_FALSE(list.AllFavourites);
}

TEST(Registry, ReregisterKeepsFavouritesAndNames) {
    TStatList list;
    list.Register();
    list.SetFavourites("EVEN,POS4");
    list.Items(list.IndexOfCode("POS4")).CustomName = "Четвертая";
    list.ShowGroupName = false;
    list.Reregister();
    EXPECT_EQ(list.FavouritesText(), "EVEN,POS4");
    EXPECT_EQ(list.Items(list.IndexOfCode("POS4")).BaseName(), "Четвертая");
    EXPECT_FALSE(list.ShowGroupName);
    list.Register();
    EXPECT_TRUE(list.ShowGroupName);
    EXPECT_EQ(list.FavouritesText(), "");
    EXPECT_EQ(list.Items(list.IndexOfCode("POS4")).CustomName, "");
}

TEST(Registry, WeightsBackupRestoreAndApply) {
    TStatList list;
    TConfigData c;
    c.Weights.Count = 2;
    list.SetConfig(c);
    list.BackupWeights();
    TStatWeights own{1, 1, 1, true, true};
    list.ApplyWeights(own);
    EXPECT_EQ(list.Config().Weights, own);
    list.ApplyWeights(std::nullopt);
    EXPECT_EQ(list.Config().Weights.Count, 2);
    list.ApplyWeights(own);
    list.RestoreWeights();
    EXPECT_EQ(list.Config().Weights.Count, 2);
    EXPECT_FALSE(list.Config().Weights.UsePercents);
}

TEST(Registry, CreatesStatisticsAndSharesTheirTables) {
    TStatList list;
    TDrawsArray draws(3);
    list.SetDraws(&draws);
    list.Register();
    auto a = list.CreateStat(0);
    EXPECT_EQ(&a->Draws, &draws);
    EXPECT_EQ(a->Param, 0);
    EXPECT_EQ(list.CreateStat(list.IndexOfCode("POS2"))->Param, 2);
    try {
        list.CreateStatFromChooser(-1, "cbDrawsStatType");
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_STREQ(e.what(), "Не выбран метод расчета статистики (cb: cbDrawsStatType)!");
    }
    EXPECT_EQ(list.CreateStatFromChooser(1, "cb")->Class().ClassName(), "TstDigits");
}

// Value texts are made the first time a method's table meets a value and shared by every later
// table of the method; a settings change starts them afresh. A table keeps what it points at.
TEST(Registry, ValueTextsAreMadeOncePerMethod) {
    TDrawsArray draws(40);
    for (int i = 0; i < 40; ++i) draws[size_t(i)] = test::StatDraw(i + 1, {i % 10, i * 3 % 10, i * 7 % 10, 9 - i % 10});
    TStatTableParams p;
    p.Current = 39;
    p.WindowLength = 40;
    TStatTable kept;
    {
        TStatList list;
        list.SetDraws(&draws);
        list.Register();
        const int evnv = list.IndexOfCode("EVNV");
        const uint64_t none = StatTextsMade();
        const TStatTable first = ComputeTable(*list.CreateStat(evnv), p);
        ASSERT_EQ(first.Size(), 16);
        EXPECT_EQ(first.ValueTexts->Made(), 16u);
        // Value texts count as texts made, so steps that must make none are checked for them too.
        const uint64_t made = StatTextsMade();
        EXPECT_EQ(made - none, 16u);
        kept = ComputeTable(*list.CreateStat(evnv), p);
        EXPECT_EQ(StatTextsMade(), made);
        EXPECT_EQ(kept.ValueTexts, first.ValueTexts);
        EXPECT_EQ(&kept.Rows[3].ValueText(), &first.Rows[3].ValueText());
        EXPECT_NE(ComputeTable(*list.CreateStat(list.IndexOfCode("SMLV")), p).ValueTexts, first.ValueTexts);
        list.SetConfig(list.Config());
        EXPECT_NE(ComputeTable(*list.CreateStat(evnv), p).ValueTexts, first.ValueTexts);
    }
    // The registry and the statistic objects are gone; the table still shows its rows.
    EXPECT_EQ(kept.Text(3, TStatColumn::Value), "ЧЧнн (003)");
    EXPECT_EQ(kept.Rows[3].Value->NumValue, 3);
}

TEST(Registry, ConfigurationFileKeys) {
    qx::test::TTempDir dir;
    const auto file = dir / "Quadrix_4d10.ini";
    qx::test::WriteBytes(file, "[GLOBAL]\r\nChannelSize=3\r\nCombsGenerateMode=2\r\n[SHREDDING]\r\nFormula2=n1*2\r\n"
                               "[OTHER]\r\nKeep=1\r\n");
    TStatList list;
    list.LoadConfig(file);
    list.LoadFormulas(file);
    list.LoadGenerateMode(file);
    EXPECT_EQ(list.Config().ChannelSize, 3);
    EXPECT_EQ(list.Formulas().Formula[1], "n1*2");
    EXPECT_EQ(list.Formulas().Formula[0], "(n1+n2)/(n3+n4)");
    EXPECT_EQ(list.GenerateMode().Mode, 2);
    TConfigData c = list.Config();
    c.MatrixCols = 5;
    list.SetConfig(c);
    list.SaveConfig(file);
    list.SaveFormulas(file);
    list.SaveGenerateMode(file);
    const TIniFile ini = TIniFile::Load(file);
    EXPECT_EQ(ini.ReadInteger("GLOBAL", "MatrixCols", 0), 5);
    EXPECT_EQ(ini.ReadString("SHREDDING", "Formula2", ""), "n1*2");
    EXPECT_EQ(ini.ReadInteger("OTHER", "Keep", 0), 1);
}
