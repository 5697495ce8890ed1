#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <cstdlib>

#include "ViewsTestSupport.h"
#include "app/WorkspaceFixture.h"
#include "core/IniFile.h"
#include "core/Text.h"
#include "draws/DrawsFile.h"
#include "export/UserDateTime.h"
#include "support/XlsxReader.h"
#include "views/Commands.h"
#include "views/QtShell.h"
#include "views/dialogs/FormExpExcel.h"
#include "views/dialogs/FormExpExcelParam.h"
#include "views/draws/DrawsPage.h"
#include "views/PageWidgets.h"
#include "views/SortableList.h"
#include "views/export/ExportCommands.h"
#include "views/export/ItemViewSource.h"

using namespace qx;
using namespace qx::test;

namespace {

// Workbooks go to a folder under $TMPDIR: the test's own directory while it runs.
class Export : public MainWindowFixture {
protected:
    std::vector<std::string> Opened;
    TEnvOverride Tmp{"TMPDIR", Dir.Path().string()};

    void OpenRecording() {
        Open();
        Window->Shell().SetDocumentOpener([this](const std::string& path) {
            Opened.push_back(path);
            return true;
        });
    }
    static TFormExpExcel* Dialog(QWidget* w) {
        auto* dialog = dynamic_cast<TFormExpExcel*>(w);
        EXPECT_NE(dialog, nullptr) << w->metaObject()->className();
        return dialog;
    }
    static void Press(QDialog* dialog, QDialogButtonBox::StandardButton which) {
        dialog->findChild<QDialogButtonBox*>()->button(which)->click();
    }
    static QStringList FieldCaptions(TFormExpExcel* dialog) {
        QStringList captions;
        for (int i = 0; i < dialog->FieldList()->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = dialog->FieldList()->topLevelItem(i);
            captions << item->text(0) + (item->checkState(0) == Qt::Checked ? "+" : "-");
        }
        return captions;
    }
    TXlsxBook LastBook() {
        EXPECT_FALSE(Opened.empty());
        return TXlsxBook::Read(Opened.empty() ? std::filesystem::path() : std::filesystem::path(Opened.back()));
    }
};

} // namespace

