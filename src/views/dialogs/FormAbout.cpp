#include "views/dialogs/FormAbout.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/WebLinks.h"
#include "views/Tx.h"

namespace qx {

TFormAbout::TFormAbout(const QString& title, const QString& version, const TWebLinks& links, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TFormAbout");
    setWindowTitle(Tx("О программе"));
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(title, this);
    caption->setObjectName("lblTitle");
    QFont big = caption->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.2);
    caption->setFont(big);
    caption->setWordWrap(true);
    layout->addWidget(caption);
    auto* form = new QFormLayout;
    auto* versionLabel = new QLabel(version, this);
    versionLabel->setObjectName("lblVersion");
    form->addRow(Tx("Версия программы:"), versionLabel);
    auto link = [&](const char* label, const QString& href, const QString& text) {
        auto* l = new QLabel(QString("<a href=\"%1\">%2</a>").arg(href.toHtmlEscaped(), text.toHtmlEscaped()),
                             this);
        l->setOpenExternalLinks(true);
        l->setTextInteractionFlags(Qt::TextBrowserInteraction);
        form->addRow(Tx(label), l);
    };
    const std::string site = links.Address("urlMainSite");
    if (!site.empty()) link("Сайт:", ToQ(UrlWithScheme(site)), ToQ(site));
    if (!links.Mail().empty()) link("Почта:", "mailto:" + ToQ(links.Mail()), ToQ(links.Mail()));
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tx("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

} // namespace qx
