#pragma once
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CliArgs.h"

namespace qx {

class TConsoleShell;
class TWorkspace;

struct TCliContext {
    TWorkspace& Workspace;
    std::ostream& Out;
    std::ostream& Err;
    std::istream& In;
    TConsoleShell& Shell;
};

// One command of the tool: its words ("draws list"), a usage line and the handler.
struct TCliCommand {
    std::vector<std::string> Words;
    std::string Usage;
    std::function<void(TCliContext&, TCliArgs&)> Run;
};

using TCliCommandList = std::vector<TCliCommand>;

// Each group of commands lives in its own file and adds itself here.
void AddDrawsCommands(TCliCommandList& list);
void AddCombsCommands(TCliCommandList& list);
void AddFullSetCommands(TCliCommandList& list);
void AddFilterCommands(TCliCommandList& list);
void AddStatsCommands(TCliCommandList& list);
void AddDownloadCommands(TCliCommandList& list);
void AddProxyCommands(TCliCommandList& list);
void AddStakesCommands(TCliCommandList& list);
void AddExportCommands(TCliCommandList& list);
void AddViewCommands(TCliCommandList& list);
void AddUpdateCommands(TCliCommandList& list);

} // namespace qx