TEST_F(Export, TheDrawsListGoesOutCellForCellAsTheWindowShowsIt) {
    QX_REQUIRE_REAL_ARCHIVE();
    PutRealArchive();
    OpenRecording();
    QTableView* list = Window->DrawsPage()->List();
    Modal.Then([&](QWidget* w) {
        TFormExpExcel* dialog = Dialog(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Экспорт в Microsoft Excel");
        EXPECT_EQ(dialog->Tabs()->tabText(0), "Параметры листа");
        EXPECT_EQ(dialog->Tabs()->tabText(1), "Столбцы таблицы");
        EXPECT_EQ(dialog->TitleEdit()->text(), "Архив тиражей");
        EXPECT_EQ(dialog->SheetEdit()->text(), "Архив тиражей");
        EXPECT_TRUE(dialog->DateBox()->isChecked());
        EXPECT_TRUE(dialog->SaveBox()->isChecked());
        EXPECT_EQ(dialog->FontEdit()->value(), 8);
        EXPECT_EQ(dialog->ModeBox()->currentIndex(), 0);
        EXPECT_EQ(dialog->CountEdit()->text(), "13788");
        EXPECT_EQ(FieldCaptions(dialog), QStringList({"Тираж+", "1+", "2+", "3+", "4+", "S+", "Дата тиража+"}));
        EXPECT_EQ(dialog->FieldList()->topLevelItem(1)->text(1), "по центру");
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("DrawsXlsExport"));
    ASSERT_EQ(Opened.size(), 1u);
    const TXlsxBook book = LastBook();
    EXPECT_EQ(book.SheetNames, std::vector<std::string>{"Архив тиражей"});
    EXPECT_EQ(book.Text(3, 6), "Дата тиража");
    // Title, date line, the empty row, captions: the rows start in row 4.
    auto* model = list->model();
    ASSERT_EQ(book.RowCount(), 4 + model->rowCount());
    int differing = 0;
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c)
            if (book.Text(4 + r, c) != model->data(model->index(r, c)).toString().toStdString()) ++differing;
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(book.Cell(4, 0)->Number);
    EXPECT_FALSE(book.Cell(4, 6)->Number);
    // Kept for the next time in the configuration file.
    const TIniFile ini = TIniFile::Load(Dir / "Quadrix_4d10.ini");
    EXPECT_EQ(ini.ReadString("EXPORT_EXCEL_FORMMAIN.LVDRAWS", "Item_0", ""), "0;Тираж;Тираж;-1;0;6.75");
    EXPECT_FALSE(Window->Shell().IsBusy());
}

TEST_F(Export, CombinationsAndStatisticsHaveTheirCommandsToo) {
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"1111", "1112", "2222", "2223"}));
    OpenRecording();
    for (const char* name : {"DrawsXlsExport", "CombsXlsExport", "DrawsStatExportToExcel"}) {
        EXPECT_TRUE(Window->Commands().IsWired(name)) << name;
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    }
    // Wired, but there are no stakes and no ratings yet.
    for (const char* name : {"StakesXlsExport", "RatingsXlsExport"}) EXPECT_FALSE(Action(name)->isEnabled()) << name;

    Modal.Then([&](QWidget* w) {
        TFormExpExcel* dialog = Dialog(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->TitleEdit()->text(), "Комбинации");
        EXPECT_EQ(dialog->CountEdit()->text(), "10000");
        dialog->DateBox()->setChecked(false);
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("CombsXlsExport"));
    TXlsxBook book = LastBook();
    EXPECT_EQ(book.Text(2, 0), "№ п.п.");
    EXPECT_EQ(book.Text(3 + 9999, 5), "36");
    EXPECT_EQ(book.RowCount(), 3 + 10000);

    Modal.Then([&](QWidget* w) {
        TFormExpExcel* dialog = Dialog(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->TitleEdit()->text(), "Статистика");
        // The full-set columns are hidden while the comparison is off: they go out 0 wide.
        EXPECT_EQ(dialog->Fields()[3].Width, "0.00");
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("DrawsStatExportToExcel"));
    book = LastBook();
    EXPECT_EQ(book.SheetNames, std::vector<std::string>{"Статистика"});
    EXPECT_EQ(book.Text(3, 0), "Значение");
    EXPECT_EQ(book.Text(4, 0), Window->Workspace().StatTab().Table().Rows[0].ValueText());
    EXPECT_DOUBLE_EQ(book.Columns.at(3).Width, 0);

    // Cancel: nothing is written, nothing opened.
    const size_t opened = Opened.size();
    Modal.Then([&](QWidget* w) { Press(Dialog(w), QDialogButtonBox::Cancel); });
    ASSERT_TRUE(Window->Commands().Trigger("CombsXlsExport"));
    EXPECT_EQ(Opened.size(), opened);
}

TEST_F(Export, TheCardAndTheSchemeGoOutWithTheirHeaderRowAndColumn) {
    // Newest first: 2223, 2222, 1112, 1111. The scheme over the default 100 draws: 2 eight times
    // (last in draw 4), 1 seven times (last in draw 2), 3 once (draw 4).
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"1111", "1112", "2222", "2223"}));
    OpenRecording();
    for (const char* name : {"CardXlsExport", "LayoutXlsExport"}) EXPECT_TRUE(Action(name)->isEnabled()) << name;
    auto exportAs = [&](const char* command, const char* title) {
        Modal.Then([&, title](QWidget* w) {
            TFormExpExcel* dialog = Dialog(w);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->TitleEdit()->text(), title);
            dialog->DateBox()->setChecked(false);
            Press(dialog, QDialogButtonBox::Ok);
        });
        EXPECT_TRUE(Window->Commands().Trigger(command));
        return LastBook();
    };
    TXlsxBook book = exportAs("CardXlsExport", "Карта");
    EXPECT_EQ(book.Text(2, 1), "0");  // the card's header row
    EXPECT_EQ(book.Text(3, 0), "4");
    EXPECT_EQ(book.Text(3, 3), "2");
    EXPECT_EQ(book.Text(3, 4), "3");
    EXPECT_EQ(book.RowCount(), 3 + 4);

    book = exportAs("LayoutXlsExport", "Схема");
    EXPECT_EQ(book.Text(2, 0), "");
    EXPECT_EQ(book.Text(2, 1), "4");
    EXPECT_EQ(book.Text(2, 2), "2");
    EXPECT_EQ(book.Text(3, 0), "8");  // the counts' column
    EXPECT_EQ(book.Text(3, 1), "2");
    EXPECT_EQ(book.Text(4, 0), "7");
    EXPECT_EQ(book.Text(4, 2), "1");
    EXPECT_EQ(book.Text(5, 0), "1");
    EXPECT_EQ(book.Text(5, 1), "3");
    EXPECT_EQ(book.RowCount(), 3 + 3);

    // Hidden tabs export nothing.
    ASSERT_TRUE(Window->Commands().Trigger("TabCard"));
    EXPECT_FALSE(Action("CardXlsExport")->isEnabled());
}

