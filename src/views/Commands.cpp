#include "views/Commands.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "core/FormState.h"
#include "core/Shell.h"
#include "views/CommandIcons.h"
#include "views/Tx.h"

namespace qx {
namespace {

// Re-evaluation runs at most this often; a change in between is picked up by a trailing tick.
constexpr int kIdleThrottleMs = 50;

QList<QKeySequence> Shortcuts(const char* text) {
    QList<QKeySequence> keys;
    if (!*text) return keys;
    QString s = QString::fromUtf8(text);
    keys << QKeySequence::fromString(s, QKeySequence::PortableText);
    // "Enter" in the menus means the main Return key as well as the keypad's Enter.
    if (s.contains(QLatin1String("Enter")))
        keys << QKeySequence::fromString(QString(s).replace(QLatin1String("Enter"), QLatin1String("Return")),
                                         QKeySequence::PortableText);
    return keys;
}

bool SharedKey(const char* text) {
    for (const auto& s : SharedShortcutTable())
        if (s.Key == text) return true;
    return false;
}

bool FocusInside(const std::string& owner) {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w->objectName() == QLatin1String(owner.c_str())) return true;
    return false;
}

} // namespace

TCommands::TCommands(TShell& shell, const TMainFormKeys& keys, QWidget* window)
    : QObject(window), FShell(shell), FKeys(keys), FWindow(window) {
    std::map<std::string, QActionGroup*> groups;
    for (const TCommandDef& def : CommandTable()) {
        auto* action = new QAction(Tx(def.Caption), window);
        action->setObjectName(def.Name);
        action->setStatusTip(Tx(def.Hint));
        action->setToolTip(Tx(def.Hint));
        action->setIcon(CommandIcon(def.Name));
        action->setShortcuts(Shortcuts(def.Shortcut));
        // A shared key is routed by InstallSharedShortcuts; the action only shows it.
        const bool shared = SharedKey(def.Shortcut);
        if (shared) action->setShortcutContext(Qt::WidgetShortcut);
        action->setCheckable(def.Kind != TCommandKind::Normal);
        if (def.Kind == TCommandKind::Radio) {
            QActionGroup*& group = groups[def.Key];
            if (!group) group = new QActionGroup(window);
            group->addAction(action);
        }
        action->setEnabled(false);
        // Shortcuts of commands reached only from context menus work too.
        if (!shared) window->addAction(action);
        auto& entry = FEntries[def.Name];
        entry.Def = &def;
        entry.Action = action;
        connect(action, &QAction::triggered, this, [this, name = std::string(def.Name)] {
            if (TEntry* e = Find(name)) Run(*e);
        });
    }
    FSinceEvaluation.start();
    FTrailing.setSingleShot(true);
    connect(&FTrailing, &QTimer::timeout, this, [this] { FEvaluateNext = true; });
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TCommands::OnIdle);
}

TCommands::TEntry* TCommands::Find(std::string_view name) {
    auto it = FEntries.find(name);
    return it == FEntries.end() ? nullptr : &it->second;
}

const TCommands::TEntry* TCommands::Find(std::string_view name) const {
    auto it = FEntries.find(name);
    return it == FEntries.end() ? nullptr : &it->second;
}

QAction* TCommands::Action(std::string_view name) const {
    const TEntry* e = Find(name);
    return e ? e->Action : nullptr;
}

void TCommands::Register(std::string_view name, TCommandHooks hooks) {
    TEntry* e = Find(name);
    if (!e) throw std::logic_error("unknown command " + std::string(name));
    e->Hooks = std::move(hooks);
}

bool TCommands::IsWired(std::string_view name) const {
    const TEntry* e = Find(name);
    return e && e->Hooks.Execute;
}

bool TCommands::Trigger(std::string_view name) {
    TEntry* e = Find(name);
    if (!e) return false;
    Evaluate();
    if (!e->Action->isEnabled()) return false;
    if (e->Action->isCheckable()) e->Action->toggle();
    Run(*e);
    return true;
}

void TCommands::Run(TEntry& entry) {
    // A key may arrive for a command that the last idle evaluation had not yet disabled.
    if (!entry.Hooks.Execute || (FShell.IsBusy() && !entry.Def->WhileBusy)) {
        Evaluate();
        return;
    }
    RunCommand(FShell, entry.Hooks.Execute);
    Evaluate();
}

void TCommands::OnIdle() {
    if (FEvaluateNext || FSinceEvaluation.elapsed() >= kIdleThrottleMs) {
        Evaluate();
    } else if (!FTrailing.isActive()) {
        FTrailing.start(kIdleThrottleMs - static_cast<int>(FSinceEvaluation.elapsed()));
    }
}

