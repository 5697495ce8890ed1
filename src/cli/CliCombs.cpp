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
    list.push_back({{"combs", "gen"},
                    "combs gen [--mode M --params ТЕКСТ] [--exclude N] --out ФАЙЛ.lcv  создать список комбинаций",
                    Generate});
}

} // namespace qx
