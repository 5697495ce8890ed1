#include "views/dialogs/FormScrPublic.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/Languages.h"
#include "core/Shell.h"
#include "views/LanguageModule.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {
namespace {

// A radio group " Caption " with its two items; the objects are named after the group.
QGroupBox* RadioGroup(QWidget* parent, const char* name, const char* caption, QRadioButton*& first,
                      QRadioButton*& second) {
    auto* box = new QGroupBox(Tx(caption), parent);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    first = new QRadioButton(box);
    second = new QRadioButton(box);
    first->setObjectName(QString(name) + "0");
    second->setObjectName(QString(name) + "1");
    layout->addWidget(first);
    layout->addWidget(second);
    return box;
}

} // namespace

TFormScrPublic::TFormScrPublic(TShell& shell, const tScriptData& data, const std::string& programName,
                               bool readOnly, TTitleCheck titleFree, QWidget* parent)
    : QDialog(parent), FShell(shell), FTitleFree(std::move(titleFree)), FResult(data) {
    setObjectName("TFormScrPublic");
    setWindowTitle(Tx("Свойства сценария"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    FAuthor = new QLineEdit(ToQ(data.Author), this);
    FAuthor->setObjectName("edClName");
    FAuthor->setMaxLength(kScrPublicTextMax);
    form->addRow(Tx("Автор:"), FAuthor);
    FLanguage = new QComboBox(this);
    FLanguage->setObjectName("cbClLcid");
    for (const TLanguageInfo& l : KnownLanguages()) FLanguage->addItem(TLanguageModule::LanguageName(l.Lcid), l.Lcid);
    if (FLanguage->findData(data.Language) < 0)
        FLanguage->addItem(TLanguageModule::LanguageName(data.Language), data.Language);
    FLanguage->setCurrentIndex(FLanguage->findData(data.Language));
    form->addRow(Tx("Язык:"), FLanguage);
    FTitle = new QLineEdit(ToQ(data.Title), this);
    FTitle->setObjectName("edTitle");
    FTitle->setMaxLength(kScrPublicTextMax);
    form->addRow(Tx("Название:"), FTitle);

    layout->addWidget(RadioGroup(this, "rgViewMode", " Доступность ", FPublic, FPrivate));
    FPublic->setText(Tx("Сценарий виден всем пользователям"));
    FPrivate->setText(Tx("Сценарий виден только мне"));
    (data.Public ? FPublic : FPrivate)->setChecked(true);
    layout->addWidget(RadioGroup(this, "rgAppMode", " Применяемость ", FOwnApp, FAnyApp));
    FOwnApp->setText(ToQ(ScrPublicOwnAppText(programName)));
    FAnyApp->setText(Tx("В любом приложении Plexa"));
    (data.Universal ? FAnyApp : FOwnApp)->setChecked(true);

    layout->addWidget(new QLabel(Tx("Описание:"), this));
    FDescr = new QPlainTextEdit(ToQ(data.Description), this);
    FDescr->setObjectName("edDescr");
    layout->addWidget(FDescr, 1);

    FButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    FButtons->button(QDialogButtonBox::Ok)->setToolTip(Tx("Отправить сценарий на сервер"));
    FButtons->button(QDialogButtonBox::Cancel)->setText(Tx("Отмена"));
    FButtons->button(QDialogButtonBox::Cancel)->setToolTip(Tx("Закрыть окно"));
    connect(FButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(FButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(FButtons);

    if (readOnly) {
        for (QLineEdit* e : {FAuthor, FTitle}) e->setReadOnly(true);
        FDescr->setReadOnly(true);
        for (QWidget* w : std::initializer_list<QWidget*>{FLanguage, FPublic, FPrivate, FOwnApp, FAnyApp})
            w->setEnabled(false);
        FButtons->button(QDialogButtonBox::Ok)->setVisible(false);
        FButtons->button(QDialogButtonBox::Cancel)->setFocus();
    } else {
        FTitle->setFocus();
    }
    resize(460, 420);
}

void TFormScrPublic::accept() {
    if (!FButtons->button(QDialogButtonBox::Ok)->isVisible()) return;  // read-only: only Cancel closes
    TScrPublicInput input;
    input.Author = FromQ(FAuthor->text());
    input.Language = FLanguage->currentData().toInt();
    input.Title = FromQ(FTitle->text());
    input.Public = FPublic->isChecked();
    input.Universal = FAnyApp->isChecked();
    input.Description = FromQ(FDescr->toPlainText());
    tScriptData data = FResult;
    const TScrPublicResult result = AcceptScriptPublic(data, input, FTitleFree);
    if (!result) {
        FShell.ShowError(result.Message);
        QLineEdit* field = result.Field == TScrPublicField::Author ? FAuthor : FTitle;
        field->setFocus();
        field->selectAll();
        return;
    }
    FResult = data;
    QDialog::accept();
}

} // namespace qx
