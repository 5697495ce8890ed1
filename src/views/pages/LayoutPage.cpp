#include "views/pages/LayoutPage.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <string>

#include "app/Workspace.h"
#include "core/FormState.h"
#include "views/Commands.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/SortableList.h"
#include "views/Tx.h"
#include "views/grid/GridModel.h"

namespace qx {
namespace {

constexpr int kHeaderColumnWidth = 50;
constexpr int kColumnWidth = 40;
constexpr int kTextRoom = 10;
constexpr int kRangeColumnWidth = 90;

// The five comparison lists side by side: the first four a fifth of the width each, less one
// handle, the fifth the rest.
class TListsSplitter : public QSplitter {
public:
    explicit TListsSplitter(QWidget* parent) : QSplitter(Qt::Horizontal, parent) {
        setObjectName("pnlLayoutLists");
        setChildrenCollapsible(false);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QSplitter::resizeEvent(event);
        const int n = count();
        if (n == 0) return;
        const int part = std::max(1, width() / 5 - handleWidth());
        QList<int> sizes;
        for (int i = 0; i + 1 < n; ++i) sizes << part;
        sizes << std::max(1, width() - (n - 1) * (part + handleWidth()));
        setSizes(sizes);
    }
};

} // namespace

TLayoutPage::TLayoutPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsLayout", parent) {
    TFlowLayout* row = AddPanel("pnlLayout");
    FLength = AddSpin(row, "edLayoutLen", "", "Количество тиражей, использующихся для построения схемы", 1,
                      INT_MAX);
    AddButtons(row, {{"Обновить", "LayoutCalc"},
                     {"Оставить выделенные", "LayoutFilter_Include"},
                     {"Удалить выделенные", "LayoutFilter_Exclude"}});

    const TLayoutTab& tab = Ctx.Ws.LayoutTab();
    TGridSource source;
    source.HeaderColumn = true;
    source.Columns = [&tab] { return tab.Scheme().Grid.Columns(); };
    source.Rows = [&tab] { return tab.Scheme().Grid.Rows(); };
    source.Text = [&tab](int column, int row) { return tab.Scheme().Grid.At(column, row); };
    source.Colour = [this, &tab](int column, int row) {
        return LayoutCellColour(tab.Scheme().Grid, column, row, Ctx.Ws.FormKeys().LayoutGradient);
    };
    FModel = new TGridModel(std::move(source), Qt::AlignLeft, this);
    FGrid = MakeGridView("sgLayout", this, FModel);
    FGrid->verticalHeader()->setFixedWidth(kHeaderColumnWidth);
    FGrid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);

    FSplit = MakeSplit("spLayout", this, FGrid, MakeComparePanel());
    AddContent(FSplit);

    connect(FLength, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int value) { Ctx.Ws.FormKeys().LayoutLen = value; });
    OnSpinEnter(FLength, [this] { RunCommand(Ctx.Shell, [this] { Compute(false); }); });
    RegisterCommands();
    ShowScheme();
    ShowCompare();
}

QWidget* TLayoutPage::MakeComparePanel() {
    auto* compare = new QWidget(this);
    compare->setObjectName("pnlLayoutCompare");
    auto* compareLayout = new QVBoxLayout(compare);
    compareLayout->setContentsMargins(0, 0, 0, 0);
    TFlowLayout* lengths = nullptr;
    QWidget* lengthsPanel = MakePanel("pnlLayoutCompareLens", compare, &lengths);
    auto* lists = new TListsSplitter(compare);
    for (size_t i = 0; i < FCompareLists.size(); ++i) {
        const std::string spin = "edLayoutCmp" + std::to_string(i + 1);
        const std::string list = "lvLayoutCmp" + std::to_string(i + 1);
        QSpinBox* edit = AddSpin(lengths, spin.c_str(), "",
                                 "Количество тиражей, использующихся для сравнения", 1, INT_MAX);
        connect(edit, qOverload<int>(&QSpinBox::valueChanged), this,
                [this, i](int value) { Ctx.Ws.FormKeys().LayoutCompareLen[i] = value; });
        OnSpinEnter(edit, [this] { RunCommand(Ctx.Shell, [this] { ComputeCompare(true); }); });
        FCompareLengths[i] = edit;
        TSortableList* l =
            MakeSortableList(list.c_str(), lists, {{"Кол-во", 60, Qt::AlignRight}, {"", kRangeColumnWidth}});
        l->Sort().Set(0, true);
        FCompareLists[i] = l;
        lists->addWidget(l);
    }
    AddCommandButton(lengths, Ctx.Commands, "Обновить", "LayoutCmpCalc");
    compareLayout->addWidget(lengthsPanel);
    compareLayout->addWidget(lists, 1);
    return compare;
}

