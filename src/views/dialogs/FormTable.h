#pragma once
#include <QDialog>

#include "app/TableForm.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace qx {

class TRegulars;
class TShell;

// "Добавление регулярной ставки": comment, the start (a constant combination or the previous
// draw) and the step of a new regular. It starts from the proposed record (which carries the
// number of selected combinations) and refuses a bad start, an empty comment and a comment an
// existing regular has; Result() is the accepted record.
class TFormTable : public QDialog {
public:
    TFormTable(TShell& shell, const TRegularRecord& proposed, const TRegulars& existing, QWidget* parent);
    const TRegularRecord& Result() const { return FResult; }
    void accept() override;

    QLineEdit* CommentEdit() const { return FComment; }
    QLineEdit* StartEdit() const { return FStart; }
    QRadioButton* MyCombButton() const { return FMyComb; }
    QRadioButton* LastDrawButton() const { return FLastDraw; }
    QSpinBox* StepEdit() const { return FStep; }

private:
    int Mode() const;

    TShell& FShell;
    const TRegulars& FExisting;
    TRegularRecord FResult;
    QLineEdit* FComment;
    QRadioButton* FMyComb;
    QLineEdit* FStart;
    QRadioButton* FLastDraw;
    QSpinBox* FStep;
};

} // namespace qx
