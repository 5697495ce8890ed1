// The card, layout and week tabs in the window, on the real archive: what they show, their
// filters through the real actions, their spin edits, switches and hidden-tab rule.
#include <QApplication>
#include <QBarSet>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineSeries>
#include <QSpinBox>
#include <QTableView>
#include <QTreeWidget>

#include "ViewsTestSupport.h"
#include "app/Workspace.h"
#include "core/IniFile.h"
#include "views/Commands.h"
#include "views/SortableList.h"
#include "views/grid/GridModel.h"
#include "views/pages/CardPage.h"
#include "views/pages/LayoutPage.h"
#include "views/pages/WeekChart.h"
#include "views/pages/WeekPage.h"

using namespace qx;
using namespace qx::test;

namespace {

void SendKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

void SelectCells(QTableView* grid, int top, int left, int bottom, int right) {
    auto* model = grid->model();
    grid->selectionModel()->select(QItemSelection(model->index(top, left), model->index(bottom, right)),
                                   QItemSelectionModel::ClearAndSelect);
}

QString Cell(QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

class AnalysisPages : public MainWindowFixture {
protected:
    void OpenReal() {
        PutRealArchive();
        Open();
    }
    TWorkspace& Ws() const { return Window->Workspace(); }
    TCardPage* Card() const { return static_cast<TCardPage*>(Window->Page("tsCard")); }
    TLayoutPage* Layout() const { return static_cast<TLayoutPage*>(Window->Page("tsLayout")); }
    TWeekPage* Week() const { return static_cast<TWeekPage*>(Window->Page("tsWeek")); }
    bool Enabled(const char* command) {
        Window->Commands().Evaluate();
        return Action(command)->isEnabled();
    }
    bool Trigger(const char* command) { return Window->Commands().Trigger(command); }
    std::string StoredKey(const char* key) {
        return TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", key, "");
    }
};

} // namespace

TEST_F(AnalysisPages, TheThreeTabsShowTheRealArchive) {
    QX_REQUIRE_REAL_ARCHIVE();
    OpenReal();
    QTableView* card = Card()->Grid();
    EXPECT_EQ(card->model()->rowCount(), 13788);
    EXPECT_EQ(card->model()->columnCount(), 11);
    EXPECT_EQ(card->model()->headerData(1, Qt::Horizontal).toString(), "0");
    EXPECT_EQ(Cell(card, 0, 0), "13788");
    EXPECT_EQ(Cell(card, 0, 2), "1"); // 13788: 1, 5, 8, 5
    EXPECT_EQ(Cell(card, 0, 3), "");
    // Column 0 follows the draws list's first column.
    auto* draws = Find<QTableView>("lvDraws");
    EXPECT_EQ(card->horizontalHeader()->sectionSize(0), draws->horizontalHeader()->sectionSize(0));
    draws->horizontalHeader()->resizeSection(0, 77);
    EXPECT_EQ(card->horizontalHeader()->sectionSize(0), 77);

    QTableView* layout = Layout()->Grid();
    EXPECT_EQ(layout->model()->headerData(0, Qt::Horizontal).toString(), "13788");
    EXPECT_EQ(layout->model()->headerData(0, Qt::Vertical).toString(), "49");
    EXPECT_EQ(Cell(layout, 0, 0), "1");
    for (int c = 0; c < layout->model()->columnCount(); ++c)
        EXPECT_GE(layout->horizontalHeader()->sectionSize(c), 40);
    auto* list = Layout()->CompareList(0);
    EXPECT_EQ(list->headerItem()->text(1), "13739 - 13788");
    ASSERT_GT(list->topLevelItemCount(), 1);
    // Sorted by "Кол-во", largest first.
    EXPECT_GE(list->topLevelItem(0)->text(0).toInt(), list->topLevelItem(1)->text(0).toInt());

    QTableView* week = Week()->Grid();
    EXPECT_EQ(week->model()->rowCount(), 7);
    EXPECT_EQ(week->model()->columnCount(), 10);
    EXPECT_EQ(week->model()->headerData(0, Qt::Vertical).toString(), "Пн");
    EXPECT_EQ(week->model()->headerData(6, Qt::Vertical).toString(), "Вс");
    EXPECT_EQ(Cell(week, 0, 0), "60");
    EXPECT_EQ(Week()->Chart()->Categories().size(), 10); // Monday's row by digit
    EXPECT_FALSE(Week()->Chart()->LineShown());
    EXPECT_EQ(Week()->Chart()->Bars()->at(0), 60);
}

TEST_F(AnalysisPages, WeekColumnsKeepAndCardCellsRemoveWithUndo) {
    QX_REQUIRE_REAL_ARCHIVE();
    OpenReal();
    QTableView* week = Week()->Grid();
    EXPECT_TRUE(Enabled("WeekFilter_Include")); // the week's rows do not matter
    SelectCells(week, 2, 0, 4, 1);              // columns "0" and "1"
    ASSERT_TRUE(Trigger("WeekFilter_Include"));
    EXPECT_EQ(Ws().Combs().Count(), 5904);
    auto* journal = Find<QTreeWidget>("lvFilters");
    ASSERT_EQ(journal->topLevelItemCount(), 1);
    EXPECT_EQ(journal->topLevelItem(0)->text(0), "Неделя");
    EXPECT_EQ(journal->topLevelItem(0)->text(1), "0; 1");
    ASSERT_TRUE(Trigger("CombsUndo"));
    EXPECT_EQ(Ws().Combs().Count(), 10000);

    // The card: digit columns only; an empty rectangle gives the error and leaves the list.
    QTableView* card = Card()->Grid();
    SelectCells(card, 0, 0, 0, 1);
    EXPECT_FALSE(Enabled("CardFilter_Exclude"));
    SelectCells(card, 0, 3, 0, 5); // 13788 holds none of 2, 3, 4
    EXPECT_TRUE(Enabled("CardFilter_Exclude"));
    Modal.ThenAnswer(QMessageBox::Ok);
    ASSERT_TRUE(Trigger("CardFilter_Exclude"));
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Caption, "Ошибка");
    EXPECT_EQ(Modal.Boxes[0].Text, "В выделенном диапазоне нет значений для фильтра!");
    EXPECT_EQ(Ws().Combs().Count(), 10000);
    EXPECT_EQ(journal->topLevelItemCount(), 0);

