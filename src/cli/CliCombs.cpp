#include <filesystem>
#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

void Generate(TCliContext& c, TCliArgs& args) {
    TWorkspace& ws = c.Workspace;
    TCombsGenParams params = ws.CombsGenDefaults();
    if (auto mode = args.TakeIntOption("mode")) {
        if (*mode < 0 || *mode >= TCombsGenParams::kModeCount) throw TAppError(FormatText("Некорректный режим генерации: %d", {std::to_string(*mode)}));
        params.Mode = *mode;
        params.Parameters = args.TakeOption("params").value_or("");
        // A list file named here is the user's, relative to where the tool was started.
        if (params.Mode == 4 && !params.Parameters.empty())
            params.Parameters = std::filesystem::absolute(params.Parameters).string();
    }
    auto exclude = args.TakeIntOption("exclude");
    auto out = args.TakeOption("out");
    if (!out) throw TAppError("Укажите файл результата: --out ФАЙЛ.lcv");
    if (!args.Positionals().empty()) throw TAppError("Неверное количество параметров команды");

    // Nothing is saved after a failure: an existing output file stays as it was.
    if (!ws.GenerateCombs(params, true)) return;
    c.Out << "Комбинаций: " << ws.Combs().Count() << "\n";
    if (exclude && *exclude > 0) {
        ws.CombsDelExists(*exclude);
        c.Out << "Исключены последние тиражи (" << *exclude << "), комбинаций: " << ws.Combs().Count() << "\n";
    }
    if (!ws.SaveCombsFile(*out)) return;
    c.Out << "Сохранено в " << *out << "\n";
}

} // namespace

void AddCombsCommands(TCliCommandList& list) {
    // The list is made by the command itself, and only the output file is written.
    list.push_back(ReadingCommand({"combs", "gen"},
                                  "combs gen [--mode M --params ТЕКСТ] [--exclude N] --out ФАЙЛ.lcv  создать список комбинаций",
                                  Generate));
}

} // namespace qx
