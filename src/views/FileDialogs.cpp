#include "views/FileDialogs.h"

#include <QFileDialog>

#include "views/Tx.h"

namespace qx {

QString AskFileName(QWidget* parent, const TFileDialogSpec& spec, const QString& directory) {
    QFileDialog dialog(parent, Tx(spec.Title), directory, Tx(spec.Filter));
    dialog.setObjectName(spec.ObjectName);
    dialog.setDefaultSuffix(spec.Suffix);
    dialog.setAcceptMode(spec.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(spec.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

} // namespace qx
