#include <gtest/gtest.h>

#include "ExportTestSupport.h"
#include "core/IniFile.h"
#include "export/ExportTexts.h"
#include "export/ExportToSpreadsheet.h"
#include "export/UserDateTime.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

class ExportSheetTest : public TExportTest {
protected:
    TRecordingSpreadsheet Sheet;

    TExportSettings Settings() { return Opening("Архив/тиражей", true); }
    // Where the captions landed: the row of the first caption.
    int CaptionRow() const {
        for (const auto& [at, cell] : Sheet.Cells)
            if (cell.Text == "Тираж") return at.first;
        return -1;
    }
};

} // namespace

TEST_F(ExportSheetTest, TitleBlockDecidesWhereCaptionsAndDataGo) {
    struct TCase {
        const char* Notes;
        bool Date;
        int Captions;
    } cases[] = {{"", true, 3}, {"Примечание", false, 3}, {"  ", false, 2}, {"Примечание", true, 4}};
    for (const TCase& c : cases) {
        Sheet = TRecordingSpreadsheet();
        TExportSettings s = Settings();
        s.Notes = c.Notes;
        s.ShowCreateTime = c.Date;
        ASSERT_TRUE(WriteSpreadsheet(Env(), Source, s, Sheet));
        EXPECT_EQ(CaptionRow(), c.Captions) << c.Notes << c.Date;
        EXPECT_EQ(Sheet.Text(0, 0), "Архив тиражей");
        EXPECT_EQ(Sheet.Text(c.Captions + 1, 0), "") << "5001 is a number";
        ASSERT_NE(Sheet.Cell(c.Captions + 1, 0), nullptr);
        EXPECT_EQ(Sheet.Cell(c.Captions + 1, 0)->Number, 5001);
        EXPECT_EQ(Sheet.RowCount(), c.Captions + 4);
        for (int col = 0; col < 3; ++col) EXPECT_EQ(Sheet.Cell(c.Captions - 1, col), nullptr);  // the empty row
        EXPECT_TRUE(Sheet.RowsInOrder);
    }
    // With notes and the date line: notes in row 1, the date in row 2.
    EXPECT_EQ(Sheet.Text(1, 0), "Примечание");
    EXPECT_EQ(Sheet.Text(2, 0), "Отчет построен: " + UserDateTimeText(kMoment) + ".");
    EXPECT_EQ(Sheet.SheetName, "Архив-тиражей");
    EXPECT_TRUE(Shell.Messages.empty());
}

TEST_F(ExportSheetTest, CellsCarryTheirColumnsLookAndNumbersStayNumbers) {
    TExportSettings s = Settings();
    s.FontSize = 10;
    s.Notes = "N";
    s.Orientation = 2;
    s.Fields[1].Width = "300";
    ASSERT_TRUE(WriteSpreadsheet(Env(), Source, s, Sheet));
    EXPECT_EQ(Sheet.Orientation, 2);
    ASSERT_EQ(Sheet.Columns.size(), 3u);
    EXPECT_DOUBLE_EQ(Sheet.Columns[0].Width, 6.75);
    EXPECT_DOUBLE_EQ(Sheet.Columns[1].Width, 255);
    EXPECT_EQ(Sheet.Columns[1].Style.Align, kAlignRight);
    EXPECT_EQ(Sheet.Columns[2].Style.FontSize, 10);

    const TCellStyle& title = Sheet.Cell(0, 0)->Style;
    EXPECT_EQ(title.FontSize, 14);
    EXPECT_TRUE(title.Bold);
    EXPECT_FALSE(title.Wrap);
    EXPECT_TRUE(Sheet.Cell(1, 0)->Style.Bold);
    EXPECT_TRUE(Sheet.Cell(2, 0)->Style.Italic);
    EXPECT_EQ(Sheet.Cell(2, 0)->Style.FontSize, 10);

    const TCellStyle& caption = Sheet.Cell(4, 1)->Style;
    EXPECT_EQ(caption.Align, kAlignCenter);
    EXPECT_TRUE(caption.Wrap && caption.VCenter && !caption.Bold);
    EXPECT_EQ(caption.Border, TCellBorder::Medium);
    EXPECT_EQ(Sheet.Text(4, 1), "Сумма");

    // Data: borders everywhere, the column's alignment, number formats as the window shows them.
    const auto* sum = Sheet.Cell(6, 1);
    ASSERT_TRUE(sum->Number);
    EXPECT_DOUBLE_EQ(*sum->Number, -3.25);
    EXPECT_EQ(sum->Style.NumberFormat, "0.00");
    EXPECT_EQ(sum->Style.Align, kAlignRight);
    EXPECT_EQ(sum->Style.Border, TCellBorder::Thin);
    EXPECT_EQ(Sheet.Cell(5, 1)->Style.NumberFormat, "0");
    EXPECT_EQ(Sheet.Text(7, 0), "0012");  // a leading zero keeps the text
    EXPECT_EQ(Sheet.Text(7, 1), "-");
    EXPECT_EQ(Sheet.Cell(7, 2)->Style.Align, kAlignCenter);
    EXPECT_EQ(Sheet.Cell(7, 2)->Style.Border, TCellBorder::Thin);
}

