#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLineSeries>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <filesystem>
#include <fstream>

#include "ViewsTestSupport.h"
#include "app/MemorySystemsServer.h"
#include "app/Workspace.h"
#include "app/WorkspaceFixture.h"
#include "core/IniFile.h"
#include "draws/DrawsFile.h"
#include "views/Commands.h"
#include "views/FormGraph.h"
#include "views/dialogs/FormRepeats.h"
#include "views/dialogs/FormStake.h"
#include "views/dialogs/FormTable.h"
#include "views/dialogs/FormTestCnt.h"
#include "views/pages/CombsPage.h"
#include "views/pages/TablesPage.h"

using namespace qx;
using namespace qx::test;

class RegularsPages : public MainWindowFixture {
protected:
    void OpenWith(const TDrawsArray& draws) {
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", draws);
        Open();
    }
    TTablesPage* Tables() const { return static_cast<TTablesPage*>(Window->Page("tsTables")); }
    TWorkspace& Ws() const { return Window->Workspace(); }
    QString Cell(int row, int column) const {
        QAbstractItemModel* m = Tables()->List()->model();
        return m->data(m->index(row, column), Qt::DisplayRole).toString();
    }
    bool Trigger(const char* command) { return Window->Commands().Trigger(command); }
    bool Enabled(const char* command) {
        Window->Commands().Evaluate();
        return Action(command)->isEnabled();
    }
    void SelectRows(QTableView* view, std::initializer_list<int> rows) {
        view->clearSelection();
        for (int r : rows)
            view->selectionModel()->select(view->model()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        Window->Commands().Evaluate();
    }
    QTableView* CombsList() const { return static_cast<TCombsPage*>(Window->Page("tsCombs"))->List(); }
    // Adds a regular through the dialog with nothing selected in the combination list: mode 1.
    void AddPreviousDrawRegular(const char* comment, int step) {
        Modal.Then([=](QWidget* w) {
            auto* dialog = dynamic_cast<TFormTable*>(w);
            ASSERT_NE(dialog, nullptr);
            dialog->LastDrawButton()->setChecked(true);
            dialog->CommentEdit()->setText(comment);
            dialog->StepEdit()->setValue(step);
            PressButton(dialog, QDialogButtonBox::Ok);
        });
        ASSERT_TRUE(Trigger("TablesAdd"));
        ASSERT_TRUE(Modal.Done());
    }
};

TEST_F(RegularsPages, TheRegularDialogRefusesThenAddsOnePerSelectedCombination) {
    OpenWith({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {5, 6, 7, 8})});
    EXPECT_TRUE(Enabled("TablesAdd"));
    EXPECT_FALSE(Enabled("TablesStakeAdd"));
    SelectRows(CombsList(), {1234});
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormTable*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Добавление регулярной ставки");
        EXPECT_TRUE(dialog->MyCombButton()->isChecked());
        EXPECT_EQ(dialog->StartEdit()->text(), "1;2;3;4");
        EXPECT_TRUE(dialog->StartEdit()->isEnabled());
        EXPECT_EQ(dialog->CommentEdit()->text(), "Регулярная ставка");
        EXPECT_EQ(dialog->StepEdit()->value(), 1);
        EXPECT_EQ(dialog->StepEdit()->minimum(), -9);
        dialog->LastDrawButton()->setChecked(true);
        EXPECT_FALSE(dialog->StartEdit()->isEnabled());
        dialog->MyCombButton()->setChecked(true);
        dialog->StartEdit()->setText("1;2;3");
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    Modal.ThenAnswer(QMessageBox::Ok);
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormTable*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->focusWidget(), dialog->StartEdit());
        dialog->StartEdit()->setText("9, 8; 7 ;6");
        dialog->CommentEdit()->setText("Ряд");
        dialog->StepEdit()->setValue(-2);
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Trigger("TablesAdd"));
    ASSERT_TRUE(Modal.Done());
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Text, "Введена некорректная комбинация!");
    ASSERT_EQ(Tables()->List()->model()->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), "Ряд");
    EXPECT_EQ(Cell(0, 1), "9;8;7;6");
    EXPECT_EQ(Cell(0, 2), "-2");
    EXPECT_EQ(Cell(0, 3), "9;8;7;6");
    EXPECT_EQ(Cell(0, 4), "0");

    // Three selected combinations: the start edit is locked; the same comment in capitals is refused.
    SelectRows(CombsList(), {5, 7, 9});
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormTable*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->StartEdit()->text(), "{...Выделенные комбинации...}");
        EXPECT_FALSE(dialog->StartEdit()->isEnabled());
        dialog->CommentEdit()->setText("РЯД");
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    Modal.ThenAnswer(QMessageBox::Ok);
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormTable*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->focusWidget(), dialog->CommentEdit());
        dialog->CommentEdit()->setText("R");
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Trigger("TablesAdd"));
    ASSERT_TRUE(Modal.Done());
    ASSERT_EQ(Modal.Boxes.size(), 2u);
    EXPECT_EQ(Modal.Boxes[1].Text,
              "Запись с таким комментарией уже присутствует в списке!\nВыберите другой комментарий.");
    ASSERT_EQ(Tables()->List()->model()->rowCount(), 4);
    EXPECT_EQ(Cell(1, 0), "R (6)");
    EXPECT_EQ(Cell(3, 0), "R (10)");
    EXPECT_EQ(Cell(3, 1), "0;0;0;9");
    EXPECT_TRUE(std::filesystem::exists(Dir / "Quadrix_4d10.ltb"));
    EXPECT_EQ(std::filesystem::file_size(Dir / "Quadrix_4d10.ltb"), 4u * 276u);

    // Deleting the first two after the confirmation.
    SelectRows(Tables()->List(), {0, 1});
    Modal.ThenAnswer(QMessageBox::Yes);
    ASSERT_TRUE(Trigger("TablesDel"));
    ASSERT_EQ(Tables()->List()->model()->rowCount(), 2);
    EXPECT_EQ(Cell(0, 0), "R (8)");
}

