#pragma once
#include <QDialog>

#include "app/SystemForm.h"

class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qx {

class TShell;

// "Система": a catalogue system's properties and content. Editable for a new or own system
// (leaving the content brings it into the stored form; OK checks the fields in order), read-only
// for another's (everything locked, OK hidden). Result() is the accepted system.
class TFormSystem : public QDialog {
public:
    TFormSystem(TShell& shell, const tSystemData& data, bool readOnly, QWidget* parent);
    const tSystemData& Result() const { return FResult; }
    void accept() override;

    // Leaving the content: its lines rewritten, "Числа:" and "Комбинаций:" recounted.
    void RewriteContent();

    QLineEdit* TitleEdit() const { return FTitle; }
    QPlainTextEdit* DescrEdit() const { return FDescr; }
    QLineEdit* AuthorEdit() const { return FAuthor; }
    QLineEdit* UrlEdit() const { return FUrl; }
    QPushButton* UrlButton() const { return FUrlButton; }
    QPlainTextEdit* CombsEdit() const { return FCombs; }
    QLineEdit* NumsEdit() const { return FNums; }
    QLineEdit* OlapEdit() const { return FOlap; }
    QLineEdit* CSizeEdit() const { return FCSize; }
    QPushButton* OkButton() const { return FOk; }
    QPushButton* CancelButton() const { return FCancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* AddLine(QGridLayout* grid, int row, int column, const char* label, const char* name,
                       int span = 1);
    void ShowContentMenu(const QPoint& at);
    void LoadContent();
    void SaveContent();
    TSystemFormFields Fields() const;

    TShell& FShell;
    tSystemData FResult;
    bool FReadOnly;
    QLineEdit* FTitle;
    QPlainTextEdit* FDescr;
    QLineEdit* FAuthor;
    QLineEdit* FUrl;
    QPushButton* FUrlButton;
    QPlainTextEdit* FCombs;
    QLineEdit* FCreated;
    QLineEdit* FCSize;
    QLineEdit* FDownloads;
    QLineEdit* FLastDownload;
    QLineEdit* FNums;
    QLineEdit* FCLen;
    QLineEdit* FOlap;
    QPushButton* FOk;
    QPushButton* FCancel;
};

} // namespace qx
