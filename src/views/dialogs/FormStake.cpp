#include "views/dialogs/FormStake.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>

#include "core/Shell.h"
#include "views/DialogButtons.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {

TStakeDialogBase::TStakeDialogBase(TShell& shell, const char* name, const char* caption, QWidget* parent)
    : QDialog(parent), FShell(shell) {
    setObjectName(name);
    setWindowTitle(Tx(caption));
}

int TStakeDialogBase::DrawsCount() const { return FDrawsCount->value(); }

void TStakeDialogBase::Build(int32_t drawNumber, const std::string& comment,
                             const std::function<void(QFormLayout*)>& extra) {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    FDrawNumber = new QSpinBox(this);
    FDrawNumber->setObjectName("edDrawNumber");
    FDrawNumber->setRange(1, INT_MAX);
    FDrawNumber->setValue(std::max(1, drawNumber));
    SetHint(FDrawNumber, "Номер первого тиража");
    form->addRow(Tx("Номер тиража:"), FDrawNumber);
    FDrawsCount = new QSpinBox(this);
    FDrawsCount->setObjectName("edDrawsCount");
    FDrawsCount->setRange(1, static_cast<int>(kStakeDrawsCountMax));
    FDrawsCount->setValue(1);
    SetHint(FDrawsCount, "Количество тиражей, на которые нужно сделать ставку (начиная с указанного)");
    form->addRow(Tx("Кол-во тиражей:"), FDrawsCount);
    if (extra) extra(form);
    FComment = new QLineEdit(ToQ(comment), this);
    FComment->setObjectName("edComment");
    FComment->setMaxLength(kStakeFormCommentMax);
    form->addRow(Tx("Комментарий к ставке:"), FComment);
    layout->addStretch(1);
    layout->addWidget(MakeOkCancelButtons(this));
    setMinimumWidth(380);
}

bool TStakeDialogBase::Accepted(const TStakeFormResult& result) {
    if (result) return true;
    FShell.ShowError(result.Message);
    QLineEdit* edit = result.Field == TStakeField::Comment ? FComment : FNumbers;
    if (edit) {
        edit->setFocus();
        edit->selectAll();
    }
    return false;
}

TFormStake::TFormStake(TShell& shell, const TStakeRecord& record, int drawsCount, QWidget* parent)
    : TStakeDialogBase(shell, "TFormStake", "Добавление ставки", parent), FResult(record) {
    Build(record.DrawNumber, record.CommentText(), [&](QFormLayout* form) {
        FNumbers = new QLineEdit(ToQ(record.NumbersText()), this);
        FNumbers->setObjectName("edStakeData");
        SetHint(FNumbers, "Введите числа, разделенные точкой с запятой или запятой");
        form->addRow(Tx("Ставка:"), FNumbers);
        FSum = new QLineEdit(this);
        FSum->setObjectName("edStakeSum");
        FSum->setReadOnly(true);
        form->addRow(Tx("Сумма:"), FSum);
    });
    FDrawsCount->setValue(std::max(1, drawsCount));
    auto sum = [this] { FSum->setText(ToQ(StakeSumText(FromQ(FNumbers->text())))); };
    connect(FNumbers, &QLineEdit::textChanged, this, sum);
    sum();
    FNumbers->setFocus();
    FNumbers->selectAll();
}

void TFormStake::accept() {
    TStakeRecord result = FResult;
    if (!Accepted(AcceptStakeForm(FDrawNumber->value(), FDrawsCount->value(), FromQ(FNumbers->text()),
                                  FromQ(FComment->text()), result)))
        return;
    FResult = result;
    QDialog::accept();
}

TFormMulti::TFormMulti(TShell& shell, int32_t drawNumber, QWidget* parent)
    : TStakeDialogBase(shell, "TFormMulti", "Добавление мультиставки", parent) {
    Build(drawNumber, kManualStakeComment, nullptr);
    FComment->setFocus();
}

int32_t TFormMulti::DrawNumber() const { return FDrawNumber->value(); }

std::string TFormMulti::Comment() const { return FromQ(FComment->text()); }

void TFormMulti::accept() {
    if (Accepted(AcceptMultiStakeForm(FDrawNumber->value(), FDrawsCount->value(), Comment()))) QDialog::accept();
}

} // namespace qx
