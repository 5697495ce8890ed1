#include "views/dialogs/FormFilterHelp.h"

#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/Shell.h"
#include "views/Tx.h"

namespace qx {

TFormFilterHelp::TFormFilterHelp(const std::string& topicUrl, const std::filesystem::path& helpFile,
                                 TShell& shell, QWidget* parent)
    : QDialog(parent) {
    setObjectName(kSection);
    setWindowTitle(Tx("Описание методики расчета"));
    setSizeGripEnabled(true);
    resize(640, 480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FBrowser = new QTextBrowser(this);
    FBrowser->setObjectName("wbHelp");
    FBrowser->setOpenLinks(false);
    layout->addWidget(FBrowser);
    if (topicUrl.empty()) return;
    const QString topic = ToQ(topicUrl).toHtmlEscaped();
    FBrowser->setHtml(QString("<p><a href=\"%1\">%1</a></p>").arg(topic));
    connect(FBrowser, &QTextBrowser::anchorClicked, this,
            [&shell, helpFile] { shell.OpenDocument(helpFile.string()); });
}

} // namespace qx
