#pragma once
#include <Qt>
#include <functional>
#include <initializer_list>
#include <vector>

#include "app/ListColumns.h"

class QAbstractItemModel;
class QChartView;
class QComboBox;
class QLayout;
class QHeaderView;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTableView;
class QTableWidget;
class QTreeWidget;
class QWidget;

namespace qx {

class TCommands;
class TFlowLayout;
class TSortableList;

// Small builders the pages share, so each page reads as a list of its controls.
struct TColumnDef {
    const char* Caption;
    int Width = 80;
    Qt::Alignment Align = Qt::AlignLeft;
};

// A panel of controls, as at the top of every page; its rows wrap when the page is narrow.
QWidget* MakePanel(const char* name, QWidget* parent, TFlowLayout** layout);
QPushButton* AddCommandButton(QLayout* layout, TCommands& commands, const char* caption, const char* command);
// A spin edit with its label kept beside it; the hint is the control's tooltip and status text.
QSpinBox* AddSpin(QLayout* layout, const char* name, const char* label, const char* hint, int minimum,
                  int maximum);
// Enter in the spin edit runs action, only while its text is a number within its range (the
// value is taken first).
void OnSpinEnter(QSpinBox* spin, std::function<void()> action);
QComboBox* AddCombo(QLayout* layout, const char* name, const char* hint, int width);
void SetHint(QWidget* widget, const char* hint);

// Columns of a list header.
void SetColumns(QTreeWidget* list, std::initializer_list<TColumnDef> columns);
void SetColumnWidths(QHeaderView* header, const std::vector<TColumnDef>& columns);
// The engine's column tables as the window's column definitions.
Qt::Alignment ToQtAlignment(TFieldAlignment alignment);
std::vector<TColumnDef> ColumnDefs(const std::vector<TListColumn>& columns);
QTreeWidget* MakeList(const char* name, QWidget* parent, std::initializer_list<TColumnDef> columns);
TSortableList* MakeSortableList(const char* name, QWidget* parent, std::initializer_list<TColumnDef> columns);
// A list whose rows come from a model (virtual); without a model yet it shows its columns only.
QTableView* MakeVirtualList(const char* name, QWidget* parent, std::initializer_list<TColumnDef> columns);
// Gives a virtual list its model in place of the placeholder; the columns keep their widths.
void SetListModel(QTableView* list, QAbstractItemModel* model);
QTableView* MakeVirtualList(const char* name, QWidget* parent, const std::vector<TColumnDef>& columns);
QTableWidget* MakeGrid(const char* name, QWidget* parent);
QChartView* MakeChart(const char* name, QWidget* parent);

// A vertical splitter whose bottom part keeps its height when the page is resized.
QSplitter* MakeSplit(const char* name, QWidget* parent, QWidget* top, QWidget* bottom);
void SetBottomHeight(QSplitter* split, int height);
// The bottom part's height; the fallback while the splitter has never been laid out.
int BottomHeight(const QSplitter* split, int fallback);

// The height rows of every list and grid take.
int ListRowHeight(const QWidget* widget);

} // namespace qx
