#pragma once
#include <QDialog>

#include "core/Game.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimeEdit;

namespace qx {

class TShell;

// The draw dialog: number, the four digits as text and, when asked for, date and time.
// OK checks the digits ("Введена некорректная комбинация!") and keeps the dialog open on a
// refusal; Result() is the edited record.
class TFormDraw : public QDialog {
public:
    static constexpr int kHeightWithoutDate = 200;

    // Raises the date-conversion error of a label naming a day that does not exist.
    TFormDraw(TShell& shell, const QString& title, const TDrawRecord& draw, bool withDate, QWidget* parent);
    const TDrawRecord& Result() const { return FResult; }

    QSpinBox* NumberEdit() const { return FNumber; }
    QLineEdit* DigitsEdit() const { return FDigits; }
    QDateEdit* DateEdit() const { return FDate; }
    QTimeEdit* TimeEdit() const { return FTime; }

    void accept() override;

private:
    TShell& FShell;
    TDrawRecord FOriginal;
    TDrawRecord FResult;
    bool FWithDate;
    QSpinBox* FNumber;
    QLineEdit* FDigits;
    QLabel* FDateLabel;
    QDateEdit* FDate;
    QTimeEdit* FTime;
};

// Opens the draw dialog; true and the edited record on OK.
bool EditDraw(TShell& shell, QWidget* parent, const QString& title, TDrawRecord& draw, bool withDate);

} // namespace qx
