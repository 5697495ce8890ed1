#include <map>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>

#include "ViewsTestSupport.h"
#include "app/WorkspaceFixture.h"
#include "draws/DrawsFile.h"
#include "views/Commands.h"
#include "views/MainStatusBar.h"
#include "views/SortState.h"
#include "views/Tx.h"
#include "views/dialogs/FormFilterHelp.h"
#include "views/pages/GraphsPage.h"
#include "views/pages/StatPage.h"
#include "views/stat/StatCharts.h"
#include "views/stat/StatTableView.h"

using namespace qx;
using namespace qx::test;

namespace {

void PressEnter(QWidget* w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
}

class StatPage : public MainWindowFixture {
protected:
    // Ones 11 times, twos 8 times, a three once, the other digits never: counts of one and two
    // digits, and "-" from the depth on for the digits never drawn.
    void OpenSmall() {
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"1111", "1111", "1112", "2222", "2223"}));
        Open();
    }
    TStatPage* Page() const { return static_cast<TStatPage*>(Window->Page("tsDrawsStat")); }
    TStatTab& Tab() const { return Window->Workspace().StatTab(); }
    void Choose(QComboBox* box, const char* code, TMethodChooser& chooser) {
        const int method = Window->Workspace().Stats().IndexOfCode(code);
        for (size_t e = 0; e < chooser.Entries().size(); ++e)
            if (chooser.Entries()[e].Method == method) {
                box->setCurrentIndex(int(e));
                emit box->activated(int(e));
                return;
            }
        FAIL() << code;
    }
    QString Cell(int row, int column) const {
        auto* model = Page()->List()->model();
        return model->data(model->index(row, column)).toString();
    }
    QStringList Column(int column) const {
        QStringList texts;
        for (int r = 0; r < Page()->List()->model()->rowCount(); ++r) texts << Cell(r, column);
        return texts;
    }
    void ClickHeader(int column) { emit Page()->List()->horizontalHeader()->sectionClicked(column); }
};

} // namespace

TEST_F(StatPage, ChoosingAMethodComputesAndTheSameChoiceAgainDoesNot) {
    OpenSmall();
    TStatPage* page = Page();
    EXPECT_EQ(page->MethodBox()->count(), int(Tab().Chooser().Entries().size()));
    EXPECT_EQ(page->MethodBox()->currentText().toStdString(), Tab().Chooser().SelectedText());
    EXPECT_EQ(page->LengthEdit()->value(), 1000);
    EXPECT_EQ(page->List()->model()->rowCount(), 10); // NUMS, computed at start-up
    EXPECT_TRUE(Action("DrawsStatCalc")->isEnabled());

    Choose(page->MethodBox(), "EVEN", Tab().Chooser());
    EXPECT_EQ(Tab().Chooser().SelectedMethod(), Window->Workspace().Stats().IndexOfCode("EVEN"));
    EXPECT_EQ(page->List()->model()->rowCount(), 5);
    EXPECT_EQ(Cell(0, 0), "2:2"); // a value never drawn counts 0 and sorts first
    const uint64_t computed = Tab().Revision();
    Choose(page->MethodBox(), "EVEN", Tab().Chooser());
    EXPECT_EQ(Tab().Revision(), computed); // nothing changed: no computation
    Action("DrawsStatCalc")->trigger();
    EXPECT_NE(Tab().Revision(), computed); // "Обновить" always computes

    // Enter in the length computes over the new window; a text that is no length does nothing.
    page->LengthEdit()->setValue(2);
    PressEnter(page->LengthEdit());
    EXPECT_EQ(Tab().Table().Length, 2);
    const uint64_t before = Tab().Revision();
    page->LengthEdit()->findChild<QLineEdit*>()->setText("");
    PressEnter(page->LengthEdit());
    EXPECT_EQ(Tab().Revision(), before);
    EXPECT_EQ(Tab().WindowLength(), 2);
}

