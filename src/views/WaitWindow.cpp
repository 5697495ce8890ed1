#include "views/WaitWindow.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>

namespace qx {

QFrame* FillWithBevelledPanel(QWidget* window) {
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QFrame(window);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    outer->addWidget(panel);
    return panel;
}

TWaitWindow::TWaitWindow() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("WaitWindow");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kWidth, kHeight);
    QFrame* panel = FillWithBevelledPanel(this);
    auto* inner = new QVBoxLayout(panel);
    FLabel = new QLabel(panel);
    FLabel->setAlignment(Qt::AlignCenter);
    FLabel->setWordWrap(true);
    FLabel->setFont(QApplication::font("QMenu"));
    inner->addWidget(FLabel);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kWidth / 2, kHeight / 2));
    }
}

void TWaitWindow::SetText(const QString& text) {
    FLabel->setText(text);
    if (!isVisible()) show();
    raise();
    repaint();
}

QString TWaitWindow::Text() const {
    return FLabel->text();
}

} // namespace qx
