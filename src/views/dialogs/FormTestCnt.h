#pragma once
#include <QDialog>
#include <cstdint>

#include "app/TestCountForm.h"

class QSpinBox;

namespace qx {

class TShell;

// "Количество тестов": how many of the newest draws a test runs over, 1 .. draws - 1, default 10.
// Shared by the regular-stake test and the script back-test.
class TFormTestCnt : public QDialog {
public:
    TFormTestCnt(const TTestCountRange& range, QWidget* parent);
    // The count on OK, 0 on Cancel.
    int Value() const;
    QSpinBox* CountEdit() const { return FCount; }

    // Asks for the count over an archive of drawsCount draws: 0 when cancelled, and 0 without
    // asking, after showing the refusal, when the archive is too short to test.
    static int Ask(TShell& shell, int64_t drawsCount, QWidget* parent);

private:
    QSpinBox* FCount;
};

} // namespace qx
