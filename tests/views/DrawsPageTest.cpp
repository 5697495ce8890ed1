#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTimeEdit>
#include <QTreeWidget>

#include "ViewsTestSupport.h"
#include "app/DrawInfo.h"
#include "app/Workspace.h"
#include "app/WorkspaceFixture.h"
#include "core/DateTime.h"
#include "draws/DrawsFile.h"
#include "views/Commands.h"
#include "views/MainStatusBar.h"
#include "views/draws/DrawsModel.h"
#include "views/draws/DrawsPage.h"
#include "views/draws/FormDraw.h"
#include "views/draws/FormInfo.h"

using namespace qx;
using namespace qx::test;

namespace {

void Press(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

} // namespace

class DrawsPage : public MainWindowFixture {
protected:
    void OpenWith(const TDrawsArray& draws) {
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", draws);
        Open();
    }
    void Select(std::initializer_list<int> rows) {
        QTableView* list = Window->DrawsPage()->List();
        list->clearSelection();
        for (int r : rows)
            list->selectionModel()->select(list->model()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        Window->Commands().Evaluate();
    }
    const TDrawsArray& Draws() { return Window->Workspace().Draws(); }
};

TEST_F(DrawsPage, TheDrawDialogRefusesABadCombinationAndStaysOpen) {
    OpenWith({MakeDraw(7, {1, 2, 3, 4}, "03/07/2019 M")});
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormDraw*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Введите данные следующего тиража");
        EXPECT_EQ(dialog->NumberEdit()->value(), 8); // the next number
        EXPECT_EQ(dialog->DigitsEdit()->text(), "0;0;0;0");
        EXPECT_EQ(dialog->DateEdit()->date(), QDate::currentDate()); // an empty label proposes today
        EXPECT_TRUE(dialog->DateEdit()->isVisibleTo(dialog));
        dialog->DigitsEdit()->setText("1;2;3");
        Press(dialog, QDialogButtonBox::Ok);
    });
    Modal.ThenAnswer(QMessageBox::Ok);
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormDraw*>(w);
        ASSERT_NE(dialog, nullptr); // still open after the refusal
        dialog->DigitsEdit()->setText("1;2;3;x");  // a letter is no digit
        Press(dialog, QDialogButtonBox::Ok);
    });
    Modal.ThenAnswer(QMessageBox::Ok);
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormDraw*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->DigitsEdit()->setText("1,2;3 ; 0");
        dialog->DateEdit()->setDate(QDate(2019, 3, 7));
        dialog->TimeEdit()->setTime(QTime(0, 30));
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("DrawsAdd"));
    ASSERT_EQ(Modal.Boxes.size(), 2u);
    EXPECT_EQ(Modal.Boxes[0].Caption, "Ошибка");
    EXPECT_EQ(Modal.Boxes[0].Text, "Введена некорректная комбинация!");
    ASSERT_EQ(Draws().size(), 2u);
    const TDrawRecord& added = Draws().back();
    EXPECT_EQ(added.Number, 8);
    EXPECT_EQ(std::vector<int>(added.Digits, added.Digits + 4), (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(added.DateLabel(), "03/07/2019 E"); // half past midnight is an evening draw
    EXPECT_EQ(Window->DrawsPage()->Model()->rowCount(), 2);
    EXPECT_EQ(Window->StatusPanels()->PanelText(0), "Архив тиражей: 2");
    // The file was written at once.
    EXPECT_EQ(ReadDrawsFile(Dir / "Quadrix_4d10.ldr").Draws.size(), 2u);
}

TEST_F(DrawsPage, EditingReplacesTheSelectedDrawInPlaceAndCancelChangesNothing) {
    OpenWith({MakeDraw(1, {1, 1, 1, 1}, "03/06/2019 E"), MakeDraw(2, {2, 2, 2, 2}, "03/07/2019 M"),
              MakeDraw(3, {3, 3, 3, 3}, "03/07/2019 E")});
    EXPECT_FALSE(Window->Commands().Trigger("DrawsEdit")); // nothing selected
    Select({1});
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormDraw*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->NumberEdit()->value(), 2);
        EXPECT_EQ(dialog->DigitsEdit()->text(), "2;2;2;2");
        EXPECT_EQ(dialog->DateEdit()->date(), QDate(2019, 3, 7));
        EXPECT_EQ(dialog->TimeEdit()->time(), QTime(13, 0));
        dialog->DigitsEdit()->setText("9;8;7;6");
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("DrawsEdit"));
    EXPECT_EQ(Draws()[1].Digits[0], 9);
    EXPECT_EQ(Draws()[1].DateLabel(), "03/07/2019 M");
    Modal.Then([](QWidget* w) {
        dynamic_cast<TFormDraw*>(w)->DigitsEdit()->setText("5;5;5;5");
        Press(w, QDialogButtonBox::Cancel);
    });
    ASSERT_TRUE(Window->Commands().Trigger("DrawsEdit"));
    EXPECT_EQ(Draws()[1].Digits[0], 9);
}

