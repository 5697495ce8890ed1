#pragma once

class QDialog;
class QWidget;

namespace qx {

// The "OK" / "Отмена" buttons of a dialog, wired to its accept (as the dialog overrides it) and
// reject. The caller places the box.
QWidget* MakeOkCancelButtons(QDialog* dialog);

} // namespace qx
