#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableView>
#include <set>

#include "ViewsTestSupport.h"
#include "app/Workspace.h"
#include "core/IniFile.h"
#include "core/Shell.h"
#include "views/Commands.h"
#include "views/MainStatusBar.h"
#include "views/ProgramIcon.h"
#include "views/QtShell.h"
#include "views/draws/DrawsModel.h"
#include "views/draws/DrawsPage.h"

using namespace qx;
using namespace qx::test;

namespace {

QColor Background(TDrawsModel* model, int row, int column) {
    return model->data(model->index(row, column), Qt::BackgroundRole).value<QBrush>().color();
}

QStringList TabCaptions(QTabWidget* tabs, bool visibleOnly) {
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        if (!visibleOnly || tabs->isTabVisible(i)) captions << tabs->tabText(i);
    return captions;
}

} // namespace

using MainWindow = MainWindowFixture;

TEST_F(MainWindow, ShowsTheRealArchiveNewestFirstWithStatusPanels) {
    QX_REQUIRE_REAL_ARCHIVE();
    PutRealArchive();
    Open();
    TMainStatusBar* status = Window->StatusPanels();
    EXPECT_EQ(status->PanelText(0), "Архив тиражей: 13788");
    EXPECT_EQ(status->PanelText(1), "Следующий тираж: 13789");
    EXPECT_EQ(status->PanelText(2), ""); // at offset 0 no draw follows
    EXPECT_EQ(status->Panel(0)->width(), 150);
    EXPECT_EQ(status->Panel(1)->width(), 180);
    EXPECT_EQ(status->Panel(2)->width(), 130);
    EXPECT_TRUE(status->Panel(2)->alignment() & Qt::AlignHCenter);

    TDrawsModel* model = Window->DrawsPage()->Model();
    ASSERT_EQ(model->rowCount(), 13788);
    const TDrawRecord& newest = Window->Workspace().Draws().back();
    EXPECT_EQ(model->index(0, TDrawsModel::ColNumber).data().toInt(), newest.Number);
    EXPECT_EQ(model->index(0, TDrawsModel::ColDate).data().toString().toStdString(), newest.DateLabel());
    int sum = 0;
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(model->index(0, TDrawsModel::ColDigit1 + p).data().toInt(), newest.Digits[p]);
        sum += newest.Digits[p];
    }
    EXPECT_EQ(model->index(0, TDrawsModel::ColSum).data().toInt(), sum);
    EXPECT_EQ(model->index(13787, TDrawsModel::ColNumber).data().toInt(), 1);
    EXPECT_EQ(model->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), "Дата тиража");
    QTableView* list = Window->DrawsPage()->List();
    EXPECT_EQ(list->horizontalHeader()->sectionSize(0), 54);
    EXPECT_EQ(list->horizontalHeader()->sectionSize(1), 24);
    EXPECT_EQ(list->horizontalHeader()->sectionSize(5), 30);
    EXPECT_EQ(list->horizontalHeader()->sectionSize(6), 100);
    EXPECT_TRUE(Window->windowTitle().endsWith(" версия " QUADRIX_VERSION));
    EXPECT_TRUE(Window->windowTitle().startsWith("Анализ статистики лотереи \"Pick 4\""));
}

TEST_F(MainWindow, ChangingTheOffsetMovesTheCurrentRowAndTheStatusPanels) {
    QX_REQUIRE_REAL_ARCHIVE();
    PutRealArchive();
    Open();
    TDrawsModel* model = Window->DrawsPage()->Model();
    const QColor pink(255, 170, 170);
    // With channel colours on, the digit cells keep their channel colour and the rest is pink.
    EXPECT_EQ(Background(model, 0, TDrawsModel::ColNumber), pink);
    EXPECT_EQ(Background(model, 1, TDrawsModel::ColNumber), QColor(Qt::white));

    QSpinBox* offset = Window->DrawsPage()->OffsetEdit();
    EXPECT_EQ(offset->maximum(), 13787);
    offset->setValue(5);
    EXPECT_EQ(Window->Workspace().DrawsOffset(), 5);
    EXPECT_EQ(Background(model, 5, TDrawsModel::ColNumber), pink);
    EXPECT_EQ(Background(model, 5, TDrawsModel::ColDate), pink);
    EXPECT_EQ(Background(model, 0, TDrawsModel::ColNumber), QColor(Qt::white));
    const TDrawsArray& draws = Window->Workspace().Draws();
    const TDrawRecord& current = draws[draws.size() - 6];
    const TDrawRecord& following = draws[draws.size() - 5];
    TMainStatusBar* status = Window->StatusPanels();
    EXPECT_EQ(status->PanelText(1).toStdString(), "Следующий тираж: " + std::to_string(current.Number + 1));
    EXPECT_EQ(status->PanelText(2).toStdString(),
              std::to_string(following.Digits[0]) + ";" + std::to_string(following.Digits[1]) + ";" +
                  std::to_string(following.Digits[2]) + ";" + std::to_string(following.Digits[3]));

    // Without channel colours only the current row is coloured, all of it.
    Action("ViewColorDraws")->trigger();
    EXPECT_FALSE(Window->Workspace().FormKeys().ColorDraws);
    EXPECT_EQ(Background(model, 5, TDrawsModel::ColDigit1), pink);
    EXPECT_FALSE(model->data(model->index(4, TDrawsModel::ColDigit1), Qt::BackgroundRole).isValid());
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "ColorDraws", ""), "0");
}

