#include "views/dialogs/FormStakeFilter.h"

#include <QPushButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/StakeForms.h"
#include "stakes/StakesBook.h"
#include "views/DialogButtons.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {

TFormStakeFilter::TFormStakeFilter(int condition, int value, QWidget* parent) : QDialog(parent) {
    setObjectName("TFormStakeFilter");
    setWindowTitle(Tx("Удаление по условию"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Tx("Выберите условие:"), this));
    auto* row = new QHBoxLayout;
    FCondition = new QComboBox(this);
    FCondition->setObjectName("cbCondition");
    for (int c = 0; c < kStakeConditionCount; ++c) FCondition->addItem(Tx(StakeConditionCaption(c)));
    FCondition->setCurrentIndex(condition);
    FValue = new QSpinBox(this);
    FValue->setObjectName("edValue");
    FValue->setRange(0, kPositions);
    FValue->setValue(value);
    SetHint(FValue, "Количество совпадений");
    row->addWidget(FCondition, 1);
    row->addWidget(FValue);
    layout->addLayout(row);
    QWidget* buttons = MakeOkCancelButtons(this);
    if (auto* box = qobject_cast<QDialogButtonBox*>(buttons))
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) SetHint(ok, "Удалить ставки");
    layout->addWidget(buttons);
}

uint16_t TFormStakeFilter::Value() const { return StakeFilterValue(FCondition->currentIndex(), FValue->value()); }

} // namespace qx