TEST_F(DrawsPage, DeletingAsksWithTheCountAndRemovesTheSelectedDraws) {
    OpenWith({MakeDraw(1, {1, 1, 1, 1}, ""), MakeDraw(2, {2, 2, 2, 2}, ""), MakeDraw(3, {3, 3, 3, 3}, "")});
    Select({0, 2});
    Modal.ThenAnswer(QMessageBox::No);
    ASSERT_TRUE(Window->Commands().Trigger("DrawsDel"));
    EXPECT_EQ(Draws().size(), 3u);
    Modal.ThenAnswer(QMessageBox::Yes);
    ASSERT_TRUE(Window->Commands().Trigger("DrawsDel"));
    ASSERT_EQ(Modal.Boxes.size(), 2u);
    EXPECT_EQ(Modal.Boxes[0].Caption, "Предупреждение");
    EXPECT_EQ(Modal.Boxes[0].Text, "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
    EXPECT_EQ(Modal.Boxes[0].Default, QMessageBox::No);
    ASSERT_EQ(Draws().size(), 1u);
    EXPECT_EQ(Draws()[0].Number, 2);
    EXPECT_FALSE(Window->DrawsPage()->List()->selectionModel()->hasSelection());
    EXPECT_EQ(Window->DrawsPage()->Model()->rowCount(), 1);
}

TEST_F(DrawsPage, InformationShowsPropertiesAndTheCardInChannelColours) {
    OpenWith({MakeDraw(41, {0, 7, 3, 9}, "03/07/2019 M"), MakeDraw(42, {5, 5, 1, 2}, "03/07/2019 E")});
    Select({1});
    Modal.Then([this](QWidget* w) {
        auto* info = dynamic_cast<TFormInfo*>(w);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->windowTitle(), "Подробная информация");
        QTreeWidget* props = info->Properties();
        EXPECT_EQ(props->headerItem()->text(0), "Свойство");
        EXPECT_EQ(props->headerItem()->text(1), "Значение");
        // Number and date, then one row per graph method with its value for this draw.
        const std::vector<TPropertyRow> expected = DrawInfoRows(Window->Workspace(), 0);
        ASSERT_GT(expected.size(), 2u);
        ASSERT_EQ(props->topLevelItemCount(), static_cast<int>(expected.size()));
        EXPECT_EQ(props->topLevelItem(0)->text(0), "Номер тиража:");
        EXPECT_EQ(props->topLevelItem(0)->text(1), "41");
        EXPECT_EQ(props->topLevelItem(1)->text(1), "03/07/2019 M");
        EXPECT_EQ(props->topLevelItem(2)->text(0).toStdString(), expected[2].Name);
        EXPECT_EQ(props->topLevelItem(2)->text(1).toStdString(), expected[2].Value);
        QTableWidget* card = info->Card();
        EXPECT_EQ(card->rowCount(), 10);
        EXPECT_EQ(card->item(0, 0)->text(), "0");
        EXPECT_EQ(card->item(7, 1)->text(), "7");
        EXPECT_EQ(card->item(3, 2)->text(), "3");
        EXPECT_EQ(card->item(9, 3)->text(), "9"); // the fourth position shows with three matrix columns
        EXPECT_EQ(card->item(1, 0)->text(), "");
        EXPECT_EQ(card->item(9, 0)->background().color(), QColor(170, 170, 255)); // channel 5 of width 2
        w->close();
    });
    // A double click on a row opens the same dialog.
    QTableView* list = Window->DrawsPage()->List();
    emit list->doubleClicked(list->model()->index(1, 0));
    EXPECT_TRUE(Modal.Done());
}

