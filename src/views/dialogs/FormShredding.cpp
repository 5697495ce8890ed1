#include "views/dialogs/FormShredding.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/ShreddingForm.h"
#include "views/DialogButtons.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {

TFormShredding::TFormShredding(const TShreddingFormulas& formulas, QWidget* parent) : QDialog(parent) {
    setObjectName("TFormShredding");
    setWindowTitle(Tx(kShreddingCaption));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        grid->addWidget(new QLabel(Tx("Формула %1:").arg(n), this), i, 0);
        auto* edit = new QLineEdit(QString::fromStdString(formulas.Formula[size_t(i)]), this);
        edit->setObjectName("edFormula" + n);
        SetHint(edit, kShreddingFormulaHint);
        grid->addWidget(edit, i, 1);
        auto* places = new QSpinBox(this);
        places->setObjectName("edDigits" + n);
        places->setRange(kShreddingMinPlaces, kShreddingMaxPlaces);
        places->setValue(ShreddingPlacesShown(formulas.Digits[size_t(i)]));
        SetHint(places, kShreddingPlacesHint);
        grid->addWidget(places, i, 2);
        FFormulas[size_t(i)] = edit;
        FPlaces[size_t(i)] = places;
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    auto* note = new QLabel(Tx(kShreddingNote).replace("\r\n", "\n"), this);
    note->setObjectName("lbVariables");
    layout->addWidget(note);
    layout->addWidget(MakeOkCancelButtons(this));
    setMinimumWidth(420);
}

TShreddingFormulas TFormShredding::Result() const {
    TShreddingFormulas f;
    for (size_t i = 0; i < 3; ++i) {
        f.Formula[i] = FFormulas[i]->text().toStdString();
        f.Digits[i] = FPlaces[i]->value();
    }
    return f;
}

} // namespace qx
