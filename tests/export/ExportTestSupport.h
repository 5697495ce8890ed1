#pragma once
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <ctime>
#include <gtest/gtest.h>

#include "core/Error.h"
#include "export/ExportSource.h"
#include "export/ExportToSpreadsheet.h"
#include "export/Spreadsheet.h"
#include "support/TestSupport.h"

namespace qx::test {

// A spreadsheet that keeps what it was given, in order, and fails where a test asks it to.
class TRecordingSpreadsheet : public TSpreadsheet {
public:
    struct TCell {
        std::string Text;
        std::optional<double> Number;
        TCellStyle Style;
    };
    struct TColumn {
        double Width = 0;
        TCellStyle Style;
    };

    std::vector<std::string> Calls;
    std::string SheetName;
    int Orientation = 0;
    std::map<int, TColumn> Columns;
    std::map<std::pair<int, int>, TCell> Cells;
    std::optional<bool> Released;  // the argument of Release
    std::string FailAt;            // the call that raises ("Connect", "AddWorkbook", "WriteText", ...)
    int LastRow = -1;
    bool RowsInOrder = true;

    void Connect() override { Call("Connect"); }
    void AddWorkbook() override { Call("AddWorkbook"); }
    void OpenSheet(int index, const std::string& name) override {
        Call("OpenSheet");
        (void)index;
        SheetName = name;
    }
    void SetOrientation(int orientation) override {
        Call("SetOrientation");
        Orientation = orientation;
    }
    void FormatColumn(int column, double width, const TCellStyle& style) override {
        Call("FormatColumn");
        Columns[column] = {width, style};
    }
    void WriteText(int row, int column, const std::string& text, const TCellStyle& style) override {
        Call("WriteText");
        Put(row, column, {text, std::nullopt, style});
    }
    void WriteNumber(int row, int column, double value, const TCellStyle& style) override {
        Call("WriteNumber");
        Put(row, column, {"", value, style});
    }
    void Release(bool complete) override {
        Calls.push_back("Release");
        Released = complete;
        if (FailAt == "Release") throw TAppError("disk full");
    }

    const TCell* Cell(int row, int column) const {
        auto it = Cells.find({row, column});
        return it == Cells.end() ? nullptr : &it->second;
    }
    std::string Text(int row, int column) const {
        const TCell* c = Cell(row, column);
        return c ? c->Text : "";
    }
    int RowCount() const { return Cells.empty() ? 0 : Cells.rbegin()->first.first + 1; }

private:
    void Call(const std::string& name) {
        Calls.push_back(name);
        if (FailAt == name) throw TAppError(name + " failed");
    }
    void Put(int row, int column, TCell cell) {
        if (row < LastRow) RowsInOrder = false;
        LastRow = row;
        Cells[{row, column}] = std::move(cell);
    }
};

// A list or grid made in the test: rows of texts, row 0 of a grid being its captions.
class TTableSource : public TExportSource {
public:
    TExportVariant Kind = TExportVariant::List;
    std::string ViewName = "lvTest";
    std::vector<TSourceColumn> Cols;
    std::vector<std::vector<std::string>> Rows;
    bool Multi = true;
    std::vector<int> Selected;

    TExportVariant Variant() const override { return Kind; }
    std::string Name() const override { return ViewName; }
    int RowCount() const override { return int(Rows.size()); }
    bool MultiSelect() const override { return Multi; }
    std::vector<int> Selection() const override { return Selected; }
    int ColumnCount() const override { return int(Cols.size()); }
    TSourceColumn Column(int column) const override { return Cols.at(size_t(column)); }
    std::string CellText(int row, int column) const override {
        const auto& r = Rows.at(size_t(row));
        return size_t(column) < r.size() ? r[size_t(column)] : "";
    }
};

// What the export tests share: a program directory, a recording shell, a fixed clock and a small
// list with a number column, a decimal column and a text column.
class TExportTest : public ::testing::Test {
protected:
    static constexpr std::time_t kMoment = 1735131909;  // 25 Dec 2024
    TTempDir Dir;
    TRecordingShell Shell;
    TTableSource Source;

    TExportTest() {
        Source.Cols = {{"Тираж", kAlignLeft, 54}, {"Сумма", kAlignRight, 100}, {"Дата тиража", kAlignCenter, 80}};
        Source.Rows = {{"5001", "12", "01/02/2024 M"}, {"5000", "-3,25", "01/01/2024 E"}, {"0012", "-", "a & <b>"}};
    }
    TExportEnvironment Env() { return {Shell, Dir / "Quadrix_4d10.ini", 0600, ',', [] { return kMoment; }}; }
    // The settings the dialog would open with for Source.
    TExportSettings Opening(const char* sheetName, bool keep) {
        const TExportRequest request{"FormMain", "Архив тиражей", sheetName, "", 0, keep};
        return OpeningSettings(Env(), Source, request);
    }
};

} // namespace qx::test