TEST_F(Export, TheStakesGridAndTheRatingsGoOutAsShown) {
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"1234", "1243"}));
    OpenRecording();
    TWorkspace& ws = Window->Workspace();
    ws.StakesAdd(NewStake(skManual, 1, StakeNumbersOf(MakeCode(1, 2, 3, 4)), 1, "a", {}), 3, true);
    ws.StakesCheck();
    ws.StakesRefresh(true, false);
    Window->Commands().Evaluate();
    EXPECT_TRUE(Action("StakesXlsExport")->isEnabled());
    EXPECT_TRUE(Action("RatingsXlsExport")->isEnabled());
    Modal.Then([&](QWidget* w) {
        TFormExpExcel* dialog = Dialog(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->TitleEdit()->text(), "Ставки");
        EXPECT_EQ(dialog->CountEdit()->text(), "5");  // 1, separator, 2, separator, 3
        dialog->DateBox()->setChecked(false);
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("StakesXlsExport"));
    TXlsxBook book = LastBook();
    EXPECT_EQ(book.SheetNames, std::vector<std::string>{"Ставки"});
    EXPECT_EQ(book.Text(2, 2), "Моя ставка");  // a grid's captions are its row 0
    EXPECT_EQ(book.Text(3, 4), "1;2;3;4");
    EXPECT_EQ(book.Text(3, 5), "4");
    EXPECT_EQ(book.Text(5, 4), "1;2;4;3");
    EXPECT_EQ(book.Text(7, 0), "3");

    Modal.Then([&](QWidget* w) {
        TFormExpExcel* dialog = Dialog(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->TitleEdit()->text(), "Рейтинг");
        dialog->DateBox()->setChecked(false);
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("RatingsXlsExport"));
    book = LastBook();
    EXPECT_EQ(book.Text(2, 11), "E0");
    EXPECT_EQ(book.Text(3, 0), "a");
    ASSERT_NE(book.Cell(3, 3), nullptr);
    EXPECT_DOUBLE_EQ(book.Cell(3, 3)->Value, 3.0);  // "3.000": a number with three decimals
    EXPECT_EQ(book.StyleOf(*book.Cell(3, 3)).NumberFormat, "0.000");
}

TEST_F(Export, AnEmptyArchiveLeavesTheExportsOff) {
    Open();
    EXPECT_TRUE(Window->Commands().IsWired("DrawsXlsExport"));
    EXPECT_FALSE(Action("DrawsXlsExport")->isEnabled());
    EXPECT_FALSE(Action("DrawsStatExportToExcel")->isEnabled());
}

TEST_F(Export, FieldsAreReorderedRenamedAndKeptInParameterFiles) {
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"1111", "1112", "2222", "2223", "3456"}));
    OpenRecording();
    QTableView* list = Window->DrawsPage()->List();
    // Rows 1 to 3 of the list: the selection opens the dialog in mode 1.
    list->selectionModel()->select(QItemSelection(list->model()->index(1, 0), list->model()->index(3, 6)),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const auto exp = Dir / "draws.exp";
    WriteBytes(Dir / "other.exp", Utf8ToCp1251("[EXPORT_EXCEL_FORMMAIN.LVDRAWS]\r\nTitle=Из файла\r\nBaseFontSize=12\r\n"
                                               "Item_0=6;Дата тиража;Когда;-1;2;20\r\n"));
    TFormExpExcel* dialog = nullptr;
    Modal.Then([&](QWidget* w) {
        dialog = Dialog(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->ModeBox()->currentIndex(), 1);
        EXPECT_EQ(dialog->CountEdit()->text(), "3");
        dialog->ModeBox()->setCurrentIndex(0);
        EXPECT_EQ(dialog->CountEdit()->text(), "5");
        dialog->ModeBox()->setCurrentIndex(1);
        dialog->Tabs()->setCurrentIndex(1);

        // Unchecking the first field sends it behind the checked ones, and it stays selected.
        dialog->FieldList()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        ASSERT_TRUE(WaitUntil([&] { return FieldCaptions(dialog).last() == "Тираж-"; }));
        EXPECT_EQ(dialog->FieldList()->currentItem()->text(0), "Тираж");
        // Moving a field up past its neighbour.
        dialog->FieldList()->setCurrentItem(dialog->FieldList()->topLevelItem(4));
        EXPECT_EQ(dialog->FieldList()->currentItem()->text(0), "S");
        dialog->Command("MoveUp")->trigger();
        EXPECT_EQ(FieldCaptions(dialog),
                  QStringList({"1+", "2+", "3+", "S+", "4+", "Дата тиража+", "Тираж-"}));
        // Moving the unchecked field up does not put it among the checked ones.
        dialog->FieldList()->setCurrentItem(dialog->FieldList()->topLevelItem(6));
        dialog->Command("MoveUp")->trigger();
        EXPECT_EQ(FieldCaptions(dialog).last(), "Тираж-");

        // The field dialog renames the first field.
        dialog->FieldList()->setCurrentItem(dialog->FieldList()->topLevelItem(0));
        Modal.Then([&](QWidget* f) {
            auto* field = dynamic_cast<TFormExpExcelParam*>(f);
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->windowTitle(), "Параметры поля");
            EXPECT_EQ(field->CaptionEdit()->text(), "1");
            EXPECT_EQ(field->AlignEdit()->currentIndex(), 2);
            EXPECT_DOUBLE_EQ(field->WidthEdit()->value(), 3);
            field->CaptionEdit()->setText("Первая цифра");
            field->AlignEdit()->setCurrentIndex(1);
            field->WidthEdit()->setValue(12.5);
            Press(field, QDialogButtonBox::Ok);
        });
        dialog->Command("Rename")->trigger();
        EXPECT_EQ(dialog->FieldList()->topLevelItem(0)->text(0), "Первая цифра");
        EXPECT_EQ(dialog->FieldList()->topLevelItem(0)->text(1), "по правому краю");
        EXPECT_EQ(dialog->Fields()[0].Width, "12.50");

        // "Параметры": save into a file, then load another.
        EXPECT_TRUE(dialog->ParamsButton()->isVisible());
        Modal.Then([&](QWidget* f) { ChooseFile(f, exp); });
        dialog->Command("SaveFile")->trigger();
        Modal.Then([&](QWidget* f) { ChooseFile(f, Dir / "other.exp"); });
        dialog->Command("OpenFile")->trigger();
        EXPECT_EQ(dialog->TitleEdit()->text(), "Из файла");
        EXPECT_EQ(dialog->FontEdit()->value(), 12);
        EXPECT_EQ(FieldCaptions(dialog).first(), "Когда+");
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("DrawsXlsExport"));
    EXPECT_TRUE(Modal.Done());

    const TIniFile saved = TIniFile::Load(exp);
    EXPECT_FALSE(saved.HasKey("EXPORT_EXCEL_FORMMAIN.LVDRAWS", "RestoreParameters"));
    EXPECT_EQ(saved.ReadString("EXPORT_EXCEL_FORMMAIN.LVDRAWS", "Item_0", ""), "1;1;Первая цифра;-1;1;12.50");
    EXPECT_EQ(saved.ReadString("EXPORT_EXCEL_FORMMAIN.LVDRAWS", "Item_6", ""), "0;Тираж;Тираж;0;0;6.75");

    // The workbook: the loaded file's order, its title, the three selected rows.
    const TXlsxBook book = LastBook();
    EXPECT_EQ(book.Text(0, 0), "Из файла");
    EXPECT_EQ(book.StyleOf(*book.Cell(0, 0)).FontSize, 16);
    EXPECT_EQ(book.Text(3, 0), "Когда");
    EXPECT_EQ(book.Text(3, 1), "Первая цифра");
    EXPECT_EQ(book.RowCount(), 4 + 3);
    EXPECT_EQ(book.Text(4, 1), list->model()->data(list->model()->index(1, 1)).toString().toStdString());
    // The field list's layout is in the window-state file.
    const TIniFile state = TIniFile::Load(Dir / "Quadrix_4d10.frm");
    EXPECT_EQ(state.ReadString(TFormExpExcel::kSection, "lvFields.Column0", ""), "250");
}

