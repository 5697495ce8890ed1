#pragma once
#include <QIcon>
#include <vector>

namespace qx {

// The sizes the icon is rendered in at build time (the menu entry installs the same pictures).
const std::vector<int>& ProgramIconSizes();
// The program's icon for its windows, every rendered size in one icon.
QIcon ProgramIcon();

} // namespace qx
