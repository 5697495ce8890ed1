#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include "ViewsTestSupport.h"
#include "core/IniFile.h"
#include "views/Commands.h"
#include "views/SortableList.h"
#include "views/draws/DrawsPage.h"
#include "views/pages/StatPage.h"

using namespace qx;
using namespace qx::test;

using FormState = MainWindowFixture;

namespace {

int TabIndex(QTabWidget* tabs, const char* page) {
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->objectName() == page) return i;
    return -1;
}

} // namespace

TEST_F(FormState, PanelWidthColumnWidthsPlacementAndSortSurviveARestart) {
    Open();
    Window->setGeometry(40, 50, 900, 700);
    Window->Splitter()->setSizes({410, 490});
    Window->DrawsPage()->List()->horizontalHeader()->resizeSection(6, 140);
    auto stat = [&]() -> TSortState& { return static_cast<TStatPage*>(Window->Page("tsDrawsStat"))->Sort(); };
    stat().Click(4);
    stat().Click(4); // the second click reverses the direction
    Pump();
    Reopen();
    EXPECT_EQ(Window->Splitter()->sizes().front(), 410);
    EXPECT_EQ(Window->DrawsPage()->List()->horizontalHeader()->sectionSize(6), 140);
    EXPECT_EQ(Window->geometry(), QRect(40, 50, 900, 700));
    EXPECT_EQ(stat().Column(), 4);
    EXPECT_TRUE(stat().Descending());
    EXPECT_EQ(Window->Workspace().StatTab().SortColumn(), 4);  // the engine sorts by it too

    TIniFile frm = TIniFile::Load(Dir / "Quadrix_4d10.frm");
    EXPECT_EQ(frm.ReadString("TFormMain", "LeftPanelWidth", ""), "410");
    EXPECT_EQ(frm.ReadString("TFormMain", "lvDraws.Column6", ""), "140");
    EXPECT_EQ(frm.ReadString("TFormMain", "lvDrawsStat.SortType", ""), "4,1");
    EXPECT_EQ(frm.ReadString("TFormMain", "NormPos", ""), "40,50,940,750");
    EXPECT_EQ(frm.ReadString("TFormMain", "ShowCmd", ""), "1");
    // The full-set columns of the statistics table are hidden while the comparison is off.
    EXPECT_EQ(frm.ReadString("TFormMain", "lvDrawsStat.Column3", ""), "0");
    for (const char* list : {"lvDraws", "lvCombs", "lvFilters", "lvDrawsStat", "sgStakes", "lvRatings",
                             "lvTables", "lvSystems", "lvScript", "lvOnlineScripts"})
        EXPECT_TRUE(frm.HasKey("TFormMain", std::string(list) + ".Column0")) << list;
}

TEST_F(FormState, SizesAndLengthsOfThePagesAreKeptInTheirKeys) {
    WriteBytes(Dir / "Quadrix_4d10.frm",
               "[TFormMain]\r\nDrawsStatLen=250\r\nWeekLen=77\r\nLayoutCompareLen3=222\r\nDrawsExclude=4\r\n"
               "FiltersHeight=150\r\nScriptLibraryFilter=5\r\n");
    Open();
    EXPECT_EQ(Window->findChild<QSpinBox*>("edDrawsStatLen")->value(), 250);
    EXPECT_EQ(Window->findChild<QSpinBox*>("edWeekLen")->value(), 77);
    EXPECT_EQ(Window->findChild<QSpinBox*>("edLayoutCmp3")->value(), 222);
    EXPECT_EQ(Window->findChild<QSpinBox*>("edCombsExclude")->value(), 4);
    Window->ListTabs()->setCurrentIndex(1);
    Pump();
    EXPECT_EQ(Window->findChild<QSplitter*>("spFilters")->sizes().at(1), 150);
    Close();
    TIniFile frm = TIniFile::Load(Dir / "Quadrix_4d10.frm");
    EXPECT_EQ(frm.ReadString("TFormMain", "DrawsStatLen", ""), "250");
    EXPECT_EQ(frm.ReadString("TFormMain", "FiltersHeight", ""), "150");
    EXPECT_EQ(frm.ReadString("TFormMain", "ScriptLibraryFilter", ""), "5");
    EXPECT_EQ(frm.ReadString("TFormMain", "DrawsStatHeight", ""), "131");
}

TEST_F(FormState, OptionalTabsSwitchAtOnceAndKeepTheirState) {
    Open();
    QTabWidget* tabs = Window->MainTabs();
    const int card = TabIndex(tabs, "tsCard");
    ASSERT_TRUE(tabs->isTabVisible(card));
    Action("TabCard")->trigger();
    EXPECT_FALSE(tabs->isTabVisible(card));
    EXPECT_FALSE(Action("TabCard")->isChecked());
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "TabCard", ""), "0");
    Reopen();
    tabs = Window->MainTabs();
    EXPECT_FALSE(tabs->isTabVisible(card));
    Action("TabCard")->trigger();
    EXPECT_TRUE(tabs->isTabVisible(card));
    EXPECT_EQ(tabs->currentIndex(), card); // a tab shown becomes the active page
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "TabCard", ""), "1");
}

TEST_F(FormState, APlacementFromAnotherResolutionIsIgnoredAndOneOffScreenComesBack) {
    WriteBytes(Dir / "Quadrix_4d10.frm",
               "[TFormMain]\r\nShowCmd=1\r\nPixelsPerInch=1\r\nNormPos=10,10,500,400\r\n");
    Open();
    EXPECT_EQ(Window->size(), QSize(1077, 782));
    Close();
    const int dpi = qRound(QApplication::primaryScreen()->logicalDotsPerInchY());
    WriteBytes(Dir / "Quadrix_4d10.frm", "[TFormMain]\r\nShowCmd=1\r\nPixelsPerInch=" + std::to_string(dpi) +
                                             "\r\nNormPos=30000,30000,30800,30600\r\n");
    Open();
    EXPECT_EQ(Window->size(), QSize(800, 600));
    EXPECT_TRUE(QApplication::primaryScreen()->availableGeometry().intersects(Window->geometry()));
}
