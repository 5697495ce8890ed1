#include "views/TemplateMain.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabWidget>

#include "core/Error.h"
#include "core/FormState.h"
#include "core/Languages.h"
#include "views/Commands.h"
#include "views/FormStateIO.h"
#include "views/LanguageModule.h"
#include "views/MainStatusBar.h"
#include "views/ProgramIcon.h"
#include "views/QtShell.h"
#include "views/Tx.h"
#include "views/draws/DrawsPage.h"
#include "views/pages/CardPage.h"
#include "views/pages/CombsPage.h"
#include "views/pages/GraphsPage.h"
#include "views/pages/LayoutPage.h"
#include "views/pages/RatingPage.h"
#include "views/pages/ScriptPage.h"
#include "app/ScriptExecutor.h"
#include "views/pages/StakesPage.h"
#include "views/pages/StatPage.h"
#include "views/pages/SystemsPage.h"
#include "views/pages/TablesPage.h"
#include "views/pages/WeekPage.h"

namespace qx {
namespace {

constexpr int kDesignWidth = 1077;
constexpr int kDesignHeight = 782;
constexpr int kInitDelayMs = 100;

} // namespace

const std::vector<TTemplateMain::TOptionalTab>& TTemplateMain::OptionalTabs() {
    static const std::vector<TOptionalTab> tabs = {{"TabGraps", "TabGraphs", "tsDrawsGraph"},
                                                   {"TabCard", "TabCard", "tsCard"},
                                                   {"TabLayout", "TabLayout", "tsLayout"},
                                                   {"TabWeek", "TabWeek", "tsWeek"},
                                                   {"TabTables", "TabTables", "tsTables"}};
    return tabs;
}

TTemplateMain::TTemplateMain(const TMainWindowOptions& options, const std::string& gameDisplayName)
    : FOptions(options), FTitle("Анализ статистики лотереи \"" + gameDisplayName + "\"") {
    if (FOptions.ExePath.empty()) FOptions.ExePath = FOptions.ProgramDir / kProgramBaseName;
    setObjectName(kMainFormSection);
    setWindowIcon(ProgramIcon());
    FShell = std::make_unique<TQtShell>(this);
    TWorkspaceOptions wo;
    wo.ProgramDir = FOptions.ProgramDir;
    wo.ExeName = FOptions.ExePath.filename().string();
    wo.Switches = FOptions.Switches;
    FWorkspace = std::make_unique<TWorkspace>(*FShell, wo);
    FWorkspace->SetUpdateConsent([this](const TUpdateOffer& offer) { return AskUpdateConsent(offer); });
    FLanguage = std::make_unique<TLanguageModule>();
    StartFirstStage();
}

TTemplateMain::~TTemplateMain() {
    SaveFormState();
    FWorkspace->Shutdown();
    FWorkspace->RemoveObserver(this);
    FShell->SetBusyListener(nullptr);
    FShell->SetStatusPanel(nullptr);
    // The commands' rules and the pages refer to the workspace: they go first.
    delete FCommands;
    FCommands = nullptr;
    FPages.clear();
    FDrawsPage = nullptr;
    delete takeCentralWidget();
}

void TTemplateMain::StartFirstStage() {
    try {
        FWorkspace->StartFirstStage();
        if (FWorkspace->QuitRequested()) {
            FQuitRequested = true;
            return;
        }
        const TMainFormKeys& keys = FWorkspace->FormKeys();
        int language = FLanguage->Apply(RequestedLanguage(keys.Language, FOptions.Switches.NoLanguage),
                                        FOptions.ExePath, *FShell, FOptions.LanguageDirs);
        FWorkspace->SetInterfaceLanguage(language);
        const TLanguageInfo* info = FindLanguage(language);
        FHelp = LocateHelpFile(FOptions.ProgramDir, info ? info->Abbr : "RUS", FOptions.HelpShareDir);
        FWorkspace->Stats().HelpFile = FHelp.Path;  // method descriptions open topics of it
        try {
            FLinks = TWebLinks::Read(TIniFile::Load(FWorkspace->Paths().ConfigFile()));
        } catch (const std::exception&) {
            FLinks = TWebLinks(); // the configuration file's own reader has reported the problem
        }
        BuildWindow();
        ApplyFormState();
        FInitTimer.setSingleShot(true);
        FInitTimer.setInterval(kInitDelayMs);
        connect(&FInitTimer, &QTimer::timeout, this, &TTemplateMain::StartSecondStage);
        FInitTimer.start();
    } catch (const std::exception& e) {
        FShell->ShowError(FailureText("Ошибка запуска программы!\r\r%s", e.what()));
    }
}

void TTemplateMain::StartSecondStage() {
    FInitTimer.stop();
    try {
        setWindowTitle(Tx(FTitle) + Tx(" версия ") + QStringLiteral(QUADRIX_VERSION));
        if (!FWorkspace->StartSecondStage()) {
            RequestQuit();
            return;
        }
        if (FWorkspace->RestartRequested()) {
            RestartAfterUpdate();
            if (FQuitRequested) return;
        }
        StatusPanelsChanged();
        FCommands->Evaluate();
        if (FWorkspace->FormKeys().FirstRun) ShowFirstRun();
    } catch (const std::exception& e) {
        FShell->ShowError(FailureText("Ошибка инициализации программы!\r\r%s", e.what()));
    }
}

void TTemplateMain::BuildWindow() {
    setWindowTitle(Tx(FTitle));
    setFont(QApplication::font("QMenu"));
    resize(kDesignWidth, kDesignHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(kDesignWidth / 2, kDesignHeight / 2));

    FCommands = new TCommands(*FShell, FWorkspace->FormKeys(), this);
    FContext = std::make_unique<TPageContext>(TPageContext{*FWorkspace, *FCommands, *FShell, this});
    menuBar()->setObjectName("MainMenu");
    FCommands->BuildMenuBar(menuBar());
    FStatus = new TMainStatusBar(this);
    setStatusBar(FStatus);
    FShell->SetStatusPanel(FStatus->Panel(TMainStatusBar::kMessagePanel));

    FSplitter = new QSplitter(Qt::Horizontal, this);
    FSplitter->setObjectName("Splitter");
    FSplitter->setChildrenCollapsible(false);
    FLists = new QTabWidget(FSplitter);
    FLists->setObjectName("pcLists");
    FMain = new QTabWidget(FSplitter);
    FMain->setObjectName("pcMain");
    FSplitter->addWidget(FLists);
    FSplitter->addWidget(FMain);
    FSplitter->setStretchFactor(0, 0);
    FSplitter->setStretchFactor(1, 1);
    setCentralWidget(FSplitter);
    BuildPages();

    AttachContextMenus();
    BuildLanguageMenu();
    RegisterWindowCommands();
    FCommands->InstallSharedShortcuts(this);
    // The systems arrive hidden at every start: their tab, their menu and their two stake commands.
    if (QMenu* systems = FCommands->Menu("menuSystems")) systems->menuAction()->setVisible(false);
    FShell->SetBusyListener([this](bool busy) { BusyChanged(busy); });
    SetScriptHooks([this] { return FWorkspace->ScriptRunning(); }, [this] { FWorkspace->ScriptExecutor().Stop(); });
    FWorkspace->AddObserver(this);
    connect(FMain, &QTabWidget::currentChanged, this, [this] {
        if (!FWorkspace->Started()) return;
        RunCommand(*FShell, [&] { FWorkspace->RefreshViews(false); });
    });
    FCommands->Evaluate();
}

void TTemplateMain::BuildPages() {
    FDrawsPage = new TDrawsPage(*FContext, FLists);
    auto* combs = new TCombsPage(*FContext, FLists);
    FLists->addTab(FDrawsPage, Tx("Архив тиражей"));
    FLists->addTab(combs, Tx("Комбинации"));
    FPages = {FDrawsPage, combs};
    const std::pair<TViewPage*, const char*> main[] = {
        {new TStatPage(*FContext, FMain), "Статистика"}, {new TGraphsPage(*FContext, FMain), "Графики"},
        {new TCardPage(*FContext, FMain), "Карта"},      {new TLayoutPage(*FContext, FMain), "Схема"},
        {new TWeekPage(*FContext, FMain), "Неделя"},     {new TStakesPage(*FContext, FMain), "Ставки"},
        {new TRatingPage(*FContext, FMain), "Рейтинг"},  {new TTablesPage(*FContext, FMain), "Регуляры"},
        {new TSystemsPage(*FContext, FMain), "Системы"}, {new TScriptPage(*FContext, FMain), "Сценарий"},
    };
    for (const auto& [page, caption] : main) {
        FMain->addTab(page, Tx(caption));
        FPages.push_back(page);
    }
}

std::vector<TViewPage*> TTemplateMain::Pages() const {
    return FPages;
}

TViewPage* TTemplateMain::Page(const char* objectName) const {
    for (TViewPage* p : FPages)
        if (p->objectName() == QLatin1String(objectName)) return p;
    return nullptr;
}

bool TTemplateMain::Started() const {
    return FWorkspace && FWorkspace->Started();
}

int TTemplateMain::InterfaceLanguage() const {
    return FLanguage->Current();
}

void TTemplateMain::SetPageVisible(TViewPage* page, bool visible) {
    int index = FMain->indexOf(page);
    if (index >= 0) FMain->setTabVisible(index, visible);
}

bool TTemplateMain::PageVisible(const TViewPage* page) const {
    int index = FMain->indexOf(const_cast<TViewPage*>(page));
    return index >= 0 && FMain->isTabVisible(index);
}

void TTemplateMain::AttachContextMenus() {
    for (const TContextMenuDef& def : ContextMenuTable()) {
        auto* area = findChild<QWidget*>(QString::fromStdString(def.Area));
        if (!area) throw std::logic_error("no component for context menu " + def.Name);
        QMenu* menu = FCommands->BuildContextMenu(def, area);
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(area, &QWidget::customContextMenuRequested, menu, [this, area, menu](const QPoint& pos) {
            FCommands->Evaluate();
            auto* scroll = qobject_cast<QAbstractScrollArea*>(area);
            menu->popup(scroll ? scroll->viewport()->mapToGlobal(pos) : area->mapToGlobal(pos));
        });
    }
}

void TTemplateMain::ApplyFormState() {
    TMainFormKeys& keys = FWorkspace->FormKeys();
    for (const TOptionalTab& tab : OptionalTabs())
        SetPageVisible(Page(tab.Page), keys.BoolKey(tab.Key).value_or(true));
    SetPageVisible(Page("tsSystems"), false);
    try {
        TIniFile ini = FWorkspace->ReadFormState();
        ReadPlacement(*this, ini, kMainFormSection, true);
        ApplyLeftPanelWidth();
        for (TViewPage* page : FPages) page->ApplyKeys(keys);
        for (TViewPage* page : FPages)
            for (const TPersistentList& list : page->PersistentLists())
                RestoreListLayout(ini, kMainFormSection, list);
    } catch (const std::exception& e) {
        FShell->ShowError(FailureText("Ошибка загрузки параметров программы!\r\r%s", e.what()));
    }
}

void TTemplateMain::ApplyLeftPanelWidth() {
    const int left = FWorkspace->FormKeys().LeftPanelWidth;
    const int total = std::max(FSplitter->width(), width()) - FSplitter->handleWidth();
    FSplitter->setSizes({left, std::max(1, total - left)});
}

void TTemplateMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FShownOnce || !FSplitter) return;
    FShownOnce = true;
    // The splitter shares out its width only once it is laid out: the left panel's width is
    // given again now.
    if (layout()) layout()->activate();
    ApplyLeftPanelWidth();
}

