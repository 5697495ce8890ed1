#include "views/draws/FormInfo.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "core/DrawHelpers.h"
#include "core/Shell.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {
namespace {

constexpr int kMaxNameWidth = 480;

} // namespace

TFormInfo::TFormInfo(const std::vector<TPropertyRow>& rows, TCombCode code, int matrixCols, int channelWidth,
                     QWidget* parent)
    : QDialog(parent) {
    setObjectName("TFormInfo");
    setWindowTitle(Tx("Подробная информация"));
    auto* layout = new QHBoxLayout(this);

    FProperties = MakeList("lvInfo", this, {{"Свойство", 200}, {"Значение", 160}});
    FProperties->setSelectionMode(QAbstractItemView::SingleSelection);
    FProperties->header()->setStretchLastSection(true);
    for (const TPropertyRow& r : rows)
        new QTreeWidgetItem(FProperties, QStringList{Tx(r.Name), ToQ(r.Value)});
    // Method names are long: the property column takes their width, within reason.
    FProperties->resizeColumnToContents(0);
    const int nameWidth = std::clamp(FProperties->columnWidth(0) + 8, 200, kMaxNameWidth);
    FProperties->setColumnWidth(0, nameWidth);
    layout->addWidget(FProperties, 1);

    auto* right = new QVBoxLayout;
    layout->addLayout(right);
    auto* columnsRow = new QHBoxLayout;
    columnsRow->addWidget(new QLabel(Tx("Количество столбцов:"), this));
    FColumns = new QSpinBox(this);
    FColumns->setObjectName("edCardCols");
    FColumns->setRange(1, 9);
    FColumns->setValue(std::clamp(matrixCols, 1, 9));
    FColumns->setEnabled(false);
    columnsRow->addWidget(FColumns);
    right->addLayout(columnsRow);

    // Every position of the draw has its column, also when fewer matrix columns are configured.
    const int columns = std::max(std::clamp(matrixCols, 1, 9), kPositions);
    FCard = MakeGrid("sgInfoCard", this);
    FCard->setRowCount(10);
    FCard->setColumnCount(columns);
    FCard->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FCard->setSelectionMode(QAbstractItemView::NoSelection);
    FCard->horizontalHeader()->setDefaultSectionSize(28);
    FCard->horizontalHeader()->hide();
    FCard->verticalHeader()->hide();
    for (int d = 0; d < 10; ++d) {
        TColour c = ChannelColour(d, channelWidth);
        for (int col = 0; col < columns; ++col) {
            auto* cell = new QTableWidgetItem;
            cell->setBackground(QColor(c.R, c.G, c.B));
            cell->setForeground(Qt::black);
            cell->setTextAlignment(Qt::AlignCenter);
            FCard->setItem(d, col, cell);
        }
    }
    for (int p = 0; p < kPositions; ++p) {
        int d = DigitOfCode(code, p);
        if (d < 10) FCard->item(d, p)->setText(QString::number(d));
    }
    const int cardWidth = columns * 28 + 2 * FCard->frameWidth();
    const int cardHeight = 10 * FCard->verticalHeader()->defaultSectionSize() + 2 * FCard->frameWidth();
    FCard->setFixedSize(cardWidth, cardHeight);
    right->addWidget(FCard, 0, Qt::AlignHCenter);
    right->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(Tx("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    right->addWidget(buttons);
    resize(360 + nameWidth, 330);
}

void ShowInfoDialog(TShell& shell, const std::function<std::vector<TPropertyRow>()>& rows, TCombCode code,
                    int matrixCols, int channelWidth, QWidget* parent) {
    std::unique_ptr<TFormInfo> dialog;
    {
        TBusyScope busy(shell, "");
        dialog = std::make_unique<TFormInfo>(rows(), code, matrixCols, channelWidth, parent);
    }
    dialog->exec();
}

} // namespace qx
