#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx {

enum class TCommandKind { Normal, Check, Radio };

// One command of the main window: its name (the QAction's objectName), caption, shortcut as the
// menus show it, hint for the status bar, and for switches the window-state key its check mark
// mirrors (a radio item, or a check item with KeyValue >= 0, is marked while the key holds
// KeyValue). WhileBusy commands stay usable while the program is busy.
struct TCommandDef {
    const char* Name;
    const char* Caption;
    const char* Shortcut;
    const char* Hint;
    TCommandKind Kind = TCommandKind::Normal;
    const char* Key = "";
    int KeyValue = -1;
    bool WhileBusy = false;
};

// Every command of the main window, in menu order.
const std::vector<TCommandDef>& CommandTable();
const TCommandDef* FindCommandDef(std::string_view name);

// An entry of a menu: a command, a separator, or a submenu with its own entries. A command
// entry may carry its own caption for that one menu.
struct TMenuEntry {
    enum TType { Command, Separator, Submenu } Type = Command;
    std::string Name;    // command name, or the submenu's object name
    std::string Caption; // submenu caption, or the command's caption in this menu (empty: the command's)
    std::vector<TMenuEntry> Items;
};

struct TMenuDef {
    std::string Name;
    std::string Caption;
    std::vector<TMenuEntry> Items;
};

// The main menu from left to right.
const std::vector<TMenuDef>& MainMenuTable();

// Context menus: the component they belong to, their commands in order ("-" is a separator)
// and the default (bold) item.
struct TContextMenuDef {
    std::string Name;
    std::string Area;
    std::vector<std::string> Items;
    std::string Default;
};
const std::vector<TContextMenuDef>& ContextMenuTable();

// Shortcuts that belong to several commands. The key goes to the first route whose focus owner
// (a component name) holds the keyboard focus and whose command is enabled; a route without an
// owner takes the key from anywhere. Commands left out of the routes keep the shortcut only as
// the text their menu item shows.
struct TSharedShortcut {
    std::string Key;
    std::vector<std::pair<std::string, std::string>> Routes; // command, focus owner
};
const std::vector<TSharedShortcut>& SharedShortcutTable();

} // namespace qx
