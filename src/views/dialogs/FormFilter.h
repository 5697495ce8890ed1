#pragma once
#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "app/FilterForm.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QTimer;

namespace qx {

class TMethodChooser;
class TShell;
class TStatList;
class TWorkspace;

// "Фильтр": one filter description of a script line. OK is refused, with the message and the
// focus on the field, while the engine's checks find a fault. A read-only line under the fields
// shows what the description would leave, refreshed a moment after the fields stop changing.
class TFormFilter : public QDialog {
public:
    // The text of the preview line for the controls as they stand.
    using TPreview = std::function<std::string(const TFilterForm&)>;
    TFormFilter(TShell& shell, const TMethodChooser& chooser, const TStatList& registry,
                const TFilterForm& form, QWidget* parent, TPreview preview = {});
    // The controls as they stand now.
    TFilterForm Edited() const;
    // Fills the preview line now instead of after the pause.
    void RefreshPreview();
    static constexpr int kPreviewDelayMs = 150;

protected:
    void accept() override;

private:
    void UpdateEnabling();
    QWidget* FieldWidget(TFilterFormField field) const;
    // Every field change restarts the pause before the preview line is computed again.
    void WatchFields();

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
    QLineEdit* FPreviewLine;
    TPreview FPreview;
    QTimer* FPreviewTimer;
};

// Edits the description over the statistics tab's chooser, length and the engine's weights;
// true on OK, with the description rebuilt from the controls.
bool EditFilterItem(TWorkspace& ws, TShell& shell, QWidget* parent, TFilterItem& item);

} // namespace qx
