#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>

#include "ViewsTestSupport.h"
#include "app/DrawInfo.h"
#include "app/Workspace.h"
#include "app/WorkspaceFixture.h"
#include "core/DrawHelpers.h"
#include "core/IniFile.h"
#include "draws/DrawsFile.h"
#include "views/Commands.h"
#include "views/MainStatusBar.h"
#include "views/combs/CombsModel.h"
#include "views/combs/FormGenCombs.h"
#include "views/draws/FormInfo.h"
#include "views/pages/CombsPage.h"

using namespace qx;
using namespace qx::test;

namespace {

void Press(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

void SendKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

// A journal row as the list shows it.
QStringList JournalRow(QTreeWidget* journal, int row) {
    QTreeWidgetItem* item = journal->topLevelItem(row);
    return item ? QStringList{item->text(0), item->text(1), item->text(2)} : QStringList{};
}

} // namespace

class CombsPage : public MainWindowFixture {
protected:
    void OpenWith(const TDrawsArray& draws) {
        if (!draws.empty()) WriteDrawsFile(Dir / "Quadrix_4d10.ldr", draws);
        Open();
    }
    TCombsPage* Page() const { return static_cast<TCombsPage*>(Window->Page("tsCombs")); }
    TCombsModel* Model() const { return Page()->Model(); }
    QTreeWidget* Journal() const { return Page()->Journal(); }
    TWorkspace& Ws() const { return Window->Workspace(); }
    QString Cell(int row, int column) const {
        return Model()->data(Model()->index(row, column), Qt::DisplayRole).toString();
    }
    QString RowDigits(int row) const {
        return Cell(row, 1) + Cell(row, 2) + Cell(row, 3) + Cell(row, 4);
    }
    QString Status() const { return Window->StatusPanels()->PanelText(3); }
    void Select(std::initializer_list<int> rows) {
        QTableView* list = Page()->List();
        list->clearSelection();
        for (int r : rows)
            list->selectionModel()->select(Model()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        Window->Commands().Evaluate();
    }
    bool Enabled(const char* command) {
        Window->Commands().Evaluate();
        return Action(command)->isEnabled();
    }
    bool Trigger(const char* command) { return Window->Commands().Trigger(command); }
};

TEST_F(CombsPage, ExcludeUndoAndDeleteSelectedKeepTheListJournalAndStatusInStep) {
    OpenWith({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {1, 2, 3, 4}), MakeDraw(3, {5, 6, 7, 8}),
              MakeDraw(4, {0, 0, 0, 0})});
    // Start-up generated the full list with the stored defaults.
    ASSERT_EQ(Model()->rowCount(), 10000);
    EXPECT_EQ(Status(), "Комбинаций: 10000");
    EXPECT_EQ(Cell(0, TCombsModel::ColNumber), "1");
    EXPECT_EQ(RowDigits(9999), "9999");
    EXPECT_EQ(Cell(9999, TCombsModel::ColSum), "36");
    EXPECT_FALSE(Enabled("CombsUndo"));
    EXPECT_FALSE(Enabled("CombsDelExists"));  // the field holds 0
    EXPECT_FALSE(Enabled("CombsDelSelected")); // nothing selected

    Page()->ExcludeEdit()->setValue(3);
    ASSERT_TRUE(Trigger("CombsDelExists"));
    // The last three draws (1234, 5678, 0000) are gone.
    ASSERT_EQ(Model()->rowCount(), 9997);
    EXPECT_EQ(Status(), "Комбинаций: 9997");
    EXPECT_EQ(RowDigits(0), "0001");
    ASSERT_EQ(Journal()->topLevelItemCount(), 1);
    EXPECT_EQ(JournalRow(Journal(), 0), (QStringList{"Последние тиражи", "3", "9997"}));
    const QIcon removeIcon = Action("StatFilter_Exclude")->icon();
    ASSERT_FALSE(removeIcon.isNull());
    EXPECT_EQ(Journal()->topLevelItem(0)->icon(0).cacheKey(), removeIcon.cacheKey());

    ASSERT_TRUE(Enabled("CombsUndo"));
    ASSERT_TRUE(Trigger("CombsUndo"));
    EXPECT_EQ(Model()->rowCount(), 10000);
    EXPECT_EQ(Status(), "Комбинаций: 10000");
    EXPECT_EQ(Journal()->topLevelItemCount(), 0);
    EXPECT_FALSE(Enabled("CombsUndo"));

