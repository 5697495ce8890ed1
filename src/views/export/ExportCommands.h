#pragma once
#include <functional>
#include <vector>

#include "export/ExportSource.h"

class QAbstractItemView;
class QWidget;

namespace qx {

class TWorkspace;
struct TPageContext;

// A command that exports a list or grid of the main window: the view's component name, how it
// is read, and the command's own enabling rule besides not being busy.
struct TViewExport {
    const char* Command;
    const char* View;
    TExportVariant Variant;
    std::function<bool(const TWorkspace&, const QAbstractItemView&)> Ready;
};

// The export commands wired so far. A view that arrives adds its line here.
const std::vector<TViewExport>& ViewExports();

// Registers every export whose view the window has.
void RegisterExportCommands(TPageContext& context, QWidget* window);

// Runs the export of a view: the dialog, the settings, the workbook opened on the desktop. The
// view's tab caption is the report's title and the sheet's name.
void ExportView(TPageContext& context, QAbstractItemView* view, TExportVariant variant);

} // namespace qx
