#include "views/combs/CombsFiles.h"

#include "views/FileDialogs.h"

namespace qx {

QString AskCombsFile(QWidget* parent, const QString& directory, bool save) {
    const TFileDialogOptions options{save ? "dlgCombsSave" : "dlgCombsOpen", save ? "Сохранить" : "Открыть",
                               "Файлы комбинаций (*.lcv)", "lcv", save};
    return AskFileName(parent, options, directory);
}

} // namespace qx
