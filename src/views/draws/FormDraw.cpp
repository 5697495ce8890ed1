#include "views/draws/FormDraw.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <climits>

#include "core/DateTime.h"
#include "core/DrawHelpers.h"
#include "core/Shell.h"
#include "draws/DrawInput.h"
#include "views/DialogButtons.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {
namespace {

QDateTime ToQDateTime(TDateTime value) {
    TDateParts p = DecodeDateTime(value);
    return QDateTime(QDate(p.Year, p.Month, p.Day), QTime(p.Hour, p.Minute, p.Second));
}

TDateTime FromQDateTime(const QDate& date, const QTime& time) {
    return EncodeDate(date.year(), date.month(), date.day()) +
           EncodeTime(time.hour(), time.minute(), time.second());
}

} // namespace

TFormDraw::TFormDraw(TShell& shell, const QString& title, const TDrawRecord& draw, bool withDate,
                     QWidget* parent)
    : QDialog(parent), FShell(shell), FOriginal(draw), FResult(draw), FWithDate(withDate) {
    setObjectName("TFormDraw");
    setWindowTitle(title.isEmpty() ? Tx("Данные тиража") : title);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    FNumber = new QSpinBox(this);
    FNumber->setObjectName("edDrawNumber");
    FNumber->setRange(1, INT_MAX);
    FNumber->setValue(std::max(1, draw.Number));
    SetHint(FNumber, "Номер тиража");
    form->addRow(Tx("Номер тиража:"), FNumber);

    auto* digitsLabel = new QLabel(Tx("Выпавшие числа, разделенные точкой с запятой или запятой:"), this);
    digitsLabel->setWordWrap(true);
    form->addRow(digitsLabel);
    FDigits = new QLineEdit(ToQ(DigitsText(CodeOfDraw(draw))), this);
    FDigits->setObjectName("edDrawData");
    form->addRow(FDigits);

    FDateLabel = new QLabel(Tx("Дата и время тиража:"), this);
    FDate = new QDateEdit(this);
    FDate->setObjectName("edDrawDate");
    FDate->setCalendarPopup(true);
    FDate->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    SetHint(FDate, "Дата проведения тиража");
    FTime = new QTimeEdit(this);
    FTime->setObjectName("edDrawTime");
    FTime->setDisplayFormat("HH:mm");
    SetHint(FTime, "Время проведения тиража");
    auto* when = new QHBoxLayout;
    when->addWidget(FDate, 1);
    when->addWidget(FTime);
    form->addRow(FDateLabel, when);

    if (withDate) {
        const std::string label = draw.DateLabel();
        // An empty label proposes today's date and the current time.
        QDateTime shown = label.empty() ? QDateTime::currentDateTime() : ToQDateTime(ParseDrawLabel(label));
        FDate->setDate(shown.date());
        FTime->setTime(shown.time());
    } else {
        FDateLabel->hide();
        FDate->hide();
        FTime->hide();
    }

    layout->addStretch(1);
    layout->addWidget(MakeOkCancelButtons(this));

    setMinimumWidth(360);
    if (!withDate) resize(width(), kHeightWithoutDate);
    FDigits->setFocus();
    FDigits->selectAll();
}

void TFormDraw::accept() {
    auto digits = ParseDrawDigits(FromQ(FDigits->text()));
    if (!digits) {
        FShell.ShowError(kBadCombinationMessage);
        FDigits->setFocus();
        FDigits->selectAll();
        return;
    }
    std::optional<TDateTime> when;
    if (FWithDate) when = FromQDateTime(FDate->date(), FTime->time());
    FResult = DrawDialogResult(FOriginal, FNumber->value(), *digits, when);
    QDialog::accept();
}

bool EditDraw(TShell& shell, QWidget* parent, const QString& title, TDrawRecord& draw, bool withDate) {
    TFormDraw dialog(shell, title, draw, withDate, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    draw = dialog.Result();
    return true;
}

} // namespace qx
