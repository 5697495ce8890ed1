#pragma once
#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/WebLinks.h"
#include "app/Workspace.h"
#include "core/HelpFile.h"
#include "core/Switches.h"
#include "views/ViewPage.h"

class QSplitter;
class QTabWidget;

namespace qx {

class TCommands;
class TDrawsPage;
class TLanguageModule;
class TMainStatusBar;
class TQtShell;

struct TMainWindowOptions {
    std::filesystem::path ProgramDir;
    // The executable: its name names the window-state file, its path the language modules, and
    // a restart starts it again. Empty: "Quadrix_4d10" in the program directory.
    std::filesystem::path ExePath;
    TSwitches Switches;
    // Where an installed program also finds its language modules (after the executable's folder)
    // and, last, its help file.
    std::vector<std::filesystem::path> LanguageDirs;
    std::filesystem::path HelpShareDir;
};

// The program's main window, independent of the game: the page controls with their tabs, the
// status bar, the menus and the command table; it runs start-up and shut-down over the
// workspace. Game-specific parts come from TFormMain.
class TTemplateMain : public QMainWindow, public TWorkspaceObserver {
public:
    TTemplateMain(const TMainWindowOptions& options, const std::string& gameDisplayName);
    ~TTemplateMain() override;

    TWorkspace& Workspace() { return *FWorkspace; }
    TQtShell& Shell() { return *FShell; }
    TCommands& Commands() { return *FCommands; }
    TMainStatusBar* StatusPanels() const { return FStatus; }
    QTabWidget* ListTabs() const { return FLists; }
    QTabWidget* MainTabs() const { return FMain; }
    QSplitter* Splitter() const { return FSplitter; }
    TDrawsPage* DrawsPage() const { return FDrawsPage; }
    TViewPage* Page(const char* objectName) const;

    // The first stage ended in a request to quit (the previous instance did not end).
    bool QuitRequested() const { return FQuitRequested; }
    bool Started() const;
    int InterfaceLanguage() const;
    const THelpLocation& Help() const { return FHelp; }
    const TWebLinks& Links() const { return FLinks; }

    // Installed by the script executor: whether a script runs, and how to ask it to stop.
    void SetScriptHooks(std::function<bool()> running, std::function<void()> stop);
    // Starts the program again with "restart" and closes this instance. Tests replace the start
    // (the replacement tells whether the program started).
    void RestartProgram();
    void SetRestarter(std::function<bool()> restarter) { FRestarter = std::move(restarter); }

    // TWorkspaceObserver
    void StatusPanelsChanged() override;
    void RefreshViews(bool force) override;
    // While a script runs the draws, the combinations and the statistics are the executor's.
    void ScriptRunChanged() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct TOptionalTab {
        const char* Command;
        const char* Key;
        const char* Page;
    };
    static const std::vector<TOptionalTab>& OptionalTabs();

    void StartFirstStage();
    void StartSecondStage();
    void BuildWindow();
    void BuildPages();
    void AttachContextMenus();
    void BuildLanguageMenu();
    void RegisterWindowCommands();
    void ApplyFormState();
    void ApplyLeftPanelWidth();
    void SaveFormState();
    void ToggleOptionalTab(const TOptionalTab& tab);
    // SystemsOn: the systems tab, its menu and the two play commands together.
    void ToggleSystems();
    void SetPageVisible(TViewPage* page, bool visible);
    bool PageVisible(const TViewPage* page) const;
    void EditConfig();
    void EditProxy();
    void EditShredding();
    void ManageFavourites();
    void ShowAbout();
    void ShowFirstRun();
    bool StartProgramAgain();
    // After an update was installed: the restart, or the old files back when it fails.
    void RestartAfterUpdate();
    void CheckUpdate();
    bool AskUpdateConsent(const TUpdateOffer& offer);
    void ChooseLanguage(int lcid);
    void RequestQuit();
    void BusyChanged(bool busy);
    std::vector<TViewPage*> Pages() const;

    TMainWindowOptions FOptions;
    std::string FTitle;
    std::unique_ptr<TQtShell> FShell;
    std::unique_ptr<TWorkspace> FWorkspace;
    std::unique_ptr<TLanguageModule> FLanguage;
    std::unique_ptr<TPageContext> FContext;
    TCommands* FCommands = nullptr;
    TMainStatusBar* FStatus = nullptr;
    QSplitter* FSplitter = nullptr;
    QTabWidget* FLists = nullptr;
    QTabWidget* FMain = nullptr;
    TDrawsPage* FDrawsPage = nullptr;
    std::vector<TViewPage*> FPages;
    THelpLocation FHelp;
    TWebLinks FLinks;
    QTimer FInitTimer;
    std::function<bool()> FScriptRunning;
    std::function<void()> FStopScript;
    std::function<bool()> FRestarter;
    bool FQuitRequested = false;
    bool FCloseWhenIdle = false;
    bool FStateSaved = false;
    bool FShownOnce = false;
};

} // namespace qx
