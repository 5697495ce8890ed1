#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "ExportTestSupport.h"
#include "export/ExportFolder.h"
#include "export/ExportToSpreadsheet.h"
#include "export/UserDateTime.h"
#include "export/XlsxSpreadsheet.h"
#include "support/TestSupport.h"
#include "support/XlsxReader.h"

using namespace qx;
using namespace qx::test;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> FilesIn(const fs::path& dir) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

class XlsxExportTest : public TExportTest {
protected:
    TExportSettings Settings(const char* sheetName = "Архив/тиражей") { return Opening(sheetName, false); }
    TXlsxTarget OpenedTarget() {
        return {{}, [this](const std::string& path) { return Shell.TryOpenDocument(path); }, [] { return kMoment; }};
    }
    fs::path Folder() const { return Dir / ("quadrix-export-" + std::to_string(::geteuid())); }
};

} // namespace

TEST_F(XlsxExportTest, WorkbookReadsBackWithLayoutAndFormats) {
    TExportSettings s = Settings();
    s.Notes = "Примечание";
    s.Orientation = 2;
    s.Fields[0].Width = "12,5";
    s.Fields[1].Width = "300";
    const fs::path out = Dir / "out.xlsx";
    TXlsxSpreadsheet sheet({out, nullptr, nullptr});
    ASSERT_TRUE(WriteSpreadsheet(Env(), Source, s, sheet));
    ASSERT_TRUE(Shell.Messages.empty());
    EXPECT_TRUE(Shell.Opened.empty());
    EXPECT_EQ(FilesIn(Dir.Path()), std::vector<fs::path>{out});  // no temporary file left beside it

    const TXlsxBook book = TXlsxBook::Read(out);
    EXPECT_EQ(book.SheetNames, std::vector<std::string>{"Архив-тиражей"});
    EXPECT_EQ(book.Orientation, "landscape");
    EXPECT_FALSE(book.HasMergedCells);
    // Widths as the workbook stores them (the writer adds the cell padding).
    EXPECT_DOUBLE_EQ(book.Columns.at(0).Width, 13.28515625);
    EXPECT_DOUBLE_EQ(book.Columns.at(1).Width, 255.7109375);
    EXPECT_EQ(book.Styles.at(size_t(book.Columns.at(1).Style)).Horizontal, "right");

    // Title block: title, notes, date line, one empty row.
    const TXlsxStyle& title = book.StyleOf(*book.Cell(0, 0));
    EXPECT_EQ(book.Text(0, 0), "Архив тиражей");
    EXPECT_EQ(title.FontSize, 12);
    EXPECT_TRUE(title.Bold);
    EXPECT_FALSE(title.Wrap);
    EXPECT_EQ(title.Horizontal, "left");
    EXPECT_EQ(title.Vertical, "center");
    EXPECT_EQ(book.Text(1, 0), "Примечание");
    EXPECT_TRUE(book.StyleOf(*book.Cell(1, 0)).Bold);
    EXPECT_EQ(book.Text(2, 0), "Отчет построен: " + UserDateTimeText(kMoment) + ".");
    EXPECT_TRUE(book.StyleOf(*book.Cell(2, 0)).Italic);
    EXPECT_EQ(book.StyleOf(*book.Cell(2, 0)).FontSize, 8);
    for (int col = 0; col < 3; ++col) EXPECT_EQ(book.Cell(3, col), nullptr);

    // Captions: centred both ways, wrapped, medium borders, not bold.
    EXPECT_EQ(book.Text(4, 2), "Дата тиража");
    const TXlsxStyle& caption = book.StyleOf(*book.Cell(4, 2));
    EXPECT_EQ(caption.Horizontal, "center");
    EXPECT_EQ(caption.Vertical, "center");
    EXPECT_TRUE(caption.Wrap);
    EXPECT_FALSE(caption.Bold);
    EXPECT_TRUE(caption.AllBorders("medium"));

    // Data: numbers with the window's decimals, texts as they are, thin borders, the column's look.
    const TXlsxCell* number = book.Cell(6, 1);
    ASSERT_TRUE(number && number->Number);
    EXPECT_DOUBLE_EQ(number->Value, -3.25);
    const TXlsxStyle& numberStyle = book.StyleOf(*number);
    EXPECT_EQ(numberStyle.NumberFormat, "0.00");
    EXPECT_EQ(numberStyle.Horizontal, "right");
    EXPECT_EQ(numberStyle.FontSize, 8);
    EXPECT_TRUE(numberStyle.AllBorders("thin"));
    EXPECT_EQ(book.StyleOf(*book.Cell(5, 0)).NumberFormat, "0");
    EXPECT_FALSE(book.Cell(7, 0)->Number);
    EXPECT_EQ(book.Text(7, 0), "0012");
    EXPECT_EQ(book.Text(7, 2), "a & <b>");
    EXPECT_EQ(book.StyleOf(*book.Cell(7, 2)).Horizontal, "center");
    EXPECT_TRUE(book.StyleOf(*book.Cell(7, 1)).AllBorders("thin"));
    EXPECT_EQ(book.RowCount(), 8);
}

