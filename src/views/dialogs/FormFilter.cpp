#include "views/dialogs/FormFilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>

#include "app/FilterPreview.h"
#include "app/MethodChooser.h"
#include "app/Workspace.h"
#include "combs/FilterConditions.h"
#include "core/Shell.h"
#include "stats/StatTable.h"
#include "views/CharValidator.h"
#include "views/Tx.h"

namespace qx {
namespace {

QComboBox* Choice(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    return box;
}

QLineEdit* ListEdit(const char* name, const std::string& text, QWidget* parent) {
    auto* edit = new QLineEdit(ToQ(text), parent);
    edit->setObjectName(name);
    // Digits, "-", ",", ";" and control characters only.
    edit->setValidator(new TCharValidator(IsNumberListInputChar, edit));
    return edit;
}

} // namespace

TFormFilter::TFormFilter(TShell& shell, const TMethodChooser& chooser, const TStatList& registry,
                         const TFilterForm& form, QWidget* parent, TPreview preview)
    : QDialog(parent), FShell(shell), FChooser(chooser), FRegistry(registry), FShown(form),
      FPreview(std::move(preview)) {
    setObjectName("TFormFilter");
    setWindowTitle(Tx("Фильтр"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    layout->addLayout(fields);

    FMethod = Choice("cbDrawsStatType", this);
    for (const TMethodEntry& e : chooser.Entries()) FMethod->addItem(ToQ(e.Text));
    FMethod->setCurrentIndex(form.Entry);
    fields->addRow(Tx("Тип фильтра:"), FMethod);
    FLengths = ListEdit("edDrawsLen", form.Lengths, this);
    fields->addRow(Tx("Количество тиражей:"), FLengths);
    FSortColumn = Choice("cbDrawsSortOrder", this);
    for (int c = 0; c < kStatColumnCount; ++c) FSortColumn->addItem(Tx(StatColumnCaption(c)));
    FSortColumn->setCurrentIndex(form.SortColumn);
    fields->addRow(Tx("Сортировать по столбцу:"), FSortColumn);
    FDirection = Choice("cbDirection", this);
    FDirection->addItems({Tx("Сверху-вниз"), Tx("Снизу-вверх")});
    FDirection->setCurrentIndex(form.BottomUp ? 1 : 0);
    fields->addRow(Tx("Направление:"), FDirection);
    FMode = Choice("cbFilterMode", this);
    FMode->addItems({Tx("Удалить выделенные"), Tx("Оставить выделенные")});
    FMode->setCurrentIndex(form.Keep ? 1 : 0);
    fields->addRow(Tx("Режим фильтра:"), FMode);
    FMultiSelect =
        new QCheckBox(Tx("Использовать режим одновременного выделения нескольких значений в списке"), this);
    FMultiSelect->setObjectName("cbMultiSelect");
    FMultiSelect->setChecked(form.MultiSelect);
    fields->addRow(FMultiSelect);
    FCondition = Choice("cbLevelMode", this);
    for (int c = 0; c < kConditionCount; ++c) FCondition->addItem(Tx(ConditionInfo(c).Caption));
    FCondition->setCurrentIndex(form.Condition);
    fields->addRow(Tx("Режим выделения значений в списке статистики:"), FCondition);
    FValues = ListEdit("edLevelValue", form.Values, this);
    fields->addRow(Tx("Значения:"), FValues);

    FWeightsGroup = new QGroupBox(Tx("Коэффициенты для расчета значений \"Вес\""), this);
    FWeightsGroup->setObjectName("gbWeights");
    auto* weights = new QFormLayout(FWeightsGroup);
    FOwnWeights = new QCheckBox(Tx("Использовать собственные коэффициенты"), FWeightsGroup);
    FOwnWeights->setObjectName("cbCDLOverride");
    FOwnWeights->setChecked(form.OwnWeights);
    weights->addRow(FOwnWeights);
    const char* const names[3] = {"edCoefCount", "edCoefDeviation", "edCoefLevel"};
    const char* const labels[3] = {"Количество:", "Отклонение:", "Глубина:"};
    for (size_t i = 0; i < 3; ++i) {
        FWeights[i] = new QLineEdit(ToQ(form.Weights[i]), FWeightsGroup);
        FWeights[i]->setObjectName(names[i]);
        FWeights[i]->setAlignment(Qt::AlignRight);
        FWeights[i]->setMaximumWidth(110);
        FWeights[i]->setValidator(
            new QRegularExpressionValidator(QRegularExpression("-?[0-9]*[.,]?[0-9]*"), FWeights[i]));
        weights->addRow(Tx(labels[i]), FWeights[i]);
    }
    FPercents = new QCheckBox(Tx("Использовать значения в %"), FWeightsGroup);
    FPercents->setObjectName("cbCoefPercents");
    FPercents->setChecked(form.WeightPercents);
    FAbsolute = new QCheckBox(Tx("Использовать абсолютные значения"), FWeightsGroup);
    FAbsolute->setObjectName("cbCoefAbs");
    FAbsolute->setChecked(form.WeightAbs);
    weights->addRow(FPercents);
    weights->addRow(FAbsolute);
    layout->addWidget(FWeightsGroup);

    auto* stop = new QFormLayout;
    layout->addLayout(stop);
    FStopMode = Choice("cbStopMode", this);
    for (int m = 0; m < kStopModeCount; ++m) FStopMode->addItem(Tx(StopModeInfo(m).Caption));
    FStopMode->setCurrentIndex(form.StopMode);
    stop->addRow(Tx("Остановка по:"), FStopMode);
    FStopValue = new QSpinBox(this);
    FStopValue->setObjectName("edStopValue");
    FStopValue->setRange(1, INT_MAX);
    FStopValue->setValue(form.StopValue);
    stop->addRow(Tx("Значение:"), FStopValue);

    FPreviewLine = new QLineEdit(this);
    FPreviewLine->setObjectName("edFilterPreview");
    FPreviewLine->setReadOnly(true);
    FPreviewLine->setFocusPolicy(Qt::NoFocus);
    FPreviewLine->setVisible(bool(FPreview));
    layout->addWidget(FPreviewLine);
    FPreviewTimer = new QTimer(this);
    FPreviewTimer->setSingleShot(true);
    FPreviewTimer->setInterval(kPreviewDelayMs);
    connect(FPreviewTimer, &QTimer::timeout, this, &TFormFilter::RefreshPreview);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tx("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Tx("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormFilter::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(FCondition, qOverload<int>(&QComboBox::currentIndexChanged), this, &TFormFilter::UpdateEnabling);
    connect(FOwnWeights, &QCheckBox::toggled, this, &TFormFilter::UpdateEnabling);
    UpdateEnabling();
    WatchFields();
}

void TFormFilter::WatchFields() {
    if (!FPreview) return;
    auto restart = [this] { FPreviewTimer->start(); };
    for (QComboBox* box : {FMethod, FSortColumn, FDirection, FMode, FCondition, FStopMode})
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, restart);
    for (QLineEdit* edit : {FLengths, FValues, FWeights[0], FWeights[1], FWeights[2]})
        connect(edit, &QLineEdit::textChanged, this, restart);
    for (QCheckBox* box : {FMultiSelect, FOwnWeights, FPercents, FAbsolute})
        connect(box, &QCheckBox::toggled, this, restart);
    connect(FStopValue, qOverload<int>(&QSpinBox::valueChanged), this, restart);
    restart();
}

void TFormFilter::RefreshPreview() {
    FPreviewTimer->stop();
    if (!FPreview) return;
    // A message's line breaks would not show in one line.
    QString text = ToQ(FPreview(Edited()));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    FPreviewLine->setText(text);
    FPreviewLine->setCursorPosition(0);
}

void TFormFilter::UpdateEnabling() {
    const bool group = FilterFormWeightsEnabled(FCondition->currentIndex());
    FWeightsGroup->setEnabled(group);
    const bool fields = group && FOwnWeights->isChecked();
    for (QLineEdit* e : FWeights) e->setEnabled(fields);
    FPercents->setEnabled(fields);
    FAbsolute->setEnabled(fields);
}

TFilterForm TFormFilter::Edited() const {
    TFilterForm f = FShown;
    f.Entry = FMethod->currentIndex();
    f.Lengths = FromQ(FLengths->text());
    f.SortColumn = FSortColumn->currentIndex();
    f.BottomUp = FDirection->currentIndex() == 1;
    f.Keep = FMode->currentIndex() == 1;
    f.MultiSelect = FMultiSelect->isChecked();
    f.Condition = FCondition->currentIndex();
    f.Values = FromQ(FValues->text());
    f.OwnWeights = FOwnWeights->isChecked();
    for (size_t i = 0; i < 3; ++i) f.Weights[i] = FromQ(FWeights[i]->text());
    f.WeightPercents = FPercents->isChecked();
    f.WeightAbs = FAbsolute->isChecked();
    f.StopMode = FStopMode->currentIndex();
    f.StopValue = FStopValue->value();
    return f;
}

QWidget* TFormFilter::FieldWidget(TFilterFormField field) const {
    switch (field) {
    case TFilterFormField::Method:
        return FMethod;
    case TFilterFormField::Lengths:
        return FLengths;
    case TFilterFormField::Condition:
        return FCondition;
    case TFilterFormField::Values:
        return FValues;
    case TFilterFormField::StopMode:
        return FStopMode;
    }
    return nullptr;
}

void TFormFilter::accept() {
    const TFilterForm f = Edited();
    if (auto refusal = CheckFilterForm(f, FilterFormMethod(f, FChooser, FRegistry), FChooser)) {
        FShell.ShowError(refusal->Message);
        if (QWidget* w = FieldWidget(refusal->Field)) w->setFocus();
        return;
    }
    QDialog::accept();
}

bool EditFilterItem(TWorkspace& ws, TShell& shell, QWidget* parent, TFilterItem& item) {
    const TStatTab& tab = ws.StatTab();
    const TFilterForm shown =
        FilterFormOf(item, tab.Chooser(), ws.Stats(), tab.WindowLength(), ws.Stats().Config().Weights);
    TFormFilter dialog(shell, tab.Chooser(), ws.Stats(), shown, parent, [&ws, &item, &shown](const TFilterForm& edited) {
        return FilterFormPreviewLine(ws, item, shown, edited);
    });
    if (dialog.exec() != QDialog::Accepted) return false;
    const TFilterForm edited = dialog.Edited();
    item = FilterItemOfForm(item, shown, edited, FilterFormMethod(edited, tab.Chooser(), ws.Stats()));
    return true;
}

} // namespace qx
