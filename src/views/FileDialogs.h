#pragma once
#include <QString>

class QWidget;

namespace qx {

// A file dialog of the program over its own directory: one filter ("Caption (*.ext)"), the
// extension added to a name typed without one. Empty when the user cancels.
struct TFileDialogOptions {
    const char* ObjectName;
    const char* Title;
    const char* Filter;
    const char* Suffix;
    bool Save = false;
    bool ConfirmOverwrite = true;  // a save dialog asks before an existing file is replaced
};
QString AskFileName(QWidget* parent, const TFileDialogOptions& options, const QString& directory);

} // namespace qx
