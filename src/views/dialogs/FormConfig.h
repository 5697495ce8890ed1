#pragma once
#include <QDialog>
#include <array>

#include "app/ConfigForm.h"
#include "core/Config.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;

namespace qx {

class TShell;

// The configuration dialog "Параметры системы" over a copy of the configuration. Result() is
// the configuration its OK stands for.
class TFormConfig : public QDialog {
public:
    TFormConfig(TShell& shell, const TConfigData& config, QWidget* parent);

    TConfigForm Edited() const;
    TConfigData Result() const;

    QSpinBox* MatrixCols() const { return FMatrixCols; }
    QTableWidget* Segments() const { return FSegments; }
    QSpinBox* ChannelSize() const { return FChannelSize; }
    QLineEdit* Cost() const { return FCost; }
    QTableWidget* Profits() const { return FProfits; }
    QLineEdit* Weight(int i) const { return FWeights[static_cast<size_t>(i)]; }

private:
    void SegmentEdited(QTableWidgetItem* item);

    TShell& FShell;
    TConfigData FOriginal;
    TConfigForm FShown;
    QSpinBox* FMatrixCols;
    QTableWidget* FSegments;
    QSpinBox* FChannelSize;
    QLineEdit* FCost;
    QTableWidget* FProfits;
    std::array<QLineEdit*, 3> FWeights{};
    QCheckBox* FPercents;
    QCheckBox* FAbsolute;
};

} // namespace qx
