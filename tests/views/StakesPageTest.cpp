#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include "ViewsTestSupport.h"
#include "app/Workspace.h"
#include "app/WorkspaceFixture.h"
#include "core/IniFile.h"
#include "draws/DrawsFile.h"
#include "views/Commands.h"
#include "views/FormGraph.h"
#include "views/MainStatusBar.h"
#include "views/SortState.h"
#include "views/dialogs/FormStake.h"
#include "views/dialogs/FormStakeFilter.h"
#include "views/pages/CombsPage.h"
#include "views/pages/RatingPage.h"
#include "views/pages/StakesPage.h"
#include "views/stakes/RatingsModel.h"
#include "views/stakes/StakesModel.h"

using namespace qx;
using namespace qx::test;

class StakesPages : public MainWindowFixture {
protected:
    void OpenWith(const TDrawsArray& draws) {
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", draws);
        Open();
    }
    TStakesPage* Stakes() const { return static_cast<TStakesPage*>(Window->Page("tsStakes")); }
    TRatingPage* Ratings() const { return static_cast<TRatingPage*>(Window->Page("tsRating")); }
    TWorkspace& Ws() const { return Window->Workspace(); }
    QString Cell(int row, int column) const {
        TStakesModel* m = Stakes()->Model();
        return m->data(m->index(row, column), Qt::DisplayRole).toString();
    }
    QString RatingCell(int row, int column) const {
        TRatingsModel* m = Ratings()->Model();
        return m->data(m->index(row, column), Qt::DisplayRole).toString();
    }
    bool Trigger(const char* command) { return Window->Commands().Trigger(command); }
    bool Enabled(const char* command) {
        Window->Commands().Evaluate();
        return Action(command)->isEnabled();
    }
    void SelectRows(QTableView* view, int first, int last) {
        view->clearSelection();
        view->selectionModel()->select(QItemSelection(view->model()->index(first, 0), view->model()->index(last, 0)),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        Window->Commands().Evaluate();
    }
    void AddStakes(std::initializer_list<std::pair<int, const char*>> stakes) {
        for (const auto& [draw, comment] : stakes)
            Ws().StakesAdd(NewStake(skManual, draw, StakeNumbersOf(MakeCode(1, 2, 3, 4)), 1, comment, Ws().Config()), 1,
                           true);
        Ws().StakesCheck();
        Ws().StakesRefresh(true, false);
    }
};

TEST_F(StakesPages, TheStakeDialogRefusesThenAddsForTheSelectedCombination) {
    OpenWith({MakeDraw(100, {1, 2, 3, 4}), MakeDraw(101, {1, 2, 4, 3}), MakeDraw(102, {9, 9, 9, 9})});
    EXPECT_TRUE(Enabled("StakeAdd"));
    EXPECT_FALSE(Enabled("StakeDel"));
    EXPECT_FALSE(Enabled("StakeClear"));
    auto* combs = static_cast<TCombsPage*>(Window->Page("tsCombs"));
    SelectRows(combs->List(), 1234, 1234);
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormStake*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Добавление ставки");
        EXPECT_EQ(dialog->DrawNumberEdit()->value(), 103);
        EXPECT_EQ(dialog->DrawNumberEdit()->maximum(), 2147483647);
        EXPECT_EQ(dialog->DrawsCountEdit()->maximum(), 65535);
        EXPECT_EQ(dialog->NumbersEdit()->text(), "1;2;3;4");
        EXPECT_EQ(dialog->SumEdit()->text(), "10");
        EXPECT_EQ(dialog->CommentEdit()->text(), "Ставка \"вручную\"");
        EXPECT_EQ(dialog->CommentEdit()->maxLength(), 64);
        dialog->NumbersEdit()->setText("1;2;x;30");
        EXPECT_EQ(dialog->SumEdit()->text(), "33");
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    Modal.ThenAnswer(QMessageBox::Ok);
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormStake*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->focusWidget(), dialog->NumbersEdit());
        dialog->NumbersEdit()->setText("1, 2; 4 ;3");
        dialog->CommentEdit()->clear();
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    Modal.ThenAnswer(QMessageBox::Ok);
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormStake*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->focusWidget(), dialog->CommentEdit());
        dialog->CommentEdit()->setText("Моя");
        dialog->DrawNumberEdit()->setValue(101);
        dialog->DrawsCountEdit()->setValue(2);
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Trigger("StakeAdd"));
    ASSERT_TRUE(Modal.Done());
    ASSERT_EQ(Modal.Boxes.size(), 2u);
    EXPECT_EQ(Modal.Boxes[0].Text, "Введена некорректная комбинация!");
    EXPECT_EQ(Modal.Boxes[1].Text, "Необходимо ввести комментарий!");

    // 101 and 102 (after a separator), checked at once; the last row is current.
    ASSERT_EQ(Stakes()->Model()->rowCount(), 3);
    EXPECT_EQ(Cell(0, 0), "101");
    EXPECT_EQ(Cell(0, 2), "1;2;4;3");
    EXPECT_EQ(Cell(0, 5), "4");
    EXPECT_EQ(Cell(1, 0), "");
    EXPECT_EQ(Cell(2, 5), "0");
    EXPECT_EQ(Stakes()->Grid()->currentIndex().row(), 2);
    TStakesModel* m = Stakes()->Model();
    EXPECT_EQ(m->data(m->index(0, 3), Qt::BackgroundRole).value<QBrush>().color(), QColor(234, 255, 234));
    EXPECT_FALSE(m->data(m->index(1, 3), Qt::BackgroundRole).isValid());
    EXPECT_EQ(m->data(m->index(0, 7), Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));  // 0.00
    EXPECT_EQ(Window->StatusPanels()->PanelText(4), "Ставок: 3");
    EXPECT_EQ(Window->StatusPanels()->PanelText(5), "Рейтинг: 1");
    EXPECT_EQ(RatingCell(0, 0), "Моя");
    EXPECT_EQ(RatingCell(0, 1), "2");
}