    SelectCells(card, 0, 1, 1, 9); // 13788: 1, 5, 8; 13787: 0, 4, 7
    ASSERT_TRUE(Trigger("CardFilter_Exclude"));
    EXPECT_EQ(journal->topLevelItem(0)->text(0), "Карта");
    EXPECT_EQ(journal->topLevelItem(0)->text(1), "0; 1; 4; 5; 7; 8");
    EXPECT_EQ(Ws().Combs().Count(), 4 * 4 * 4 * 4); // only 2, 3, 6, 9 left
    ASSERT_TRUE(Trigger("CombsUndo"));
    EXPECT_EQ(Ws().Combs().Count(), 10000);

    // The scheme's top cell holds the single digit 1 (49 times in the last 100 draws).
    SelectCells(Layout()->Grid(), 0, 0, 0, 0);
    ASSERT_TRUE(Trigger("LayoutFilter_Include"));
    EXPECT_EQ(journal->topLevelItem(0)->text(0), "Схема");
    EXPECT_EQ(Ws().Combs().Count(), 10000 - 6561);
}

TEST_F(AnalysisPages, EnterInTheSpinEditsAndTheRefreshButtons) {
    QX_REQUIRE_REAL_ARCHIVE();
    OpenReal();
    QSpinBox* cmp3 = Layout()->CompareEdit(2);
    auto* list3 = Layout()->CompareList(2);
    EXPECT_EQ(list3->headerItem()->text(1), "13589 - 13788");
    cmp3->setValue(10);
    Ws().RefreshViews(false); // typed, no Enter: the lists stay
    EXPECT_EQ(list3->headerItem()->text(1), "13589 - 13788");
    SendKey(cmp3, Qt::Key_Return);
    EXPECT_EQ(list3->headerItem()->text(1), "13779 - 13788");
    cmp3->setValue(20);
    ASSERT_TRUE(Trigger("LayoutCmpCalc"));
    EXPECT_EQ(list3->headerItem()->text(1), "13769 - 13788");

    QSpinBox* length = Layout()->LengthEdit();
    const uint64_t scheme = Ws().LayoutTab().Revision();
    SendKey(length, Qt::Key_Return); // nothing changed: no computation
    EXPECT_EQ(Ws().LayoutTab().Revision(), scheme);
    length->setValue(1);
    SendKey(length, Qt::Key_Return);
    EXPECT_EQ(Layout()->Grid()->model()->columnCount(), 1);                            // one draw: one column
    EXPECT_EQ(Layout()->Grid()->model()->headerData(0, Qt::Vertical).toString(), "2"); // 13788: 1, 5, 8, 5

    QSpinBox* weekLength = Week()->LengthEdit();
    weekLength->setValue(1);
    SendKey(weekLength, Qt::Key_Return);
    int total = 0;
    for (int d = 0; d < 10; ++d)
        for (int w = 1; w <= 7; ++w) total += Ws().WeekTab().Counts().At(d, w);
    EXPECT_EQ(total, 4);
    const uint64_t counted = Ws().WeekTab().Revision();
    ASSERT_TRUE(Trigger("WeekStatCalc"));
    EXPECT_GT(Ws().WeekTab().Revision(), counted);

    // The lengths are stored when the window closes.
    Close();
    EXPECT_EQ(StoredKey("LayoutLen"), "1");
    EXPECT_EQ(StoredKey("LayoutCompareLen3"), "20");
    EXPECT_EQ(StoredKey("WeekLen"), "1");
}

