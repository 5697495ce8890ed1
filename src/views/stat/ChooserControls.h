#pragma once
#include <QObject>
#include <functional>

class QComboBox;
class QSpinBox;

namespace qx {

class TMethodChooser;

// The window length and the method chooser of the statistics and graphs tabs over the engine's
// chooser. The length goes to the engine as it is typed; choosing an entry, or Enter in the
// length while it holds a valid number, runs chosen (the tab then computes when it may).
class TChooserControls : public QObject {
public:
    TChooserControls(QSpinBox* length, QComboBox* method, TMethodChooser& chooser,
                     std::function<void(int)> setLength, std::function<void()> chosen);

    // Shows the engine's entries, selection and length (without running anything).
    void Show(int length);
    void SetEnabled(bool enabled);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSpinBox* FLength;
    QComboBox* FMethod;
    TMethodChooser& FChooser;
    std::function<void(int)> FSetLength;
    std::function<void()> FChosen;
};

} // namespace qx