void TTemplateMain::SaveFormState() {
    if (FStateSaved || !Started()) return;
    FStateSaved = true;
    TMainFormKeys& keys = FWorkspace->FormKeys();
    QList<int> sizes = FSplitter->sizes();
    if (!sizes.isEmpty() && sizes.front() > 0) keys.LeftPanelWidth = sizes.front();
    for (TViewPage* page : FPages) page->StoreKeys(keys);
    try {
        FWorkspace->UpdateFormState([&](TIniFile& ini) {
            WritePlacement(*this, ini, kMainFormSection);
            for (TViewPage* page : FPages)
                for (const TPersistentList& list : page->PersistentLists())
                    SaveListLayout(ini, kMainFormSection, list);
        });
    } catch (const std::exception& e) {
        FShell->ShowError(FailureText("Ошибка записи параметров программы!\r\r%s", e.what()));
    }
}

void TTemplateMain::StatusPanelsChanged() {
    if (!FStatus) return;
    for (int i = 0; i < TMainStatusBar::kMessagePanel; ++i)
        FStatus->SetPanelText(i, Tx(FWorkspace->StatusPanelText(i)));
}

void TTemplateMain::RefreshViews(bool force) {
    for (const char* name : {"tsDrawsStat", "tsDrawsGraph", "tsCard", "tsLayout", "tsWeek"}) {
        TViewPage* page = Page(name);
        if (page && PageVisible(page)) page->RefreshView(force);
    }
}

