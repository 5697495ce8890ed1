#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTreeWidget>
#include <thread>

#include "ViewsTestSupport.h"
#include "app/Workspace.h"
#include "views/CommandTable.h"
#include "views/Commands.h"
#include "views/dialogs/FormManager.h"
#include "views/dialogs/FormShredding.h"
#include "views/draws/DrawsPage.h"

using namespace qx;
using namespace qx::test;

using FavouritesViews = MainWindowFixture;

namespace {

QTreeWidgetItem* NodeOf(TFormManager& m, const QString& text) {
    const auto found = m.Tree()->findItems(text, Qt::MatchContains | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

QStringList ChooserTexts(QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    return texts;
}

const TSharedShortcut& Shared(const char* key) {
    for (const TSharedShortcut& s : SharedShortcutTable())
        if (s.Key == key) return s;
    throw std::runtime_error(key);
}

} // namespace

// Ticks, a rename and OK: the choosers offer the ticked methods under their new names.
TEST_F(FavouritesViews, TheManagerTicksRenamesAndRefillsTheChoosers) {
    Open();
    Modal.Then([&](QWidget* w) {
        auto* m = dynamic_cast<TFormManager*>(w);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->windowTitle(), "Менеджер избранных методов расчета статистики");
        EXPECT_EQ(m->CountLabel()->text(),
                  QString("всего %1 методов").arg(Window->Workspace().Stats().Count()));
        EXPECT_EQ(m->Tree()->topLevelItem(0)->text(0), "{ num } Числа тиража");
        EXPECT_FALSE(m->Action("Rename")->isEnabled());
        m->Tree()->setCurrentItem(m->Tree()->topLevelItem(0));
        EXPECT_TRUE(m->Action("GroupNone")->isEnabled());
        EXPECT_FALSE(m->Action("Rename")->isEnabled());
        m->Action("CheckNone")->trigger();
        QTreeWidgetItem* digits = NodeOf(*m, "Цифры тиража");
        QTreeWidgetItem* shr = NodeOf(*m, "Метод шинковки 2");
        ASSERT_TRUE(digits && shr);
        emit m->Tree()->itemClicked(digits, 0);  // ticks
        emit m->Tree()->itemClicked(shr, 0);
        emit m->Tree()->itemClicked(m->Tree()->topLevelItem(1), 0);  // a group node: nothing
        m->Tree()->setCurrentItem(shr);
        EXPECT_TRUE(m->Action("Rename")->isEnabled());
        m->AskName = [](const QString& text) {
            EXPECT_EQ(text, "Метод шинковки 2: %s");
            return std::optional<QString>("Моя формула %s (100%)");
        };
        m->Action("Rename")->trigger();
        EXPECT_EQ(shr->text(0), "Моя формула %s (100%)");
        m->findChild<QCheckBox*>("cbShowGroupName")->setChecked(false);
        PressButton(m, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("FiltersManager"));
    EXPECT_TRUE(Modal.Done());
    auto* chooser = Find<QComboBox>("cbDrawsStatType");
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(ChooserTexts(chooser),
              (QStringList{"Цифры тиража [ N ]", "Моя формула (n1+n3)/(n2+n4) (100%) [ SNG ]"}));
    EXPECT_EQ(ChooserTexts(Find<QComboBox>("cbDrawsGraphType")), (QStringList{"Моя формула (n1+n3)/(n2+n4) (100%) [ SNG ]"}));
}

// Ctrl+F7 outside the statistics list asks first (No is the default); F7 there opens the manager.
TEST_F(FavouritesViews, ResetAsksAndF7OpensTheManagerOutsideTheStatisticsList) {
    Open();
    const int all = Find<QComboBox>("cbDrawsStatType")->count();
    Window->Workspace().SetFavouriteCodes("NUMS");
    Modal.ThenAnswer(QMessageBox::No);
    ASSERT_TRUE(Window->Commands().Trigger("FiltersReset"));
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Text, "Вы действительно хотите сбросить список избранных фильтров?");
    EXPECT_EQ(Modal.Boxes[0].Caption, "Подтверждение");
    EXPECT_EQ(Modal.Boxes[0].Default, QMessageBox::No);
    EXPECT_EQ(Find<QComboBox>("cbDrawsStatType")->count(), 1);
    Modal.ThenAnswer(QMessageBox::Yes);
    ASSERT_TRUE(Window->Commands().Trigger("FiltersReset"));
    EXPECT_EQ(Find<QComboBox>("cbDrawsStatType")->count(), all);

    Window->activateWindow();
    Window->DrawsPage()->List()->setFocus();
    EXPECT_EQ(Window->Commands().RouteSharedKey(Shared("F7")), "FiltersManager");
    EXPECT_EQ(Window->Commands().RouteSharedKey(Shared("Ctrl+F7")), "FiltersReset");
}

// The formula dialog: shown with the settings, OK renames the methods and rebuilds only their
// full-set files.
TEST_F(FavouritesViews, TheFormulaDialogRenamesAndRebuildsOnlyItsMethodsFiles) {
    WriteBytes(Dir / "Quadrix_4d10.frm", "[TFormMain]\r\nPrefetchsInit=1\r\nPrefetchsEnabled=1\r\n");
    Open();
    TWorkspace& ws = Window->Workspace();
    const auto stamp = [&](const char* code) {
        return std::filesystem::last_write_time(ws.FullSetFile(ws.Stats().IndexOfCode(code)));
    };
    const auto nums = stamp("NUMS"), shr3 = stamp("SHR3");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Modal.Then([&](QWidget* w) {
        auto* d = dynamic_cast<TFormShredding*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), "Методы шинковки");
        EXPECT_EQ(d->FormulaEdit(2)->text(), "(n3+n4)/(n1+n2)");
        EXPECT_EQ(d->FormulaEdit(2)->toolTip(), "Используемая формула");
        EXPECT_EQ(d->PlacesEdit(2)->maximum(), 5);
        EXPECT_NE(d->findChild<QLabel*>("lbVariables")->text().indexOf("p1, p2, p3, ..., pX"), -1);
        d->FormulaEdit(2)->setText("SQRT(n1+p1)");
        d->PlacesEdit(2)->setValue(4);
        PressButton(d, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("EditShredding"));
    EXPECT_EQ(ws.Shredding().Formula[2], "SQRT(n1+p1)");
    EXPECT_EQ(ws.Shredding().Digits[2], 4);
    EXPECT_TRUE(ChooserTexts(Find<QComboBox>("cbDrawsStatType")).contains("{ shr } Метод шинковки 3: SQRT(n1+p1) [ SNG ]"));
    EXPECT_EQ(stamp("NUMS"), nums);
    EXPECT_GT(stamp("SHR3"), shr3);
}
