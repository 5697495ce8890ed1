#pragma once
#include <QDialog>
#include <array>

#include "app/FilterForm.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

namespace qx {

class TMethodChooser;
class TShell;
class TStatList;
class TWorkspace;

// "Фильтр": one filter description of a script line. OK is refused, with the message and the
// focus on the field, while the engine's checks find a fault.
class TFormFilter : public QDialog {
public:
    TFormFilter(TShell& shell, const TMethodChooser& chooser, const TStatList& registry,
                const TFilterForm& form, QWidget* parent);
    // The controls as they stand now.
    TFilterForm Edited() const;

protected:
    void accept() override;

private:
    void UpdateEnabling();
    QWidget* FieldWidget(TFilterFormField field) const;

    TShell& FShell;
    const TMethodChooser& FChooser;
    const TStatList& FRegistry;
    TFilterForm FShown;
    QComboBox* FMethod;
    QLineEdit* FLengths;
    QComboBox* FSortColumn;
    QComboBox* FDirection;
    QComboBox* FMode;
    QCheckBox* FMultiSelect;
    QComboBox* FCondition;
    QLineEdit* FValues;
    QGroupBox* FWeightsGroup;
    QCheckBox* FOwnWeights;
    std::array<QLineEdit*, 3> FWeights{};
    QCheckBox* FPercents;
    QCheckBox* FAbsolute;
    QComboBox* FStopMode;
    QSpinBox* FStopValue;
};

// Edits the description over the statistics tab's chooser, length and the engine's weights;
// true on OK, with the description rebuilt from the controls.
bool EditFilterItem(TWorkspace& ws, TShell& shell, QWidget* parent, TFilterItem& item);

} // namespace qx
