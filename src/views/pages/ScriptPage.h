#pragma once
#include "views/ViewPage.h"

class QComboBox;
class QSplitter;
class QTableView;

namespace qx {

class TSortableList;

// The tab "Сценарий": the script lines and the online script library panel; they arrive with
// the scripts.
class TScriptPage : public TViewPage {
public:
    TScriptPage(TPageContext& context, QWidget* parent);
    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;
    std::vector<TPersistentList> PersistentLists() override;

private:
    QTableView* FLines;
    QWidget* FLibrary;
    QComboBox* FLibraryFilter;
    TSortableList* FLibraryList;
    QSplitter* FSplit;
};

} // namespace qx
