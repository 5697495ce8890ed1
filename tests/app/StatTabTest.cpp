#include "app/WorkspaceFixture.h"

#include "stats/StatBases.h"

using namespace qx;
using namespace qx::test;

namespace {

// The texts of the row showing value.
TStatRowTexts RowOf(const TStatTable& t, const std::string& value) {
    for (int r = 0; r < t.Size(); ++r)
        if (t.Rows[size_t(r)].ValueText() == value) return t.Texts(r);
    throw std::runtime_error("no row " + value);
}

class StatTabs : public WorkspaceFixture {
protected:
    void SelectCode(TMethodChooser& chooser, const char* code) {
        ASSERT_TRUE(chooser.SelectMethod(Ws->Stats().IndexOfCode(code))) << code;
    }
};

} // namespace

TEST_F(StatTabs, StartsOnTheFirstMethodAndComputesOnce) {
    Start(DigitDraws({"0123", "4567", "8901", "2345"}));
    TStatTab& tab = Ws->StatTab();
    ASSERT_FALSE(tab.Chooser().Entries().empty());
    EXPECT_EQ(tab.Chooser().Selected(), 0);
    EXPECT_EQ(tab.Chooser().Entries()[0].Text, "{ num } Числа тиража [ N ]");
    EXPECT_EQ(tab.Table().Rows.size(), 10u);  // computed by the start-up refresh
    EXPECT_EQ(tab.WindowLength(), 1000);
    EXPECT_FALSE(tab.Refresh(false));  // nothing changed: the cache holds
    EXPECT_TRUE(tab.Refresh(true));
    for (const auto& e : Ws->GraphTab().Chooser().Entries()) EXPECT_TRUE(Ws->Stats().IsGraph(e.Method)) << e.Text;
}

TEST_F(StatTabs, CacheFollowsEveryInputOfTheTable) {
    Start(DigitDraws({"0123", "4567", "8901", "2345", "6789"}));
    TStatTab& tab = Ws->StatTab();
    Ws->SetDrawsOffset(1);  // RefreshViews recomputes
    EXPECT_FALSE(tab.Refresh(false));
    EXPECT_EQ(RowOf(tab.Table(), "9")[TStatColumn::Count], "1");  // the newest draw (6789) is hidden

    Ws->ReplaceDrawAtRow(1, MakeDraw(4, {6, 6, 6, 6}));  // same length, other digits
    EXPECT_EQ(RowOf(tab.Table(), "6")[TStatColumn::Count], "5");  // 4567 and 6666

    // A script part with its own weights must not reuse a table computed with other weights.
    const std::string before(tab.Table().Text(0, TStatColumn::Weight));
    TStatWeights w;
    w.Level = 0;
    Ws->Stats().ApplyWeights(w);
    EXPECT_TRUE(tab.Refresh(false));
    EXPECT_EQ(tab.Table().Text(0, TStatColumn::Weight), "0.00");
    EXPECT_NE(before, "0.00");

    tab.SetWindowLength(2);
    EXPECT_TRUE(tab.Refresh(false));
    EXPECT_EQ(tab.Table().Length, 2);
    SelectCode(tab.Chooser(), "EVEN");
    EXPECT_TRUE(tab.Refresh(false));
    EXPECT_FALSE(tab.Refresh(false));
    Ws->SetFormKey("PrefetchsEnabled", true);
    EXPECT_TRUE(tab.Refresh(false));
    EXPECT_TRUE(tab.Table().HasNorms);
}

TEST_F(StatTabs, NoSelectionOrEmptyArchiveGiveEmptyTables) {
    Start();
    EXPECT_TRUE(Ws->StatTab().Table().Rows.empty());
    Ws->StatTab().Chooser().Select(-1);
    try {
        Ws->StatTab().Chooser().RequireMethod();
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Не выбран метод расчета статистики (cb: cbDrawsStatType)!");
    }
    EXPECT_EQ(Ws->StatTab().StatValuesOfItem(0), TStatValues{});
}

TEST_F(StatTabs, SelectionSurvivesSortingAndGivesTheFilterInputs) {
    Start(DigitDraws({"0123", "0124", "0125", "0001"}));
    TStatTab& tab = Ws->StatTab();  // NUMS, first sorted by count ascending
    EXPECT_EQ(tab.SortColumn(), 1);
    tab.SetSort(0, false);  // by value: rows 0..9
    tab.SetSelection({5, 1, 1, 40});
    EXPECT_EQ(tab.SelectedValuesText(), "1; 5");
    tab.SetSort(1, true);  // by count, descending: 0 and 1 first
    EXPECT_EQ(tab.Table().Text(0, TStatColumn::Value), "0");
    EXPECT_EQ(tab.SelectedValuesText(), "1; 5");
    ASSERT_EQ(tab.SelectedRows().size(), 2u);
    EXPECT_EQ(tab.SelectedRows()[0].Key.KeyA(), 1);
    TStatValues v = tab.StatValuesOfItem(0);
    EXPECT_EQ(v.Value, "0");
    EXPECT_EQ(v.Count, "6");
    EXPECT_EQ(v.NumValue, 0);
    tab.Refresh(true);
    EXPECT_TRUE(tab.Selection().empty());  // every computation clears the selection
}

