#include "views/dialogs/FormFirstRun.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/Tx.h"

namespace qx {

TFormFirstRun::TFormFirstRun(const THelpLocation& help, const TWebLinks& links,
                             std::function<void(const std::string&)> open, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TFormFirstRun");
    setWindowTitle(Tx("Справочная информация"));
    auto* layout = new QVBoxLayout(this);
    auto add = [&](const char* name, const char* caption, const std::string& target) {
        auto* button = new QPushButton(Tx(caption), this);
        button->setObjectName(name);
        button->setEnabled(!target.empty());
        button->setMinimumHeight(30);
        connect(button, &QPushButton::clicked, this, [open, target] { open(target); });
        layout->addWidget(button);
    };
    add("btnHelp", "Открыть файл встроенной справочной системы",
        help.Exists ? help.Path.string() : std::string());
    auto web = [&](const char* command) { return UrlWithScheme(links.Address(command)); };
    add("btnArticles", "Статьи на сайте автора - для начинающих и не только", web("urlAuthText"));
    add("btnBlog", "Блог", web("urlBlog"));
    add("btnYouTube", "Канал на YouTube", web("urlYT"));
    add("btnVK", "Группа в соцсети \"В Контакте\"", web("urlVK"));
    add("btnOK", "Группа в соцсети \"Однокласники\"", web("urlOK"));
    add("btnTelegram", "Канал в Telegram - новости проекта", web("urlTG"));
    FDontShow = new QCheckBox(Tx("Больше не показывать данный диалог"), this);
    FDontShow->setObjectName("cbDontShow");
    layout->addSpacing(8);
    layout->addWidget(FDontShow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(Tx("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

bool TFormFirstRun::DontShowAgain() const {
    return FDontShow->isChecked();
}

} // namespace qx