TEST_F(RegularsPages, AStakeFromARegularAndATestThroughTheCountDialog) {
    OpenWith({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {7, 0, 3, 9}), MakeDraw(3, {0, 0, 0, 0}),
              MakeDraw(4, {5, 5, 5, 5})});
    AddPreviousDrawRegular("Пред", 5);
    AddPreviousDrawRegular("Шаг", 1);
    ASSERT_EQ(Tables()->List()->model()->rowCount(), 2);

    // Cancel changes nothing; OK stakes the shifted previous draw and advances the regular.
    SelectRows(Tables()->List(), {0});
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormStake*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->NumbersEdit()->text(), "0;0;0;0");
        PressButton(dialog, QDialogButtonBox::Cancel);
    });
    ASSERT_TRUE(Trigger("TablesStakeAdd"));
    EXPECT_EQ(Cell(0, 4), "0");
    EXPECT_EQ(Ws().StakesCount(), 0);
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormStake*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->DrawNumberEdit()->value(), 5);
        EXPECT_EQ(dialog->CommentEdit()->text(), "Пред");
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Trigger("TablesStakeAdd"));
    ASSERT_TRUE(Modal.Done());
    EXPECT_EQ(Cell(0, 3), "0;0;0;0");
    EXPECT_EQ(Cell(0, 4), "1");
    EXPECT_EQ(Ws().StakesCount(), 1);

    // A test over the two newest draws for both regulars: four stakes, the offset kept.
    Ws().SetDrawsOffset(1);
    SelectRows(Tables()->List(), {0, 1});
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormTestCnt*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Количество тестов");
        EXPECT_EQ(dialog->CountEdit()->maximum(), 3);
        EXPECT_EQ(dialog->CountEdit()->value(), 3);
        dialog->CountEdit()->setValue(2);
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Trigger("TablesStakeTest"));
    ASSERT_TRUE(Modal.Done());
    EXPECT_EQ(Ws().StakesCount(), 5);
    EXPECT_EQ(Ws().DrawsOffset(), 1);
    // The last stake of "Пред" was for draw 4 over draw 3 (0;0;0;0 + 5).
    EXPECT_EQ(Cell(0, 3), "5;5;5;5");
    EXPECT_EQ(Cell(0, 4), "3");
    EXPECT_EQ(Cell(1, 4), "2");
}

TEST_F(RegularsPages, HidingTheTabFreesTheRegularsAndShowingLoadsThem) {
    OpenWith({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {5, 6, 7, 8})});
    AddPreviousDrawRegular("Пред", 5);
    ASSERT_TRUE(Trigger("TabTables"));
    EXPECT_FALSE(Ws().TablesVisible());
    EXPECT_EQ(Tables()->List()->model()->rowCount(), 0);
    EXPECT_FALSE(Enabled("TablesAdd"));
    EXPECT_EQ(std::filesystem::file_size(Dir / "Quadrix_4d10.ltb"), 276u);
    ASSERT_TRUE(Trigger("TabTables"));
    EXPECT_TRUE(Enabled("TablesAdd"));
    ASSERT_EQ(Tables()->List()->model()->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), "Пред");
}

