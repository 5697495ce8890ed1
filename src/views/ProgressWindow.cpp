#include "views/ProgressWindow.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "views/Tx.h"
#include "views/WaitWindow.h"

namespace qx {

TProgressWindow::TProgressWindow(std::function<void()> onCancel)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("ProgressWindow");
    QFrame* panel = FillWithBevelledPanel(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(10, 8, 10, 8);
    FLabel = new QLabel(panel);
    FLabel->setAlignment(Qt::AlignCenter);
    FBar = new QProgressBar(panel);
    FBar->setTextVisible(false);
    FBar->setFixedHeight(18);
    FCancel = new QPushButton(Tx("Отмена"), panel);
    FCancel->setObjectName("btnCancel");
    FCancel->setToolTip(Tx("Прервать операцию"));
    FCancel->setStatusTip(FCancel->toolTip());
    layout->addWidget(FLabel);
    layout->addWidget(FBar);
    layout->addWidget(FCancel, 0, Qt::AlignHCenter);
    QObject::connect(FCancel, &QPushButton::clicked, this, [this, onCancel = std::move(onCancel)] {
        FCancel->setEnabled(false);
        if (onCancel) onCancel();
    });
}

void TProgressWindow::Show(const TProgressState& state) {
    FLabel->setText(Tx(state.Text));
    FBar->setRange(0, std::max(1, state.Steps));
    FBar->setValue(state.Position);
    FCancel->setVisible(state.Stoppable);
    FCancel->setEnabled(state.Stoppable && !state.Cancelled);
    const int height = state.Stoppable ? kHeightWithButton : kHeightWithoutButton;
    if (size() != QSize(kWidth, height)) {
        setFixedSize(kWidth, height);
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(kWidth / 2, height / 2));
    }
    if (!isVisible()) show();
    raise();
    repaint();
}

} // namespace qx
