#pragma once
#include <QDialog>
#include <functional>
#include <string>

#include "app/StakeForms.h"
#include "stakes/StakeRecord.h"

class QFormLayout;
class QLineEdit;
class QSpinBox;

namespace qx {

class TShell;

// Shared by the stake dialogs: the draw number and draws count spin edits and the comment.
class TStakeDialogBase : public QDialog {
public:
    QSpinBox* DrawNumberEdit() const { return FDrawNumber; }
    QSpinBox* DrawsCountEdit() const { return FDrawsCount; }
    QLineEdit* CommentEdit() const { return FComment; }
    int DrawsCount() const;

protected:
    TStakeDialogBase(TShell& shell, const char* name, const char* caption, QWidget* parent);
    // The rows of the form: draw number and count first, then extra (the numbers and their sum
    // in the stake dialog), then the comment and the buttons.
    void Build(int32_t drawNumber, const std::string& comment, const std::function<void(QFormLayout*)>& extra);
    // Shows a refusal and puts the focus where it points; false when refused.
    bool Accepted(const TStakeFormResult& result);

    TShell& FShell;
    QSpinBox* FDrawNumber = nullptr;
    QSpinBox* FDrawsCount = nullptr;
    QLineEdit* FComment = nullptr;
    QLineEdit* FNumbers = nullptr;
};

// "Добавление ставки": the prefilled record's draw number, numbers and comment, and a draws count.
// OK refuses numbers that are not four digits and an empty comment; Result() is the record with
// draw number, numbers and comment replaced.
class TFormStake : public TStakeDialogBase {
public:
    TFormStake(TShell& shell, const TStakeRecord& record, int drawsCount, QWidget* parent);
    const TStakeRecord& Result() const { return FResult; }
    QLineEdit* NumbersEdit() const { return FNumbers; }
    QLineEdit* SumEdit() const { return FSum; }
    void accept() override;

private:
    TStakeRecord FResult;
    QLineEdit* FSum = nullptr;
};

// "Добавление мультиставки": draw number, draws count and comment for stakes on many combinations.
class TFormMulti : public TStakeDialogBase {
public:
    TFormMulti(TShell& shell, int32_t drawNumber, QWidget* parent);
    int32_t DrawNumber() const;
    std::string Comment() const;
    void accept() override;
};

} // namespace qx
