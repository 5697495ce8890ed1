#pragma once
#include <QDialog>
#include <cstdint>

class QComboBox;
class QSpinBox;

namespace qx {

// "Удаление по условию": a comparison of the match count and a value 0..4. Value() is the
// dialog's one 16-bit result: low byte the comparison, high byte the value.
class TFormStakeFilter : public QDialog {
public:
    TFormStakeFilter(int condition, int value, QWidget* parent);
    uint16_t Value() const;
    QComboBox* ConditionBox() const { return FCondition; }
    QSpinBox* ValueEdit() const { return FValue; }

private:
    QComboBox* FCondition;
    QSpinBox* FValue;
};

} // namespace qx
