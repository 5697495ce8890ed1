#pragma once
#include "views/ViewPage.h"

namespace qx {

class TSortableList;

// The tab "Системы": the betting systems catalogue; hidden at every start, it arrives with the
// systems.
class TSystemsPage : public TViewPage {
public:
    TSystemsPage(TPageContext& context, QWidget* parent);
    std::vector<TPersistentList> PersistentLists() override;

private:
    TSortableList* FList;
};

} // namespace qx