TEST_F(StatPage, HeaderClicksSortNumbersAsNumbersAndDashesAsText) {
    OpenSmall();
    // Ascending by count at start: the seven digits never drawn, then 1, 8, 11 (not "11" before "8").
    EXPECT_EQ(Column(1), QStringList({"0", "0", "0", "0", "0", "0", "0", "1", "8", "11"}));
    EXPECT_EQ(Column(0), QStringList({"0", "4", "5", "6", "7", "8", "9", "3", "2", "1"}));
    ClickHeader(1); // the sort column again: descending
    EXPECT_EQ(Column(1).mid(0, 3), QStringList({"11", "8", "1"}));
    EXPECT_TRUE(Tab().Descending());
    EXPECT_EQ(Page()->List()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);

    ClickHeader(6); // depth, ascending: "-" is text and sorts before the digits
    EXPECT_EQ(Tab().SortColumn(), 6);
    EXPECT_FALSE(Tab().Descending());
    EXPECT_EQ(Column(6), QStringList({"-", "-", "-", "-", "-", "-", "-", "1", "1", "3"}));
    EXPECT_EQ(Column(0).mid(7), QStringList({"2", "3", "1"})); // equal depths: by caption
    ClickHeader(6);
    EXPECT_EQ(Column(6).mid(0, 3), QStringList({"3", "1", "1"}));
    EXPECT_EQ(Column(6).back(), "-");
}

// The list asks for the texts of the rows it paints; rows never shown get none. Rows are looked at
// one by one, so a paint the event loop makes on its own before the grab changes nothing.
TEST_F(StatPage, OnlyPaintedRowsGetTheirTexts) {
    OpenSmall();
    QTableView* list = Page()->List();
    list->resize(400, list->horizontalHeader()->height() + 3 * list->verticalHeader()->defaultSectionSize());
    Action("DrawsStatCalc")->trigger();
    ASSERT_TRUE(WaitUntil([&] { return Tab().Table().Size() == 10; }));
    auto rowsWithTexts = [&] {
        int n = 0;
        for (const TStatTableRow& r : Tab().Table().Rows) n += r.TextBlock != nullptr;
        return n;
    };
    list->grab();
    const int painted = rowsWithTexts();
    EXPECT_GE(painted, 3);
    EXPECT_LT(painted, 10);
    const uint64_t made = StatTextsMade();
    list->grab();  // painted again: nothing made twice
    EXPECT_EQ(StatTextsMade(), made);
    EXPECT_EQ(rowsWithTexts(), painted);
    list->scrollToBottom();
    list->grab();
    EXPECT_GT(rowsWithTexts(), painted);
    EXPECT_NE(Tab().Table().Rows.back().TextBlock, nullptr);
    EXPECT_EQ(Cell(9, 1), "11");
}

TEST_F(StatPage, SelectedRowsAreKeptOrRemovedThroughTheCommands) {
    OpenSmall();
    TWorkspace& ws = Window->Workspace();
    TStatTableView* list = Page()->List();
    Window->Commands().Evaluate();
    EXPECT_FALSE(Action("StatFilter_Include")->isEnabled()); // nothing selected
    EXPECT_FALSE(Window->findChild<QWidget*>("btnStatFilter_Include")->isEnabled());

    const int one = int(Column(0).indexOf("1")), two = int(Column(0).indexOf("2"));
    list->SelectRows({one, two});
    EXPECT_EQ(Tab().SelectedValuesText(),
              Cell(std::min(one, two), 0).toStdString() + "; " + Cell(std::max(one, two), 0).toStdString());
    Window->Commands().Evaluate();
    ASSERT_TRUE(Action("StatFilter_Include")->isEnabled());
    EXPECT_TRUE(Window->findChild<QWidget*>("btnStatFilter_Include")->isEnabled());
    Action("StatFilter_Include")->trigger(); // combinations holding a 1 or a 2
    EXPECT_EQ(ws.Combs().Count(), 10000 - 8 * 8 * 8 * 8);
    ASSERT_EQ(ws.Combs().Journal().size(), 1u);
    EXPECT_EQ(ws.Combs().Journal()[0].Caption, Tab().Chooser().SelectedText());
    EXPECT_EQ(ws.Combs().Journal()[0].Values, Tab().SelectedValuesText());
    EXPECT_EQ(Window->StatusPanels()->PanelText(3), "Комбинаций: 5904");
    // The selection stays, on the screen and in the engine, for the next step.
    EXPECT_EQ(list->SelectedRows().size(), 2u);

    list->SelectRows({two});
    Window->Commands().Evaluate();
    Action("StatFilter_Exclude")->trigger(); // then without a 2
    EXPECT_EQ(ws.Combs().Count(), 9 * 9 * 9 * 9 - 8 * 8 * 8 * 8);
    EXPECT_EQ(ws.Combs().Journal().back().Icon, TJournalIcon::Remove);
    EXPECT_EQ(ws.Combs().Journal().back().Values, "2");
    ws.CombsUndo();
    EXPECT_EQ(ws.Combs().Count(), 5904);
    EXPECT_EQ(Window->StatusPanels()->PanelText(3), "Комбинаций: 5904");

    // A new table clears the selection, and the commands are off again.
    Action("DrawsStatCalc")->trigger();
    EXPECT_TRUE(list->SelectedRows().empty());
    Window->Commands().Evaluate();
    EXPECT_FALSE(Action("StatFilter_Exclude")->isEnabled());
}

