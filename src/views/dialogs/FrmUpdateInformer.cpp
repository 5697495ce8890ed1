#include "views/dialogs/FrmUpdateInformer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/Tx.h"

namespace qx {

TfrmUpdateInformer::TfrmUpdateInformer(const TUpdateOffer& offer, QWidget* parent) : QDialog(parent) {
    setObjectName("TfrmUpdateInformer");
    setWindowTitle(Tx("Найдена новая версия программы"));
    auto* layout = new QVBoxLayout(this);
    auto field = [&](const char* name, const char* caption, const std::string& text) {
        layout->addWidget(new QLabel(Tx(caption), this));
        auto* e = new QLineEdit(ToQ(text), this);
        e->setObjectName(name);
        e->setReadOnly(true);
        layout->addWidget(e);
    };
    field("edVersionCur", "Текущая версия программы:", offer.CurrentVersion);
    field("edVersionNew", "Новая версия программы:", offer.Data.Description);
    layout->addWidget(new QLabel(Tx("Описание версии:"), this));
    auto* description = new QPlainTextEdit(this);
    description->setObjectName("edVersionDsc");
    description->setReadOnly(true);
    // Server texts break lines with CR LF; the editor wants one break per line.
    description->setPlainText(ToQ(offer.DescriptionText).replace("\r\n", "\n").replace('\r', '\n'));
    layout->addWidget(description, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto button = [&](const char* name, const char* caption, const char* hint) {
        auto* b = new QPushButton(Tx(caption), this);
        b->setObjectName(name);
        b->setToolTip(Tx(hint));
        b->setStatusTip(Tx(hint));
        buttons->addWidget(b);
        return b;
    };
    FInstall = button("btnInstall", "Установить", "Установить это обновление");
    FRefuse = button("btnCancel", "Отмена", "Отказаться от обновления");
    FInstall->setDefault(true);
    connect(FInstall, &QPushButton::clicked, this, &QDialog::accept);
    connect(FRefuse, &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(buttons);
    resize(460, 360);
}

} // namespace qx
