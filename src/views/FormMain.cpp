#include "views/FormMain.h"

#include "core/Game.h"

namespace qx {

// The draw label hooks of this game are the program's FormatDrawLabel and ParseDrawLabel.
TFormMain::TFormMain(const TMainWindowOptions& options) : TTemplateMain(options, kGameDisplayName) {}

} // namespace qx