void TTemplateMain::BusyChanged(bool busy) {
    if (FCommands) FCommands->Evaluate();
    if (QMenu* languages = FCommands ? FCommands->Menu("menuLanguages") : nullptr)
        languages->setEnabled(!busy);
    for (TViewPage* page : FPages) page->BusyChanged(busy);
    if (!busy && FCloseWhenIdle) {
        FCloseWhenIdle = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TTemplateMain::ScriptRunChanged() {
    const bool running = FWorkspace->ScriptRunning();
    for (const char* name : {"tsDraws", "tsCombs", "tsDrawsStat"})
        if (TViewPage* page = Page(name)) page->setEnabled(!running);
}

void TTemplateMain::SetScriptHooks(std::function<bool()> running, std::function<void()> stop) {
    FScriptRunning = std::move(running);
    FStopScript = std::move(stop);
}

void TTemplateMain::RequestQuit() {
    FQuitRequested = true;
    close();
}

void TTemplateMain::closeEvent(QCloseEvent* event) {
    if (FQuitRequested) {
        event->accept();
        return;
    }
    if (FScriptRunning && FScriptRunning()) {
        if (!FShell->AskNo("Остановить выполнение сценария?")) {
            event->ignore();
            return;
        }
        if (FStopScript) FStopScript();
    }
    // A running operation still uses the window's data: the window closes as soon as it ends.
    if (FShell->IsBusy()) {
        FCloseWhenIdle = true;
        event->ignore();
        return;
    }
    event->accept();
}

bool TTemplateMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Hints show in the message panel only while no operation writes its progress there.
        if (FStatus && !FShell->IsBusy())
            FStatus->SetPanelText(TMainStatusBar::kMessagePanel, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

} // namespace qx