    Select({0, 2, 9999});
    ASSERT_TRUE(Enabled("CombsDelSelected"));
    ASSERT_TRUE(Trigger("CombsDelSelected"));
    ASSERT_EQ(Model()->rowCount(), 9997);
    EXPECT_EQ(RowDigits(0), "0001");
    EXPECT_EQ(RowDigits(1), "0003");
    EXPECT_EQ(RowDigits(9996), "9998");
    EXPECT_EQ(Status(), "Комбинаций: 9997");
    EXPECT_EQ(JournalRow(Journal(), 0), (QStringList{"Выделенные комбинации", "3", "9997"}));
    EXPECT_FALSE(Page()->List()->selectionModel()->hasSelection());
    EXPECT_TRUE(Enabled("CombsUndo"));
    EXPECT_FALSE(Enabled("CombsDelSelected"));
}

TEST_F(CombsPage, EnterInTheExcludeFieldRunsTheExclusionOnlyWhenItMayRun) {
    OpenWith({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {5, 6, 7, 8})});
    QSpinBox* field = Page()->ExcludeEdit();
    EXPECT_EQ(field->minimum(), 0);
    EXPECT_EQ(field->maximum(), 2147483647);
    EXPECT_EQ(field->toolTip(), "Исключить указанное количество последних тиражей из списка комбинаций");
    SendKey(field, Qt::Key_Return);  // 0: the command is disabled
    EXPECT_EQ(Model()->rowCount(), 10000);
    EXPECT_EQ(Journal()->topLevelItemCount(), 0);

    field->clear();  // no value at all
    SendKey(field, Qt::Key_Return);
    EXPECT_EQ(Journal()->topLevelItemCount(), 0);

    field->setValue(1);
    SendKey(field, Qt::Key_Return);
    EXPECT_EQ(Model()->rowCount(), 9999);
    field->setValue(2);
    SendKey(field, Qt::Key_Enter);  // the keypad's key too, from the list as it is now
    EXPECT_EQ(Model()->rowCount(), 9998);
    ASSERT_EQ(Journal()->topLevelItemCount(), 2);
    EXPECT_EQ(JournalRow(Journal(), 1), (QStringList{"Последние тиражи", "2", "9998"}));

    // The value is kept for the next run.
    Reopen();
    EXPECT_EQ(Page()->ExcludeEdit()->value(), 2);
}

TEST_F(CombsPage, TheGenerationDialogOpensWithTheDefaultsAndCanStoreNewOnes) {
    OpenWith({});
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormGenCombs*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Создание нового списка комбинаций");
        QComboBox* modes = dialog->ModeList();
        ASSERT_EQ(modes->count(), 5);
        EXPECT_EQ(modes->itemText(0), "Полный список (все возможные для данного лото варианты)");
        EXPECT_EQ(modes->itemText(2), "Мои числа - комбинации только из списка указанных");
        EXPECT_EQ(modes->itemText(4), "Загрузить список из заранее подготовленного CSV-файла");
        EXPECT_EQ(modes->currentIndex(), 0);
        EXPECT_FALSE(dialog->ParamEdit()->isEnabled());
        EXPECT_FALSE(dialog->FileButton()->isEnabled());
        EXPECT_FALSE(dialog->SaveBox()->isChecked());
        EXPECT_EQ(dialog->SaveBox()->text(), "Сохранить эти параметры для генерации комбинаций \"по умолчанию\"");
        modes->setCurrentIndex(2);
        EXPECT_TRUE(dialog->ParamEdit()->isEnabled());
        EXPECT_FALSE(dialog->FileButton()->isEnabled());
        dialog->ParamEdit()->setText("1;2");
        dialog->SaveBox()->setChecked(true);
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Trigger("CombsGen"));
    ASSERT_EQ(Model()->rowCount(), 16);
    EXPECT_EQ(RowDigits(0), "1111");
    EXPECT_EQ(RowDigits(15), "2222");
    EXPECT_EQ(Status(), "Комбинаций: 16");
    TIniFile ini = TIniFile::Load(Dir / "Quadrix_4d10.ini");
    EXPECT_EQ(ini.ReadString("GLOBAL", "CombsGenerateMode", ""), "2");
    EXPECT_EQ(ini.ReadString("GLOBAL", "CombsGenerateParameters", ""), "1;2");

    // Next time it opens with the new defaults and the box cleared; not saving keeps them.
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormGenCombs*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->ModeList()->currentIndex(), 2);
        EXPECT_EQ(dialog->ParamEdit()->text(), "1;2");
        EXPECT_FALSE(dialog->SaveBox()->isChecked());
        dialog->ModeList()->setCurrentIndex(3);
        dialog->ParamEdit()->setText("0,1;2;;3, 4, 5 ;6;7");
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Trigger("CombsGen"));
    EXPECT_EQ(Model()->rowCount(), 16);  // only 8 and 9 are left: 2 to the fourth
    EXPECT_EQ(RowDigits(0), "8888");
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.ini").ReadString("GLOBAL", "CombsGenerateMode", ""), "2");

    // Cancel leaves the list alone.
    Modal.Then([](QWidget* w) {
        dynamic_cast<TFormGenCombs*>(w)->ModeList()->setCurrentIndex(0);
        Press(w, QDialogButtonBox::Cancel);
    });
    ASSERT_TRUE(Trigger("CombsGen"));
    EXPECT_EQ(Model()->rowCount(), 16);
    EXPECT_TRUE(Modal.Done());
}

