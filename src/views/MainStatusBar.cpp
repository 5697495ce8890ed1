#include "views/MainStatusBar.h"

#include <QLabel>

namespace qx {
namespace {

// A panel of its design width that gives way when the window is narrower than all panels.
class TStatusPanel : public QLabel {
public:
    TStatusPanel(QWidget* parent, int width) : QLabel(parent), FWidth(width) {
        setMinimumWidth(1);
        if (width > 0) setMaximumWidth(width);
        setSizePolicy(width > 0 ? QSizePolicy::Preferred : QSizePolicy::Expanding, QSizePolicy::Preferred);
    }
    QSize sizeHint() const override {
        QSize hint = QLabel::sizeHint();
        return FWidth > 0 ? QSize(FWidth, hint.height()) : QSize(1, hint.height());
    }
    QSize minimumSizeHint() const override { return QSize(1, QLabel::minimumSizeHint().height()); }

private:
    int FWidth;
};

} // namespace

TMainStatusBar::TMainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName("StatusBar");
    setSizeGripEnabled(true);
    static constexpr int kWidths[kPanels - 1] = {150, 180, 130, 150, 120, 125};
    for (int i = 0; i < kPanels; ++i) {
        auto* panel = new TStatusPanel(this, i < kMessagePanel ? kWidths[i] : 0);
        panel->setObjectName(QString("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(3);
        if (i == 2) panel->setAlignment(Qt::AlignCenter);
        addWidget(panel, i < kMessagePanel ? 0 : 1);
        FPanels[static_cast<size_t>(i)] = panel;
    }
}

QString TMainStatusBar::PanelText(int index) const {
    return Panel(index)->text();
}

void TMainStatusBar::SetPanelText(int index, const QString& text) {
    Panel(index)->setText(text);
}

} // namespace qx