TEST_F(DrawsPage, ExportAndImportGoThroughTheFileDialogs) {
    OpenWith({MakeDraw(1, {1, 2, 3, 4}, "03/06/2019 E"), MakeDraw(2, {4, 3, 2, 1}, "03/07/2019 M")});
    const std::filesystem::path file = Dir / "out"; // the dialog adds the extension
    Modal.Then([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Файлы тиражей (*.csv)"});
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->defaultSuffix(), "csv");
        ChooseFile(dialog, file);
    });
    ASSERT_TRUE(Window->Commands().Trigger("DrawsExport"));
    ASSERT_TRUE(std::filesystem::exists(Dir / "out.csv"));
    EXPECT_EQ(ReadBytes(Dir / "out.csv"), "1;\"03/06/2019 E\";1;2;3;4\r\n2;\"03/07/2019 M\";4;3;2;1\r\n");

    WriteBytes(Dir / "in.csv",
               "2;\"03/07/2019 M\";4;3;2;1\r\n3;\"03/07/2019 E\";9;9;9;9\r\n4;\"x\";1;2;3;12\r\n");
    Modal.Then([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        ChooseFile(dialog, Dir / "in.csv");
    });
    Modal.ThenAnswer(QMessageBox::Ok); // the line with a digit 12 is reported
    ASSERT_TRUE(Window->Commands().Trigger("DrawsImport"));
    ASSERT_EQ(Draws().size(), 3u);
    EXPECT_EQ(Draws()[2].Number, 3);
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Caption, "Внимание!");

    // Cancelling the dialog changes nothing.
    Modal.Then([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    ASSERT_TRUE(Window->Commands().Trigger("DrawsImport"));
    EXPECT_EQ(Draws().size(), 3u);
}

TEST_F(DrawsPage, TheSortedViewShowsSortedDigitsAndItsCommandStaysDisabled) {
    WriteBytes(Dir / "Quadrix_4d10.frm", "[TFormMain]\r\nSortedDraws=1\r\n");
    OpenWith({MakeDraw(1, {9, 1, 5, 0}, "03/06/2019 E")});
    TDrawsModel* model = Window->DrawsPage()->Model();
    EXPECT_EQ(model->index(0, TDrawsModel::ColDigit1).data().toInt(), 0);
    EXPECT_EQ(model->index(0, TDrawsModel::ColDigit4).data().toInt(), 9);
    EXPECT_EQ(Draws()[0].Digits[0], 9); // the stored record keeps the drawn order
    EXPECT_TRUE(Action("DrawsSorted")->isChecked());
    EXPECT_FALSE(Action("DrawsSorted")->isEnabled());
}

TEST_F(DrawsPage, TwentyThousandRowsAreServedWithoutCopyingTheArchive) {
    TDrawsArray draws;
    for (int i = 1; i <= 20000; ++i)
        draws.push_back(MakeDraw(i, {i % 10, i / 10 % 10, i / 100 % 10, 3}, "03/07/2019 M"));
    OpenWith(draws);
    TDrawsModel* model = Window->DrawsPage()->Model();
    ASSERT_EQ(model->rowCount(), 20000);
    EXPECT_EQ(model->index(19999, 0).data().toInt(), 1);
    QTableView* list = Window->DrawsPage()->List();
    list->scrollToBottom();
    Pump(10);
    EXPECT_EQ(list->rowAt(list->viewport()->height() - 1), 19999);
    EXPECT_EQ(list->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
}
