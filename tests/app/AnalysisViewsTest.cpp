// The card of draws, the layout scheme with its comparison lists and the days of the week: their
// grids, colours, caches and filters.
#include "app/WorkspaceFixture.h"

#include "core/Error.h"

using namespace qx;
using namespace qx::test;

namespace {

std::vector<std::string> Row(const TTextGrid& grid, int row) {
    std::vector<std::string> texts;
    for (int c = 0; c < grid.Columns(); ++c) texts.push_back(grid.At(c, row));
    return texts;
}

std::vector<std::string> CardRow(const TCard& card, int row) {
    std::vector<std::string> texts;
    for (int c = 0; c < TCard::kColumns; ++c) texts.push_back(card.Text(c, row));
    return texts;
}

TColour Channel(int digit) {
    return ChannelColour(digit, 2);
}

constexpr TColour kYellow{255, 255, 0}, kLime{0, 255, 0}, kAqua{0, 255, 255};

class AnalysisViews : public WorkspaceFixture {
protected:
    // Fifteen draws numbered 101..115, digits cycling so every digit appears.
    TDrawsArray Fifteen() {
        TDrawsArray draws;
        for (int i = 0; i < 15; ++i)
            draws.push_back(
                MakeDraw(101 + i, {i % 10, (i + 3) % 10, (i + 3) % 10, (i * 7) % 10}, "03/04/2019 M"));
        return draws;
    }
};

} // namespace

