#pragma once
#include <QWidget>
#include <functional>

#include "core/Shell.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace qx {

// The progress window: its text, a bar from 0 to the number of steps and, for a stoppable
// operation, the button "Отмена" that disables itself and raises the cancel flag. 105 pixels
// high with the button, 74 without.
class TProgressWindow : public QWidget {
public:
    static constexpr int kWidth = 355;
    static constexpr int kHeightWithButton = 105;
    static constexpr int kHeightWithoutButton = 74;

    explicit TProgressWindow(std::function<void()> onCancel);
    void Show(const TProgressState& state);

    QLabel* Label() const { return FLabel; }
    QProgressBar* Bar() const { return FBar; }
    QPushButton* CancelButton() const { return FCancel; }

private:
    QLabel* FLabel;
    QProgressBar* FBar;
    QPushButton* FCancel;
};

} // namespace qx
