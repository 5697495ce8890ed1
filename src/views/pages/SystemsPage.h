#pragma once
#include "stakes/Systems.h"
#include "views/ViewPage.h"

namespace qx {

class TSortableList;

// The tab "Системы": the systems catalogue (its list and buttons arrive with the online
// catalogue) and system play over the working combination list with the system kept in the
// folder Systems for its count of numbers. Hidden at every start.
class TSystemsPage : public TViewPage {
public:
    TSystemsPage(TPageContext& context, QWidget* parent);
    std::vector<TPersistentList> PersistentLists() override;
    TSortableList* List() const { return FList; }

private:
    void RegisterCommands();
    void Play(TSystemPlayMode mode);

    TSortableList* FList;
};

} // namespace qx
