#pragma once
#include <QIcon>
#include <string_view>

namespace qx {

// The picture of a command, for the few commands whose picture means something elsewhere too:
// the applied-filters journal marks each step with the icon of the command that made it (keep,
// remove, undo). Empty for every other command.
QIcon CommandIcon(std::string_view command);

} // namespace qx
