#include "cli/Commands.h"

#include <filesystem>
#include <iostream>
#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "cli/ConsoleShell.h"
#include "core/Error.h"
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
    AddExportCommands(list);
    AddViewCommands(list);
    AddUpdateCommands(list);
    return list;
}

void PrintUsage(const TCliCommandList& list, std::ostream& out) {
    out << "Использование: quadrix [--dir КАТАЛОГ] КОМАНДА ...\n\nКоманды:\n";
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
    try {
        TCliArgs global(args);
        std::filesystem::path dir = global.TakeOption("dir").value_or(".");
        bool help = global.TakeFlag("help");
        const std::vector<std::string>& rest = global.Words();
        size_t used = 0;
        const TCliCommand* command = FindCommand(list, rest, used);
        if (help || !command) {
            PrintUsage(list, help ? out : err);
            return help ? 0 : 2;
        }
        if (!std::filesystem::is_directory(dir))
            throw TAppError(FormatText("Каталог программы не найден: %s", {dir.string()}));

        TWorkspaceOptions options;
        options.ProgramDir = dir;
        options.Interactive = false;
        TWorkspace ws(shell, options);
        ws.StartFirstStage();
        if (!ws.StartSecondStage()) return 1;
        TCliArgs commandArgs(std::vector<std::string>(rest.begin() + static_cast<std::ptrdiff_t>(used), rest.end()));
        TCliContext context{ws, out, err, in ? *in : std::cin, shell};
        if (!RunCommand(shell, [&] { command->Run(context, commandArgs); })) return 1;
        ws.Shutdown();
    } catch (const std::exception& e) {
        shell.ShowError(e.what());
    }
    return shell.ErrorCount() > 0 ? 1 : 0;
}

} // namespace qx
