#include <gtest/gtest.h>

#include <filesystem>

#include "ExportTestSupport.h"
#include "core/IniFile.h"
#include "core/Text.h"
#include "export/ExportSettings.h"
#include "export/ExportToSpreadsheet.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

class ExportSettingsTest : public ::testing::Test {
protected:
    TTempDir Dir;
    TRecordingShell Shell;
    TTableSource Source;

    void SetUp() override {
        Source.ViewName = "lvDraws";
        Source.Cols = {{"Тираж", kAlignLeft, 54}, {"1", kAlignCenter, 24}, {"S", kAlignCenter, 30},
                       {"Дата тиража", kAlignLeft, 100}};
        Source.Rows = {{"5000", "1", "10", "01/02/2024 M"}};
    }
    std::filesystem::path Config() const { return Dir / "Quadrix_4d10.ini"; }
    TExportEnvironment Env() { return {Shell, Config(), 0600, ',', nullptr}; }
    TExportRequest Request() const { return {"FormMain", "Архив тиражей", "Архив тиражей", "", 0, true}; }
    TExportSettings Opening() { return OpeningSettings(Env(), Source, Request()); }
    static constexpr const char* kSection = "EXPORT_EXCEL_FORMMAIN.LVDRAWS";
};

std::string Captions(const TExportSettings& s) {
    std::string out;
    for (const auto& f : s.Fields) out += f.Caption + (f.Checked ? "+" : "-") + "|";
    return out;
}

} // namespace

