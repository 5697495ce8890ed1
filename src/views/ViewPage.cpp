#include "views/ViewPage.h"

#include <QVBoxLayout>

#include "views/FlowLayout.h"
#include "views/PageWidgets.h"

namespace qx {

TViewPage::TViewPage(TPageContext& context, const char* objectName, QWidget* parent)
    : QWidget(parent), Ctx(context) {
    setObjectName(objectName);
}

QVBoxLayout* TViewPage::Column() {
    if (auto* column = qobject_cast<QVBoxLayout*>(layout())) return column;
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    return column;
}

TFlowLayout* TViewPage::AddPanel(const char* name) {
    TFlowLayout* row = nullptr;
    Column()->addWidget(MakePanel(name, this, &row));
    return row;
}

void TViewPage::AddButtons(TFlowLayout* row,
                           std::initializer_list<std::pair<const char*, const char*>> buttons) {
    for (const auto& [caption, command] : buttons) AddCommandButton(row, Ctx.Commands, caption, command);
}

void TViewPage::AddContent(QWidget* content, int stretch) {
    Column()->addWidget(content, stretch);
}

} // namespace qx
