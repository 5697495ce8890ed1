#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>

#include "ViewsTestSupport.h"
#include "app/MemorySystemsServer.h"
#include "app/Workspace.h"
#include "core/IniFile.h"
#include "views/Commands.h"
#include "views/SortableList.h"
#include "views/dialogs/FormSystem.h"
#include "views/pages/SystemsPage.h"

using namespace qx;
using namespace qx::test;

namespace {

tSystemInfo Entry(int32_t id, int nums, const char* title, const char* mail, int count = 1) {
    tSystemInfo info;
    info.Id = id;
    info.Nums = static_cast<uint8_t>(nums);
    info.CombinationsCount = count;
    info.Title = title;
    info.Author = "Автор";
    info.AuthorEmail = mail;
    info.Description = "Описание";
    info.Created = 45000.5;
    return info;
}

} // namespace

class SystemsPages : public MainWindowFixture {
protected:
    TMemorySystems Store;

    void OpenAsUser() {
        TIniFile ini;
        ini.WriteString("ONLINE", "UserName", "Я");
        ini.WriteString("ONLINE", "UserMail", "me@example.org");
        ini.Save(Dir / "Quadrix_4d10.ini");
        Open();
        Window->Workspace().SetSystemsServer([this] { return MemoryServer(Store); });
    }
    TSystemsPage* Page() const { return static_cast<TSystemsPage*>(Window->Page("tsSystems")); }
    QTreeWidget* List() const { return Page()->List(); }
    QTreeWidgetItem* Item(const char* title) const {
        const auto found = List()->findItems(QString::fromUtf8(title), Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.front();
    }
    bool Trigger(const char* command) { return Window->Commands().Trigger(command); }
    bool Enabled(const char* command) {
        Window->Commands().Evaluate();
        return Action(command)->isEnabled();
    }
    void Select(std::initializer_list<const char*> titles) {
        List()->clearSelection();
        for (const char* t : titles) Item(t)->setSelected(true);
        List()->setCurrentItem(Item(*titles.begin()), 0, QItemSelectionModel::NoUpdate);
        Window->Commands().Evaluate();
    }
};

TEST_F(SystemsPages, ShowingTheTabListsTheCatalogueAndFetchesSelectedSystems) {
    Store.Add(Entry(3, 7, "Семь", "me@example.org", 2), "01 02 03 04\r\n05 06 07 01\r\n");
    Store.Add(Entry(4, 5, "Пять", "other@example.org"), "01 02 03 05\r\n");
    Store.Add(Entry(5, 7, "Другая семь", ""), "07 06 05 04\r\n");
    OpenAsUser();
    ASSERT_TRUE(Trigger("SystemsOn"));
    ASSERT_EQ(List()->topLevelItemCount(), 3);
    // Sorted by "Числа": the N = 5 system first.
    EXPECT_EQ(List()->topLevelItem(0)->text(0), "Пять");
    EXPECT_EQ(List()->topLevelItem(0)->text(2), "05");
    EXPECT_EQ(Item("Семь")->text(5), "2023-03-15 12:00:00");
    EXPECT_FALSE(Item("Семь")->icon(0).isNull());
    EXPECT_FALSE(Enabled("SystemsDownload"));
    EXPECT_TRUE(Enabled("SystemsRefresh"));

    Select({"Семь", "Пять"});
    EXPECT_TRUE(Enabled("SystemsDownload"));
    EXPECT_TRUE(Enabled("SystemsDel")); // the current row is own
    ASSERT_TRUE(Trigger("SystemsDownload"));
    EXPECT_EQ(Item("Семь")->text(6), "Загружена");
    EXPECT_EQ(Item("Пять")->text(6), "Загружена");
    EXPECT_TRUE(Item("Семь")->isSelected()); // the focused row stays selected
    EXPECT_FALSE(Item("Пять")->isSelected());
    EXPECT_TRUE(std::filesystem::exists(Dir / "Systems" / "4-07-0_0003.dat"));

    // The other N = 7 system replaces the first one's copy.
    Select({"Другая семь"});
    EXPECT_FALSE(Enabled("SystemsDel")); // nobody's
    ASSERT_TRUE(Trigger("SystemsDownload"));
    EXPECT_EQ(Item("Другая семь")->text(6), "Загружена");
    EXPECT_EQ(Item("Семь")->text(6), "");
    EXPECT_FALSE(std::filesystem::exists(Dir / "Systems" / "4-07-0_0003.dat"));

    // Another's system opens read-only: nothing can be typed, OK is hidden, Cancel has the focus.
    Select({"Пять"});
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormSystem*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->TitleEdit()->isReadOnly());
        EXPECT_TRUE(dialog->CombsEdit()->isReadOnly());
        EXPECT_FALSE(dialog->OkButton()->isVisible());
        EXPECT_EQ(dialog->CombsEdit()->toPlainText(), "01 02 03 05");
        EXPECT_EQ(dialog->focusWidget(), dialog->CancelButton());
        dialog->reject();
    });
    ASSERT_TRUE(Trigger("SystemsProp"));
    ASSERT_TRUE(Modal.Done());

    // Hiding the tab clears the list.
    ASSERT_TRUE(Trigger("SystemsOn"));
    EXPECT_EQ(List()->topLevelItemCount(), 0);
}

