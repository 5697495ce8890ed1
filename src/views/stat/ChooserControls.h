#pragma once
#include <QObject>
#include <functional>

class QComboBox;
class QSpinBox;

namespace qx {

class TCommands;
class TMethodChooser;
class TShell;

// The window length and the method chooser of the statistics and graphs tabs over the engine's
// chooser. The length goes to the engine as it is typed. Choosing an entry, or Enter in the length
// while it holds a valid number, brings the enabled state of the tab's "Обновить" command up to
// date and, when it is enabled, computes without force.
class TChooserControls : public QObject {
public:
    struct TBinding {
        TMethodChooser& Chooser;
        std::function<void(int)> SetLength;
        const char* Command;               // the tab's "Обновить"
        std::function<void(bool)> Compute; // computes (forced or not) and shows the result
    };
    TChooserControls(QSpinBox* length, QComboBox* method, TBinding binding, TCommands& commands,
                     TShell& shell);

    // Shows the engine's entries, selection and length (without running anything).
    void Show(int length);
    void SetEnabled(bool enabled);

private:
    void Chosen();

    QSpinBox* FLength;
    QComboBox* FMethod;
    TBinding FBinding;
    TCommands& FCommands;
    TShell& FShell;
};

} // namespace qx
