#pragma once
#include <QDialog>
#include <functional>
#include <vector>

#include "app/DrawInfo.h"
#include "core/Game.h"

class QSpinBox;
class QTableWidget;
class QTreeWidget;

namespace qx {

class TShell;

// The draw information dialog: a property list ("Свойство", "Значение") and a small card with
// the draw's digits, each in its position's column and its own row, rows in channel colours.
class TFormInfo : public QDialog {
public:
    TFormInfo(const std::vector<TPropertyRow>& rows, TCombCode code, int matrixCols, int channelWidth,
              QWidget* parent);

    QTreeWidget* Properties() const { return FProperties; }
    QTableWidget* Card() const { return FCard; }

private:
    QTreeWidget* FProperties;
    QSpinBox* FColumns;
    QTableWidget* FCard;
};

// Fills the dialog under the busy state (the method rows take a moment) and shows it modally.
void ShowInfoDialog(TShell& shell, const std::function<std::vector<TPropertyRow>()>& rows, TCombCode code,
                    int matrixCols, int channelWidth, QWidget* parent);

} // namespace qx
