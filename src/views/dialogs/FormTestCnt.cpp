#include "views/dialogs/FormTestCnt.h"

#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/Shell.h"
#include "views/DialogButtons.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {

TFormTestCnt::TFormTestCnt(const TTestCountRange& range, QWidget* parent) : QDialog(parent) {
    setObjectName("TFormTestCnt");
    setWindowTitle(Tx("Количество тестов"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Tx("Укажите количество тестов:"), this));
    FCount = new QSpinBox(this);
    FCount->setObjectName("edTestCount");
    FCount->setRange(range.Min, std::max(range.Min, range.Max));
    FCount->setValue(range.Default);
    SetHint(FCount, "Укажите количество последних тиражей, на которых будет производится тестирование");
    layout->addWidget(FCount);
    layout->addWidget(MakeOkCancelButtons(this));
    setMinimumWidth(260);
    FCount->setFocus();
    FCount->selectAll();
}

int TFormTestCnt::Value() const {
    return result() == QDialog::Accepted ? FCount->value() : 0;
}

int TFormTestCnt::Ask(TShell& shell, int64_t drawsCount, QWidget* parent) {
    const TTestCountRange range = TestCountRange(drawsCount);
    if (range.Empty()) {
        shell.ShowWarning(range.Refusal);
        return 0;
    }
    TFormTestCnt dialog(range, parent);
    dialog.exec();
    return dialog.Value();
}

} // namespace qx
