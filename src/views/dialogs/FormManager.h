#pragma once
#include <QDialog>
#include <functional>
#include <optional>

#include "app/FavouritesForm.h"

class QAction;
class QCheckBox;
class QInputDialog;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qx {

class TWorkspace;

// "Менеджер избранных методов расчета статистики": the methods under their groups, each ticked
// when offered by the choosers, with the names the user gave them, and the three display options.
// The dialog edits a TFavouritesForm; OK hands it back (TWorkspace::ApplyFavourites applies it).
// Importing names reads them into the registry at once, so Cancel keeps them.
class TFormManager : public QDialog {
public:
    TFormManager(TWorkspace& ws, QWidget* parent);

    TFavouritesForm Result() const;
    QTreeWidget* Tree() const { return FTree; }
    QAction* Action(const char* name) const;
    QCheckBox* SortOnName() const { return FSortOnName; }
    QLabel* CountLabel() const { return FCount; }

    // The rename box, built but not shown (tests and pictures drive it).
    QInputDialog* MakeRenameBox(const QString& text);
    // What the rename box returns: none when cancelled. Tests replace it.
    std::function<std::optional<QString>(const QString&)> AskName;
    // The file the import or export dialog returns (empty: cancelled). Tests replace it.
    std::function<QString(bool save)> AskFile;

    // Selects the node of a registry method (none: nothing selected).
    void SelectMethod(int method);

private:
    void BuildTree();
    void ShowNode(QTreeWidgetItem* item);
    void UpdateActions();
    // Group and node of the selected item; node -1 for a group node, group -1 for none.
    std::pair<int, int> Selected() const;
    void Toggle(QTreeWidgetItem* item);
    void TickGroup(bool ticked);
    void TickAll(bool ticked);
    void Rename();
    void ResetName();
    void Info();
    void Import();
    void Export();
    QAction* AddAction(const char* name, const char* caption, std::function<void()> run);
    void AddSeparator();

    TWorkspace& Ws;
    TFavouritesForm FForm;
    QTreeWidget* FTree;
    QLabel* FCount;
    QCheckBox* FSortOnName;
    QCheckBox* FShowGroupName;
    QCheckBox* FShowFlags;
};

} // namespace qx