TEST_F(MainWindow, FirstStartOnAnEmptyDirectoryUsesTheDefaults) {
    Open();
    EXPECT_TRUE(Window->Started());
    EXPECT_EQ(Window->StatusPanels()->PanelText(0), "Архив тиражей: 0");
    EXPECT_EQ(Window->StatusPanels()->PanelText(1), "Следующий тираж: 1");
    EXPECT_EQ(TabCaptions(Window->ListTabs(), false), QStringList({"Архив тиражей", "Комбинации"}));
    EXPECT_EQ(TabCaptions(Window->MainTabs(), false),
              QStringList({"Статистика", "Графики", "Карта", "Схема", "Неделя", "Ставки", "Рейтинг",
                           "Регуляры", "Системы", "Сценарий"}));
    // The systems arrive hidden: their tab, their menu and their two stake commands.
    EXPECT_EQ(TabCaptions(Window->MainTabs(), true),
              QStringList({"Статистика", "Графики", "Карта", "Схема", "Неделя", "Ставки", "Рейтинг",
                           "Регуляры", "Сценарий"}));
    EXPECT_FALSE(Window->Commands().Menu("menuSystems")->menuAction()->isVisible());
    EXPECT_FALSE(Action("SystemStakeAll")->isVisible());
    EXPECT_EQ(Window->Splitter()->sizes().front(), 335);
    EXPECT_TRUE(Window->DrawsPage()->OffsetEdit()->isEnabled());
    EXPECT_EQ(Window->DrawsPage()->OffsetEdit()->maximum(), 0);
    EXPECT_FALSE(Action("DrawsExport")->isEnabled()); // nothing to export yet
    EXPECT_TRUE(Action("DrawsAdd")->isEnabled());
}

TEST_F(MainWindow, CarriesTheProgramIconInEveryRenderedSize) {
    Open();
    for (int size : ProgramIconSizes()) {
        const QImage picture(QString(":/icons/%1/quadrix.png").arg(size));
        EXPECT_EQ(picture.size(), QSize(size, size)) << size;  // the folder's name is its size
    }
    const QIcon icon = Window->windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : ProgramIconSizes()) EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
}

TEST_F(MainWindow, BusyStateDisablesEveryCommandButTheFewThatMustStayUsable) {
    Open();
    const std::vector<std::string> wired = {"DrawsAdd", "DrawsImport", "EditConfig",
                                            "About",    "TabCard",     "ExitProgram"};
    for (const auto& name : wired) EXPECT_TRUE(Action(name.c_str())->isEnabled()) << name;
    Window->Shell().BeginBusy();
    for (const auto& name : wired) EXPECT_FALSE(Action(name.c_str())->isEnabled()) << name;
    EXPECT_FALSE(Window->DrawsPage()->OffsetEdit()->isEnabled());
    // A hint does not replace the progress text while busy.
    Window->Shell().ShowStatus("Загрузка файла тиражей...");
    QStatusTipEvent tip("Добавить данные тиража вручную");
    QApplication::sendEvent(Window.get(), &tip);
    EXPECT_EQ(Window->StatusPanels()->PanelText(6), "Загрузка файла тиражей...");
    Window->Shell().EndBusy();
    for (const auto& name : wired) EXPECT_TRUE(Action(name.c_str())->isEnabled()) << name;
    QApplication::sendEvent(Window.get(), &tip);
    EXPECT_EQ(Window->StatusPanels()->PanelText(6), "Добавить данные тиража вручную");
    std::set<std::string> whileBusy;
    for (const TCommandDef& def : CommandTable())
        if (def.WhileBusy) whileBusy.insert(def.Name);
    EXPECT_EQ(whileBusy, (std::set<std::string>{"ScriptStop", "StakesGraphOverlap", "StakesGraphProfits"}));
}

TEST_F(MainWindow, ASecondWindowOnTheSameDirectoryGetsTheExclusiveAccessMessageAndQuits) {
    Open();
    ASSERT_TRUE(Window->Started());
    Modal.ThenAnswer(QMessageBox::Ok);
    auto second = std::make_unique<TFormMain>(Options());
    second->show();
    ASSERT_TRUE(WaitUntil([&] { return second->QuitRequested(); }));
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Caption, "Ошибка");
    // The fixed text, then the system's reason.
    EXPECT_TRUE(Modal.Boxes[0].Text.startsWith(QString::fromStdString(kExclusiveAccessMessage).replace('\r', '\n') + "\n\n"));
    EXPECT_FALSE(second->isVisible());
    second.reset();
    // The first window is undisturbed, and the second wrote nothing over its window state.
    EXPECT_TRUE(Window->Started());
    EXPECT_FALSE(TIniFile::Load(Dir / "Quadrix_4d10.frm").HasKey("TFormMain", "NormPos"));
}

TEST_F(MainWindow, ClosingWhileBusyWaitsForTheOperationAndARunningScriptIsAskedFirst) {
    Open();
    bool running = true, stopped = false;
    Window->SetScriptHooks([&] { return running; },
                           [&] {
                               stopped = true;
                               running = false;
                           });
    Modal.ThenAnswer(QMessageBox::No);
    Window->close();
    EXPECT_TRUE(Window->isVisible());
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Text, "Остановить выполнение сценария?");
    EXPECT_EQ(Modal.Boxes[0].Default, QMessageBox::No);
    EXPECT_FALSE(stopped);

    Window->Shell().BeginBusy();
    running = true;
    Modal.ThenAnswer(QMessageBox::Yes);
    Window->close();
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(Window->isVisible()); // the operation still runs
    Window->Shell().EndBusy();
    EXPECT_TRUE(WaitUntil([&] { return !Window->isVisible(); }));
}
