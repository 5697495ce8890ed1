#include "views/PageWidgets.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>

#include "views/Commands.h"
#include "views/FlowLayout.h"
#include "views/SortableList.h"
#include "views/Tx.h"

namespace qx {

int ListRowHeight(const QWidget* widget) {
    return widget->fontMetrics().height() + 4;
}

void SetHint(QWidget* widget, const char* hint) {
    widget->setToolTip(Tx(hint));
    widget->setStatusTip(Tx(hint));
}

QWidget* MakePanel(const char* name, QWidget* parent, TFlowLayout** layout) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    auto* row = new TFlowLayout(panel);
    row->setContentsMargins(2, 2, 2, 2);
    *layout = row;
    return panel;
}

QPushButton* AddCommandButton(QLayout* layout, TCommands& commands, const char* caption,
                              const char* command) {
    auto* button = new QPushButton(Tx(caption), layout->parentWidget());
    button->setObjectName(QString("btn") + command);
    button->setFocusPolicy(Qt::TabFocus);
    commands.BindButton(button, command);
    layout->addWidget(button);
    return button;
}

QSpinBox* AddSpin(QLayout* layout, const char* name, const char* label, const char* hint, int minimum,
                  int maximum) {
    auto* box = new QWidget(layout->parentWidget());
    auto* pair = new QHBoxLayout(box);
    pair->setContentsMargins(0, 0, 0, 0);
    pair->setSpacing(4);
    if (label && *label) {
        auto* caption = new QLabel(Tx(label), box);
        caption->setObjectName(QString("lbl") + name);
        pair->addWidget(caption);
    }
    auto* spin = new QSpinBox(box);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setMinimumWidth(80);
    SetHint(spin, hint);
    pair->addWidget(spin);
    layout->addWidget(box);
    return spin;
}

namespace {

class TSpinEnter : public QObject {
public:
    TSpinEnter(QSpinBox* spin, std::function<void()> action) : QObject(spin), FSpin(spin), FAction(std::move(action)) {
        spin->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != FSpin || event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return QObject::eventFilter(watched, event);
        if (FSpin->hasAcceptableInput()) {
            FSpin->interpretText();
            FAction();
        }
        return true;
    }

private:
    QSpinBox* FSpin;
    std::function<void()> FAction;
};

} // namespace

void OnSpinEnter(QSpinBox* spin, std::function<void()> action) {
    new TSpinEnter(spin, std::move(action));
}

QComboBox* AddCombo(QLayout* layout, const char* name, const char* hint, int width) {
    auto* combo = new QComboBox(layout->parentWidget());
    combo->setObjectName(name);
    combo->setMinimumWidth(width);
    SetHint(combo, hint);
    layout->addWidget(combo);
    return combo;
}

void SetColumnWidths(QHeaderView* header, const std::vector<TColumnDef>& columns) {
    header->setMinimumSectionSize(0);
    int i = 0;
    for (const TColumnDef& c : columns) header->resizeSection(i++, c.Width);
}

Qt::Alignment ToQtAlignment(TFieldAlignment alignment) {
    switch (alignment) {
    case kAlignRight: return Qt::AlignRight;
    case kAlignCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

std::vector<TColumnDef> ColumnDefs(const std::vector<TListColumn>& columns) {
    std::vector<TColumnDef> defs;
    for (const TListColumn& c : columns) defs.push_back({c.Caption, c.Width, ToQtAlignment(c.Alignment)});
    return defs;
}

void SetColumns(QTreeWidget* list, std::initializer_list<TColumnDef> columns) {
    QStringList captions;
    for (const TColumnDef& c : columns) captions << Tx(c.Caption);
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(captions);
    int i = 0;
    for (const TColumnDef& c : columns) list->headerItem()->setTextAlignment(i++, c.Align | Qt::AlignVCenter);
    list->header()->setStretchLastSection(false);
    SetColumnWidths(list->header(), columns);
}

namespace {

template <class List>
List* SetUpList(List* list, const char* name, std::initializer_list<TColumnDef> columns) {
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    SetColumns(list, columns);
    return list;
}

} // namespace

QTreeWidget* MakeList(const char* name, QWidget* parent, std::initializer_list<TColumnDef> columns) {
    return SetUpList(new QTreeWidget(parent), name, columns);
}

TSortableList* MakeSortableList(const char* name, QWidget* parent,
                                std::initializer_list<TColumnDef> columns) {
    return SetUpList(new TSortableList(parent), name, columns);
}

QTableView* MakeVirtualList(const char* name, QWidget* parent, std::initializer_list<TColumnDef> columns) {
    return MakeVirtualList(name, parent, std::vector<TColumnDef>(columns));
}

QTableView* MakeVirtualList(const char* name, QWidget* parent, const std::vector<TColumnDef>& columns) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(ListRowHeight(view));
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setStretchLastSection(false);
    // Until its owner supplies the rows, the list shows its columns over an empty model.
    auto* empty = new QStandardItemModel(0, static_cast<int>(columns.size()), view);
    int i = 0;
    for (const TColumnDef& c : columns) {
        empty->setHeaderData(i, Qt::Horizontal, Tx(c.Caption));
        empty->setHeaderData(i, Qt::Horizontal, QVariant::fromValue(c.Align | Qt::AlignVCenter),
                             Qt::TextAlignmentRole);
        ++i;
    }
    view->setModel(empty);
    SetColumnWidths(view->horizontalHeader(), columns);
    return view;
}

void SetListModel(QTableView* list, QAbstractItemModel* model) {
    QHeaderView* header = list->horizontalHeader();
    QList<int> widths;
    for (int i = 0; i < header->count(); ++i) widths << header->sectionSize(i);
    list->setModel(model);
    for (int i = 0; i < widths.size() && i < header->count(); ++i) header->resizeSection(i, widths[i]);
}

QTableWidget* MakeGrid(const char* name, QWidget* parent) {
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(name);
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(ListRowHeight(grid));
    return grid;
}

QSplitter* MakeSplit(const char* name, QWidget* parent, QWidget* top, QWidget* bottom) {
    auto* split = new QSplitter(Qt::Vertical, parent);
    split->setObjectName(name);
    split->setChildrenCollapsible(false);
    split->addWidget(top);
    split->addWidget(bottom);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    return split;
}

void SetBottomHeight(QSplitter* split, int height) {
    QList<int> sizes = split->sizes();
    int total = 0;
    for (int s : sizes) total += s;
    if (total <= height) total = height + 400; // not laid out yet: the top part takes what remains
    split->setSizes({total - height, height});
}

int BottomHeight(const QSplitter* split, int fallback) {
    QList<int> sizes = split->sizes();
    if (sizes.size() < 2 || sizes[0] + sizes[1] <= 0) return fallback;
    return sizes[1];
}

QChartView* MakeChart(const char* name, QWidget* parent) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setMinimumHeight(60);
    return view;
}

} // namespace qx
