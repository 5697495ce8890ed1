#pragma once
#include <vector>

#include "stakes/Systems.h"
#include "views/ViewPage.h"

namespace qx {

class TSortableList;

// The tab "Системы": the systems catalogue's list with its commands (fetch, reload, publish,
// properties, delete), and system play over the working combination list with the system kept in
// the folder Systems for its count of numbers. Hidden at every start; showing it loads the list.
class TSystemsPage : public TViewPage {
public:
    TSystemsPage(TPageContext& context, QWidget* parent);
    std::vector<TPersistentList> PersistentLists() override;
    void TabToggled(bool visible) override;
    TSortableList* List() const { return FList; }

    // The catalogue rows of the selected list rows, in list order.
    std::vector<size_t> SelectedRows() const;
    // Shows the catalogue's rows again, selecting those with the given ids (scrolled into view).
    void ShowRows(const std::vector<int32_t>& selectIds);

private:
    void RegisterCommands();
    void Play(TSystemPlayMode mode);
    void Reload();
    void Download();
    void Add();
    void Properties();
    void Delete();
    std::vector<int32_t> SelectedIds() const;
    // The catalogue row of the current list row (none: SIZE_MAX).
    size_t CurrentRow() const;

    TSortableList* FList;
};

} // namespace qx
