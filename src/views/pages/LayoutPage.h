#pragma once
#include <array>

#include "views/ViewPage.h"

class QSpinBox;
class QSplitter;
class QTableView;

namespace qx {

class TGridModel;
class TSortableList;

// The tab "Схема": the layout scheme over the engine's layout tab and the five comparison lists.
class TLayoutPage : public TViewPage {
public:
    TLayoutPage(TPageContext& context, QWidget* parent);
    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;
    void RefreshView(bool force) override;
    void BusyChanged(bool busy) override;

    QSpinBox* LengthEdit() const { return FLength; }
    QSpinBox* CompareEdit(int k) const { return FCompareLengths[size_t(k)]; }
    TSortableList* CompareList(int k) const { return FCompareLists[size_t(k)]; }
    QTableView* Grid() const { return FGrid; }
    TGridModel* Model() const { return FModel; }

private:
    QWidget* MakeComparePanel();
    void RegisterCommands();
    void Compute(bool force);
    void ComputeCompare(bool force);
    void ShowScheme();
    void ShowCompare();
    bool FilterEnabled() const;

    QSpinBox* FLength;
    std::array<QSpinBox*, 5> FCompareLengths{};
    std::array<TSortableList*, 5> FCompareLists{};
    TGridModel* FModel;
    QTableView* FGrid;
    QSplitter* FSplit;
    TShownRevision FShownScheme;
    TShownRevision FShownCompare;
};

} // namespace qx