TEST_F(ExportSheetTest, OnlyCheckedFieldsGoOutInListOrder) {
    TExportSettings s = Settings();
    s.Fields[0].Checked = false;
    s.Fields[2].Caption = "Когда";  // was "Дата тиража"
    std::swap(s.Fields[1], s.Fields[2]);
    s.ShowCreateTime = false;
    ASSERT_TRUE(WriteSpreadsheet(Env(), Source, s, Sheet));
    EXPECT_EQ(Sheet.Text(2, 0), "Когда");
    EXPECT_EQ(Sheet.Text(2, 1), "Сумма");
    EXPECT_EQ(Sheet.Cell(2, 2), nullptr);
    EXPECT_EQ(Sheet.Text(3, 0), "01/02/2024 M");
    EXPECT_EQ(Sheet.Columns.size(), 2u);
    EXPECT_EQ(Sheet.Columns[0].Style.Align, kAlignCenter);

    // No checked field: the title block only.
    Sheet = TRecordingSpreadsheet();
    for (auto& f : s.Fields) f.Checked = false;
    ASSERT_TRUE(WriteSpreadsheet(Env(), Source, s, Sheet));
    EXPECT_EQ(Sheet.Cells.size(), 1u);
    EXPECT_TRUE(Sheet.Columns.empty());
}

TEST_F(ExportSheetTest, SelectedRowsAndTheEmptyRowOfAnEmptySelection) {
    Source.Selected = {0, 2};
    TExportSettings s = Settings();
    EXPECT_EQ(s.SendMode, 1);
    s.ShowCreateTime = false;
    ASSERT_TRUE(WriteSpreadsheet(Env(), Source, s, Sheet));
    EXPECT_EQ(Sheet.Text(4, 0), "0012");
    EXPECT_EQ(Sheet.RowCount(), 5);

    // A multi-selection list with nothing selected promises one row: it goes out empty, bordered.
    Sheet = TRecordingSpreadsheet();
    Source.Selected = {};
    s = Settings();
    EXPECT_EQ(s.SendMode, 0);
    s.SendMode = 1;
    s.ShowCreateTime = false;
    ASSERT_TRUE(WriteSpreadsheet(Env(), Source, s, Sheet));
    EXPECT_EQ(Sheet.RowCount(), 4);
    for (int col = 0; col < 3; ++col) {
        ASSERT_NE(Sheet.Cell(3, col), nullptr);
        EXPECT_EQ(Sheet.Text(3, col), "");
        EXPECT_EQ(Sheet.Cell(3, col)->Style.Border, TCellBorder::Thin);
    }
}

TEST_F(ExportSheetTest, ProgressRunsItsStepsAndTexts) {
    for (int i = 0; i < 500; ++i) Source.Rows.push_back({std::to_string(i)});
    TExportSettings s = Settings();
    ASSERT_TRUE(WriteSpreadsheet(Env(), Source, s, Sheet));
    ASSERT_FALSE(Shell.ProgressLog.empty());
    const TProgressState& first = Shell.ProgressLog.front();
    EXPECT_EQ(first.Text, "Вызов Microsoft Excel...");
    EXPECT_EQ(first.Steps, 2 * 3 + 503 + 5);
    EXPECT_FALSE(first.Stoppable);
    std::vector<std::string> texts;
    int last = 0;
    for (const auto& p : Shell.ProgressLog) {
        if (!p.Open) continue;
        if (texts.empty() || texts.back() != p.Text) texts.push_back(p.Text);
        last = p.Position;
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Вызов Microsoft Excel...", "Создание рабочей книги...", "Создание листа...",
                                               "Форматирование листа...", "Подготовка данных для экспорта...",
                                               "Передача данных в Microsoft Excel..."}));
    EXPECT_EQ(last, first.Steps);
    EXPECT_FALSE(Shell.ProgressLog.back().Open);
    // Few repaints for many rows.
    EXPECT_LT(Shell.ProgressLog.size(), 150u);
    EXPECT_FALSE(Shell.IsBusy());
}

