#include "views/scripts/ScriptModel.h"

#include "app/Workspace.h"
#include "views/Tx.h"

namespace qx {
namespace {

const char* const kCaptions[kScriptColumnCount] = {"Комментарии", "Опции",    "Фильтр 1", "Фильтр 2", "Фильтр 3",
                                                   "Фильтр 4",    "Фильтр 5", "Фильтр 6", "Фильтр 7"};

} // namespace

TScriptModel::TScriptModel(const TWorkspace& ws, QObject* parent) : QAbstractTableModel(parent), FWs(ws) { Sync(); }

int TScriptModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FCells.size());
}

int TScriptModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kScriptColumnCount; }

QVariant TScriptModel::data(const QModelIndex& index, int role) const {
    const int row = index.row(), column = index.column();
    if (role != Qt::DisplayRole || row < 0 || row >= rowCount() || column < 0 || column >= kScriptColumnCount)
        return {};
    return ToQ(FCells[size_t(row)][size_t(column)]);
}

QVariant TScriptModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kScriptColumnCount)
        return {};
    return Tx(kCaptions[section]);
}

void TScriptModel::Sync() {
    const std::vector<std::string>& lines = FWs.Script().Lines();
    if (lines == FLines && !FCells.empty()) return;
    const bool sameCount = lines.size() == FLines.size();
    if (!sameCount) beginResetModel();
    FLines = lines;
    FCells.clear();
    FCells.reserve(lines.size());
    for (const std::string& line : lines) FCells.push_back(ScriptLineCells(line, FWs.Stats()));
    if (!sameCount)
        endResetModel();
    else if (!FCells.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kScriptColumnCount - 1));
}

bool TScriptModel::IsFilterLine(int row) const {
    return row >= 0 && row < rowCount() && !FCells[size_t(row)][1].empty();
}

} // namespace qx
