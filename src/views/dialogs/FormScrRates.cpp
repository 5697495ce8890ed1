#include "views/dialogs/FormScrRates.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/Text.h"
#include "online/CatalogueText.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {

TFormScrRates::TFormScrRates(const std::vector<tScriptRate>& rates, QWidget* parent) : QDialog(parent) {
    setObjectName("TFormScrRates");
    setWindowTitle(Tx("Оценки пользователей"));
    auto* layout = new QVBoxLayout(this);
    const Qt::Alignment C = Qt::AlignHCenter;
    FList = MakeList("lvRates", this,
                     {{"Имя", 150},
                      {"Оценка", 60, C},
                      {"Дата", 120, C},
                      {"Программа", 100},
                      {"Версия", 80, C},
                      {"Комментарии", 5000}});
    for (const tScriptRate& r : rates)
        new QTreeWidgetItem(FList, QStringList{ToQ(r.Name), QString::number(r.Rate), ToQ(FormatCatalogueDate(r.Created)),
                                               ToQ(r.AppName), ToQ(r.AppVersion), ToQ(r.Notes)});
    layout->addWidget(FList, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(Tx("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 360);
}

} // namespace qx
