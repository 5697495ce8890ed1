#include "views/FlowLayout.h"

#include <QWidget>

namespace qx {

TFlowLayout::TFlowLayout(QWidget* parent, int spacing) : QLayout(parent) {
    setSpacing(spacing);
}

TFlowLayout::~TFlowLayout() {
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void TFlowLayout::addItem(QLayoutItem* item) {
    FItems.append(item);
}

QLayoutItem* TFlowLayout::takeAt(int index) {
    return index >= 0 && index < FItems.size() ? FItems.takeAt(index) : nullptr;
}

QSize TFlowLayout::minimumSize() const {
    // As narrow as the widest single item: everything else wraps.
    QSize size;
    for (const QLayoutItem* item : FItems) size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize TFlowLayout::sizeHint() const {
    int width = 0, height = 0;
    for (const QLayoutItem* item : FItems) {
        width += item->sizeHint().width() + spacing();
        height = std::max(height, item->sizeHint().height());
    }
    const QMargins m = contentsMargins();
    return QSize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

void TFlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    Arrange(rect, true);
}

int TFlowLayout::Arrange(const QRect& rect, bool apply) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x(), y = area.y(), rowHeight = 0;
    for (QLayoutItem* item : FItems) {
        if (item->isEmpty()) continue;
        const QSize hint = item->sizeHint();
        if (x > area.x() && x + hint.width() > area.right() + 1) {
            x = area.x();
            y += rowHeight + spacing();
            rowHeight = 0;
        }
        if (apply) item->setGeometry(QRect(QPoint(x, y), hint));
        x += hint.width() + spacing();
        rowHeight = std::max(rowHeight, hint.height());
    }
    return y + rowHeight - rect.y() + contentsMargins().bottom();
}

} // namespace qx