void TCommands::Evaluate() {
    FEvaluateNext = false;
    FSinceEvaluation.restart();
    const bool busy = FShell.IsBusy();
    for (auto& [name, e] : FEntries) {
        const TCommandDef& def = *e.Def;
        bool enabled = e.Hooks.Execute && (!busy || def.WhileBusy) && (!e.Hooks.Enabled || e.Hooks.Enabled());
        e.Action->setEnabled(enabled);
        if (e.Hooks.Visible) e.Action->setVisible(e.Hooks.Visible());
        if (!e.Action->isCheckable()) continue;
        bool checked = false;
        if (e.Hooks.Checked) {
            checked = e.Hooks.Checked();
        } else if (*def.Key) {
            if (def.KeyValue >= 0)
                checked = FKeys.IntKey(def.Key).value_or(-1) == def.KeyValue;
            else
                checked = FKeys.BoolKey(def.Key).value_or(false);
        }
        e.Action->setChecked(checked);
    }
}

void TCommands::FillMenu(QMenu* menu, const std::vector<TMenuEntry>& items) {
    for (const TMenuEntry& item : items) {
        switch (item.Type) {
        case TMenuEntry::Separator:
            menu->addSeparator();
            break;
        case TMenuEntry::Submenu: {
            QMenu* sub = menu->addMenu(Tx(item.Caption));
            sub->setObjectName(QString::fromStdString(item.Name));
            sub->menuAction()->setObjectName(QString::fromStdString(item.Name) + "Item");
            FMenus[item.Name] = sub;
            FillMenu(sub, item.Items);
            break;
        }
        case TMenuEntry::Command: {
            QAction* action = Action(item.Name);
            if (!action) throw std::logic_error("menu entry without command " + item.Name);
            if (item.Caption.empty()) {
                menu->addAction(action);
                break;
            }
            // The same command under another caption in this menu: an item that mirrors it.
            auto* mirror = new QAction(Tx(item.Caption), menu);
            mirror->setObjectName(QString::fromStdString(item.Name) + "_" + menu->objectName());
            mirror->setStatusTip(action->statusTip());
            mirror->setShortcuts(action->shortcuts());
            mirror->setShortcutContext(Qt::WidgetShortcut);
            mirror->setCheckable(action->isCheckable());
            auto sync = [mirror, action] {
                mirror->setEnabled(action->isEnabled());
                mirror->setChecked(action->isChecked());
                mirror->setVisible(action->isVisible());
            };
            sync();
            connect(action, &QAction::changed, mirror, sync);
            connect(mirror, &QAction::triggered, this, [this, name = item.Name] { Trigger(name); });
            menu->addAction(mirror);
            break;
        }
        }
    }
}

void TCommands::BuildMenuBar(QMenuBar* bar) {
    for (const TMenuDef& def : MainMenuTable()) {
        QMenu* menu = bar->addMenu(Tx(def.Caption));
        menu->setObjectName(QString::fromStdString(def.Name));
        menu->menuAction()->setObjectName(QString::fromStdString(def.Name) + "Item");
        FMenus[def.Name] = menu;
        FillMenu(menu, def.Items);
    }
}

QMenu* TCommands::Menu(std::string_view name) const {
    auto it = FMenus.find(name);
    return it == FMenus.end() ? nullptr : it->second;
}

QMenu* TCommands::BuildContextMenu(const TContextMenuDef& def, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString::fromStdString(def.Name));
    for (const std::string& item : def.Items) {
        if (item == "-") {
            menu->addSeparator();
            continue;
        }
        QAction* action = Action(item);
        if (!action) throw std::logic_error("context menu entry without command " + item);
        menu->addAction(action);
        if (item == def.Default) menu->setDefaultAction(action);
    }
    return menu;
}

void TCommands::BindButton(QAbstractButton* button, std::string_view command) {
    QAction* action = Action(command);
    if (!action) throw std::logic_error("button for unknown command " + std::string(command));
    button->setToolTip(action->statusTip());
    button->setStatusTip(action->statusTip());
    auto sync = [button, action] { button->setEnabled(action->isEnabled()); };
    sync();
    connect(action, &QAction::changed, button, sync);
    connect(button, &QAbstractButton::clicked, this, [this, name = std::string(command)] { Trigger(name); });
}

std::string TCommands::RouteSharedKey(const TSharedShortcut& shortcut) const {
    for (const auto& [command, owner] : shortcut.Routes) {
        QAction* action = Action(command);
        if (action && action->isEnabled() && !owner.empty() && FocusInside(owner)) return command;
    }
    for (const auto& [command, owner] : shortcut.Routes) {
        QAction* action = Action(command);
        if (action && action->isEnabled() && owner.empty()) return command;
    }
    return {};
}

void TCommands::InstallSharedShortcuts(QWidget* window) {
    for (const TSharedShortcut& shared : SharedShortcutTable()) {
        auto* shortcut = new QShortcut(QKeySequence::fromString(QString::fromStdString(shared.Key)), window);
        shortcut->setObjectName(QString::fromStdString("Shared_" + shared.Key));
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, &shared] {
            Evaluate();
            std::string command = RouteSharedKey(shared);
            if (!command.empty()) Trigger(command);
        });
    }
}

} // namespace qx