TEST_F(StakesPages, DeletingThroughTheActions) {
    OpenWith({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {1, 2, 0, 0}), MakeDraw(3, {0, 0, 0, 0})});
    AddStakes({{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}});
    ASSERT_EQ(Stakes()->Model()->rowCount(), 5);
    SelectRows(Stakes()->Grid(), 1, 2);
    ASSERT_TRUE(Enabled("StakeDel"));
    Modal.ThenAnswer(QMessageBox::Yes);
    ASSERT_TRUE(Trigger("StakeDel"));
    EXPECT_EQ(Modal.Boxes.back().Text, "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
    ASSERT_EQ(Stakes()->Model()->rowCount(), 3);
    EXPECT_EQ(Cell(0, 0) + Cell(1, 0) + Cell(2, 0), "145");

    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormStakeFilter*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Удаление по условию");
        ASSERT_EQ(dialog->ConditionBox()->count(), 5);
        EXPECT_EQ(dialog->ConditionBox()->itemText(3), "Менее [ < ]");
        EXPECT_EQ(dialog->ConditionBox()->currentIndex(), 0);
        EXPECT_EQ(dialog->ValueEdit()->maximum(), 4);
        dialog->ConditionBox()->setCurrentIndex(3);
        dialog->ValueEdit()->setValue(1);
        EXPECT_EQ(dialog->Value(), 0x0103);
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Trigger("StakeFilter"));
    ASSERT_EQ(Stakes()->Model()->rowCount(), 1);  // the unchecked 4 and 5 went, 1 (4 matches) stays
    EXPECT_EQ(Cell(0, 0), "1");

    Modal.ThenAnswer(QMessageBox::Yes);  // delete all
    Modal.ThenAnswer(QMessageBox::No);   // keep the rating
    ASSERT_TRUE(Trigger("StakeClear"));
    EXPECT_EQ(Stakes()->Model()->rowCount(), 0);
    EXPECT_EQ(Window->StatusPanels()->PanelText(4), "Ставок: 0");
    EXPECT_EQ(Ratings()->Model()->rowCount(), 3);  // a, b and c were checked
    EXPECT_FALSE(Enabled("StakeClear"));
}