TEST_F(CombsPage, TheGenerationDialogsFileButtonPutsTheChosenFileIntoTheField) {
    OpenWith({});
    WriteBytes(Dir / "mine.lcv", "1;2;3;4\r\n5;6;7;8\r\n");
    TFormGenCombs dialog({4, ""}, QString::fromStdString(Dir.Path().string()), Window.get());
    dialog.show();
    EXPECT_TRUE(dialog.ParamEdit()->isEnabled());
    ASSERT_TRUE(dialog.FileButton()->isEnabled());
    Modal.Then([&](QWidget* w) {
        auto* files = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->nameFilters(), QStringList{"Файлы комбинаций (*.lcv)"});
        EXPECT_EQ(files->defaultSuffix(), "lcv");
        EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptOpen);
        ChooseFile(files, Dir / "mine.lcv");
    });
    dialog.FileButton()->click();
    EXPECT_EQ(dialog.ParamEdit()->text().toStdString(), (Dir / "mine.lcv").string());
    const TCombsGenParams params = dialog.Params();
    EXPECT_EQ(params.Mode, 4);
    dialog.close();
    Ws().GenerateCombs(params, true);
    ASSERT_EQ(Model()->rowCount(), 2);
    EXPECT_EQ(RowDigits(1), "5678");
}

TEST_F(CombsPage, CopyAndPasteGoThroughTheClipboardAndABadLineKeepsTheList) {
    OpenWith({});
    QClipboard* clipboard = QApplication::clipboard();
    Select({739, 3});
    ASSERT_TRUE(Trigger("CombsCopy"));
    EXPECT_EQ(clipboard->text(), "00 00 00 03\r\n00 07 03 09\r\n");

    clipboard->setText("1 2 3 4\r\n5,6-7|8\r\n");
    ASSERT_TRUE(WaitUntil([&] { return Enabled("CombsPaste"); }));
    ASSERT_TRUE(Trigger("CombsPaste"));
    ASSERT_EQ(Model()->rowCount(), 2);
    EXPECT_EQ(RowDigits(1), "5678");
    EXPECT_EQ(Status(), "Комбинаций: 2");
    EXPECT_FALSE(Enabled("CombsUndo"));

    clipboard->setText("01 02 03 04\r\n01 02 03\r\n");
    Modal.ThenAnswer(QMessageBox::Ok);
    ASSERT_TRUE(Trigger("CombsPaste"));
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Caption, "Ошибка");
    EXPECT_EQ(Modal.Boxes[0].Text, "Некорректная комбинация: \"01 02 03\"!");
    ASSERT_EQ(Model()->rowCount(), 2);  // the previous list
    EXPECT_EQ(RowDigits(0), "1234");
    EXPECT_EQ(RowDigits(1), "5678");
    EXPECT_EQ(Status(), "Комбинаций: 2");
    EXPECT_FALSE(Enabled("CombsUndo"));

    clipboard->clear();
    EXPECT_TRUE(WaitUntil([&] { return !Enabled("CombsPaste"); }));
}

TEST_F(CombsPage, SaveAndOpenGoThroughTheFileDialogsAndAnEmptyListOffersLess) {
    OpenWith({MakeDraw(1, {1, 2, 3, 4})});
    Ws().GenerateCombs({2, "1;2"}, true);
    Modal.Then([&](QWidget* w) {
        auto* files = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(files->nameFilters(), QStringList{"Файлы комбинаций (*.lcv)"});
        ChooseFile(files, Dir / "out");  // the dialog adds the extension
    });
    ASSERT_TRUE(Trigger("CombsSave"));
    const std::string saved = ReadBytes(Dir / "out.lcv");
    EXPECT_EQ(saved.substr(0, 18), "1;1;1;1\r\n1;1;1;2\r\n");
    EXPECT_EQ(saved.size(), 16u * 9u);

    Page()->ExcludeEdit()->setValue(1);
    ASSERT_TRUE(Trigger("CombsDelExists"));
    WriteBytes(Dir / "in.lcv", "9;9;9;9\r\n1;2;3\r\n0, 7 ,3;9\r\n");
    Modal.Then([&](QWidget* w) { ChooseFile(w, Dir / "in.lcv"); });
    ASSERT_TRUE(Trigger("CombsOpen"));
    ASSERT_EQ(Model()->rowCount(), 2);
    EXPECT_EQ(RowDigits(1), "0739");
    EXPECT_EQ(Journal()->topLevelItemCount(), 0);
    EXPECT_FALSE(Enabled("CombsUndo"));

    Ws().GenerateCombs({1, ""}, true);  // nothing is kept
    EXPECT_EQ(Status(), "Комбинаций: 0");
    for (const char* command : {"CombsSave", "CombsCopy", "CombsSelectAll", "CombsDelExists", "CombsDelSelected"})
        EXPECT_FALSE(Enabled(command)) << command;
    for (const char* command : {"CombsGen", "CombsOpen", "CombsCheckNums"}) EXPECT_TRUE(Enabled(command)) << command;
    Modal.ThenAnswer(QMessageBox::Ok);
    ASSERT_TRUE(Trigger("CombsCheckNums"));
    EXPECT_EQ(Modal.Boxes.back().Text, "В текущем списке комбинаций содержится 0 уникальных номеров");
}

