#pragma once
#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/ScriptForm.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace qx {

class TShell;
class TWorkspace;

// The line editor of the script ("Создание новой строки" / "Редактирование строки"): the comment,
// the options and the seven filter fields, each with its "..." button. OK takes the controls as
// they stand; nothing is validated (a bad filter shows when the line runs).
class TFormScript : public QDialog {
public:
    // Edits one filter text in place; true on OK.
    using TEditFilter = std::function<bool(std::string& text)>;
    TFormScript(const QString& title, const TScriptForm& form, TEditFilter editFilter, QWidget* parent);

    TScriptForm Edited() const;
    QLineEdit* FilterEdit(int k) const { return FFilters[size_t(k)]; }
    QPushButton* FilterButton(int k) const { return FButtons[size_t(k)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EditFilter(int k);

    TEditFilter FEditFilter;
    QLineEdit* FComment;
    QComboBox* FSource;
    QSpinBox* FExclude;
    QComboBox* FMode;
    QCheckBox* FClearStakes;
    QCheckBox* FNewOnly;
    std::array<QLineEdit*, kFilterFields> FFilters{};
    std::array<QPushButton*, kFilterFields> FButtons{};
};

// EditScriptLine: the editor over an empty or a filter line, the exclude count defaulting to
// defaultCount; the line built on OK, none on Cancel. The "..." buttons run the filter editor
// over the statistics tab.
std::optional<std::string> EditScriptLine(TWorkspace& ws, TShell& shell, QWidget* parent, const char* title,
                                          int32_t defaultCount, const std::string& line);

} // namespace qx