TEST(Card, RowsHoldEachDigitOnceNewestFirst) {
    TDrawsArray draws = {MakeDraw(7, {1, 2, 3, 4}), MakeDraw(8, {3, 3, 7, 3})};
    draws.push_back(MakeDraw(9, {0, 12, 9, 9})); // a value outside 0..9 is no digit
    const TCard card = TCard::Build(draws);
    EXPECT_EQ(card.Rows(), 4);
    EXPECT_EQ(CardRow(card, 0),
              (std::vector<std::string>{"", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(CardRow(card, 1), (std::vector<std::string>{"9", "0", "", "", "", "", "", "", "", "", "9"}));
    EXPECT_EQ(CardRow(card, 2), (std::vector<std::string>{"8", "", "", "", "3", "", "", "", "7", "", ""}));
    EXPECT_EQ(CardRow(card, 3)[0], "7");
    EXPECT_EQ(card.Text(1, 4), ""); // past the last row

    const TCard empty = TCard::Build({});
    EXPECT_EQ(empty.Rows(), 2);
    EXPECT_EQ(CardRow(empty, 1), std::vector<std::string>(11, ""));
}

TEST(Card, SequenceAndChannelColours) {
    // Newest first: row 1 = 0,1,5,9   row 2 = 1,5,5,7   row 3 = 3,7,9,9
    const TCard card =
        TCard::Build({MakeDraw(3, {3, 7, 9, 9}), MakeDraw(2, {1, 5, 5, 7}), MakeDraw(1, {0, 1, 5, 9})});
    const TCardColourOptions all{true, true, 2};
    auto colour = [&](int digit, int row, TCardColourOptions o) { return card.Colour(digit + 1, row, o); };
    EXPECT_EQ(colour(1, 1, all), kYellow);    // 0 beside it, 1 below it
    EXPECT_EQ(colour(0, 1, all), kAqua);      // top row, digit 0: only the 1 beside it
    EXPECT_EQ(colour(5, 1, all), kLime);      // 5 below, nothing beside
    EXPECT_EQ(colour(9, 1, all), Channel(9)); // digit 9: nothing beside (no wrap to 0), nothing below
    EXPECT_EQ(colour(7, 3, all), kLime);      // last row: only the cell above
    EXPECT_EQ(colour(9, 3, all), Channel(9)); // 9 two rows up does not count
    EXPECT_EQ(colour(2, 1, all), Channel(2)); // an empty cell keeps its channel colour
    EXPECT_EQ(colour(9, 1, {false, true, 2}), std::nullopt);
    EXPECT_EQ(colour(1, 1, {true, false, 2}), Channel(1));
    EXPECT_EQ(colour(1, 1, {false, false, 2}), std::nullopt);
    EXPECT_EQ(card.Colour(0, 1, all), std::nullopt); // the number column
    EXPECT_EQ(card.Colour(3, 0, all), std::nullopt); // the header row
}

TEST(Layout, CellsCountStoredDigitsFromTheNewestDraw) {
    const TDrawsArray draws = {MakeDraw(10, {9, 9, 9, 9}), MakeDraw(11, {5, 1, 1, 2}),
                               MakeDraw(12, {3, 3, 7, 3}), MakeDraw(13, {2, 7, 0, 4})};
    // Window 11..13 ending at index 2 (draw 12); draw 13 follows.
    const TShemaArray cells = CountShemaCells(draws, 1, 2);
    EXPECT_EQ(cells, (TShemaArray{{3, 3, 12}, {7, 1, 12}, {5, 1, 11}, {1, 2, 11}, {2, 1, 11}}));

    const TLayoutScheme scheme = BuildLayoutScheme(draws, 2, 2, {2, 7, 0, 4});
    ASSERT_EQ(scheme.Grid.Columns(), 3); // draws 12 and 11
    ASSERT_EQ(scheme.Grid.Rows(), 4);    // counts 3, 2, 1
    EXPECT_EQ(Row(scheme.Grid, 0), (std::vector<std::string>{"", "12", "11"}));
    EXPECT_EQ(Row(scheme.Grid, 1), (std::vector<std::string>{"3", "3", ""}));
    EXPECT_EQ(Row(scheme.Grid, 2), (std::vector<std::string>{"2", "", "1"}));
    EXPECT_EQ(Row(scheme.Grid, 3), (std::vector<std::string>{"1", "[7]", "5, [2]"}));

    const TLayoutScheme plain = BuildLayoutScheme(draws, 3, 1, {});
    EXPECT_EQ(Row(plain.Grid, 1), (std::vector<std::string>{"1", "2, 7, 0, 4"}));
    const TLayoutScheme none = BuildLayoutScheme({}, -1, 100, {});
    EXPECT_EQ(none.Grid, TTextGrid(2, 2));
}

TEST(Layout, GradientRoundsAndTheCheckerboardStopsAfter95) {
    TTextGrid grid(4, 2); // 4 columns, 2 rows
    grid.At(2, 1) = "[3]";
    EXPECT_EQ(LayoutCellColour(grid, 2, 1, true), kLime);
    // Row 1 of 2: 255 - 77.5 and 100 + 77.5 are ties that go to the even side; column 1 of 4: 216.25.
    EXPECT_EQ(LayoutCellColour(grid, 1, 1, true), (TColour{178, 216, 178}));
    EXPECT_EQ(LayoutCellColour(grid, 3, 1, true), (TColour{178, 139, 178})); // 255 - 116.25
    EXPECT_EQ(LayoutCellColour(grid, 0, 1, true), std::nullopt);
    EXPECT_EQ(LayoutCellColour(grid, 1, 0, true), std::nullopt);

    TTextGrid big(110, 110);
    const TColour even{234, 255, 234}, mixed{255, 234, 234};
    EXPECT_EQ(LayoutCellColour(big, 5, 5, false), even);
    EXPECT_EQ(LayoutCellColour(big, 6, 5, false), mixed);
    EXPECT_EQ(LayoutCellColour(big, 6, 6, false), even);    // both in odd blocks
    EXPECT_EQ(LayoutCellColour(big, 95, 1, false), even);   // 91..95: an even block
    EXPECT_EQ(LayoutCellColour(big, 96, 1, false), mixed);  // 96..100: odd
    EXPECT_EQ(LayoutCellColour(big, 101, 1, false), mixed); // 101..105 would be even, but past 95
    EXPECT_EQ(LayoutCellColour(big, 101, 96, false), even); // both "not even"
    EXPECT_EQ(LayoutCellColour(big, 110, 1, false), std::nullopt);
}

TEST(Layout, ComparisonListsGroupDigitsByCount) {
    const TDrawsArray draws = {MakeDraw(10, {9, 9, 9, 9}), MakeDraw(11, {5, 1, 1, 2}),
                               MakeDraw(12, {3, 3, 7, 3})};
    const TLayoutCompareList list = BuildLayoutCompare(draws, 2, 2);
    EXPECT_EQ(list.Caption, "11 - 12");
    EXPECT_EQ(list.Rows, (std::vector<TLayoutCompareRow>{{3, "3"}, {1, "7, 5, 2"}, {2, "1"}}));
    EXPECT_EQ(BuildLayoutCompare(draws, 2, 500).Caption, "10 - 12");
    EXPECT_EQ(BuildLayoutCompare({}, -1, 50), TLayoutCompareList{});
}

TEST(Week, CountsPerDaySkippingLabelsWithoutADate) {
    const TDrawsArray draws = {
        MakeDraw(1, {0, 0, 5, 12}, "03/04/2019 M"), // Monday; 12 is no digit
        MakeDraw(2, {0, 1, 2, 3}, "03/10/2019 E"),  // Sunday
        MakeDraw(3, {9, 9, 9, 9}, "02/30/2019 M"),  // no such day
        MakeDraw(4, {9, 9, 9, 9}, "xx/yy/2019 M"),  // not a date
        MakeDraw(5, {9, 9, 9, 9}, ""),
        MakeDraw(6, {0, 7, 7, 7}, "03/07/2019 M"), // Thursday
    };
    EXPECT_EQ(LabelWeekday("03/04/2019 M"), 1);
    EXPECT_EQ(LabelWeekday("02/30/2019 M"), std::nullopt);
    const TWeekCounts week = TWeekCounts::Count(draws, 5, 1000);
    EXPECT_EQ(week.At(0, 1), 2);
    EXPECT_EQ(week.At(5, 1), 1);
    EXPECT_EQ(week.At(0, 7), 1);
    EXPECT_EQ(week.At(7, 4), 3);
    EXPECT_EQ(week.At(9, 4), 0);
    EXPECT_EQ(week.Max(), 3);
    const TDayNames& days = BuiltInShortDayNames();
    EXPECT_EQ(week.Text(0, 1, days), "Пн");
    EXPECT_EQ(week.Text(0, 7, days), "Вс");
    EXPECT_EQ(week.Text(10, 0, days), "9");
    EXPECT_EQ(week.Text(1, 1, days), "2");
    EXPECT_EQ(week.Text(2, 1, days), "");
    // White to red: 255 - 255 * 2 / 3 = 85; the largest is pure red.
    EXPECT_EQ(week.Colour(1, 1), (TColour{255, 85, 85}));
    EXPECT_EQ(week.Colour(8, 4), (TColour{255, 0, 0}));
    EXPECT_EQ(week.Colour(2, 1), std::nullopt);
    // The window: only the last two draws.
    EXPECT_EQ(TWeekCounts::Count(draws, 5, 2).At(0, 1), 0);
    EXPECT_EQ(TWeekCounts::Count(draws, 5, 2).At(0, 4), 1);

    const auto byDigit = week.ChartPoints(0, 1, 1, days); // Monday's row: ten digits
    ASSERT_EQ(byDigit.size(), 10u);
    EXPECT_EQ(byDigit[0].X, 1);
    EXPECT_EQ(byDigit[0].Y, 2);
    EXPECT_EQ(byDigit[9].Label, "9");
    EXPECT_EQ(byDigit[1].Y, 0);                         // an empty cell counts 0
    const auto byDay = week.ChartPoints(1, 1, 1, days); // digit 0's column: seven days
    ASSERT_EQ(byDay.size(), 7u);
    EXPECT_EQ(byDay[6].X, 7);
    EXPECT_EQ(byDay[6].Y, 1);
    EXPECT_EQ(byDay[6].Label, "Вс");
}

TEST_F(AnalysisViews, OffsetMovesTheWindowsButNotTheCard) {
    Start(Fifteen());
    Ws->FormKeys().LayoutLen = 3;
    Ws->FormKeys().WeekLen = 2;
    Ws->SetDrawsOffset(10); // current draw 105
    EXPECT_EQ(Ws->CardTab().Card().Text(0, 1), "115");
    const TTextGrid& grid = Ws->LayoutTab().Scheme().Grid;
    EXPECT_EQ(Row(grid, 0), (std::vector<std::string>{"", "105", "104", "103"}));
    EXPECT_EQ(Ws->LayoutTab().Compare()[0].Caption, "101 - 105");
    int total = 0;
    for (int d = 0; d < 10; ++d) total += Ws->WeekTab().Counts().At(d, 1);
    EXPECT_EQ(total, 8); // two draws
    // Brackets mark the digits of draw 106 (5, 8, 8, 5), both drawn in the window.
    std::string texts;
    for (int r = 1; r < grid.Rows(); ++r)
        for (int c = 1; c < grid.Columns(); ++c) texts += grid.At(c, r) + "|";
    EXPECT_NE(texts.find("[8]"), std::string::npos);
    EXPECT_NE(texts.find("[5]"), std::string::npos);
    Ws->SetDrawsOffset(0);
    EXPECT_EQ(Row(grid, 0)[1], "115");
    for (int r = 1; r < grid.Rows(); ++r)
        for (int c = 1; c < grid.Columns(); ++c) EXPECT_EQ(grid.At(c, r).find('['), std::string::npos);
}

TEST_F(AnalysisViews, CachesFollowTheirInputsAndEditedDraws) {
    Start(Fifteen());
    TCardTab& card = Ws->CardTab();
    TLayoutTab& layout = Ws->LayoutTab();
    TWeekTab& week = Ws->WeekTab();
    EXPECT_FALSE(card.Refresh(false));
    EXPECT_FALSE(layout.Refresh(false));
    EXPECT_FALSE(layout.RefreshCompare(false));
    EXPECT_FALSE(week.Refresh(false));
    const auto compare = layout.Compare();

    // A new comparison length waits for a forced refresh; other refreshes keep the lists.
    Ws->FormKeys().LayoutCompareLen[2] = 3;
    Ws->RefreshViews(false);
    EXPECT_EQ(layout.Compare(), compare);
    EXPECT_TRUE(layout.RefreshCompare(true));
    EXPECT_EQ(layout.Compare()[2].Caption, "113 - 115");
    Ws->FormKeys().LayoutLen = 1;
    EXPECT_TRUE(layout.Refresh(false));

    // An edited draw keeps the archive's length: every view still shows it.
    const uint64_t revisions = card.Revision() + layout.Revision() + week.Revision();
    Ws->ReplaceDrawAtRow(0, MakeDraw(115, {6, 6, 6, 6}, "03/05/2019 M")); // a Tuesday
    EXPECT_EQ(card.Card().Text(7, 1), "6");
    EXPECT_EQ(card.Card().Text(5, 1), "");
    EXPECT_EQ(Row(layout.Scheme().Grid, 1), (std::vector<std::string>{"4", "6"}));
    EXPECT_EQ(week.Counts().At(6, 2), 4);
    EXPECT_EQ(card.Revision() + layout.Revision() + week.Revision(), revisions + 3);

    // A hidden tab computes nothing, forced or not.
    Ws->FormKeys().TabWeek = false;
    Ws->SetDrawsOffset(3);
    EXPECT_FALSE(week.Refresh(true));
    EXPECT_EQ(week.Counts().At(6, 2), 4);
}

TEST_F(AnalysisViews, WeekFilterKeepsAndRemovesTheColumnsDigits) {
    Start(Fifteen());
    Ws->WeekFilter({1, 3, 2, 7}, false); // columns "0" and "1", rows ignored
    EXPECT_EQ(Ws->Combs().Count(), 5904);
    ASSERT_EQ(Ws->Combs().Journal().size(), 1u);
    EXPECT_EQ(Ws->Combs().Journal()[0].Caption, "Неделя");
    EXPECT_EQ(Ws->Combs().Journal()[0].Values, "0; 1");
    EXPECT_EQ(Ws->Combs().Journal()[0].Icon, TJournalIcon::Keep);
    const TCombsArray kept = Ws->Combs().List();

    // The same as the statistics tab's NUMS rows 0 and 1.
    Ws->CombsUndo();
    EXPECT_EQ(Ws->Combs().Count(), 10000);
    TStatTab& tab = Ws->StatTab();
    ASSERT_TRUE(tab.Chooser().SelectMethod(Ws->Stats().IndexOfCode("NUMS")));
    tab.Refresh(true);
    std::vector<int> rows;
    for (int r = 0; r < tab.Table().Size(); ++r)
        if (tab.Table().Text(r, TStatColumn::Value) == "0" || tab.Table().Text(r, TStatColumn::Value) == "1")
            rows.push_back(r);
    tab.SetSelection(rows);
    Ws->StatFilterInclude();
    EXPECT_EQ(Ws->Combs().List(), kept);

    Ws->CombsUndo();
    Ws->WeekFilter({1, 1, 1, 7}, true); // column "0"
    EXPECT_EQ(Ws->Combs().Count(), 6561);
    EXPECT_EQ(Ws->Combs().Journal().back().Values, "0");
    EXPECT_EQ(Ws->Combs().Journal().back().Icon, TJournalIcon::Remove);
}

TEST_F(AnalysisViews, LayoutAndCardFiltersReadTheirCells) {
    Start(Fifteen());
    Ws->FormKeys().LayoutLen = 2;
    Ws->SetDrawsOffset(1); // draws 113, 114; 115 = 4,7,7,8 follows
    const TTextGrid& grid = Ws->LayoutTab().Scheme().Grid;
    // 114: 3,6,6,1   113: 2,5,5,4 -> counts 2 (6, 5) and 1 (3, 1, 2, [4])
    ASSERT_EQ(Row(grid, 0), (std::vector<std::string>{"", "114", "113"}));
    ASSERT_EQ(Row(grid, 2), (std::vector<std::string>{"1", "3, 1", "2, [4]"}));
    Ws->LayoutFilter({1, 2, 2, 2}, false);
    EXPECT_EQ(Ws->Combs().Journal().back().Values, "3; 1; 2; 4");
    EXPECT_EQ(Ws->Combs().Journal().back().Caption, "Схема");

    // A card rectangle of empty cells: the error, the list as it was, the undo copy made.
    const int before = Ws->Combs().Count();
    const size_t journal = Ws->Combs().Journal().size();
    ASSERT_EQ(Ws->CardTab().Card().Text(10, 1), ""); // 115 holds no 9
    try {
        Ws->CardFilter({10, 1, 10, 1}, false);
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_STREQ(e.what(), "В выделенном диапазоне нет значений для фильтра!");
    }
    EXPECT_EQ(Ws->Combs().Count(), before);
    EXPECT_EQ(Ws->Combs().Journal().size(), journal);
    EXPECT_TRUE(Ws->Combs().CanUndo());

    // Cells of rows 1 and 2 (115: 4,7,8; 114: 1,3,6), column by column: 7 then 8.
    Ws->CardFilter({8, 1, 9, 2}, true);
    EXPECT_EQ(Ws->Combs().Journal().back().Values, "7; 8");
    EXPECT_EQ(Ws->Combs().Journal().back().Caption, "Карта");
    Ws->CombsUndo();
    EXPECT_EQ(Ws->Combs().Count(), before);
    EXPECT_FALSE(TWorkspace::CardSelectionFilterable({0, 1, 3, 1}));
    EXPECT_TRUE(TWorkspace::CardSelectionFilterable({1, 1, 10, 5}));
}

TEST(ViewGrid, FilterValuesFromCellTexts) {
    TViewFilterValues values;
    const TTextGrid grid = [] {
        TTextGrid g(3, 3);
        g.At(1, 1) = "[3], 5";
        g.At(1, 2) = "5,x,";
        g.At(2, 1) = " [ 7 ] ";
        return g;
    }();
    values.AddCells({1, 1, 2, 2}, [&](int c, int r) { return grid.At(c, r); });
    EXPECT_EQ(values.Values(), (std::vector<int32_t>{3, 5, 0, 7})); // "x" and the empty part read as 0
    EXPECT_EQ(values.Text(), "3; 5; 0; 7");
}