TEST_F(StatTabs, ChartWithAndWithoutNorms) {
    Start(DigitDraws({"0123", "0124", "0125", "0001"}));
    TStatTab& tab = Ws->StatTab();
    SelectCode(tab.Chooser(), "EVEN");  // values 0..4 of the even count
    tab.Refresh(true);
    const auto& plain = tab.Chart();  // values 1..4 listed, 0 never drawn: by key order
    EXPECT_TRUE(plain.Total.empty());
    ASSERT_EQ(plain.Actual.size(), 4u);
    EXPECT_EQ(plain.Actual[0].X, 0);
    EXPECT_EQ(plain.Actual[0].Label, "1:3");
    EXPECT_EQ(plain.Actual[1].Y, 2);

    Ws->SetFormKey("PrefetchsEnabled", true);
    tab.Refresh(true);
    const auto& withNorms = tab.Chart();
    ASSERT_EQ(withNorms.Total.size(), 5u);  // every value of the full set, 0:4 included
    EXPECT_EQ(withNorms.Total[0].X, 1);     // records numbered from 1
    EXPECT_EQ(withNorms.Total[0].Label, "0:4");
    // Counts 0, 2, 2, 0 for 1..4 evens; the scale is MaxCount / FullMax = 2 / 3750.
    EXPECT_NEAR(withNorms.Total[2].Y, 3750 * 2.0 / 3750, 1e-9);
    ASSERT_EQ(withNorms.Actual.size(), 4u);  // the table's rows, on the records' x
    EXPECT_EQ(withNorms.Actual[0].X, 2);
}

TEST_F(StatTabs, GraphSeriesMeanAndMode) {
    Start(DigitDraws({"1200", "2300", "4100", "3000"}));  // sums 3, 5, 5, 3
    TGraphTab& graph = Ws->GraphTab();
    ASSERT_TRUE(graph.Chooser().SelectMethod(Ws->Stats().IndexOfCode("POS1")));
    graph.SetWindowLength(100);
    graph.Refresh(true);
    const TGraphSeries& s = graph.Series();
    ASSERT_EQ(s.Points.size(), 4u);
    EXPECT_EQ(s.Points[0].X, 1);
    EXPECT_EQ(s.Points[0].Y, 1);
    EXPECT_EQ(s.Points[3].Label, "4");
    EXPECT_DOUBLE_EQ(s.Mean, 2.5);
    EXPECT_EQ(s.Mode, 1);  // 1, 2, 4, 3: all once, the first wins

    double mean = 0;
    int32_t mode = -1;
    MeanAndMode({3, 5, 5, 3}, mean, mode);
    EXPECT_DOUBLE_EQ(mean, 4);
    EXPECT_EQ(mode, 3);
    MeanAndMode({}, mean, mode);
    EXPECT_EQ(mode, 0);

    Ws->SetDrawsOffset(3);  // one draw left in the window
    EXPECT_EQ(graph.Series().Points.size(), 1u);
    Ws->SetFormKey("TabGraphs", false);
    EXPECT_FALSE(graph.Refresh(true));  // a hidden tab computes nothing
}

TEST_F(StatTabs, TheTotalLineToggleIsStoredAndRecomputes) {
    Start(DigitDraws({"0123", "0124", "0125", "0001"}));
    TStatTab& tab = Ws->StatTab();
    const uint64_t before = tab.Revision();
    tab.ToggleTotalLine();
    EXPECT_FALSE(Ws->FormKeys().ShowTotalLine);
    EXPECT_GT(tab.Revision(), before);  // computed again although no input changed
    EXPECT_NE(std::find(Shell.Statuses.begin(), Shell.Statuses.end(), "Создание графиков..."), Shell.Statuses.end());
    EXPECT_EQ(Shell.Status, "");
    EXPECT_FALSE(Shell.IsBusy());
    TMainFormKeys stored;
    stored.Load(Ws->ReadFormState());
    EXPECT_FALSE(stored.ShowTotalLine);
    tab.ToggleTotalLine();
    EXPECT_TRUE(Ws->FormKeys().ShowTotalLine);
}
