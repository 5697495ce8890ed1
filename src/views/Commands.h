#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "views/CommandTable.h"

class QAbstractButton;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace qx {

class TShell;
struct TMainFormKeys;

// What the owner of a command supplies: the handler and the extra conditions of its Part.
// A command nobody registers stays disabled (its Part is not built yet).
struct TCommandHooks {
    std::function<void()> Execute;
    std::function<bool()> Enabled; // none: always, when not busy
    std::function<bool()> Checked; // none: the window-state key of the table, if any
    std::function<bool()> Visible; // none: visible
};

// The main window's commands as QActions built from the command table. Enabling, check marks
// and visibility are re-evaluated when the application is idle (throttled) and at once when
// the busy state changes; while busy every command is disabled except the few the table marks.
class TCommands : public QObject {
public:
    TCommands(TShell& shell, const TMainFormKeys& keys, QWidget* window);

    QAction* Action(std::string_view name) const;
    void Register(std::string_view name, TCommandHooks hooks);
    bool IsWired(std::string_view name) const;
    // Runs the command as its menu item would; false when it is disabled.
    bool Trigger(std::string_view name);

    void Evaluate();

    // Menus and buttons over the actions.
    void BuildMenuBar(QMenuBar* bar);
    QMenu* Menu(std::string_view name) const;
    QMenu* BuildContextMenu(const TContextMenuDef& def, QWidget* parent);
    // A button that runs a command: enabled and visible with it, its hint as tooltip.
    void BindButton(QAbstractButton* button, std::string_view command);
    // Installs the routing of the shortcuts that several commands share.
    void InstallSharedShortcuts(QWidget* window);
    // The command that receives a shared key now (empty when none is enabled).
    std::string RouteSharedKey(const TSharedShortcut& shortcut) const;

private:
    struct TEntry {
        const TCommandDef* Def = nullptr;
        QAction* Action = nullptr;
        TCommandHooks Hooks;
    };
    void OnIdle();
    void Run(TEntry& entry);
    void FillMenu(QMenu* menu, const std::vector<TMenuEntry>& items);
    TEntry* Find(std::string_view name);
    const TEntry* Find(std::string_view name) const;

    TShell& FShell;
    const TMainFormKeys& FKeys;
    QWidget* FWindow;
    std::map<std::string, TEntry, std::less<>> FEntries;
    std::map<std::string, QMenu*, std::less<>> FMenus;
    QElapsedTimer FSinceEvaluation;
    QTimer FTrailing;
    bool FEvaluateNext = false;
};

} // namespace qx
