#pragma once
#include <QDialog>
#include <array>

#include "core/Config.h"

class QLineEdit;
class QSpinBox;

namespace qx {

// "Методы шинковки": the three formulas and their decimal places. The texts are not checked: an
// invalid formula gives every draw the value 0.
class TFormShredding : public QDialog {
public:
    TFormShredding(const TShreddingFormulas& formulas, QWidget* parent);
    TShreddingFormulas Result() const;
    QLineEdit* FormulaEdit(int i) const { return FFormulas[size_t(i)]; }
    QSpinBox* PlacesEdit(int i) const { return FPlaces[size_t(i)]; }

private:
    std::array<QLineEdit*, 3> FFormulas{};
    std::array<QSpinBox*, 3> FPlaces{};
};

} // namespace qx