TEST_F(CombsPage, InformationFindInTheArchiveAndSelectAll) {
    OpenWith({MakeDraw(41, {0, 7, 3, 9}, "03/07/2019 M"), MakeDraw(42, {5, 5, 1, 2}, "03/07/2019 E"),
              MakeDraw(43, {0, 7, 3, 9}, "03/08/2019 M")});
    EXPECT_FALSE(Enabled("CombsInfo"));
    EXPECT_FALSE(Enabled("CombsFindInDraws"));
    Select({739});
    const std::vector<TPropertyRow> expected = CombInfoRows(Ws(), MakeCode(0, 7, 3, 9));
    ASSERT_FALSE(expected.empty());
    Modal.Then([&](QWidget* w) {
        auto* info = dynamic_cast<TFormInfo*>(w);
        ASSERT_NE(info, nullptr);
        QTreeWidget* props = info->Properties();
        ASSERT_EQ(props->topLevelItemCount(), static_cast<int>(expected.size()));  // no number or date
        for (int i = 0; i < props->topLevelItemCount(); ++i) {
            EXPECT_EQ(props->topLevelItem(i)->text(0).toStdString(), expected[size_t(i)].Name);
            EXPECT_EQ(props->topLevelItem(i)->text(1).toStdString(), expected[size_t(i)].Value);
        }
        EXPECT_EQ(info->Card()->item(0, 0)->text(), "0");
        EXPECT_EQ(info->Card()->item(7, 1)->text(), "7");
        EXPECT_EQ(info->Card()->item(9, 3)->text(), "9");
        w->close();
    });
    ASSERT_TRUE(Trigger("CombsInfo"));

    Modal.ThenAnswer(QMessageBox::Ok);
    ASSERT_TRUE(Trigger("CombsFindInDraws"));
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Caption, "Информация");
    EXPECT_EQ(Modal.Boxes[0].Text, "Выделенная комбинация найдена в следующих тиражах:\n\n"
                                   "Тираж № 43 от 03/08/2019 M, значения: 0;7;3;9\n"
                                   "Тираж № 41 от 03/07/2019 M, значения: 0;7;3;9");
    Select({0});
    Modal.ThenAnswer(QMessageBox::Ok);
    ASSERT_TRUE(Trigger("CombsFindInDraws"));
    EXPECT_EQ(Modal.Boxes[1].Text, "Выделенная комбинация не найдена архиве тиражей!");

    ASSERT_TRUE(Trigger("CombsSelectAll"));
    EXPECT_EQ(Page()->SelectedRows().size(), 10000u);
    EXPECT_TRUE(Enabled("CombsDelSelected"));
}

TEST_F(CombsPage, DigitCellsTakeChannelColoursWhileTheSwitchIsOn) {
    OpenWith({});
    ASSERT_TRUE(Ws().FormKeys().ColorCombs);
    const int width = Ws().Config().ChannelWidth();
    auto background = [&](int row, int column) {
        return Model()->data(Model()->index(row, column), Qt::BackgroundRole);
    };
    const TColour c = ChannelColour(9, width);
    EXPECT_EQ(background(9, TCombsModel::ColDigit4).value<QBrush>().color(), QColor(c.R, c.G, c.B));
    EXPECT_EQ(background(9, TCombsModel::ColNumber).value<QBrush>().color(), QColor(Qt::white));
    EXPECT_EQ(background(9, TCombsModel::ColSum).value<QBrush>().color(), QColor(Qt::white));
    EXPECT_TRUE(Action("ViewColorCombs")->isChecked());
    ASSERT_TRUE(Trigger("ViewColorCombs"));
    EXPECT_FALSE(Ws().FormKeys().ColorCombs);
    EXPECT_FALSE(Action("ViewColorCombs")->isChecked());
    EXPECT_FALSE(background(9, TCombsModel::ColDigit4).isValid());
    // The context menu of the list holds the list's commands.
    auto* menu = Window->findChild<QMenu*>("pmCombs");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().front()->objectName(), "CombsInfo");
}
