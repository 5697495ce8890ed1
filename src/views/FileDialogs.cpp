#include "views/FileDialogs.h"

#include <QFileDialog>

#include "views/Tx.h"

namespace qx {

QString AskFileName(QWidget* parent, const TFileDialogOptions& options, const QString& directory) {
    QFileDialog dialog(parent, Tx(options.Title), directory, Tx(options.Filter));
    dialog.setObjectName(options.ObjectName);
    dialog.setDefaultSuffix(options.Suffix);
    dialog.setAcceptMode(options.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(options.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.ConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

} // namespace qx
