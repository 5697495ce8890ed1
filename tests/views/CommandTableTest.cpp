#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <set>

#include "ViewsTestSupport.h"
#include "views/CommandTable.h"
#include "views/Commands.h"
#include "views/draws/DrawsPage.h"

using namespace qx;
using namespace qx::test;

namespace {

// The menu as built, in the table's terms: command names, "-" and submenu names with their items.
void Flatten(const QMenu* menu, std::vector<std::string>& out) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out.push_back("-");
        } else if (a->menu()) {
            out.push_back("[" + a->menu()->objectName().toStdString());
            Flatten(a->menu(), out);
            out.push_back("]");
        } else {
            std::string name = a->objectName().toStdString();
            out.push_back(name.substr(0, name.find('_' + menu->objectName().toStdString())));
        }
    }
}

void Flatten(const std::vector<TMenuEntry>& items, std::vector<std::string>& out, bool withLanguages) {
    for (const TMenuEntry& e : items) {
        if (e.Type == TMenuEntry::Separator) out.push_back("-");
        if (e.Type == TMenuEntry::Command) out.push_back(e.Name);
        if (e.Type == TMenuEntry::Submenu) {
            out.push_back("[" + e.Name);
            if (e.Name == "menuLanguages" && withLanguages) out.push_back("Language1049");
            Flatten(e.Items, out, withLanguages);
            out.push_back("]");
        }
    }
}

} // namespace

using Commands = MainWindowFixture;

