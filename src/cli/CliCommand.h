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
    // The tool's exit code when no error was shown (a command that ends short of done sets it).
    int ExitCode = 0;
};

// One command of the tool: its words ("draws list"), a usage line and the handler.
struct TCliCommand {
    std::vector<std::string> Words;
    std::string Usage;
    std::function<void(TCliContext&, TCliArgs&)> Run;
    // Only reads the program's files: runs without the directory lock (in a read-only directory,
    // beside a running window) and creates nothing in the program directory.
    bool ReadOnly = false;
    // Uses the working combination list built from the stored generation defaults at start-up.
    bool NeedsCombs = true;
    // Checks the command's inputs (files that must be regular and not too large) before the
    // program directory is locked or read.
    std::function<void(const TCliArgs&)> CheckInputs = nullptr;
};

using TCliCommandList = std::vector<TCliCommand>;
using TCliRun = std::function<void(TCliContext&, TCliArgs&)>;

// Commands that go without the start-up combination list: one that only reads the program's
// files, and one that writes them.
inline TCliCommand ReadingCommand(std::vector<std::string> words, std::string usage, TCliRun run) {
    return {std::move(words), std::move(usage), std::move(run), true, false};
}
inline TCliCommand WritingCommand(std::vector<std::string> words, std::string usage, TCliRun run) {
    return {std::move(words), std::move(usage), std::move(run), false, false};
}

// Each group of commands lives in its own file and adds itself here.
void AddDrawsCommands(TCliCommandList& list);
void AddCombsCommands(TCliCommandList& list);
void AddFullSetCommands(TCliCommandList& list);
void AddFilterCommands(TCliCommandList& list);
void AddStatsCommands(TCliCommandList& list);
void AddDownloadCommands(TCliCommandList& list);
void AddProxyCommands(TCliCommandList& list);
void AddStakesCommands(TCliCommandList& list);
void AddGraphCommands(TCliCommandList& list);
void AddExportCommands(TCliCommandList& list);
void AddViewCommands(TCliCommandList& list);
void AddRegularsCommands(TCliCommandList& list);
void AddSystemsCommands(TCliCommandList& list);
void AddAnalysisCommands(TCliCommandList& list);
void AddConfigCommands(TCliCommandList& list);
void AddFormulaCommands(TCliCommandList& list);
void AddScriptCommands(TCliCommandList& list);
void AddUpdateCommands(TCliCommandList& list);
void AddLibraryCommands(TCliCommandList& list);

} // namespace qx