TEST_F(RegularsPages, SystemPlayIsHiddenUntilSwitchedOnThenStakesTheWholeSystem) {
    OpenWith({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {5, 6, 7, 8})});
    std::filesystem::create_directory(Dir / "Systems");
    std::ofstream(Dir / "Systems" / "4-05-0_0001.dat", std::ios::binary) << "01 02 03 04\r\n05 04 03 02\r\n";
    Window->Commands().Evaluate();
    EXPECT_FALSE(Action("SystemStakeAll")->isVisible());
    TMemorySystems catalogue;  // showing the tab lists the catalogue: an empty one here
    Ws().SetSystemsServer([&catalogue] { return MemoryServer(catalogue); });
    ASSERT_TRUE(Trigger("SystemsOn"));
    EXPECT_TRUE(Ws().SystemsEnabled());
    EXPECT_TRUE(Action("SystemsOn")->isChecked());
    EXPECT_TRUE(Action("SystemStakeAll")->isVisible());
    EXPECT_FALSE(Enabled("SystemsDownload"));
    // A list over the digits 1, 5, 8, 2, 9 (in order of appearance).
    ASSERT_TRUE(Ws().GenerateCombs({2, "1;5;8;2;9"}, false));
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormMulti*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->CommentEdit()->text(), "Системная игра для 5 чисел [вся система]: 4-05-0_0001");
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Trigger("SystemStakeAll"));
    ASSERT_TRUE(Modal.Done());
    EXPECT_EQ(Ws().StakesCount(), 2);
    ASSERT_TRUE(Trigger("SystemsOn"));
    EXPECT_FALSE(Ws().SystemsEnabled());
    Window->Commands().Evaluate();
    EXPECT_FALSE(Action("SystemStakeAll")->isVisible());
}

TEST_F(RegularsPages, TheRepeatsWindowListsRowsAndKeepsItsKeys) {
    OpenWith({MakeDraw(10, {1, 2, 3, 4}), MakeDraw(11, {1, 2, 3, 4}), MakeDraw(12, {1, 9, 9, 9}),
              MakeDraw(13, {5, 5, 5, 5})});
    TFormRepeats window(Ws(), Window.get());
    EXPECT_EQ(window.LengthEdit()->value(), 100);
    EXPECT_EQ(window.LengthEdit()->maximum(), 2147483647);
    window.Refresh();
    QAbstractItemModel* m = window.List()->model();
    auto cell = [m](int r, int c) { return m->data(m->index(r, c), Qt::DisplayRole).toString(); };
    // 13 shares nothing; 12 repeats 11 and 10 once each; 11 repeats 10 four times.
    ASSERT_EQ(m->rowCount(), 2);
    EXPECT_EQ(cell(0, 0), "12");
    EXPECT_EQ(cell(0, 1), "1");
    EXPECT_EQ(cell(0, 2), "2");
    EXPECT_EQ(cell(0, 3), "11 10");
    EXPECT_EQ(cell(1, 1), "4");
    QChart* chart = window.Chart()->chart();
    ASSERT_EQ(chart->series().size(), 4);
    EXPECT_EQ(chart->series()[0]->name(), "Совпадений: 1");

    // Enter in the depth edit recomputes with depth 1.
    window.DeepEdit()->setValue(1);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(window.DeepEdit(), &enter);
    ASSERT_EQ(m->rowCount(), 2);
    EXPECT_EQ(cell(0, 2), "1");
    EXPECT_EQ(cell(0, 3), "11");
    window.LengthEdit()->setValue(3);
    window.reject();
    const TIniFile ini = Ws().ReadFormState();
    EXPECT_EQ(ini.ReadInteger("TFormRepeats", "DrawsLength", 0), 3);
    EXPECT_EQ(ini.ReadInteger("TFormRepeats", "DrawsDeep", 0), 1);
}

TEST_F(RegularsPages, TheSumChartShowsItsFiveSeries) {
    OpenWith({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {5, 6, 7, 8})});
    Modal.Then([](QWidget* w) {
        auto* graph = dynamic_cast<TFormGraph*>(w);
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(graph->windowTitle(), "Распределение сумм тиражей и всех возможных комбинаций");
        EXPECT_EQ(graph->SeriesCount(), 5);
        EXPECT_NE(graph->Series("Фактическое распределение сумм (по тиражам)"), nullptr);
        EXPECT_NE(graph->Series("Теоретическое распределение сумм (по комбинациям)"), nullptr);
        EXPECT_NE(graph->Series("Диапазон 1 (от 1/3 и выше по оси Y) - суммы 10-26"), nullptr);
        EXPECT_NE(graph->Series("Диапазон 3 (от 2/3 и выше по оси Y) - суммы 13-23"), nullptr);
        graph->reject();
    });
    ASSERT_TRUE(Trigger("TotalSumCombs"));
    ASSERT_TRUE(Modal.Done());
}
