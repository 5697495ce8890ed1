#include "views/dialogs/FormSystem.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/FileIO.h"
#include "core/Shell.h"
#include "core/Text.h"
#include "views/CharValidator.h"
#include "views/FileDialogs.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {
namespace {

constexpr uint64_t kContentFileMax = 16u << 20;
const TFileDialogOptions kContentOpen{"dlgSystemOpen", "Загрузить из файла", "Текстовые файлы (*.txt)",
                                      "txt"};
const TFileDialogOptions kContentSave{"dlgSystemSave", "Сохранить в файле", "Текстовые файлы (*.txt)", "txt",
                                      true};

QString ContentText(const std::string& content) {
    std::string text;
    for (const std::string& line : SplitLines(content)) text += (text.empty() ? "" : "\n") + line;
    return ToQ(text);
}

} // namespace

TFormSystem::TFormSystem(TShell& shell, const tSystemData& data, bool readOnly, QWidget* parent)
    : QDialog(parent), FShell(shell), FResult(data), FReadOnly(readOnly) {
    setObjectName("TFormSystem");
    setWindowTitle(Tx("Система"));
    auto* grid = new QGridLayout;
    FTitle = AddLine(grid, 0, 0, "Наименование:", "edTitle", 5);
    grid->addWidget(new QLabel(Tx("Описание:"), this), 1, 0, Qt::AlignTop);
    FDescr = new QPlainTextEdit(this);
    FDescr->setObjectName("edDescr");
    FDescr->setMaximumHeight(80);
    grid->addWidget(FDescr, 1, 1, 1, 5);
    FAuthor = AddLine(grid, 2, 0, "Автор:", "edAuthor", 5);
    FUrl = AddLine(grid, 3, 0, "Ссылка:", "edURL", 5);
    FUrlButton = new QPushButton(Tx("..."), this);
    FUrlButton->setObjectName("btnURL");
    SetHint(FUrlButton, "Открыть ссылку в браузере");
    grid->addWidget(FUrlButton, 3, 6);
    FCreated = AddLine(grid, 4, 0, "Создана:", "edCreated");
    FCSize = AddLine(grid, 4, 2, "Комбинаций:", "edCSize");
    FDownloads = AddLine(grid, 5, 0, "Загрузок:", "edDownloads");
    FLastDownload = AddLine(grid, 5, 2, "Последняя:", "edLastDownload");
    FNums = AddLine(grid, 6, 0, "Числа:", "edNums");
    FCLen = AddLine(grid, 6, 2, "Длина:", "edCLen");
    FOlap = AddLine(grid, 6, 4, "Блок:", "edOlap");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(Tx("Список комбинаций:"), this));
    FCombs = new QPlainTextEdit(this);
    FCombs->setObjectName("edCombs");
    SetHint(FCombs, "Список комбинаций системы");
    FCombs->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(FCombs, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    FOk = buttons->button(QDialogButtonBox::Ok);
    FCancel = buttons->button(QDialogButtonBox::Cancel);
    FOk->setText(Tx("OK"));
    FCancel->setText(Tx("Отмена"));
    SetHint(FOk, "Отправить систему на сервер");
    SetHint(FCancel, "Закрыть окно");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    const TSystemFormFields f = SystemFormFields(data);
    FTitle->setText(ToQ(f.Title));
    FDescr->setPlainText(ToQ(f.Description));
    FAuthor->setText(ToQ(f.Author));
    FUrl->setText(ToQ(f.Url));
    FCombs->setPlainText(ContentText(data.Content));
    FCreated->setText(ToQ(f.Created));
    FCSize->setText(ToQ(f.CSize));
    FDownloads->setText(ToQ(f.Downloads));
    FLastDownload->setText(ToQ(f.LastDownload));
    FNums->setText(ToQ(f.Nums));
    FCLen->setText(QStringLiteral("4"));
    FOlap->setText(ToQ(f.Block));

    for (QLineEdit* edit : {FCreated, FCSize, FDownloads, FLastDownload, FCLen}) edit->setReadOnly(true);
    for (QLineEdit* edit : {FNums, FCLen, FOlap}) {
        edit->setValidator(new TCharValidator(&SystemDigitChar, edit));
        edit->installEventFilter(this);
    }
    FCombs->installEventFilter(this);
    connect(FUrl, &QLineEdit::textChanged, this,
            [this] { FUrlButton->setEnabled(!FUrl->text().trimmed().isEmpty()); });
    FUrlButton->setEnabled(!FUrl->text().trimmed().isEmpty());
    connect(FUrlButton, &QPushButton::clicked, this,
            [this] { FShell.TryOpenDocument(FromQ(FUrl->text().trimmed())); });
    connect(FCombs, &QWidget::customContextMenuRequested, this, &TFormSystem::ShowContentMenu);

    if (readOnly) {
        for (QLineEdit* edit : {FTitle, FAuthor, FUrl, FNums, FOlap}) edit->setReadOnly(true);
        FDescr->setReadOnly(true);
        FCombs->setReadOnly(true);
        FOk->hide();
        FCancel->setDefault(true);
        FCancel->setFocus();
    } else {
        FTitle->setFocus();
    }
    resize(560, 520);
}

