#include "views/dialogs/FormConfig.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Shell.h"
#include "views/CharValidator.h"
#include "views/DialogButtons.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {
namespace {

// Money fields take digits, control characters and the decimal separator only.
QValidator* MoneyValidator(QObject* parent) {
    return new TCharValidator(IsMoneyInputChar, parent);
}

// Cells of a grid column edited through a line edit with a validator.
class TValidatedDelegate : public QStyledItemDelegate {
public:
    TValidatedDelegate(QObject* parent, bool money) : QStyledItemDelegate(parent), FMoney(money) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* edit = new QLineEdit(parent);
        if (FMoney)
            edit->setValidator(MoneyValidator(edit));
        else
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
        return edit;
    }

private:
    bool FMoney;
};

QTableWidgetItem* Cell(const QString& text, bool editable) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QLineEdit* NumberEdit(const std::string& text, const char* name, const char* hint, QValidator* validator,
                      QWidget* parent) {
    auto* edit = new QLineEdit(ToQ(text), parent);
    edit->setObjectName(name);
    edit->setValidator(validator);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(110);
    if (hint) SetHint(edit, hint);
    return edit;
}

} // namespace

TFormConfig::TFormConfig(TShell& shell, const TConfigData& config, QWidget* parent)
    : QDialog(parent), FShell(shell), FOriginal(config), FShown(ConfigFormFromData(config)) {
    setObjectName("TFormConfig");
    setWindowTitle(Tx("Параметры системы"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);

    // Left: the matrix and its segments.
    auto* left = new QVBoxLayout;
    columns->addLayout(left);
    auto* matrix = new QHBoxLayout;
    matrix->addWidget(new QLabel(Tx("Размер матрицы:"), this));
    FMatrixCols = new QSpinBox(this);
    FMatrixCols->setObjectName("edMatrixCol");
    FMatrixCols->setRange(1, 10);
    FMatrixCols->setValue(std::clamp(FShown.MatrixCols, 1, 10));
    FMatrixCols->setEnabled(false); // the layout of this game's matrix is fixed
    SetHint(FMatrixCols, "Количество столбцов");
    auto* rows = new QSpinBox(this);
    rows->setObjectName("edMatrixRow");
    rows->setRange(10, 10);
    rows->setReadOnly(true);
    rows->setButtonSymbols(QAbstractSpinBox::NoButtons);
    SetHint(rows, "Количество строк");
    matrix->addWidget(FMatrixCols);
    matrix->addWidget(new QLabel("x", this));
    matrix->addWidget(rows);
    matrix->addStretch(1);
    left->addLayout(matrix);
    left->addWidget(new QLabel(Tx("Сегменты матрицы:"), this));
    FSegments = MakeGrid("sgSegments", this);
    FSegments->setColumnCount(static_cast<int>(FShown.Segments.size()));
    FSegments->setRowCount(10);
    FSegments->setItemDelegate(new TValidatedDelegate(FSegments, false));
    FSegments->horizontalHeader()->setDefaultSectionSize(36);
    for (int p = 0; p < FSegments->columnCount(); ++p) {
        FSegments->setHorizontalHeaderItem(p, new QTableWidgetItem(QString::number(p + 1)));
        for (int d = 0; d < 10; ++d)
            FSegments->setItem(
                d, p, Cell(ToQ(FShown.Segments[static_cast<size_t>(p)][static_cast<size_t>(d)]), true));
    }
    for (int d = 0; d < 10; ++d)
        FSegments->setVerticalHeaderItem(d, new QTableWidgetItem(QString::number(d)));
    connect(FSegments, &QTableWidget::itemChanged, this, &TFormConfig::SegmentEdited);
    left->addWidget(FSegments, 1);

    // Right: channels, stakes and the weight coefficients.
    auto* right = new QVBoxLayout;
    columns->addLayout(right, 1);
    auto* form = new QFormLayout;
    right->addLayout(form);
    FChannelSize = new QSpinBox(this);
    FChannelSize->setObjectName("edChannelSize");
    FChannelSize->setRange(1, 10);
    FChannelSize->setValue(std::clamp(FShown.ChannelSize, 1, 10));
    SetHint(FChannelSize, "Ширина канала");
    form->addRow(Tx("Размер канала:"), FChannelSize);
    FCost = NumberEdit(FShown.Cost, "edCost", "Стоимость одной ставки", MoneyValidator(this), this);
    form->addRow(Tx("Стоимость ставки:"), FCost);
    auto* maxStake = new QSpinBox(this);
    maxStake->setObjectName("edStakeMaxLen");
    SetHint(maxStake, "Максимально допустимая расширенная ставка");
    maxStake->hide(); // extended stakes are not offered for this game; the stored value stays

    right->addWidget(new QLabel(Tx("Размеры выигрышей:"), this));
    FProfits = MakeGrid("edProfits", this);
    FProfits->setColumnCount(2);
    FProfits->setRowCount(kProfitRows);
    FProfits->setHorizontalHeaderLabels({Tx("Совпадений"), Tx("Сумма выигрыша")});
    FProfits->verticalHeader()->hide();
    FProfits->horizontalHeader()->setStretchLastSection(true);
    FProfits->setItemDelegateForColumn(1, new TValidatedDelegate(FProfits, true));
    for (int k = 0; k < kProfitRows; ++k) {
        FProfits->setItem(k, 0, Cell(QString::number(k), false));
        auto* value = Cell(ToQ(FShown.Profits[static_cast<size_t>(k)]), true);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        FProfits->setItem(k, 1, value);
    }
    FProfits->setFixedHeight(FProfits->horizontalHeader()->sizeHint().height() +
                             kProfitRows * FProfits->verticalHeader()->defaultSectionSize() +
                             2 * FProfits->frameWidth());
    right->addWidget(FProfits);

    auto* weights = new QGroupBox(Tx(" Коэффициенты для поля \"Вес\" "), this);
    auto* weightsForm = new QFormLayout(weights);
    const char* const names[3] = {"edCoefCount", "edCoefDeviation", "edCoefLevel"};
    const char* const labels[3] = {"Количество:", "Отклонение:", "Глубина:"};
    for (int i = 0; i < 3; ++i) {
        auto* validator = new QRegularExpressionValidator(QRegularExpression("-?[0-9]*[.,]?[0-9]*"), this);
        FWeights[static_cast<size_t>(i)] =
            NumberEdit(FShown.Weights[static_cast<size_t>(i)], names[i], nullptr, validator, weights);
        weightsForm->addRow(Tx(labels[i]), FWeights[static_cast<size_t>(i)]);
    }
    FPercents = new QCheckBox(Tx("Использовать значения в %"), weights);
    FPercents->setObjectName("cbCoefPercents");
    FPercents->setChecked(FShown.UsePercents);
    FAbsolute = new QCheckBox(Tx("Использовать абсолютные значения"), weights);
    FAbsolute->setObjectName("cbCoefAbs");
    FAbsolute->setChecked(FShown.UseAbsValues);
    weightsForm->addRow(FPercents);
    weightsForm->addRow(FAbsolute);
    right->addWidget(weights);
    right->addStretch(1);

    layout->addWidget(MakeOkCancelButtons(this));
    FSegments->setMinimumWidth(FSegments->verticalHeader()->sizeHint().width() + 4 * 36 +
                               2 * FSegments->frameWidth() + 4);
}

void TFormConfig::SegmentEdited(QTableWidgetItem* item) {
    if (auto error = SegmentCellError(FromQ(item->text()))) {
        {
            QSignalBlocker block(FSegments);
            item->setText("1");
        }
        FShell.ShowError(*error);
    }
}

TConfigForm TFormConfig::Edited() const {
    TConfigForm f = FShown;
    f.MatrixCols = FMatrixCols->value();
    f.ChannelSize = FChannelSize->value();
    f.Cost = FromQ(FCost->text());
    for (int k = 0; k < kProfitRows; ++k)
        f.Profits[static_cast<size_t>(k)] = FromQ(FProfits->item(k, 1)->text());
    for (size_t i = 0; i < FWeights.size(); ++i) f.Weights[i] = FromQ(FWeights[i]->text());
    f.UsePercents = FPercents->isChecked();
    f.UseAbsValues = FAbsolute->isChecked();
    for (int p = 0; p < FSegments->columnCount(); ++p)
        for (int d = 0; d < 10; ++d)
            f.Segments[static_cast<size_t>(p)][static_cast<size_t>(d)] = FromQ(FSegments->item(d, p)->text());
    return f;
}

TConfigData TFormConfig::Result() const {
    return ConfigDataFromForm(FOriginal, FShown, Edited());
}

} // namespace qx
