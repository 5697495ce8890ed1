#pragma once
#include "views/ViewPage.h"

class QTableView;

namespace qx {

class TCardTab;
class TGridModel;

// The card of the engine's card tab as a table model.
TGridModel* MakeCardModel(const TCardTab& tab, QObject* parent);

// The tab "Карта": the card of draws over the engine's card tab, with its filters and colours.
class TCardPage : public TViewPage {
public:
    TCardPage(TPageContext& context, QWidget* parent);
    void RefreshView(bool force) override;

    QTableView* Grid() const { return FGrid; }
    TGridModel* Model() const { return FModel; }

private:
    void RegisterCommands();
    void ShowCard();
    void ToggleColours(const char* key);
    bool FilterEnabled() const;
    // Column 0 is as wide as the draws list's first column.
    void FollowDrawsColumn();

    TGridModel* FModel;
    QTableView* FGrid;
    TShownRevision FShown;
};

} // namespace qx