TEST(ExportAdapter, GridsAndSortableListsReadAsTheirVariants) {
    // A grid: row 0 of the source is the header, the model's rows follow.
    QTableWidget grid(10, 3);
    grid.setObjectName("sgTest");
    grid.setHorizontalHeaderLabels({"№ тиража", "Моя ставка", "Профит"});
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 3; ++c) grid.setItem(r, c, new QTableWidgetItem(QString("%1:%2").arg(r).arg(c)));
    grid.horizontalHeader()->resizeSection(1, 120);
    grid.setColumnHidden(2, true);
    const TItemViewSource source(&grid, TExportVariant::StringGrid);
    EXPECT_EQ(source.Name(), "sgTest");
    grid.setRangeSelected(QTableWidgetSelectionRange(2, 0, 6, 2), true);
    TSourceCounts counts = CountSourceRows(source);
    EXPECT_EQ(counts.All, 10);
    EXPECT_EQ(counts.Selected, 5);
    EXPECT_EQ(counts.Mode, 1);
    EXPECT_EQ(RowsToExport(source, 1), (std::vector<int>{3, 4, 5, 6, 7}));
    EXPECT_EQ(source.CellText(3, 1), "2:1");
    const TExportFields fields = SourceFields(source, '.');
    EXPECT_EQ(fields[1].Caption, "Моя ставка");
    EXPECT_EQ(fields[1].Width, "15.00");
    EXPECT_EQ(fields[2].Width, "0.00");  // a hidden column
    grid.clearSelection();
    grid.setRangeSelected(QTableWidgetSelectionRange(0, 0, 4, 0), true);
    counts = CountSourceRows(source);
    EXPECT_EQ(counts.Selected, 5);
    EXPECT_EQ(counts.Mode, 0);
    grid.clearSelection();
    grid.setCurrentCell(7, 1, QItemSelectionModel::NoUpdate);
    EXPECT_EQ(source.Selection(), (std::vector<int>{8, 8}));

    // A list of items: sub-items it lacks read as empty; one selected item of a single-selection
    // list goes out in mode 1.
    QWidget parent;
    TSortableList* list = MakeSortableList("lvTest", &parent, {{"Строка", 100}, {"Эффективность", 80, Qt::AlignRight}});
    auto* item = new TSortableItem(list, QStringList{"A", "1,5"});
    new TSortableItem(list, QStringList{"B"});
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    item->setSelected(true);
    const TItemViewSource items(list, TExportVariant::List);
    counts = CountSourceRows(items);
    EXPECT_EQ(counts.All, 2);
    EXPECT_EQ(counts.Mode, 0);
    EXPECT_EQ(RowsToExport(items, 1), std::vector<int>{0});
    EXPECT_EQ(items.CellText(1, 1), "");
    EXPECT_EQ(items.Column(1).Alignment, kAlignRight);
    EXPECT_EQ(items.Column(1).Caption, "Эффективность");
}
