#include "views/dialogs/FormExpExcelParam.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

#include "views/DialogButtons.h"
#include "views/Tx.h"

namespace qx {
namespace {

// Wide enough for any width a sheet takes, and for the negative ones it turns into 0.
constexpr double kWidthLimit = 9999999.99;

} // namespace

TFormExpExcelParam::TFormExpExcelParam(const TExportField& field, char separator, QWidget* parent)
    : QDialog(parent), FField(field), FSeparator(separator) {
    setObjectName("TFormExpExcelParam");
    setWindowTitle(Tx("Параметры поля"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    FCaption = new QLineEdit(ToQ(field.Caption), this);
    FCaption->setObjectName("edCaption");
    FCaption->setMinimumWidth(260);
    form->addRow(Tx("Заголовок столбца:"), FCaption);

    FAlign = new QComboBox(this);
    FAlign->setObjectName("edAlign");
    for (int a : {kAlignLeft, kAlignRight, kAlignCenter}) FAlign->addItem(Tx(AlignmentName(a)));
    FAlign->setCurrentIndex(field.Alignment >= 0 && field.Alignment <= 2 ? field.Alignment : -1);
    form->addRow(Tx("Выравнивание данных:"), FAlign);

    // Shown as ",0.00": group separators and two decimals in the user's separator.
    FWidth = new QDoubleSpinBox(this);
    FWidth->setObjectName("edWidth");
    FWidth->setLocale(separator == ',' ? QLocale(QLocale::Russian, QLocale::Russia)
                                       : QLocale(QLocale::English, QLocale::UnitedStates));
    FWidth->setGroupSeparatorShown(true);
    FWidth->setDecimals(2);
    FWidth->setRange(-kWidthLimit, kWidthLimit);
    FWidth->setButtonSymbols(QAbstractSpinBox::NoButtons);
    FWidth->setValue(ParseWidth(field.Width, 10));
    form->addRow(Tx("Ширина:"), FWidth);

    layout->addWidget(MakeOkCancelButtons(this));
}

TExportField TFormExpExcelParam::Result() const {
    TExportField f = FField;
    f.Caption = FromQ(FCaption->text());
    if (FAlign->currentIndex() >= 0) f.Alignment = FAlign->currentIndex();
    f.Width = WidthText(FWidth->value(), FSeparator);
    return f;
}

} // namespace qx
