#pragma once
#include <QStatusBar>
#include <array>

class QLabel;

namespace qx {

// The main window's status bar: draws count, next draw number, following draw's digits
// (centred), combinations, stakes, rating, and the message panel that takes the rest.
class TMainStatusBar : public QStatusBar {
public:
    static constexpr int kPanels = 7;
    static constexpr int kMessagePanel = 6;

    explicit TMainStatusBar(QWidget* parent);
    QLabel* Panel(int index) const { return FPanels[static_cast<size_t>(index)]; }
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);

private:
    std::array<QLabel*, kPanels> FPanels{};
};

} // namespace qx