TEST_F(AnalysisPages, SwitchesWriteTheirKeysAndRedraw) {
    QX_REQUIRE_REAL_ARCHIVE();
    OpenReal();
    TGridModel* card = Card()->Model();
    const QModelIndex cell = card->index(0, 2); // 13788's "1": no neighbour
    EXPECT_EQ(cell.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(170, 255, 170));
    ASSERT_TRUE(Trigger("ViewColorCard"));
    EXPECT_EQ(StoredKey("ColorCard"), "0");
    EXPECT_FALSE(cell.data(Qt::BackgroundRole).isValid());
    ASSERT_TRUE(Trigger("ViewColorCardSequences"));
    EXPECT_EQ(StoredKey("ColorCardSequences"), "0");

    const QModelIndex layoutCell = Layout()->Model()->index(0, 0);
    const QColor gradient = layoutCell.data(Qt::BackgroundRole).value<QBrush>().color();
    ASSERT_TRUE(Trigger("ViewShemaGradient"));
    EXPECT_EQ(StoredKey("LayoutGradient"), "0");
    EXPECT_NE(layoutCell.data(Qt::BackgroundRole).value<QBrush>().color(), gradient);
    EXPECT_EQ(layoutCell.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(234, 255, 234));

    // The chart follows the current cell, its mode and its type.
    QTableView* week = Week()->Grid();
    week->setCurrentIndex(week->model()->index(2, 4)); // Wednesday, digit 4
    EXPECT_EQ(Week()->Chart()->Bars()->at(4), 53);
    ASSERT_TRUE(Trigger("ViewWeekChartMode"));
    EXPECT_EQ(StoredKey("WeekChartMode"), "1");
    EXPECT_TRUE(Action("ViewWeekChartMode")->isChecked());
    EXPECT_EQ(Week()->Chart()->Categories().front(), "Пн");
    EXPECT_EQ(Week()->Chart()->Bars()->at(2), 53);
    ASSERT_TRUE(Trigger("ViewWeekChartType"));
    EXPECT_EQ(StoredKey("WeekChartType"), "1");
    EXPECT_TRUE(Week()->Chart()->LineShown());
    ASSERT_EQ(Week()->Chart()->Line()->count(), 7);
    EXPECT_EQ(Week()->Chart()->Line()->at(4).y(), 73); // Friday's 4
}

TEST_F(AnalysisPages, AHiddenTabIsNotRecomputed) {
    QX_REQUIRE_REAL_ARCHIVE();
    OpenReal();
    ASSERT_TRUE(Trigger("TabCard"));
    ASSERT_TRUE(Trigger("TabWeek"));
    EXPECT_EQ(StoredKey("TabCard"), "0");
    EXPECT_FALSE(Enabled("ViewColorCard"));
    EXPECT_FALSE(Enabled("CardFilter_Include"));
    EXPECT_FALSE(Enabled("WeekStatCalc"));
    const uint64_t card = Ws().CardTab().Revision(), week = Ws().WeekTab().Revision();
    const uint64_t layout = Ws().LayoutTab().Revision();
    Ws().SetDrawsOffset(5);
    EXPECT_EQ(Ws().CardTab().Revision(), card);
    EXPECT_EQ(Ws().WeekTab().Revision(), week);
    EXPECT_GT(Ws().LayoutTab().Revision(), layout);

    // Shown again: computed at once, with force, and made the current page.
    ASSERT_TRUE(Trigger("TabWeek"));
    EXPECT_GT(Ws().WeekTab().Revision(), week);
    EXPECT_EQ(Window->MainTabs()->currentWidget(), Week());
    ASSERT_TRUE(Trigger("TabCard"));
    EXPECT_GT(Ws().CardTab().Revision(), card);
    EXPECT_TRUE(Enabled("ViewColorCard"));
}
