#pragma once
#include <QAbstractTableModel>
#include <array>
#include <string>
#include <vector>

#include "scripts/ScriptLine.h"

namespace qx {

class TWorkspace;

// The script list "lvScript" over the script's lines: the comment, the options and the seven
// filters of each, the filters parsed and printed again. The cells are made once per change.
class TScriptModel : public QAbstractTableModel {
public:
    explicit TScriptModel(const TWorkspace& ws, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes the script's lines again.
    void Sync();
    // A filter line: its "Опции" cell is not empty.
    bool IsFilterLine(int row) const;

private:
    const TWorkspace& FWs;
    std::vector<std::string> FLines;
    std::vector<std::array<std::string, kScriptColumnCount>> FCells;
};

} // namespace qx
