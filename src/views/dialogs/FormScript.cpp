#include "views/dialogs/FormScript.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>

#include "app/Workspace.h"
#include "combs/FilterItem.h"
#include "scripts/ScriptSettings.h"
#include "views/DialogButtons.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"
#include "views/dialogs/FormFilter.h"

namespace qx {
namespace {

QComboBox* CodeCombo(QWidget* parent, const char* name, int count, const TScriptCodeInfo& (*info)(int), int current) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (int i = 0; i < count; ++i) combo->addItem(Tx(info(i).Caption));
    // A value outside the table (a hand-written line) shows as the first entry.
    combo->setCurrentIndex(current >= 0 && current < count ? current : 0);
    return combo;
}

} // namespace

TFormScript::TFormScript(const QString& title, const TScriptForm& form, TEditFilter editFilter, QWidget* parent)
    : QDialog(parent), FEditFilter(std::move(editFilter)) {
    setObjectName("TFormScript");
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);

    auto* top = new QFormLayout;
    FComment = new QLineEdit(ToQ(form.Comment), this);
    FComment->setObjectName("edComments");
    top->addRow(Tx("Комментарии:"), FComment);
    layout->addLayout(top);

    auto* options = new QGroupBox(Tx("Опции"), this);
    auto* optionsForm = new QFormLayout(options);
    FSource = CodeCombo(options, "cbStartCombsType", kScriptSourceCount, ScriptSourceInfo, form.Source);
    optionsForm->addRow(Tx("Начальный список комбинаций:"), FSource);
    FExclude = new QSpinBox(options);
    FExclude->setObjectName("edDrawsExclude");
    FExclude->setRange(0, INT_MAX);
    FExclude->setValue(form.ExcludeCount);
    optionsForm->addRow(Tx("Кол-во тиражей:"), FExclude);
    FMode = CodeCombo(options, "cbResultCombsMode", kScriptStakeModeCount, ScriptStakeModeInfo, form.StakeMode);
    optionsForm->addRow(Tx("В случае неоднозначного результата после применения фильтров:"), FMode);
    FClearStakes = new QCheckBox(Tx("Удалить все ставки перед выполнением (накопление только рейтинга)"), options);
    FClearStakes->setObjectName("cbClearStakes");
    FClearStakes->setChecked(form.ClearStakes);
    optionsForm->addRow(FClearStakes);
    FNewOnly = new QCheckBox(Tx("Только новые ставки (пропускать те ставки, которые уже есть в списке)"), options);
    FNewOnly->setObjectName("cbNewOnly");
    FNewOnly->setChecked(form.NewOnly);
    optionsForm->addRow(FNewOnly);
    layout->addWidget(options);

    auto* filters = new QGroupBox(Tx("Фильтры"), this);
    auto* filtersForm = new QFormLayout(filters);
    for (int k = 0; k < kFilterFields; ++k) {
        const std::string n = std::to_string(k + 1);
        auto* row = new QHBoxLayout;
        QLineEdit* edit = new QLineEdit(ToQ(form.Filters[size_t(k)]), filters);
        edit->setObjectName(ToQ("edFilter" + n));
        edit->setMinimumWidth(360);
        edit->installEventFilter(this);
        auto* button = new QPushButton("...", filters);
        button->setObjectName(ToQ("btnFilter" + n));
        button->setFixedWidth(32);
        SetHint(button, "Редактировать фильтр");
        connect(button, &QPushButton::clicked, this, [this, k] { EditFilter(k); });
        row->addWidget(edit, 1);
        row->addWidget(button);
        filtersForm->addRow(Tx("Фильтр " + n + ":"), row);
        FFilters[size_t(k)] = edit;
        FButtons[size_t(k)] = button;
    }
    layout->addWidget(filters);
    layout->addWidget(MakeOkCancelButtons(this));
    FComment->setFocus();
}

TScriptForm TFormScript::Edited() const {
    TScriptForm f;
    f.Comment = FromQ(FComment->text());
    f.Source = FSource->currentIndex();
    f.ExcludeCount = FExclude->value();
    f.StakeMode = FMode->currentIndex();
    f.ClearStakes = FClearStakes->isChecked();
    f.NewOnly = FNewOnly->isChecked();
    for (int k = 0; k < kFilterFields; ++k) f.Filters[size_t(k)] = FromQ(FFilters[size_t(k)]->text());
    return f;
}

bool TFormScript::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick)
        for (int k = 0; k < kFilterFields; ++k)
            if (watched == FFilters[size_t(k)]) {
                EditFilter(k);
                return true;
            }
    return QDialog::eventFilter(watched, event);
}

void TFormScript::EditFilter(int k) {
    if (!FEditFilter) return;
    std::string text = FromQ(FFilters[size_t(k)]->text());
    if (FEditFilter(text)) FFilters[size_t(k)]->setText(ToQ(text));
}

std::optional<std::string> EditScriptLine(TWorkspace& ws, TShell& shell, QWidget* parent, const char* title,
                                          int32_t defaultCount, const std::string& line) {
    TFormScript* self = nullptr;
    auto editFilter = [&](std::string& text) {
        TFilterItem item = ParseFilterItem(text, ws.Stats());
        if (!EditFilterItem(ws, shell, self, item)) return false;
        text = FilterItemText(item);
        return true;
    };
    TFormScript dialog(Tx(title), ScriptFormOf(line, defaultCount), editFilter, parent);
    self = &dialog;
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ScriptLineOfForm(dialog.Edited());
}

} // namespace qx
