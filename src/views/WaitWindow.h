#pragma once
#include <QWidget>

class QFrame;
class QLabel;

namespace qx {

// A borderless window centred on the screen, 355 x 77, with one bevelled panel holding a
// centred, word-wrapped label in the menu font. Shown in front and painted at once.
class TWaitWindow : public QWidget {
public:
    static constexpr int kWidth = 355;
    static constexpr int kHeight = 77;

    TWaitWindow();
    void SetText(const QString& text);
    QString Text() const;

private:
    QLabel* FLabel;
};

// Fills a small borderless window with one bevelled panel, as the wait and progress windows show.
QFrame* FillWithBevelledPanel(QWidget* window);

} // namespace qx