// Channel counts on the screen: every channel with counts 0..2 listed, the counts beyond found in
// the draws, and a row of count 0 keeps exactly the combinations without a digit of its channel.
TEST_F(StatPage, ChannelCountsListEveryChannelAndFilterByACountOfZero) {
    OpenSmall();
    Choose(Page()->MethodBox(), "CHNV", Tab().Chooser());
    const QStringList values = Column(0);
    EXPECT_EQ(values.size(), 15 + 3);  // 01 x 3, 01 x 4 and 02 x 4 besides the listed rows
    for (const char* v : {"01 [0-1] x 0", "05 [8-9] x 2", "01 [0-1] x 4", "02 [2-3] x 4"})
        EXPECT_TRUE(values.contains(v)) << v;
    const int noLow = int(values.indexOf("01 [0-1] x 0"));
    EXPECT_EQ(Cell(noLow, 1), "2");  // 2222 and 2223
    EXPECT_EQ(Cell(int(values.indexOf("05 [8-9] x 0")), 1), "5");

    Page()->List()->SelectRows({noLow});
    Window->Commands().Evaluate();
    Action("StatFilter_Include")->trigger();
    TWorkspace& ws = Window->Workspace();
    EXPECT_EQ(ws.Combs().Count(), 8 * 8 * 8 * 8);
    ASSERT_EQ(ws.Combs().Journal().size(), 1u);
    EXPECT_EQ(ws.Combs().Journal()[0].Values, "01 [0-1] x 0");
}

