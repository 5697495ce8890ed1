#include "views/dialogs/FormTable.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/Shell.h"
#include "views/DialogButtons.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {

TFormTable::TFormTable(TShell& shell, const TRegularRecord& proposed, const TRegulars& existing,
                       QWidget* parent)
    : QDialog(parent), FShell(shell), FExisting(existing), FResult(proposed) {
    setObjectName("TFormTable");
    setWindowTitle(Tx("Добавление регулярной ставки"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Tx("Комментарий к ставке:"), this));
    FComment = new QLineEdit(ToQ(proposed.CommentText()), this);
    FComment->setObjectName("edComment");
    FComment->setMaxLength(kTableFormCommentMax);
    layout->addWidget(FComment);
    FMyComb = new QRadioButton(Tx("Использовать постоянную стартовую комбинацию:"), this);
    FMyComb->setObjectName("rbUseMyComb");
    layout->addWidget(FMyComb);
    FStart = new QLineEdit(ToQ(StartEditText(proposed)), this);
    FStart->setObjectName("edCombStart");
    SetHint(FStart, "Введите числа, разделенные точкой с запятой или запятой");
    layout->addWidget(FStart);
    FLastDraw = new QRadioButton(Tx("Использовать данные предыдущего тиража"), this);
    FLastDraw->setObjectName("rbUseLastDraw");
    layout->addWidget(FLastDraw);
    auto* steps = new QHBoxLayout;
    layout->addLayout(steps);
    FStep = AddSpin(steps, "edStep", "Шаг:", "Шаг изменения элементов комбинации", kRegularStepMin,
                    kRegularStepMax);
    FStep->setValue(proposed.Step);
    steps->addStretch(1);
    layout->addWidget(MakeOkCancelButtons(this));
    auto follow = [this] { FStart->setEnabled(StartEditable(Mode(), SelectedCountOf(FResult))); };
    connect(FMyComb, &QRadioButton::toggled, this, follow);
    FMyComb->setChecked(true);
    follow();
    setMinimumWidth(380);
    FComment->setFocus();
    FComment->selectAll();
}

int TFormTable::Mode() const {
    return FLastDraw->isChecked() ? rmPreviousDraw : rmConstantStart;
}

void TFormTable::accept() {
    TRegularRecord record = FResult;
    const TTableFormResult result = AcceptTableForm(record, Mode(), FStep->value(), FromQ(FStart->text()),
                                                    FromQ(FComment->text()), FExisting);
    if (!result) {
        FShell.ShowError(result.Message);
        QWidget* field = result.Field == TTableField::Start  ? static_cast<QWidget*>(FStart)
                         : result.Field == TTableField::Step ? static_cast<QWidget*>(FStep)
                                                             : static_cast<QWidget*>(FComment);
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
        return;
    }
    FResult = record;
    QDialog::accept();
}

} // namespace qx