TEST_F(ExportSheetTest, FailuresAreShownAndNothingHalfMadeIsHandedOver) {
    struct TCase {
        const char* FailAt;
        const char* Message;
        bool Released;
    } cases[] = {
        {"Connect", "Ошибка подключения к Microsoft Excel!\r\rConnect failed", false},
        {"AddWorkbook", "Ошибка создания книги Microsoft Excel!\r\rAddWorkbook failed", true},
        {"OpenSheet", "Ошибка открытия (создания) листа #1!\r\rOpenSheet failed", true},
        {"WriteNumber", "Ошибка экспорта данных в Microsoft Excel!\rWriteNumber failed", true},
        {"Release", "Ошибка экспорта данных в Microsoft Excel!\rdisk full", true},
    };
    for (const TCase& c : cases) {
        Sheet = TRecordingSpreadsheet();
        Sheet.FailAt = c.FailAt;
        Shell.Messages.clear();
        EXPECT_FALSE(WriteSpreadsheet(Env(), Source, Settings(), Sheet)) << c.FailAt;
        ASSERT_EQ(Shell.Errors().size(), 1u) << c.FailAt;
        EXPECT_EQ(Shell.Errors()[0], c.Message);
        EXPECT_EQ(Sheet.Released.has_value(), c.Released) << c.FailAt;
        if (Sheet.Released && std::string(c.FailAt) != "Release") {
            EXPECT_FALSE(*Sheet.Released) << c.FailAt;
        }
        EXPECT_FALSE(Shell.Progress().Open);
        EXPECT_FALSE(Shell.IsBusy());
    }
    // An orientation that cannot be set is shown and the export goes on.
    Sheet = TRecordingSpreadsheet();
    Sheet.FailAt = "SetOrientation";
    Shell.Messages.clear();
    TExportSettings s = Settings();
    s.Orientation = 1;
    EXPECT_TRUE(WriteSpreadsheet(Env(), Source, s, Sheet));
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0].rfind(kOrientationFailed, 0), 0u);
    EXPECT_TRUE(*Sheet.Released);
}

TEST_F(ExportSheetTest, CancelWritesNothingAndConfirmingSavesTheSettingsFirst) {
    TExportRequest request{"FormMain", "Архив тиражей", "Архив тиражей", "", 0, true};
    TExportDialogInfo seen;
    auto cancel = [&](TExportSettings&, const TExportDialogInfo& info) {
        seen = info;
        EXPECT_FALSE(Shell.IsBusy());
        return false;
    };
    EXPECT_FALSE(ExportToSpreadsheet(Env(), Source, request, cancel, Sheet));
    EXPECT_TRUE(Sheet.Calls.empty());
    EXPECT_FALSE(std::filesystem::exists(Dir / "Quadrix_4d10.ini"));
    EXPECT_EQ(seen.Section, "EXPORT_EXCEL_FORMMAIN.LVTEST");
    EXPECT_EQ(seen.Counts.All, 3);

    auto confirm = [&](TExportSettings& s, const TExportDialogInfo&) {
        s.RestoreParameters = false;
        s.Fields[1].Checked = false;
        return true;
    };
    EXPECT_TRUE(ExportToSpreadsheet(Env(), Source, request, confirm, Sheet));
    EXPECT_EQ(Sheet.Calls.front(), "Connect");
    const TIniFile ini = TIniFile::Load(Dir / "Quadrix_4d10.ini");
    EXPECT_EQ(ini.ReadString(seen.Section, "RestoreParameters", ""), "0");
    EXPECT_EQ(ini.ReadString(seen.Section, "Item_1", ""), "1;Сумма;Сумма;0;1;12,50");
    EXPECT_FALSE(Shell.IsBusy());
    EXPECT_EQ(Shell.Status, "");

    // Keep parameters off: nothing is read or written.
    request.KeepParameters = false;
    std::filesystem::remove(Dir / "Quadrix_4d10.ini");
    EXPECT_TRUE(ExportToSpreadsheet(Env(), Source, request, confirm, Sheet));
    EXPECT_FALSE(std::filesystem::exists(Dir / "Quadrix_4d10.ini"));
}