TEST_F(StatPage, TheKeepAndRemoveButtonsShowWhatEachWouldLeave) {
    OpenSmall();
    TStatTableView* list = Page()->List();
    auto* include = Window->findChild<QPushButton*>("btnStatFilter_Include");
    auto* exclude = Window->findChild<QPushButton*>("btnStatFilter_Exclude");
    ASSERT_TRUE(include && exclude);
    auto captions = [&] { return include->text() + " / " + exclude->text(); };
    auto counted = [](int keep, int remove) {
        return "Оставить выделенные (" + QLocale().toString(keep) + ") / Удалить выделенные (" +
               QLocale().toString(remove) + ")";
    };
    const QString plain = "Оставить выделенные / Удалить выделенные";
    EXPECT_EQ(captions(), plain);
    EXPECT_EQ(QLocale().toString(5904), "5" + QLocale().groupSeparator() + "904");  // grouped

    // A selection dragged over the rows: every row it reaches changes both counts.
    const QStringList values = Column(0);
    QItemSelectionModel* selection = list->selectionModel();
    const int growing[] = {10000 - 9 * 9 * 9 * 9, 10000 - 8 * 8 * 8 * 8, 10000 - 7 * 7 * 7 * 7};
    for (int digit = 1; digit <= 3; ++digit) {
        const int row = int(values.indexOf(QString::number(digit)));
        selection->select(list->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        EXPECT_EQ(captions(), counted(growing[digit - 1], 10000 - growing[digit - 1])) << digit;
    }
    // The selection stays after a step; the counts follow the narrowed list.
    Window->Commands().Evaluate();
    Action("StatFilter_Include")->trigger();
    EXPECT_EQ(captions(), counted(growing[2], 0));
    Window->Workspace().CombsUndo();
    EXPECT_EQ(captions(), counted(growing[2], 10000 - growing[2]));

    list->clearSelection();
    EXPECT_EQ(captions(), plain);
    list->SelectRows({0});
    Action("DrawsStatCalc")->trigger();  // a new table has no selection
    EXPECT_EQ(captions(), plain);
}

TEST_F(StatPage, TheComparisonShowsTheNormColumnsAndTheFullSetLine) {
    OpenSmall();
    QHeaderView* header = Page()->List()->horizontalHeader();
    for (int c = 3; c <= 5; ++c) EXPECT_EQ(header->sectionSize(c), 0) << c;
    EXPECT_EQ(Cell(0, 3), "-");
    EXPECT_FALSE(Action("DrawsStatShowTotalLine")->isEnabled());
    EXPECT_EQ(Page()->Chart()->Series(kTotalSeries), nullptr);
    ASSERT_NE(Page()->Chart()->Series(kActualSeries), nullptr);

    Action("DrawsStatePrefetchsEnabled")->trigger();
    EXPECT_TRUE(Window->Workspace().PrefetchsEnabled());
    EXPECT_TRUE(Action("DrawsStatePrefetchsEnabled")->isChecked());
    for (int c = 3; c <= 5; ++c) EXPECT_EQ(header->sectionSize(c), 80) << c;
    EXPECT_EQ(Column(3), QStringList(10, Column(3).front())); // every digit has the same norm
    EXPECT_NE(Cell(0, 3), "-");
    EXPECT_NE(Cell(0, 4), "-");
    QLineSeries* total = Page()->Chart()->Series(kTotalSeries);
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(total->count(), 10);
    EXPECT_EQ(total->pen().color(), QColor(255, 0, 0));
    EXPECT_EQ(Page()->Chart()->Series(kActualSeries)->pen().color(), QColor(0, 128, 0));
    EXPECT_TRUE(Page()->Chart()->AxisLabels().contains("0"));

    // Without the full-set line the norms stay in the list.
    Window->Commands().Evaluate();
    ASSERT_TRUE(Action("DrawsStatShowTotalLine")->isEnabled());
    Action("DrawsStatShowTotalLine")->trigger();
    EXPECT_FALSE(Window->Workspace().FormKeys().ShowTotalLine);
    EXPECT_EQ(Page()->Chart()->Series(kTotalSeries), nullptr);
    EXPECT_NE(Cell(0, 3), "-");
    Action("DrawsStatShowTotalLine")->trigger();
    EXPECT_NE(Page()->Chart()->Series(kTotalSeries), nullptr);

    Action("DrawsStatePrefetchsEnabled")->trigger();
    for (int c = 3; c <= 5; ++c) EXPECT_EQ(header->sectionSize(c), 0) << c;
    EXPECT_EQ(Page()->Chart()->Series(kTotalSeries), nullptr);
    Reopen(); // the setting is stored at once
    EXPECT_FALSE(Window->Workspace().PrefetchsEnabled());
}

TEST_F(StatPage, AnEmptyArchiveLeavesBothTabsEmptyAndTheirCommandsOff) {
    Open();
    EXPECT_EQ(Page()->List()->model()->rowCount(), 0);
    EXPECT_FALSE(Action("DrawsStatCalc")->isEnabled());
    EXPECT_FALSE(Action("DrawsGraphDraw")->isEnabled());
    EXPECT_EQ(Page()->Chart()->Series(kActualSeries), nullptr);
    // The method description: without a help file the window's page stays empty.
    Modal.Then([](QWidget* w) {
        auto* help = dynamic_cast<TFormFilterHelp*>(w);
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->windowTitle(), "Описание методики расчета");
        EXPECT_TRUE(help->Browser()->toPlainText().isEmpty());
        help->reject();
    });
    ASSERT_TRUE(Action("FiltersInfo")->isEnabled());
    Action("FiltersInfo")->trigger();
    EXPECT_TRUE(Modal.Done());
}

