#include "views/stakes/StakesModel.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "app/Workspace.h"
#include "stakes/StakesGrid.h"
#include "views/Tx.h"

namespace qx {
namespace {

constexpr int kDigitGap = 3;
constexpr int kTextIndent = 2;

Qt::Alignment ColumnAlignment(int column) {
    const Qt::Alignment horizontal = column == stcProfit    ? Qt::AlignRight
                                     : column == stcComment ? Qt::AlignLeft
                                                            : Qt::AlignHCenter;
    return horizontal | Qt::AlignVCenter;
}

QColor ToQColor(TColour c) { return QColor(c.R, c.G, c.B); }

} // namespace

TStakesModel::TStakesModel(TWorkspace& ws, QObject* parent) : QAbstractTableModel(parent), FWs(ws) { Sync(); }

int TStakesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FRows; }

int TStakesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kStakeColumnCount; }

std::optional<TStakeRecord> TStakesModel::Record(int row) const {
    if (row < 0 || row >= FRows) return std::nullopt;
    return FWs.Stakes().TryRead(row);
}

QVariant TStakesModel::data(const QModelIndex& index, int role) const {
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: {
        const auto r = Record(index.row());
        return r ? ToQ(StakeCellText(*r, column, FWs.DecimalSeparator())) : QString();
    }
    case Qt::TextAlignmentRole: return QVariant::fromValue(ColumnAlignment(column));
    case Qt::BackgroundRole: {
        const auto r = Record(index.row());
        TColour colour;
        if (r && StakeRowColour(*r, colour)) return QBrush(ToQColor(colour));
        return {};
    }
    case Qt::ForegroundRole: {
        if (column < stcMatchCount || column > stcProfit) return QBrush(Qt::black);
        const auto r = Record(index.row());
        if (!r || !r->IsChecked()) return QBrush(Qt::black);
        return QBrush(ToQColor(StakeProfitColour(*r)));
    }
    default: return {};
    }
}

QVariant TStakesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kStakeColumnCount) return {};
    if (role == Qt::DisplayRole) return Tx(kStakeColumns[section].Caption);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ColumnAlignment(section));
    return {};
}

bool TStakesModel::Sync() {
    const int rows = static_cast<int>(std::min<int64_t>(FWs.StakesCount(), INT_MAX));
    if (rows == FRows) return false;
    if (rows > FRows) {
        beginInsertRows({}, FRows, rows - 1);
        FRows = rows;
        endInsertRows();
    } else {
        beginResetModel();
        FRows = rows;
        endResetModel();
    }
    return true;
}

void TStakesModel::RepaintAll() {
    if (FRows > 0) emit dataChanged(index(0, 0), index(FRows - 1, kStakeColumnCount - 1));
}

TStakeDigitsDelegate::TStakeDigitsDelegate(const TStakesModel& model, QObject* parent)
    : QStyledItemDelegate(parent), FModel(model) {}

void TStakeDigitsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const auto r = FModel.Record(index.row());
    if (!r || r->DrawNumber <= 0 || (index.column() == stcDrawn && !r->IsChecked())) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The cell without its text, then the digits.
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    plain.text.clear();
    QStyle* style = plain.widget ? plain.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);

    const bool staked = index.column() == stcNumbers;
    const int count = staked ? std::clamp(r->Numbers.Count, 0, kPositions) : kPositions;
    QFont normal = option.font, bold = option.font;
    bold.setBold(true);
    const QFontMetrics normalMetrics(normal), boldMetrics(bold);
    int width = 0;
    for (int p = 0; p < count; ++p) {
        const QString digit = QString::number(staked ? r->Numbers.Digits[p] : r->Drawn[p]);
        width += (StakeDigitMatches(*r, p) ? boldMetrics : normalMetrics).horizontalAdvance(digit);
        if (p) width += kDigitGap;
    }
    int x = std::max(option.rect.left() + kTextIndent, option.rect.center().x() - width / 2);
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setClipRect(option.rect);
    for (int p = 0; p < count; ++p) {
        const bool match = StakeDigitMatches(*r, p);
        const QString digit = QString::number(staked ? r->Numbers.Digits[p] : r->Drawn[p]);
        painter->setFont(match ? bold : normal);
        painter->setPen(match ? QColor(0, 0, 255)
                              : (selected ? option.palette.highlightedText().color() : QColor(Qt::black)));
        const int w = (match ? boldMetrics : normalMetrics).horizontalAdvance(digit);
        painter->drawText(QRect(x, option.rect.top(), w, option.rect.height()), Qt::AlignVCenter | Qt::AlignLeft,
                          digit);
        x += w + kDigitGap;
    }
    painter->restore();
}

} // namespace qx
