#pragma once
#include <memory>

#include "app/ScriptHost.h"

namespace qx {

class TWorkspace;

// The workspace as the script executor's host. For a run it suspends the views (one forced
// refresh at the end), computes facts only for tables sorted by them, keeps the stake logs open,
// writes the ratings file at the end of each pass instead of after every check, and copies the
// generated start list while the generation parameters stay the same.
std::unique_ptr<TScriptHost> MakeWorkspaceScriptHost(TWorkspace& workspace);

} // namespace qx
