#include "views/pages/LayoutPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <climits>
#include <string>

#include "core/FormState.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/SortableList.h"

namespace qx {

TLayoutPage::TLayoutPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsLayout", parent) {
    TFlowLayout* row = AddPanel("pnlLayout");
    FLength = AddSpin(row, "edLayoutLen", "", "Количество тиражей, использующихся для построения схемы", 1,
                      INT_MAX);
    FLength->setEnabled(false);
    AddButtons(row, {{"Обновить", "LayoutCalc"},
                     {"Оставить выделенные", "LayoutFilter_Include"},
                     {"Удалить выделенные", "LayoutFilter_Exclude"}});

    auto* compare = new QWidget(this);
    compare->setObjectName("pnlLayoutCompare");
    auto* compareLayout = new QVBoxLayout(compare);
    compareLayout->setContentsMargins(0, 0, 0, 0);
    TFlowLayout* lengths = nullptr;
    QWidget* lengthsPanel = MakePanel("pnlLayoutCompareLens", compare, &lengths);
    auto* lists = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        const std::string spin = "edLayoutCmp" + std::to_string(i + 1);
        const std::string list = "lvLayoutCmp" + std::to_string(i + 1);
        FCompareLengths[static_cast<size_t>(i)] = AddSpin(
            lengths, spin.c_str(), "", "Количество тиражей, использующихся для сравнения", 1, INT_MAX);
        FCompareLengths[static_cast<size_t>(i)]->setEnabled(false);
        TSortableList* l =
            MakeSortableList(list.c_str(), compare, {{"Кол-во", 60, Qt::AlignRight}, {"", 90}});
        l->Sort().Set(0, true);
        FCompareLists[static_cast<size_t>(i)] = l;
        lists->addWidget(l);
    }
    AddCommandButton(lengths, Ctx.Commands, "Обновить", "LayoutCmpCalc");
    compareLayout->addWidget(lengthsPanel);
    compareLayout->addLayout(lists, 1);

    FSplit = MakeSplit("spLayout", this, MakeGrid("sgLayout", this), compare);
    AddContent(FSplit);
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
