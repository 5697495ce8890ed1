#include "views/ViewPage.h"

namespace qx {

TViewPage::TViewPage(TPageContext& context, const char* objectName, QWidget* parent)
    : QWidget(parent), Ctx(context) {
    setObjectName(objectName);
}

} // namespace qx
