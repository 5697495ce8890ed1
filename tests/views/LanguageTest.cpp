#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

#include "ViewsTestSupport.h"
#include "core/IniFile.h"
#include "core/Languages.h"
#include "views/Commands.h"

using namespace qx;
using namespace qx::test;

class Language : public MainWindowFixture {
protected:
    void PutEnglishModule() {
        std::filesystem::copy_file(QUADRIX_TEST_ENGLISH_QM, Dir / "Quadrix_4d10_ENU.lng");
    }
    QList<QAction*> LanguageItems() { return Window->Commands().Menu("menuLanguages")->actions(); }
};

TEST_F(Language, WithoutModulesTheBuiltInRussianIsTheOnlyChoice) {
    Open(); // the stored default asks for English (1033): its module is missing, silently
    EXPECT_EQ(Window->InterfaceLanguage(), kBuiltInLanguage);
    ASSERT_EQ(LanguageItems().size(), 1);
    EXPECT_EQ(LanguageItems()[0]->text(), "Русский (Россия)");
    EXPECT_TRUE(LanguageItems()[0]->isChecked());
    EXPECT_EQ(Window->Commands().Menu("menuFile")->title(), "Файл");
}

TEST_F(Language, AModuleReplacesTheTextsAndChoosingTheBuiltInOneRestarts) {
    PutEnglishModule();
    Open();
    EXPECT_EQ(Window->InterfaceLanguage(), 1033);
    EXPECT_EQ(Window->Commands().Menu("menuFile")->title(), "File");
    EXPECT_EQ(Action("ExitProgram")->text(), "Exit");
    EXPECT_EQ(Window->ListTabs()->tabText(0), "Draws archive");
    EXPECT_TRUE(Window->windowTitle().startsWith("Lottery statistics analysis \"Pick 4\" "));
    EXPECT_EQ(Action("DrawsAdd")->text(), "Добавить"); // a text the module does not have stays
    ASSERT_EQ(LanguageItems().size(), 2);
    EXPECT_FALSE(LanguageItems()[0]->isChecked());
    EXPECT_TRUE(LanguageItems()[1]->isChecked());

    int restarts = 0;
    Window->SetRestarter([&] {
        ++restarts;
        return true;
    });
    LanguageItems()[0]->trigger();
    EXPECT_EQ(restarts, 1);
    EXPECT_TRUE(Window->QuitRequested());
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "Language", ""), "1049");
    Close();
    Open();
    EXPECT_EQ(Window->Commands().Menu("menuFile")->title(), "Файл");
}

TEST_F(Language, AModuleRemovedBeforeItIsChosenIsReportedAndNothingChanges) {
    PutEnglishModule();
    WriteBytes(Dir / "Quadrix_4d10.frm", "[TFormMain]\r\nLanguage=1049\r\n");
    Open();
    std::filesystem::remove(Dir / "Quadrix_4d10_ENU.lng");
    int restarts = 0;
    Window->SetRestarter([&] {
        ++restarts;
        return true;
    });
    Modal.ThenAnswer(QMessageBox::Ok);
    LanguageItems()[1]->trigger();
    EXPECT_EQ(restarts, 0);
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Text.toStdString(),
              "Языковый модуль \"" + (Dir / "Quadrix_4d10_ENU.lng").string() + "\" не найден!");
}

TEST_F(Language, ABrokenModuleIsReportedAndTheBuiltInLanguageStays) {
    WriteBytes(Dir / "Quadrix_4d10_ENU.lng", "not a translation");
    Modal.ThenAnswer(QMessageBox::Ok);
    Open();
    EXPECT_EQ(Window->InterfaceLanguage(), kBuiltInLanguage);
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_TRUE(Modal.Boxes[0].Text.startsWith("Не удалось загрузить языковый модуль \""));
    EXPECT_EQ(Window->Commands().Menu("menuFile")->title(), "Файл");
}

TEST_F(Language, NoLanguageSwitchKeepsRussian) {
    PutEnglishModule();
    TMainWindowOptions o = Options();
    o.Switches = TSwitches::Parse({"/NO-LANGUAGE"});
    Open(&o);
    EXPECT_EQ(Window->InterfaceLanguage(), kBuiltInLanguage);
    EXPECT_EQ(Window->Commands().Menu("menuFile")->title(), "Файл");
}