TEST_F(StakesPages, TheProfitGraphShowsEachDrawsTotal) {
    WriteBytes(Dir / "Quadrix_4d10.ini", "[STAKES]\r\nCost=2\r\nProfits=1\r\nProfit_0_Overlap=4\r\nProfit_0_Profit=10\r\n");
    OpenWith({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {0, 0, 0, 0})});
    AddStakes({{1, "a"}, {1, "b"}, {2, "a"}});
    Modal.Then([](QWidget* w) {
        auto* graph = dynamic_cast<TFormGraph*>(w);
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(graph->windowTitle(), "График суммарного профита ставок по тиражам");
        EXPECT_EQ(graph->SeriesCount(), 3);
        QLineSeries* totals = graph->Series("суммарный профит ставок по тиражу");  // any letter case
        ASSERT_NE(totals, nullptr);
        EXPECT_EQ(totals->points(), (QList<QPointF>{{1, 16}, {2, -2}}));
        EXPECT_EQ(totals->pen().color(), QColor(0, 128, 0));
        EXPECT_TRUE(totals->pointLabelsVisible());
        EXPECT_EQ(graph->Series("Накопленное значение")->points(), (QList<QPointF>{{1, 16}, {2, 14}}));
        QLineSeries* mean = graph->Series("Среднее значение");
        EXPECT_EQ(mean->points(), (QList<QPointF>{{1, 7}, {2, 7}}));
        EXPECT_FALSE(mean->pointLabelsVisible());
        graph->MarksBox()->click();
        EXPECT_FALSE(totals->pointLabelsVisible());
        EXPECT_FALSE(mean->pointLabelsVisible());
        graph->reject();
    });
    ASSERT_TRUE(Trigger("StakesGraphDraws"));
    ASSERT_TRUE(Modal.Done());
    EXPECT_TRUE(TIniFile::Load(Dir / "Quadrix_4d10.frm").HasKey("TFormGraph", "NormPos"));
}

TEST_F(StakesPages, RatingsSortByHeaderClicksAndSwitchModes) {
    OpenWith({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {1, 2, 0, 0})});
    AddStakes({{1, "one"}, {2, "two"}, {2, "two"}, {1, "three"}, {1, "three"}, {1, "three"}});
    // The initial sort is "Среднее", descending: averages 4, 2, 4 with equal ones in their order.
    EXPECT_EQ(RatingCell(0, 0) + RatingCell(1, 0) + RatingCell(2, 0), "onethreetwo");
    QHeaderView* header = Ratings()->List()->horizontalHeader();
    emit header->sectionClicked(1);
    EXPECT_EQ(RatingCell(0, 0) + RatingCell(1, 0) + RatingCell(2, 0), "onetwothree");
    emit header->sectionClicked(1);
    EXPECT_EQ(RatingCell(0, 0) + RatingCell(1, 0) + RatingCell(2, 0), "threetwoone");
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(ReadBytes(Dir / "Quadrix_4d10.lrt").substr(1, 5), "three");  // saved in the new order

    EXPECT_EQ(RatingCell(0, 11), "-65.610%");  // mode 1 by default
    ASSERT_TRUE(Trigger("RatingsEffMode0"));
    EXPECT_EQ(RatingCell(0, 11), "2");
    EXPECT_TRUE(Action("RatingsEffMode0")->isChecked());
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "RatingsEffMode", ""), "0");

    SelectRows(Ratings()->List(), 0, 0);
    EXPECT_TRUE(Enabled("RatingsGraphOverlap"));
    Modal.Then([](QWidget* w) {
        auto* graph = dynamic_cast<TFormGraph*>(w);
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(graph->Series("three")->points().at(4), QPointF(4, 3));
        EXPECT_EQ(graph->Series("Нормальные значения")->points().at(0), QPointF(0, 6561 * 3 / 10000.0));
        graph->reject();
    });
    emit Ratings()->List()->doubleClicked(Ratings()->Model()->index(0, 0));
    EXPECT_TRUE(Modal.Done());

    Close();
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "lvRatings.SortType", ""), "1,1");
    Open();
    EXPECT_EQ(RatingCell(0, 0), "three");
    EXPECT_EQ(RatingCell(0, 11), "2");
}