TEST_F(Commands, EveryCommandOfTheTableIsAnActionWithItsCaptionShortcutAndHint) {
    Open();
    ASSERT_EQ(CommandTable().size(), 144u);
    std::set<std::string> names;
    for (const TCommandDef& def : CommandTable()) {
        EXPECT_TRUE(names.insert(def.Name).second) << "twice: " << def.Name;
        QAction* a = Action(def.Name);
        ASSERT_NE(a, nullptr) << def.Name;
        EXPECT_EQ(a->objectName(), def.Name);
        EXPECT_EQ(a->text().toStdString(), def.Caption) << def.Name;
        EXPECT_EQ(a->shortcut(), QKeySequence::fromString(def.Shortcut)) << def.Name;
        EXPECT_FALSE(std::string(def.Hint).empty()) << def.Name;
        EXPECT_EQ(a->statusTip().toStdString(), def.Hint) << def.Name;
        EXPECT_EQ(a->isCheckable(), def.Kind != TCommandKind::Normal) << def.Name;
    }
    // Spot checks against the texts the menus must show.
    EXPECT_EQ(Action("SystemStakeAll")->text(), QString("Cистемная игра по списку системы"));
    EXPECT_EQ(Action("SystemStakeAll")->text().at(0), QChar('C')); // a Latin capital letter
    EXPECT_EQ(Action("StakeClear")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
    EXPECT_EQ(Action("ScriptEdit")->shortcuts().size(), 2); // keypad Enter and the main Return key
    EXPECT_EQ(Action("TabTables")->statusTip(), "Скрыть / показать вкладку \"Регулярные ставки\"");
}

TEST_F(Commands, MenusHoldTheirCommandsInTableOrder) {
    Open();
    QList<QAction*> top = Window->menuBar()->actions();
    ASSERT_EQ(top.size(), static_cast<int>(MainMenuTable().size()));
    for (size_t i = 0; i < MainMenuTable().size(); ++i) {
        const TMenuDef& def = MainMenuTable()[i];
        QMenu* menu = top[static_cast<int>(i)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName().toStdString(), def.Name);
        EXPECT_EQ(menu->title().toStdString(), def.Caption);
        std::vector<std::string> built, expected;
        Flatten(menu, built);
        Flatten(def.Items, expected, true);
        EXPECT_EQ(built, expected) << def.Name;
    }
    // One command, two captions: the systems switch reads differently in the "Вид" menu.
    QMenu* view = Window->Commands().Menu("menuView");
    const QList<QAction*> items = view->actions();
    auto it = std::find_if(items.begin(), items.end(),
                           [](QAction* a) { return a->objectName().startsWith("SystemsOn"); });
    ASSERT_NE(it, items.end());
    EXPECT_EQ((*it)->text(), "Вкладка \"Системы\"");
    EXPECT_EQ(Action("SystemsOn")->text(), "Системная игра");
    // Every command of the table is reachable from a menu, a context menu or a button.
    std::set<std::string> reachable;
    for (const TMenuDef& def : MainMenuTable()) {
        std::vector<std::string> flat;
        Flatten(def.Items, flat, false);
        reachable.insert(flat.begin(), flat.end());
    }
    for (const TContextMenuDef& def : ContextMenuTable())
        reachable.insert(def.Items.begin(), def.Items.end());
    for (const TCommandDef& def : CommandTable()) {
        if (reachable.count(def.Name)) continue;
        EXPECT_NE(Window->findChild<QWidget*>(QString("btn") + def.Name), nullptr) << def.Name;
    }
}

TEST_F(Commands, ContextMenusBelongToTheirListsWithTheDefaultItem) {
    Open();
    for (const TContextMenuDef& def : ContextMenuTable()) {
        QWidget* area = Window->findChild<QWidget*>(QString::fromStdString(def.Area));
        ASSERT_NE(area, nullptr) << def.Area;
        auto* menu = area->findChild<QMenu*>(QString::fromStdString(def.Name));
        ASSERT_NE(menu, nullptr) << def.Name;
        std::vector<std::string> built;
        Flatten(menu, built);
        EXPECT_EQ(built, def.Items) << def.Name;
    }
    auto* pmDraws = Window->findChild<QMenu*>("pmDraws");
    ASSERT_NE(pmDraws->defaultAction(), nullptr);
    EXPECT_EQ(pmDraws->defaultAction()->objectName(), "DrawsInfo");
}

TEST_F(Commands, OnlyCommandsOfBuiltPartsAreEnabled) {
    Open();
    const std::set<std::string> wired = {"EditConfig", "ExitProgram",    "DrawsAdd",  "DrawsImport",
                                         "TabGraps",   "TabCard",        "TabLayout", "TabWeek",
                                         "TabTables",  "ViewColorDraws", "About",     "OpenLotoSite",
                                         // an empty archive: the statistics tab offers only these
                                         "FiltersInfo", "DrawsStatePrefetchsEnabled",
                                         // the draw download, its start-up mode and the proxy
                                         "DrawsDownload", "AutoDownload0", "AutoDownload1", "AutoDownload2",
                                         "EditProxy", "CheckUpdate", "AutoSelfUpdate",
                                         // favourites, names and the shredding formulas
                                         "FiltersManager", "FiltersReset", "EditShredding",
                                         // the switches of the card, layout and week tabs
                                         "ViewColorCard", "ViewColorCardSequences", "ViewShemaGradient",
                                         "ViewWeekChartMode", "ViewWeekChartType",
                                         // the card's grid has its eleven columns even when empty
                                         "CardXlsExport",
                                         // regulars, system play and the sum distribution
                                         "TablesAdd", "SystemsOn", "TotalSumCombs"};
    // The combination list's commands over the full list (pasting depends on the clipboard).
    const std::set<std::string> combs = {"CombsGen",  "CombsOpen",      "CombsSave",      "CombsCheckNums",
                                         "CombsCopy", "CombsSelectAll", "ViewColorCombs", "CombsXlsExport",
                                         "WeekFilter_Include", "WeekFilter_Exclude"};
    // The stakes file is open and empty: stakes can be made, the options switched, the rating rebuilt.
    const std::set<std::string> stakes = {"StakeAdd",        "StakeAddRandom",  "StakeAddAll",     "LogStakes",
                                          "LogStakesDelete", "StakesScroll",    "StakesCheckLine", "RatingsEffMode0",
                                          "RatingsEffMode1", "RatingsEffMode2", "RatingsRefresh"};
    // An empty script: lines can be made or read, the log switched and old logs deleted; the
    // library panel (shown by default) can be hidden and reloaded.
    const std::set<std::string> script = {"ScriptOpen", "ScriptAdd",     "ScriptLoad",          "LogToggle",
                                          "LogsDelete", "ScriptLibrary", "ScriptLibraryRefresh"};
    for (const TCommandDef& def : CommandTable()) {
        if (std::string(def.Name) == "CombsPaste") continue;
        EXPECT_EQ(Action(def.Name)->isEnabled(),
                  wired.count(def.Name) + combs.count(def.Name) + stakes.count(def.Name) + script.count(def.Name) > 0)
            << def.Name;
    }
    // Switches of later parts still show their settings.
    EXPECT_TRUE(Action("AutoDownload0")->isChecked());
    EXPECT_TRUE(Action("AutoSelfUpdate")->isChecked());
    EXPECT_FALSE(Action("DrawsSorted")->isChecked());
    EXPECT_TRUE(Action("RatingsEffMode1")->isChecked());
    EXPECT_TRUE(Action("TabCard")->isChecked());
}

TEST_F(Commands, SharedShortcutsGoToTheListWithTheFocus) {
    Open();
    // Every key that several commands carry has its routing.
    std::map<std::string, int> uses;
    for (const TCommandDef& def : CommandTable())
        if (*def.Shortcut) ++uses[def.Shortcut];
    std::set<std::string> shared, routed;
    for (const auto& [key, n] : uses)
        if (n > 1) shared.insert(key);
    for (const TSharedShortcut& s : SharedShortcutTable()) routed.insert(s.Key);
    EXPECT_EQ(shared, routed);

    const TSharedShortcut* ctrlDel = nullptr;
    const TSharedShortcut* altF4 = nullptr;
    for (const TSharedShortcut& s : SharedShortcutTable()) {
        if (s.Key == "Ctrl+Del") ctrlDel = &s;
        if (s.Key == "Alt+F4") altF4 = &s;
    }
    ASSERT_TRUE(ctrlDel && altF4);
    TCommands& commands = Window->Commands();
    // The deleting commands are not built yet: with nothing enabled the key does nothing.
    EXPECT_EQ(commands.RouteSharedKey(*ctrlDel), "");
    EXPECT_EQ(commands.RouteSharedKey(*altF4), "ExitProgram");
    commands.Register("CombsDelSelected", {[] {}, nullptr, nullptr, nullptr});
    commands.Register("ScriptDel", {[] {}, nullptr, nullptr, nullptr});
    commands.Evaluate();
    Window->activateWindow();
    Window->findChild<QWidget*>("lvCombs")->setFocus();
    EXPECT_EQ(commands.RouteSharedKey(*ctrlDel), "CombsDelSelected");
    Window->DrawsPage()->List()->setFocus();
    EXPECT_EQ(commands.RouteSharedKey(*ctrlDel), ""); // never in a list the user does not look at
}
