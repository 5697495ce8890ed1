#pragma once
#include <QWidget>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class QHeaderView;
class QVBoxLayout;

namespace qx {

class TCommands;
class TFlowLayout;
class TQtShell;
class TSortState;
class TWorkspace;
struct TMainFormKeys;

// What every page of the main window works with.
struct TPageContext {
    TWorkspace& Ws;
    TCommands& Commands;
    TQtShell& Shell;
    QWidget* Window;
};

// A list or grid whose column widths (and, for sortable lists, sort settings) the window-state
// file keeps under the component's name.
struct TPersistentList {
    std::string Name;
    QHeaderView* Header = nullptr;
    TSortState* Sort = nullptr;
};

// The engine revision of a view that a page shows.
class TShownRevision {
public:
    // True, once per revision, when the engine has computed since the page last showed it.
    bool Take(uint64_t revision) {
        if (revision == FShown) return false;
        FShown = revision;
        return true;
    }
    // A forced refresh finds the revision shown when the engine skipped the view (its tab was
    // hidden until now): the page then computes itself.
    bool Shown(uint64_t revision) const { return revision == FShown; }

private:
    uint64_t FShown = UINT64_MAX;
};

// A tab page of the main window: one widget class per page. A page builds its controls, binds
// its buttons to commands and registers the handlers and enabling rules of the commands it owns.
class TViewPage : public QWidget {
public:
    TViewPage(TPageContext& context, const char* objectName, QWidget* parent = nullptr);

    // The window-state keys of the page's sizes and lengths: applied at start-up, taken back at
    // shut-down.
    virtual void ApplyKeys(const TMainFormKeys& keys) { (void)keys; }
    virtual void StoreKeys(TMainFormKeys& keys) const { (void)keys; }
    virtual std::vector<TPersistentList> PersistentLists() { return {}; }
    // Recomputes the page's view; without force only when its inputs changed.
    virtual void RefreshView(bool force) { (void)force; }
    // The busy state began or ended (controls that are not commands follow it here).
    virtual void BusyChanged(bool busy) { (void)busy; }

protected:
    // A page is a column: its panel of controls on top, then its content.
    TFlowLayout* AddPanel(const char* name);
    // Buttons that run commands: {caption, command} each.
    void AddButtons(TFlowLayout* row, std::initializer_list<std::pair<const char*, const char*>> buttons);
    void AddContent(QWidget* content, int stretch = 1);

    TPageContext& Ctx;

private:
    QVBoxLayout* Column();
};

} // namespace qx
