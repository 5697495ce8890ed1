#include "views/pages/CardPage.h"

#include <QTableWidget>

#include "views/FlowLayout.h"
#include "views/PageWidgets.h"

namespace qx {

TCardPage::TCardPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsCard", parent) {
    TFlowLayout* row = AddPanel("pnlCard");
    AddButtons(row, {{"Оставить выделенные", "CardFilter_Include"},
                     {"Удалить выделенные", "CardFilter_Exclude"},
                     {"Экспорт в Excel", "CardXlsExport"}});
    AddContent(MakeGrid("sgCard", this));
}

} // namespace qx
