#include "views/stat/ChooserControls.h"

#include <QAction>
#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/MethodChooser.h"
#include "core/Shell.h"
#include "views/Commands.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {

TChooserControls::TChooserControls(QSpinBox* length, QComboBox* method, TBinding binding, TCommands& commands,
                                   TShell& shell)
    : QObject(method), FLength(length), FMethod(method), FBinding(std::move(binding)), FCommands(commands),
      FShell(shell) {
    connect(FLength, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int value) { FBinding.SetLength(value); });
    connect(FMethod, qOverload<int>(&QComboBox::activated), this, [this](int entry) {
        FBinding.Chooser.Select(entry);
        Chosen();
    });
    // A text that is no number of 1 ... 2147483647 leaves everything as it is.
    OnSpinEnter(FLength, [this] {
        FBinding.SetLength(FLength->value());
        Chosen();
    });
}

void TChooserControls::Chosen() {
    FCommands.Evaluate();
    QAction* refresh = FCommands.Action(FBinding.Command);
    if (refresh && refresh->isEnabled()) RunCommand(FShell, [this] { FBinding.Compute(false); });
}

void TChooserControls::Show(int length) {
    QSignalBlocker blockMethod(FMethod);
    QSignalBlocker blockLength(FLength);
    const auto& entries = FBinding.Chooser.Entries();
    bool same = FMethod->count() == static_cast<int>(entries.size());
    for (int i = 0; same && i < FMethod->count(); ++i)
        same = FMethod->itemText(i) == ToQ(entries[size_t(i)].Text);
    if (!same) {
        FMethod->clear();
        for (const TMethodEntry& e : entries) FMethod->addItem(ToQ(e.Text));
    }
    FMethod->setCurrentIndex(FBinding.Chooser.Selected());
    if (FLength->value() != length) FLength->setValue(length);
}

void TChooserControls::SetEnabled(bool enabled) {
    FLength->setEnabled(enabled);
    FMethod->setEnabled(enabled);
}

} // namespace qx
