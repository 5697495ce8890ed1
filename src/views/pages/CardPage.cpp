#include "views/pages/CardPage.h"

#include <QHBoxLayout>
#include <QTableWidget>
#include <QVBoxLayout>

#include "views/FlowLayout.h"
#include "views/PageWidgets.h"

namespace qx {

TCardPage::TCardPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsCard", parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    TFlowLayout* row = nullptr;
    QWidget* panel = MakePanel("pnlCard", this, &row);
    AddCommandButton(row, Ctx.Commands, "Оставить выделенные", "CardFilter_Include");
    AddCommandButton(row, Ctx.Commands, "Удалить выделенные", "CardFilter_Exclude");
    AddCommandButton(row, Ctx.Commands, "Экспорт в Excel", "CardXlsExport");
    layout->addWidget(panel);
    layout->addWidget(MakeGrid("sgCard", this), 1);
}

} // namespace qx
