#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "FakeCatalogue.h"
#include "ViewsTestSupport.h"
#include "app/Workspace.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "views/Commands.h"
#include "views/SortableList.h"
#include "views/Tx.h"
#include "views/dialogs/FormScrPublic.h"
#include "views/dialogs/FormScrRates.h"
#include "views/pages/ScriptPage.h"

using namespace qx;
using namespace qx::test;

namespace {

class LibraryPanel : public MainWindowFixture {
protected:
    fake::TFakeCatalogue Fake;

    void SetUp() override {
        MainWindowFixture::SetUp();
        UpdateIniFile(Dir / "Quadrix_4d10.ini", [&](TIniFile& ini) {
            ini.WriteString("ONLINE", "CatalogueUrl", Fake.BaseUrl());
            ini.WriteString("ONLINE", "UserName", "Я");
            ini.WriteString("ONLINE", "UserMail", "me@example.org");
        });
        for (const char* title : {"Первый", "Второй"}) {
            fake::TFakeScript s;
            s.Author = "Автор";
            s.AuthorMail = "a@b.c";
            s.Universal = true;
            s.Title = title;
            s.Script = "L1\r\nL2";
            Fake.AddScript(s);
        }
        Open();
    }
    TScriptPage* Page() const { return static_cast<TScriptPage*>(Window->Page("tsScript")); }
    TWorkspace& Ws() const { return Window->Workspace(); }
    QStringList Titles() const {
        QStringList t;
        QTreeWidget* list = Page()->LibraryList();
        for (int i = 0; i < list->topLevelItemCount(); ++i) t << list->topLevelItem(i)->text(1);
        t.sort();
        return t;
    }
    void SelectTitle(const QString& title) {
        QTreeWidget* list = Page()->LibraryList();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(1) == title) list->setCurrentItem(list->topLevelItem(i));
        Window->Commands().Evaluate();
    }
    bool Enabled(const char* command) {
        Window->Commands().Evaluate();
        return Action(command)->isEnabled();
    }
};

TEST_F(LibraryPanel, ListsFiltersRatesAndDownloads) {
    EXPECT_FALSE(Page()->LibraryPanel()->isHidden());
    EXPECT_EQ(Titles(), (QStringList{"Второй", "Первый"}));
    EXPECT_FALSE(Enabled("ScriptLibraryDownload"));
    SelectTitle("Первый");
    EXPECT_TRUE(Enabled("ScriptLibraryDownload"));
    EXPECT_FALSE(Enabled("ScriptLibraryDelete"));
    EXPECT_FALSE(Enabled("ScriptLibraryRate0"));

    // A rating through the menu asks for the comment first.
    Modal.Then([](QWidget* w) {
        auto* input = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(input->windowTitle(), "Комментарий");
        EXPECT_EQ(input->labelText(), "Вы можете оставить свой комментарий:");
        input->setTextValue("Годится");
        input->accept();
    });
    ASSERT_TRUE(Window->Commands().Trigger("ScriptLibraryRate4"));
    ASSERT_EQ(Fake.Ratings().size(), 1u);
    EXPECT_EQ(Fake.Ratings()[0].Notes, "Годится");
    EXPECT_EQ(Page()->LibraryList()->currentItem()->text(9), "4");  // reloaded, still selected
    Window->Commands().Evaluate();
    EXPECT_TRUE(Action("ScriptLibraryRate4")->isChecked());
    EXPECT_TRUE(Enabled("ScriptLibraryRate0"));

    // Another filter reloads with its number.
    QComboBox* filter = Page()->LibraryFilter();
    filter->setCurrentIndex(5);
    emit filter->activated(5);
    EXPECT_EQ(Fake.Calls().back().Field("fltid"), "4");
    EXPECT_EQ(Titles(), QStringList{"Первый"});
    EXPECT_EQ(Ws().FormKeys().ScriptLibraryFilter, 5);

    ASSERT_TRUE(Window->Commands().Trigger("ScriptLibraryDownload"));
    EXPECT_EQ(Ws().Script().Lines(), (std::vector<std::string>{"L1", "L2"}));

    Modal.Then([](QWidget* w) {
        auto* rates = dynamic_cast<TFormScrRates*>(w);
        ASSERT_NE(rates, nullptr);
        ASSERT_EQ(rates->List()->topLevelItemCount(), 1);
        EXPECT_EQ(rates->List()->topLevelItem(0)->text(0), "Я");
        EXPECT_EQ(rates->List()->topLevelItem(0)->text(5), "Годится");
        rates->reject();
    });
    ASSERT_TRUE(Window->Commands().Trigger("ScriptLibraryRates"));

    // Hiding the panel empties the list.
    ASSERT_TRUE(Window->Commands().Trigger("ScriptLibrary"));
    EXPECT_TRUE(Page()->LibraryPanel()->isHidden());
    EXPECT_EQ(Page()->LibraryList()->topLevelItemCount(), 0);
    EXPECT_FALSE(Enabled("ScriptLibraryRefresh"));
}

TEST_F(LibraryPanel, PublishingStaysOpenOnATakenTitleAndViewingIsReadOnly) {
    WriteFileAtomic(Dir / "mine.lsc", "my line\r\n");
    ASSERT_TRUE(Ws().ScriptOpen(Dir / "mine.lsc"));
    Modal.Then([this](QWidget* w) {
        auto* d = dynamic_cast<TFormScrPublic*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->AuthorEdit()->text(), "Я");
        EXPECT_TRUE(d->PublicButton()->isChecked());
        EXPECT_TRUE(d->OwnAppButton()->isChecked());
        EXPECT_EQ(d->OwnAppButton()->text(), "Только в \"Quadrix_4d10\"");
        d->TitleEdit()->setText("Первый");
        Modal.ThenAnswer(QMessageBox::Ok);
        d->accept();
        EXPECT_TRUE(d->isVisible());  // the taken title keeps it open
        d->TitleEdit()->setText("Мой новый");
        d->AnyAppButton()->setChecked(true);
        d->accept();
    });
    ASSERT_TRUE(Window->Commands().Trigger("ScriptLibraryUpload"));
    ASSERT_FALSE(Modal.Boxes.empty());
    EXPECT_EQ(Modal.Boxes[0].Text, "Сценарий с таким названием уже существует!\nВыберите другое название.");
    ASSERT_EQ(Fake.Scripts().size(), 3u);
    EXPECT_TRUE(Fake.Scripts().back().Universal);
    EXPECT_EQ(Page()->LibraryList()->currentItem()->text(1), "Мой новый");
    EXPECT_EQ(Page()->LibraryList()->currentItem()->text(0), "Мой");
    EXPECT_TRUE(Enabled("ScriptLibraryDelete"));

    SelectTitle("Первый");
    Modal.Then([](QWidget* w) {
        auto* d = dynamic_cast<TFormScrPublic*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(d->TitleEdit()->isReadOnly());
        EXPECT_FALSE(d->PublicButton()->isEnabled());
        EXPECT_FALSE(d->Buttons()->button(QDialogButtonBox::Ok)->isVisible());
        d->reject();
    });
    emit Page()->LibraryList()->itemDoubleClicked(Page()->LibraryList()->currentItem(), 0);
    EXPECT_TRUE(Modal.Done());
}

} // namespace
