#pragma once
#include <QString>

class QWidget;

namespace qx {

// The file dialog of combination files (.lcv): open or save. Empty when cancelled.
QString AskCombsFile(QWidget* parent, const QString& directory, bool save);

} // namespace qx