TEST_F(StatPage, TheGraphTabPlotsTheMethodWithMeanAndMode) {
    // Digits in the first position: 3, 5, 5, 3 -> mean 4, mode 3 (the first of the two most frequent).
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"3000", "5000", "5000", "3000"}));
    Open();
    auto* page = static_cast<TGraphsPage*>(Window->Page("tsDrawsGraph"));
    TGraphTab& tab = Window->Workspace().GraphTab();
    EXPECT_EQ(page->LengthEdit()->value(), 100);
    EXPECT_FALSE(page->MarksBox()->isChecked());
    Choose(page->MethodBox(), "POS1", tab.Chooser());
    const QString title = page->MethodBox()->currentText();
    QLineSeries* draws = page->Chart()->Series(title);
    ASSERT_NE(draws, nullptr);
    ASSERT_EQ(draws->count(), 4);
    EXPECT_EQ(draws->at(0), QPointF(1, 3));
    EXPECT_EQ(draws->at(3), QPointF(4, 3));
    QLineSeries* mean = page->Chart()->Series(Tx(kMeanSeries));
    QLineSeries* mode = page->Chart()->Series(Tx(kModeSeries));
    ASSERT_TRUE(mean && mode);
    EXPECT_EQ(mean->at(2), QPointF(3, 4));
    EXPECT_EQ(mode->at(2), QPointF(3, 3));
    EXPECT_EQ(mean->pen().color(), QColor(0, 0, 255));
    EXPECT_EQ(mode->pen().color(), QColor(255, 0, 0));

    page->MarksBox()->click(); // the draws' values as marks; nothing is computed
    const uint64_t revision = tab.Revision();
    EXPECT_TRUE(page->Chart()->Series(title)->pointLabelsVisible());
    EXPECT_EQ(tab.Revision(), revision);

    page->LengthEdit()->setValue(2);
    PressEnter(page->LengthEdit());
    EXPECT_EQ(page->Chart()->Series(title)->count(), 2);
    EXPECT_TRUE(page->Chart()->Series(title)->pointLabelsVisible());

    // A hidden tab computes nothing; showing it computes and brings it forward.
    Action("TabGraps")->trigger();
    EXPECT_FALSE(Action("TabGraps")->isChecked());
    Window->Workspace().SetDrawsOffset(1);
    EXPECT_EQ(page->Chart()->Series(title)->count(), 2);
    Action("TabGraps")->trigger();
    EXPECT_EQ(Window->MainTabs()->currentWidget(), page);
    EXPECT_EQ(page->Chart()->Series(title)->count(), 2);
    EXPECT_EQ(page->Chart()->Series(title)->at(1), QPointF(3, 5)); // the window now ends at draw 3
}

TEST_F(StatPage, TheSumChangeTableListsWhatFollowedTheCurrentSumAndFiltersByIt) {
    // Sums 20, 15, 20: after the earlier 20 came a 15.
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"5555", "3444", "9920"}));
    Open();
    TWorkspace& ws = Window->Workspace();
    Choose(Page()->MethodBox(), "SUMC", Tab().Chooser());
    ASSERT_EQ(Page()->List()->model()->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), "- 05 : 20 - 5 = 15");
    EXPECT_EQ(Cell(0, 1), "1");
    Page()->List()->SelectRows({0});
    Window->Commands().Evaluate();
    ASSERT_TRUE(Action("StatFilter_Include")->isEnabled());
    Action("StatFilter_Include")->trigger();  // the combinations whose sum is 15
    int sumFifteen = 0;
    for (int ci = 0; ci < 10000; ++ci) sumFifteen += ci / 1000 + ci / 100 % 10 + ci / 10 % 10 + ci % 10 == 15;
    EXPECT_EQ(ws.Combs().Count(), sumFifteen);

    // One draw back the current sum is 15, which no draw followed: an empty table.
    ws.SetDrawsOffset(1);
    EXPECT_EQ(Page()->List()->model()->rowCount(), 0);
    Window->Commands().Evaluate();
    EXPECT_FALSE(Action("StatFilter_Include")->isEnabled());
}

TEST_F(StatPage, TheGraphTabPlotsTheSums) {
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"5555", "3444", "9920", "1000"}));
    Open();
    auto* page = static_cast<TGraphsPage*>(Window->Page("tsDrawsGraph"));
    TGraphTab& tab = Window->Workspace().GraphTab();
    Window->MainTabs()->setCurrentWidget(page);
    Choose(page->MethodBox(), "SUMS", tab.Chooser());
    QLineSeries* draws = page->Chart()->Series(page->MethodBox()->currentText());
    ASSERT_NE(draws, nullptr);
    ASSERT_EQ(draws->count(), 4);
    EXPECT_EQ(draws->at(0), QPointF(1, 20));
    EXPECT_EQ(draws->at(3), QPointF(4, 1));
    QLineSeries* mean = page->Chart()->Series(Tx(kMeanSeries));
    QLineSeries* mode = page->Chart()->Series(Tx(kModeSeries));
    ASSERT_TRUE(mean && mode);
    EXPECT_EQ(mean->at(0), QPointF(1, 14));
    EXPECT_EQ(mode->at(0), QPointF(1, 20));
}

