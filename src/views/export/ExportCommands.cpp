#include "views/export/ExportCommands.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QTabWidget>

#include "app/ExportSources.h"
#include "app/Workspace.h"
#include "export/XlsxSpreadsheet.h"
#include "views/Commands.h"
#include "views/QtShell.h"
#include "views/Tx.h"
#include "views/ViewPage.h"
#include "views/dialogs/FormExpExcel.h"
#include "views/export/ItemViewSource.h"

namespace qx {
namespace {

// The caption of the tab the view lies on.
std::string TabCaption(QWidget* view) {
    for (QWidget* w = view; w && w->parentWidget(); w = w->parentWidget()) {
        // A tab page's parent is the tab widget's stack, whose parent is the tab widget.
        auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget());
        if (tabs && tabs->indexOf(w) >= 0) return FromQ(tabs->tabText(tabs->indexOf(w)));
    }
    return {};
}

} // namespace

const std::vector<TViewExport>& ViewExports() {
    static const std::vector<TViewExport> exports = {
        {"DrawsXlsExport", "lvDraws", TExportVariant::List,
         [](const TWorkspace& ws, const QAbstractItemView&) { return ws.Archive().Count() > 0; }},
        {"CombsXlsExport", "lvCombs", TExportVariant::List,
         [](const TWorkspace& ws, const QAbstractItemView&) { return ws.Combs().Count() > 0; }},
        {"DrawsStatExportToExcel", "lvDrawsStat", TExportVariant::List,
         [](const TWorkspace& ws, const QAbstractItemView&) { return !ws.StatTab().Table().Rows.empty(); }},
        // The grids count their header column: the card has none, the scheme's counts are one.
        {"CardXlsExport", "sgCard", TExportVariant::StringGrid,
         [](const TWorkspace& ws, const QAbstractItemView& v) {
             return ws.FormKeys().TabCard && v.model()->columnCount() > 2;
         }},
        {"LayoutXlsExport", "sgLayout", TExportVariant::StringGrid,
         [](const TWorkspace& ws, const QAbstractItemView& v) {
             return ws.FormKeys().TabLayout && v.model()->columnCount() + 1 > 2;
         }},
        {"RatingsXlsExport", "lvRatings", TExportVariant::List,
         [](const TWorkspace& ws, const QAbstractItemView&) { return !ws.Ratings().Empty(); }},
        // The stakes grid: row 0 is its header, the texts those the grid paints.
        {"StakesXlsExport", "sgStakes", TExportVariant::DrawnGrid,
         [](const TWorkspace& ws, const QAbstractItemView&) { return ws.StakesOpen() && ws.StakesCount() > 0; }},
    };
    return exports;
}

void RegisterExportCommands(TPageContext& context, QWidget* window) {
    for (const TViewExport& e : ViewExports()) {
        auto* view = window->findChild<QAbstractItemView*>(e.View);
        if (!view) continue;
        context.Commands.Register(e.Command, {[&context, view, &e] { ExportView(context, view, e.Variant); },
                                              [&context, view, &e] { return e.Ready(context.Ws, *view); }, nullptr,
                                              nullptr});
    }
}

void ExportView(TPageContext& context, QAbstractItemView* view, TExportVariant variant) {
    const TItemViewSource source(view, variant);
    const std::string caption = TabCaption(view);
    const TExportRequest request{"FormMain", caption, caption, "", 0, true};
    TXlsxSpreadsheet sheet({{}, [&context](const std::string& path) { return context.Shell.TryOpenDocument(path); },
                            nullptr});
    auto dialog = [&](TExportSettings& settings, const TExportDialogInfo& info) {
        TFormExpExcel form(context, settings, info, context.Window);
        if (form.exec() != QDialog::Accepted) return false;
        settings = form.Result();
        return true;
    };
    ExportToSpreadsheet(ExportEnvironment(context.Ws), source, request, dialog, sheet);
}

} // namespace qx
