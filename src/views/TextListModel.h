#pragma once
#include <QAbstractTableModel>
#include <functional>
#include <string>
#include <vector>

#include "views/PageWidgets.h"

namespace qx {

// A virtual list over rows the engine keeps: a cell's text is asked for only when it is painted,
// so a list may run to millions of rows or carry long texts without copying them.
class TTextListModel : public QAbstractTableModel {
public:
    using TCellText = std::function<std::string(int row, int column)>;
    TTextListModel(std::vector<TColumnDef> columns, std::function<int()> rows, TCellText text,
                   QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes the engine's row count (a new count makes every row new); the same count repaints.
    void Sync();

private:
    std::vector<TColumnDef> FColumns;
    std::function<int()> FRowsOf;
    TCellText FText;
    int FRows = 0;
};

} // namespace qx