TEST_F(StatPage, TheInsideChannelTableFollowsTheCurrentDrawsDigitsAndFiltersByIt) {
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"1275", "1770"}));
    Open();
    if (Window->Workspace().Stats().IndexOfCode("SDA2") < 0) GTEST_SKIP() << "inside-channel chains not built";
    TWorkspace& ws = Window->Workspace();
    Choose(Page()->MethodBox(), "SDA2", Tab().Chooser());
    // From 1275 to 1770 at width 2: 1 goes to 1 and to 0 (and 0 once more, the channel's last
    // digit being 0), 7 goes to both sevens; 2 and 5 are not in the current draw.
    std::map<QString, QString> rows;
    for (int r = 0; r < Page()->List()->model()->rowCount(); ++r) rows[Cell(r, 0)] = Cell(r, 1);
    EXPECT_EQ(rows, (std::map<QString, QString>{{"1 -> 1", "1"}, {"1 -> 0", "2"}, {"7 -> 7", "2"}}));
    const int seven = int(Column(0).indexOf("7 -> 7"));
    ASSERT_GE(seven, 0);
    Page()->List()->SelectRows({seven});
    Window->Commands().Evaluate();
    Action("StatFilter_Include")->trigger();  // a 7 of the current draw going to a 7 anywhere
    EXPECT_EQ(ws.Combs().Count(), 10000 - 6561);
}

TEST_F(StatPage, TheRepeatTableListsTheCurrentDigitsAndFiltersByThem) {
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"1275", "1770"}));
    Open();
    Choose(Page()->MethodBox(), "RPV2", Tab().Chooser());
    std::map<QString, QString> rows;
    for (int r = 0; r < Page()->List()->model()->rowCount(); ++r) rows[Cell(r, 0)] = Cell(r, 1);
    EXPECT_EQ(rows, (std::map<QString, QString>{{"1", "1"}, {"7", "1"}, {"0", "0"}}));
    Page()->List()->SelectRows({int(Column(0).indexOf("7"))});
    Window->Commands().Evaluate();
    Action("StatFilter_Include")->trigger();
    EXPECT_EQ(Window->Workspace().Combs().Count(), 10000 - 6561);
}

TEST_F(StatPage, TheGraphTabPlotsTheLongestRunsWithStepsEitherWay) {
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"3459", "5432", "1357", "1210"}));
    Open();
    auto* page = static_cast<TGraphsPage*>(Window->Page("tsDrawsGraph"));
    Window->MainTabs()->setCurrentWidget(page);
    Choose(page->MethodBox(), "LENS", Window->Workspace().GraphTab().Chooser());
    QLineSeries* draws = page->Chart()->Series(page->MethodBox()->currentText());
    ASSERT_NE(draws, nullptr);
    ASSERT_EQ(draws->count(), 4);
    // 5432 falls by one three times (4), 1357 has no step of one (0), 1210 rises then falls (4).
    EXPECT_EQ(draws->at(0), QPointF(1, 3));
    EXPECT_EQ(draws->at(1), QPointF(2, 4));
    EXPECT_EQ(draws->at(2), QPointF(3, 0));
    EXPECT_EQ(draws->at(3), QPointF(4, 4));
    QLineSeries* mean = page->Chart()->Series(Tx(kMeanSeries));
    ASSERT_NE(mean, nullptr);
    EXPECT_EQ(mean->at(0), QPointF(1, 2.75));
}

// 1111 1111 1112 2222 2223 at width 2: channel 2 runs through the last three draws. Periods: 1 and
// 2 each recur after one draw; removing by "1 x 1" reads the current draw, which lacks 1.
TEST_F(StatPage, SerialGroupsAndPeriodsOfTheCurrentDrawFilterTheList) {
    OpenSmall();
    TWorkspace& ws = Window->Workspace();
    Choose(Page()->MethodBox(), "GRCV", Tab().Chooser());
    ASSERT_EQ(Column(0), QStringList{"02 x 3"});
    EXPECT_EQ(Cell(0, 1), "1");
    Page()->List()->SelectRows({0});
    Window->Commands().Evaluate();
    Action("StatFilter_Include")->trigger();
    EXPECT_EQ(ws.Combs().Count(), 10000 - 8 * 8 * 8 * 8); // a digit in channel 2

    ws.GenerateCombs(ws.CombsGenDefaults(), false);
    Choose(Page()->MethodBox(), "PRDV", Tab().Chooser());
    ASSERT_EQ(Column(0), (QStringList{"1 x 1", "2 x 1"}));
    EXPECT_EQ(Cell(0, 1), "2");
    Page()->List()->SelectRows({0});
    Window->Commands().Evaluate();
    Action("StatFilter_Exclude")->trigger();
    EXPECT_EQ(ws.Combs().Count(), 9 * 9 * 9 * 9);
    Page()->List()->SelectRows({1});
    Window->Commands().Evaluate();
    Action("StatFilter_Include")->trigger();
    EXPECT_EQ(ws.Combs().Count(), 9 * 9 * 9 * 9 - 8 * 8 * 8 * 8);
}