TEST_F(ExportSettingsTest, RoundTripsThroughTheConfigurationAndParameterFiles) {
    TExportSettings s = Opening();
    EXPECT_EQ(Captions(s), "Тираж+|1+|S+|Дата тиража+|");
    EXPECT_EQ(s.Fields[3].Width, "12,50");
    s.Fields[0].Caption = "Номер тиража";
    s.Fields[0].Alignment = kAlignCenter;
    s.Fields[0].Width = "12,50";
    s.Fields[1].Checked = false;
    s.Notes = "Примечание";
    s.SheetName = "Тиражи";
    s.Orientation = 2;
    s.FontSize = 10;
    s.ShowCreateTime = false;
    ASSERT_TRUE(SaveExportSettings(Config(), kSection, s, true, Shell, 0600));
    EXPECT_TRUE(Shell.Messages.empty());

    // On disk: Windows-1251, the keys and entries as "%d;%s;%s;%s;%d;%s".
    const std::string bytes = ReadBytes(Config());
    EXPECT_NE(bytes.find("[EXPORT_EXCEL_FORMMAIN.LVDRAWS]\r\nRestoreParameters=1\r\n"), std::string::npos);
    EXPECT_NE(bytes.find(Utf8ToCp1251("Item_0=0;Тираж;Номер тиража;-1;2;12,50\r\n")), std::string::npos);
    EXPECT_NE(bytes.find(Utf8ToCp1251("Item_1=1;1;1;0;2;3,00\r\n")), std::string::npos);
    EXPECT_NE(bytes.find(Utf8ToCp1251("Notes=Примечание\r\n")), std::string::npos);
    EXPECT_EQ(std::filesystem::status(Config()).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    // Restoring: everything but the title, which the command gives; the checked fields first.
    TExportSettings back = Opening();
    EXPECT_EQ(Captions(back), "Номер тиража+|S+|Дата тиража+|1-|");
    EXPECT_EQ(back.Title, "Архив тиражей");
    EXPECT_EQ(back.Notes, "Примечание");
    EXPECT_EQ(back.SheetName, "Тиражи");
    EXPECT_EQ(back.Orientation, 2);
    EXPECT_EQ(back.FontSize, 10);
    EXPECT_FALSE(back.ShowCreateTime);
    EXPECT_EQ(back.Fields[0].Alignment, kAlignCenter);
    EXPECT_EQ(back.Fields[0].Width, "12,50");

    // A parameter file holds no RestoreParameters; explicit loading takes the title too.
    const auto exp = Dir / "draws.exp";
    s.Title = "Отчет";
    ASSERT_TRUE(SaveExportSettings(exp, kSection, s, false, Shell));
    EXPECT_FALSE(TIniFile::Load(exp).HasKey(kSection, "RestoreParameters"));
    TExportSettings loaded = DefaultExportSettings(Request(), SourceFields(Source, ','), 0);
    LoadExportSettings(exp, kSection, false, loaded, Shell);
    EXPECT_EQ(loaded.Title, "Отчет");
    // Loaded order as saved (the checked-first rule returns with the next change).
    EXPECT_EQ(Captions(loaded), "Номер тиража+|1-|S+|Дата тиража+|");
    EXPECT_TRUE(Shell.Messages.empty());
}

TEST_F(ExportSettingsTest, OtherSectionsStayAndAFileWithoutTheSectionChangesNothing) {
    const auto exp = Dir / "many.exp";
    const std::string other = "[EXPORT_EXCEL_FORMMAIN.SGSTAKES]\r\nTitle=" + Utf8ToCp1251("Ставки") +
                              "\r\nItem_0=0;A;A;-1;0;1,00\r\n\r\n";
    WriteBytes(exp, other);
    TExportSettings s = Opening();
    ASSERT_TRUE(SaveExportSettings(exp, kSection, s, false, Shell));
    const std::string bytes = ReadBytes(exp);
    EXPECT_EQ(bytes.substr(0, other.size()), other);
    EXPECT_NE(bytes.find("[EXPORT_EXCEL_FORMMAIN.LVDRAWS]"), std::string::npos);
    // Saving again replaces the section instead of adding a second one.
    ASSERT_TRUE(SaveExportSettings(exp, kSection, s, false, Shell));
    EXPECT_EQ(ReadBytes(exp), bytes);

    WriteBytes(exp, other);
    TExportSettings before = Opening();
    before.Title = "Мой отчет";
    TExportSettings after = before;
    LoadExportSettings(exp, kSection, false, after, Shell);
    EXPECT_EQ(after.Title, before.Title);
    EXPECT_EQ(Captions(after), Captions(before));
    EXPECT_TRUE(Shell.Messages.empty());
    LoadExportSettings(Dir / "missing.exp", kSection, false, after, Shell);
    EXPECT_TRUE(Shell.Messages.empty());
}

TEST_F(ExportSettingsTest, EntriesThatDoNotFitAreIgnored) {
    WriteBytes(Config(), Utf8ToCp1251("[export_excel_formmain.lvdraws]\r\n"
                                      "Item_0=3;ДАТА ТИРАЖА;Дата;-1;1;20\r\n"      // found in any letter case, moved to 0
                                      "Item_1=0;Номер;Номер;-1;1;20\r\n"           // physical name no longer matches
                                      "Item_2=2;S;Сумма; цифр;0;1;5\r\n"          // caption with ";": 7 words
                                      "Item_3=1;1;;0;1;5\r\n"                      // an empty part: 5 words
                                      "Item_4=x;1;Один;0;1;5\r\n"));              // beyond the fields
    TExportSettings s = Opening();
    EXPECT_EQ(Captions(s), "Дата+|Тираж+|1+|S+|");
    EXPECT_EQ(s.Fields[0].Alignment, kAlignRight);
    EXPECT_EQ(s.Fields[0].Width, "20");
    EXPECT_EQ(s.Fields[1].Alignment, kAlignLeft);  // the ignored entry left the defaults
    EXPECT_TRUE(Shell.Messages.empty());

    // Unreadable values keep what was there; the words keep their inner blanks.
    WriteBytes(Config(), Utf8ToCp1251("[EXPORT_EXCEL_FORMMAIN.LVDRAWS]\r\nItem_0=0;Тираж; Номер ;да;лево;7\r\n"));
    s = Opening();
    EXPECT_EQ(s.Fields[0].Caption, " Номер ");
    EXPECT_TRUE(s.Fields[0].Checked);
    EXPECT_EQ(s.Fields[0].Alignment, kAlignLeft);
    EXPECT_EQ(s.Fields[0].Width, "7");
}

TEST_F(ExportSettingsTest, RestoreOffStillSavesButTheNextExportStartsFromDefaults) {
    TExportSettings s = Opening();
    s.RestoreParameters = false;
    s.FontSize = 20;
    s.Fields[0].Checked = false;
    ASSERT_TRUE(SaveExportSettings(Config(), kSection, s, true, Shell, 0600));
    EXPECT_EQ(TIniFile::Load(Config()).ReadString(kSection, "BaseFontSize", ""), "20");
    TExportSettings next = Opening();
    EXPECT_FALSE(next.RestoreParameters);
    EXPECT_EQ(next.FontSize, kDefaultFontSize);
    EXPECT_EQ(Captions(next), "Тираж+|1+|S+|Дата тиража+|");
}

TEST_F(ExportSettingsTest, HostileValuesAreClampedOrIgnored) {
    std::string text = "[EXPORT_EXCEL_FORMMAIN.LVDRAWS]\r\nBaseFontSize=0\r\nPageOrientation=7\r\nSheetName=" +
                       std::string(300, 'x') + "\r\nItem_0=0;Тираж;Тираж;-1;9;1e400\r\n";
    for (int i = 1; i < 10000; ++i) text += "Item_" + std::to_string(i) + "=0;Тираж;X;0;1;1\r\n";
    WriteBytes(Config(), Utf8ToCp1251(text));
    TExportSettings s = Opening();
    EXPECT_EQ(s.FontSize, kMinFontSize);
    EXPECT_EQ(s.Orientation, 0);
    EXPECT_EQ(s.SheetName.size(), kMaxSheetNameChars);
    ASSERT_EQ(s.Fields.size(), 4u);
    // Every later entry names field 0 again and moves it one place on; only the fields' count of
    // entries is read.
    EXPECT_EQ(Captions(s), "1+|S+|Дата тиража+|X-|");
    EXPECT_STREQ(AlignmentName(s.Fields[3].Alignment), "по правому краю");

    WriteBytes(Config(), Utf8ToCp1251("[EXPORT_EXCEL_FORMMAIN.LVDRAWS]\r\nBaseFontSize=1000\r\nPageOrientation=-1\r\n"
                                      "Item_0=0;Тираж;Тираж;-1;9;1e400\r\n"));
    s = Opening();
    EXPECT_EQ(s.FontSize, kMaxFontSize);
    EXPECT_EQ(s.Orientation, 0);
    EXPECT_EQ(s.Fields[0].Alignment, 9);  // kept, shown without a name, exported left
    EXPECT_STREQ(AlignmentName(s.Fields[0].Alignment), "");
    EXPECT_EQ(ExportAlignment(s.Fields[0].Alignment), kAlignLeft);
    EXPECT_TRUE(Shell.Messages.empty());
}

TEST_F(ExportSettingsTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
    const std::string old = "[GLOBAL]\r\nMatrixCols=3\r\n[EXPORT_EXCEL_FORMMAIN.LVDRAWS]\r\nTitle=old\r\n";
    WriteBytes(Config(), old);
    // The rewrite goes through "<name>.tmp": a folder in its way makes it fail.
    std::filesystem::create_directory(Dir / "Quadrix_4d10.ini.tmp");
    EXPECT_FALSE(SaveExportSettings(Config(), kSection, Opening(), true, Shell, 0600));
    EXPECT_EQ(ReadBytes(Config()), old);
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка сохранения параметров экспорта в файле \"" + Config().string() + "\"!\r\r", 0),
              0u);

    // A file that cannot be read is reported when loading.
    Shell.Messages.clear();
    std::filesystem::create_directory(Dir / "folder.exp");
    TExportSettings s = Opening();
    LoadExportSettings(Dir / "folder.exp", kSection, false, s, Shell);
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка загрузки параметров экспорта из файла \"", 0), 0u);
}
