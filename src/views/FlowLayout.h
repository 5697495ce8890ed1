#pragma once
#include <QLayout>
#include <QList>

namespace qx {

// Lays its items out left to right and starts a new row when the width runs out, so a page's
// panel of buttons never forces the window wider than its design size.
class TFlowLayout : public QLayout {
public:
    explicit TFlowLayout(QWidget* parent, int spacing = 4);
    ~TFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(FItems.size()); }
    QLayoutItem* itemAt(int index) const override { return FItems.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return Arrange(QRect(0, 0, width, 0), false); }
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    int Arrange(const QRect& rect, bool apply) const;
    QList<QLayoutItem*> FItems;
};

} // namespace qx