void TLayoutPage::RegisterCommands() {
    TCommands& c = Ctx.Commands;
    TWorkspace& ws = Ctx.Ws;
    auto computable = [&ws] { return ws.FormKeys().TabLayout && !ws.Archive().Empty(); };
    c.Register("LayoutCalc", {[this] { Compute(true); }, computable, nullptr, nullptr});
    c.Register("LayoutCmpCalc", {[this] { ComputeCompare(true); }, computable, nullptr, nullptr});
    c.Register("LayoutFilter_Include", {[this] { Ctx.Ws.LayoutFilter(SelectedGridRect(FGrid), false); },
                                        [this] { return FilterEnabled(); }, nullptr, nullptr});
    c.Register("LayoutFilter_Exclude", {[this] { Ctx.Ws.LayoutFilter(SelectedGridRect(FGrid), true); },
                                        [this] { return FilterEnabled(); }, nullptr, nullptr});
    c.Register("ViewShemaGradient", {[this] {
                                         TBusyScope busy(Ctx.Shell, "");
                                         Ctx.Ws.SetFormKey("LayoutGradient",
                                                           !Ctx.Ws.FormKeys().LayoutGradient);
                                         FModel->RepaintAll();
                                     },
                                     [&ws] { return ws.FormKeys().TabLayout; }, nullptr, nullptr});
}

bool TLayoutPage::FilterEnabled() const {
    return Ctx.Ws.Combs().Count() > 0 && Ctx.Ws.FormKeys().TabLayout && !SelectedGridRect(FGrid).Empty();
}

void TLayoutPage::Compute(bool force) {
    Ctx.Ws.LayoutTab().Refresh(force);
    ShowScheme();
}

void TLayoutPage::ComputeCompare(bool force) {
    Ctx.Ws.LayoutTab().RefreshCompare(force);
    ShowCompare();
}

void TLayoutPage::RefreshView(bool force) {
    TLayoutTab& tab = Ctx.Ws.LayoutTab();
    if (force && FShownScheme.Shown(tab.Revision())) tab.Refresh(true);
    if (force && FShownCompare.Shown(tab.CompareRevision())) tab.RefreshCompare(true);
    ShowScheme();
    ShowCompare();
}

void TLayoutPage::ShowScheme() {
    const TLayoutTab& tab = Ctx.Ws.LayoutTab();
    if (!FShownScheme.Take(tab.Revision())) return;
    FModel->Sync();
    // Each column as wide as its widest text and a little room, at least the default width.
    const TTextGrid& grid = tab.Scheme().Grid;
    const QFontMetrics cells(FGrid->font());
    const QFontMetrics header(FGrid->horizontalHeader()->font());
    for (int column = 1; column < grid.Columns(); ++column) {
        int width = header.horizontalAdvance(ToQ(grid.At(column, 0))) + kTextRoom;
        for (int row = 1; row < grid.Rows(); ++row)
            width = std::max(width, cells.horizontalAdvance(ToQ(grid.At(column, row))) + kTextRoom);
        FGrid->horizontalHeader()->resizeSection(column - 1, std::max(kColumnWidth, width));
    }
}

void TLayoutPage::ShowCompare() {
    const TLayoutTab& tab = Ctx.Ws.LayoutTab();
    if (!FShownCompare.Take(tab.CompareRevision())) return;
    for (size_t k = 0; k < FCompareLists.size(); ++k) {
        TSortableList* list = FCompareLists[k];
        const TLayoutCompareList& data = tab.Compare()[k];
        list->clear();
        list->headerItem()->setText(1, ToQ(data.Caption));
        // The range caption shows whole.
        const int captionWidth =
            list->header()->fontMetrics().horizontalAdvance(ToQ(data.Caption)) + kTextRoom * 2;
        list->header()->resizeSection(1, std::max(kRangeColumnWidth, captionWidth));
        for (const TLayoutCompareRow& row : data.Rows) {
            auto* item = new TSortableItem(list, QStringList{QString::number(row.Hits), ToQ(row.Digits)});
            item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        }
        list->Resort();
    }
}

void TLayoutPage::BusyChanged(bool busy) {
    FLength->setEnabled(!busy);
    for (QSpinBox* edit : FCompareLengths) edit->setEnabled(!busy);
}

void TLayoutPage::ApplyKeys(const TMainFormKeys& keys) {
    FLength->setValue(keys.LayoutLen);
    for (size_t i = 0; i < FCompareLengths.size(); ++i)
        FCompareLengths[i]->setValue(keys.LayoutCompareLen[i]);
    SetBottomHeight(FSplit, keys.LayoutCompareHeight);
}

void TLayoutPage::StoreKeys(TMainFormKeys& keys) const {
    keys.LayoutLen = FLength->value();
    for (size_t i = 0; i < FCompareLengths.size(); ++i)
        keys.LayoutCompareLen[i] = FCompareLengths[i]->value();
    keys.LayoutCompareHeight = BottomHeight(FSplit, keys.LayoutCompareHeight);
}

} // namespace qx
