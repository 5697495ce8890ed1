#pragma once
#include <QDialog>
#include <functional>

#include "app/ScriptPublicForm.h"

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace qx {

class TShell;

// "Свойства сценария": author, language, title, visibility, applicability and description of a
// library script. Editable for publishing and replacing (OK checks the title with the catalogue
// and stays open on a refusal), read-only for viewing (every field locked, OK hidden).
class TFormScrPublic : public QDialog {
public:
    using TTitleCheck = std::function<bool(int32_t id, const std::string& title)>;
    TFormScrPublic(TShell& shell, const tScriptData& data, const std::string& programName, bool readOnly,
                   TTitleCheck titleFree, QWidget* parent);
    const tScriptData& Result() const { return FResult; }
    void accept() override;

    QLineEdit* AuthorEdit() const { return FAuthor; }
    QComboBox* LanguageBox() const { return FLanguage; }
    QLineEdit* TitleEdit() const { return FTitle; }
    QRadioButton* PublicButton() const { return FPublic; }
    QRadioButton* PrivateButton() const { return FPrivate; }
    QRadioButton* OwnAppButton() const { return FOwnApp; }
    QRadioButton* AnyAppButton() const { return FAnyApp; }
    QPlainTextEdit* DescriptionEdit() const { return FDescr; }
    QDialogButtonBox* Buttons() const { return FButtons; }

private:
    TShell& FShell;
    TTitleCheck FTitleFree;
    tScriptData FResult;
    QLineEdit* FAuthor;
    QComboBox* FLanguage;
    QLineEdit* FTitle;
    QRadioButton* FPublic;
    QRadioButton* FPrivate;
    QRadioButton* FOwnApp;
    QRadioButton* FAnyApp;
    QPlainTextEdit* FDescr;
    QDialogButtonBox* FButtons;
};

} // namespace qx