TEST_F(XlsxExportTest, WorkbooksGoToThePrivateFolderUnderFreshNamesAndAreOpened) {
    TEnvOverride tmp("TMPDIR", Dir.Path().string());
    for (int i = 0; i < 2; ++i) {
        TXlsxSpreadsheet sheet(OpenedTarget());
        ASSERT_TRUE(WriteSpreadsheet(Env(), Source, Settings(), sheet));
    }
    struct stat st{};
    ASSERT_EQ(::lstat(Folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    const std::string stamp = FileStampText(kMoment);
    const std::vector<fs::path> expected = {Folder() / ("Архив-тиражей " + stamp + " (2).xlsx"),
                                            Folder() / ("Архив-тиражей " + stamp + ".xlsx")};
    EXPECT_EQ(FilesIn(Folder()), expected);
    ASSERT_EQ(Shell.Opened.size(), 2u);
    EXPECT_EQ(Shell.Opened[0], expected[1].string());
    EXPECT_EQ(Shell.Opened[1], expected[0].string());
    EXPECT_EQ(TXlsxBook::Read(expected[0]).Text(4, 0), "5001");

    // A sheet name the workbook refuses keeps the default name, also for the file.
    TXlsxSpreadsheet sheet(OpenedTarget());
    ASSERT_TRUE(WriteSpreadsheet(Env(), Source, Settings("?:"), sheet));
    EXPECT_EQ(TXlsxBook::Read(sheet.Written()).SheetNames, std::vector<std::string>{"Sheet1"});
    EXPECT_EQ(sheet.Written().filename().string(), "Sheet1 " + stamp + ".xlsx");

    // The desktop refusing to open it is reported; the finished file stays.
    Shell.RefuseOpen = true;
    TXlsxSpreadsheet refused(OpenedTarget());
    EXPECT_FALSE(WriteSpreadsheet(Env(), Source, Settings("Отказ"), refused));
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0], "Ошибка экспорта данных в Microsoft Excel!\rНе удалось открыть \"" +
                                     refused.Written().string() + "\"!");
    EXPECT_TRUE(fs::exists(refused.Written()));
}

TEST_F(XlsxExportTest, AFolderThatIsNotTheUsersOwnIsRefused) {
    TEnvOverride tmp("TMPDIR", Dir.Path().string());
    fs::create_directory(Dir / "elsewhere");
    fs::create_directory_symlink(Dir / "elsewhere", Folder());
    TXlsxSpreadsheet sheet(OpenedTarget());
    EXPECT_FALSE(WriteSpreadsheet(Env(), Source, Settings(), sheet));
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0], "Ошибка подключения к Microsoft Excel!\r\r\"" + Folder().string() +
                                     "\" - символическая ссылка");
    EXPECT_TRUE(FilesIn(Dir / "elsewhere").empty());
    EXPECT_TRUE(Shell.Opened.empty());

    // A folder that cannot be made.
    fs::remove(Folder());
    WriteBytes(Dir / "file", "x");
    TEnvOverride file("TMPDIR", (Dir / "file").string());
    Shell.Messages.clear();
    EXPECT_FALSE(WriteSpreadsheet(Env(), Source, Settings(), sheet));
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка подключения к Microsoft Excel!\r\r", 0), 0u);
}

TEST_F(XlsxExportTest, AnUnwritableFolderCannotBeConnected) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes everywhere";
    TEnvOverride tmp("TMPDIR", Dir.Path().string());
    fs::create_directory(Folder());
    fs::permissions(Folder(), fs::perms::owner_read | fs::perms::owner_exec);
    TXlsxSpreadsheet sheet(OpenedTarget());
    EXPECT_FALSE(WriteSpreadsheet(Env(), Source, Settings(), sheet));
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка подключения к Microsoft Excel!\r\r", 0), 0u);
}

TEST_F(XlsxExportTest, AFailureHalfWayLeavesNoFileAndCancelNothingAtAll) {
    TEnvOverride tmp("TMPDIR", Dir.Path().string());
    // A source that fails while its rows are read.
    class TFailing : public TTableSource {
    public:
        std::string CellText(int row, int column) const override {
            if (row == 2) throw TAppError("строка недоступна");
            return TTableSource::CellText(row, column);
        }
    } failing;
    failing.Cols = Source.Cols;
    failing.Rows = Source.Rows;
    TXlsxSpreadsheet sheet(OpenedTarget());
    EXPECT_FALSE(WriteSpreadsheet(Env(), failing, Settings(), sheet));
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0], "Ошибка экспорта данных в Microsoft Excel!\rстрока недоступна");
    EXPECT_TRUE(FilesIn(Folder()).empty());
    EXPECT_TRUE(Shell.Opened.empty());

    fs::remove(Folder());
    TXlsxSpreadsheet cancelled(OpenedTarget());
    TExportRequest request{"FormMain", "Архив тиражей", "Архив тиражей", "", 0, true};
    EXPECT_FALSE(ExportToSpreadsheet(Env(), Source, request, [](TExportSettings&, const TExportDialogInfo&) { return false; },
                                     cancelled));
    EXPECT_FALSE(fs::exists(Folder()));
    EXPECT_EQ(FilesIn(Dir.Path()).size(), 0u);
}
