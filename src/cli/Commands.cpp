#include "cli/Commands.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "cli/ConsoleShell.h"
#include "core/Error.h"
#include "core/ProgramDir.h"
#include "core/ProgramUsage.h"
#include "core/Text.h"

namespace qx {
namespace {

TCliCommandList AllCommands() {
    TCliCommandList list;
    AddDrawsCommands(list);
    AddCombsCommands(list);
    AddFullSetCommands(list);
    AddFilterCommands(list);
    AddStatsCommands(list);
    AddDownloadCommands(list);
    AddProxyCommands(list);
    AddStakesCommands(list);
    AddGraphCommands(list);
    AddExportCommands(list);
    AddViewCommands(list);
    AddRegularsCommands(list);
    AddSystemsCommands(list);
    AddAnalysisCommands(list);
    AddConfigCommands(list);
    AddFormulaCommands(list);
    AddScriptCommands(list);
    AddUpdateCommands(list);
    AddLibraryCommands(list);
    return list;
}

void PrintUsage(const TCliCommandList& list, std::ostream& out) {
    out << "Использование: quadrix [--dir КАТАЛОГ] КОМАНДА ...\n"
           "       quadrix --help | --version\n\n"
           "Без --dir используется каталог программы Quadrix_4d10 рядом с quadrix.\n\nКоманды:\n";
    for (const auto& c : list) out << "  " << c.Usage << "\n";
}

const TCliCommand* FindCommand(const TCliCommandList& list, const std::vector<std::string>& words, size_t& used) {
    const TCliCommand* best = nullptr;
    for (const auto& c : list) {
        if (c.Words.size() > words.size()) continue;
        bool match = true;
        for (size_t i = 0; i < c.Words.size(); ++i) match = match && c.Words[i] == words[i];
        if (match && (!best || c.Words.size() > best->Words.size())) best = &c;
    }
    used = best ? best->Words.size() : 0;
    return best;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, std::istream* in) {
    const TCliCommandList list = AllCommands();
    TConsoleShell shell(out, err);
    int exitCode = 0;
    try {
        TCliArgs global(args);
        // Without --dir: the program directory the window beside this tool uses.
        const std::optional<std::string> given = global.TakeOption("dir");
        bool help = global.TakeFlag("help");
        if (global.TakeFlag("version") && !help) {
            out << VersionText("quadrix");
            return 0;
        }
        const std::vector<std::string>& rest = global.Words();
        size_t used = 0;
        const TCliCommand* command = FindCommand(list, rest, used);
        if (help || !command) {
            PrintUsage(list, help ? out : err);
            return help ? 0 : 2;
        }
        const std::filesystem::path dir = given ? std::filesystem::path(*given) : ThisProgram().Dir;
        if (!std::filesystem::is_directory(dir))
            throw TAppError(FormatText("Каталог программы не найден: %s", {dir.string()}));
        TCliArgs commandArgs(std::vector<std::string>(rest.begin() + static_cast<std::ptrdiff_t>(used), rest.end()));
        // A FIFO given as input would hang the command while it holds the directory's lock.
        if (command->CheckInputs) command->CheckInputs(commandArgs);

        TWorkspaceOptions options;
        options.ProgramDir = dir;
        options.Interactive = false;
        options.ReadOnly = command->ReadOnly;
        options.BuildCombsList = command->NeedsCombs;
        TWorkspace ws(shell, options);
        ws.StartFirstStage();
        if (!ws.StartSecondStage()) return 1;
        TCliContext context{ws, out, err, in ? *in : std::cin, shell};
        if (!RunCommand(shell, [&] { command->Run(context, commandArgs); })) return 1;
        exitCode = context.ExitCode;
        ws.Shutdown();
    } catch (const std::exception& e) {
        shell.ShowError(e.what());
    }
    return shell.ErrorCount() > 0 ? 1 : exitCode;
}

} // namespace qx
