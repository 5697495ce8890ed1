#pragma once
#include "views/ViewPage.h"

namespace qx {

// The tab "Карта": the card of draws; it arrives with the card view.
class TCardPage : public TViewPage {
public:
    TCardPage(TPageContext& context, QWidget* parent);
};

} // namespace qx
