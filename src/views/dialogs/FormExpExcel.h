#pragma once
#include <QDialog>

#include "export/ExportToSpreadsheet.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace qx {

struct TPageContext;

// "Экспорт в Microsoft Excel": the report's title block, the sheet, the rows that go out and the
// columns with their captions, alignments and widths. The settings can be loaded from and saved
// to parameter files; the field list's column widths stay in the window-state file.
class TFormExpExcel : public QDialog {
public:
    static constexpr const char* kSection = "TFormExpExcel";

    TFormExpExcel(TPageContext& context, const TExportSettings& settings, const TExportDialogInfo& info,
                  QWidget* parent);
    ~TFormExpExcel() override;

    // The settings the dialog shows now.
    TExportSettings Result() const;

    QTabWidget* Tabs() const { return FTabs; }
    QLineEdit* TitleEdit() const { return FTitle; }
    QLineEdit* NotesEdit() const { return FNotes; }
    QCheckBox* DateBox() const { return FDate; }
    QLineEdit* SheetEdit() const { return FSheet; }
    QComboBox* OrientationBox() const { return FOrientation; }
    QSpinBox* FontEdit() const { return FFont; }
    QComboBox* ModeBox() const { return FMode; }
    QLineEdit* CountEdit() const { return FCount; }
    QCheckBox* SaveBox() const { return FSave; }
    QTreeWidget* FieldList() const { return FList; }
    QPushButton* ParamsButton() const { return FParams; }
    QMenu* ParamsMenu() const { return FParamsMenu; }
    QAction* Command(const char* name) const;
    // The field list as it stands, in list order.
    const TExportFields& Fields() const { return FFields; }

private:
    QWidget* BuildSheetTab();
    QWidget* BuildColumnsTab();
    QAction* AddCommand(const char* name, const char* caption, const char* shortcut, void (TFormExpExcel::*run)());
    void ShowSettings(const TExportSettings& s);
    void ShowFields(int selected);
    int SelectedField() const;
    void FieldChanged(QTreeWidgetItem* item, int column);
    void Reorder(int selected);
    void UpdateCommands();
    void ShowCount();
    void MoveUp();
    void MoveDown();
    void Move(int delta);
    void Rename();
    void OpenFile();
    void SaveFile();
    void RestoreLayout();
    void SaveLayout();

    TPageContext& Ctx;
    TExportSettings FShown;  // what the controls started from (fields aside)
    TExportDialogInfo FInfo;
    TExportFields FFields;
    bool FFilling = false;
    QTabWidget* FTabs;
    QLineEdit* FTitle;
    QLineEdit* FNotes;
    QCheckBox* FDate;
    QLineEdit* FSheet;
    QComboBox* FOrientation;
    QSpinBox* FFont;
    QComboBox* FMode;
    QLineEdit* FCount;
    QCheckBox* FSave;
    QTreeWidget* FList;
    QPushButton* FParams;
    QMenu* FParamsMenu;
};

} // namespace qx