TEST_F(SystemsPages, PublishingThroughTheDialogThenDeletingOwnSystem) {
    OpenAsUser();
    ASSERT_TRUE(Trigger("SystemsOn"));
    ASSERT_EQ(List()->topLevelItemCount(), 1);
    EXPECT_EQ(List()->topLevelItem(0)->text(0), "Список систем не доступен!");
    EXPECT_TRUE(List()->topLevelItem(0)->icon(0).isNull());
    EXPECT_EQ(List()->topLevelItem(0)->text(2), "");

    Modal.Then([this](QWidget* w) {
        auto* dialog = dynamic_cast<TFormSystem*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->AuthorEdit()->text(), "Я");
        // The number fields drop letters and take digits.
        dialog->OlapEdit()->clear();
        QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        QApplication::sendEvent(dialog->OlapEdit(), &letter);
        QKeyEvent digit(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, "1");
        QApplication::sendEvent(dialog->OlapEdit(), &digit);
        EXPECT_EQ(dialog->OlapEdit()->text(), "1");
        // Leaving the content rewrites it.
        dialog->CombsEdit()->setPlainText("1,2,3,4\n2;3;4;9\n5 6 7");
        dialog->RewriteContent();
        EXPECT_EQ(dialog->CombsEdit()->toPlainText(), "01 02 03 04\n02 03 04 09");
        EXPECT_EQ(dialog->NumsEdit()->text(), "9");
        EXPECT_EQ(dialog->CSizeEdit()->text(), "2");
        // OK without a title: the message, the focus on the title, the dialog stays open.
        Modal.ThenAnswer(QMessageBox::Ok);
        PressButton(dialog, QDialogButtonBox::Ok);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), dialog->TitleEdit());
        dialog->TitleEdit()->setText("Девятка");
        dialog->DescrEdit()->setPlainText("Моя система");
        dialog->UrlEdit()->setText("http://example.org");
        EXPECT_TRUE(dialog->UrlButton()->isEnabled());
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Trigger("SystemsAdd"));
    ASSERT_TRUE(Modal.Done());
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Text, "Название системы должно быть указано обязательно!");
    ASSERT_NE(Item("Девятка"), nullptr);
    EXPECT_TRUE(Item("Девятка")->isSelected());
    EXPECT_EQ(Item("Девятка")->text(2), "09");
    EXPECT_EQ(Item("Девятка")->text(4), "2");
    EXPECT_EQ(Store.Systems[100].Content, "01 02 03 04\r\n02 03 04 09");
    EXPECT_EQ(Store.Systems[100].Block, 1);

    Select({"Девятка"});
    Modal.ThenAnswer(QMessageBox::Yes);
    ASSERT_TRUE(Trigger("SystemsDel"));
    EXPECT_EQ(Item("Девятка"), nullptr);
    EXPECT_TRUE(Store.Systems.empty());
}