QLineEdit* TFormSystem::AddLine(QGridLayout* grid, int row, int column, const char* label, const char* name,
                                int span) {
    grid->addWidget(new QLabel(Tx(label), this), row, column);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    grid->addWidget(edit, row, column + 1, 1, span);
    return edit;
}

bool TFormSystem::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FCombs && event->type() == QEvent::FocusOut && !FReadOnly) {
        RewriteContent();
    } else if (event->type() == QEvent::KeyPress && watched != FCombs) {
        // The number fields take digits, Enter and Escape; other characters are dropped with a beep
        // (keys without a character, such as the arrows and the erasing keys, still edit).
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool character = !text.isEmpty() && text.at(0).isPrint();
        if (character && !SystemDigitChar(text.at(0).unicode())) {
            QApplication::beep();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormSystem::RewriteContent() {
    const TSystemContent content = RewriteSystemContent(FromQ(FCombs->toPlainText()));
    std::string text;
    for (const std::string& line : content.Lines) text += (text.empty() ? "" : "\n") + line;
    FCombs->setPlainText(ToQ(text));
    FNums->setText(QString::number(content.Nums));
    FCSize->setText(QString::number(content.Lines.size()));
}

void TFormSystem::ShowContentMenu(const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName("pmCombs");
    const bool hasText = !FCombs->toPlainText().isEmpty();
    const bool editable = !FReadOnly;
    QAction* copy = menu.addAction(Tx("Копировать в буфер обмена"), FCombs, &QPlainTextEdit::copy);
    copy->setEnabled(FCombs->textCursor().hasSelection());
    QAction* paste = menu.addAction(Tx("Вставить из буфера обмена"), FCombs, &QPlainTextEdit::paste);
    paste->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
    menu.addAction(Tx("Выделить все"), FCombs, &QPlainTextEdit::selectAll)->setEnabled(hasText);
    menu.addSeparator();
    menu.addAction(Tx("Загрузить из файла"), this, &TFormSystem::LoadContent)->setEnabled(editable);
    menu.addAction(Tx("Сохранить в файле"), this, &TFormSystem::SaveContent)->setEnabled(hasText);
    menu.exec(FCombs->mapToGlobal(at));
}

void TFormSystem::LoadContent() {
    const QString name = AskFileName(this, kContentOpen, QString());
    if (name.isEmpty()) return;
    RunCommand(FShell, [&] {
        FCombs->setPlainText(ToQ(ReadInputTextFile(FromQ(name), kContentFileMax)));
        RewriteContent();
    });
}

void TFormSystem::SaveContent() {
    const QString name = AskFileName(this, kContentSave, QString());
    if (name.isEmpty()) return;
    RunCommand(FShell, [&] {
        WriteUserTarget(ResolveUserTarget(FromQ(name)),
                        Utf8ToCp1251(JoinLinesCrLf(SplitLines(FromQ(FCombs->toPlainText())))));
    });
}

TSystemFormFields TFormSystem::Fields() const {
    TSystemFormFields f;
    f.Title = FromQ(FTitle->text());
    f.Description = FromQ(FDescr->toPlainText());
    f.Author = FromQ(FAuthor->text());
    f.Url = FromQ(FUrl->text());
    f.Content = FromQ(FCombs->toPlainText());
    f.Created = FromQ(FCreated->text());
    f.CSize = FromQ(FCSize->text());
    f.Downloads = FromQ(FDownloads->text());
    f.LastDownload = FromQ(FLastDownload->text());
    f.Nums = FromQ(FNums->text());
    f.Block = FromQ(FOlap->text());
    return f;
}

void TFormSystem::accept() {
    if (FReadOnly) return;
    RewriteContent();
    tSystemData data = FResult;
    const TSystemFormResult result = AcceptSystemForm(Fields(), data);
    if (!result) {
        FShell.ShowError(result.Message);
        switch (result.Field) {
        case TSystemField::Title:
            FTitle->setFocus();
            FTitle->selectAll();
            break;
        case TSystemField::Nums:
            FNums->setFocus();
            FNums->selectAll();
            break;
        case TSystemField::Block:
            FOlap->setFocus();
            FOlap->selectAll();
            break;
        case TSystemField::Author:
            FAuthor->setFocus();
            FAuthor->selectAll();
            break;
        case TSystemField::Description:
            FDescr->setFocus();
            break;
        default:
            FCombs->setFocus();
            break;
        }
        return;
    }
    FResult = data;
    QDialog::accept();
}

} // namespace qx
