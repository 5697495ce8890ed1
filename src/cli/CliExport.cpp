#include <optional>
#include <ostream>

#include "app/ExportSources.h"
#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "cli/CliStatTable.h"
#include "core/Error.h"
#include "core/Text.h"
#include "export/XlsxSpreadsheet.h"

namespace qx {
namespace {

// "A-B": list rows from 1, as the window counts them.
std::pair<int, int> ParseRows(const std::string& text) {
    const size_t dash = text.find('-');
    const auto first = TryStrToInt(text.substr(0, dash));
    const auto last = dash == std::string::npos ? first : TryStrToInt(text.substr(dash + 1));
    if (!first || !last || *first < 1 || *last < *first)
        throw TAppError(FormatText("Некорректное значение параметра --rows: %s", {text}));
    return {*first, *last};
}

// Writes the view's workbook as the window's export would, with the view's settings from the
// configuration file (read, never written) and those of a parameter file over them.
void Export(TCliContext& c, TCliArgs& args, TListTableSource& source, const char* caption) {
    const auto out = args.TakeOption("out");
    const auto params = args.TakeOption("params");
    const auto rows = args.TakeOption("rows");
    if (!out) throw TAppError("Укажите файл книги: --out ФАЙЛ.xlsx");
    if (!args.Positionals().empty()) throw TAppError("Неверное количество параметров команды");
    const TExportEnvironment env = ExportEnvironment(c.Workspace);
    const TExportRequest request{"FormMain", caption, caption, "", 0, true};
    if (rows) {
        const auto [first, last] = ParseRows(*rows);
        if (last > source.RowCount())
            throw TAppError(FormatText("Некорректное значение параметра --rows: %s", {*rows}));
        source.Select(first - 1, last - 1);
    }
    TExportSettings settings = OpeningSettings(env, source, request);
    if (params) LoadExportSettings(*params, ExportSectionName(request.FormName, source.Name()), false, settings, env.Shell);
    settings.SendMode = rows ? 1 : 0;
    TXlsxSpreadsheet sheet({*out, nullptr, nullptr});
    if (!WriteSpreadsheet(env, source, settings, sheet)) throw TAppError("Книга не записана");
    const TSourceCounts counts = CountSourceRows(source);
    c.Out << "Экспортировано строк: " << (rows ? counts.Selected : counts.All) << "\n" << sheet.Written().string() << "\n";
}

void ExportDraws(TCliContext& c, TCliArgs& args) {
    TListTableSource source = DrawsListSource(c.Workspace);
    Export(c, args, source, "Архив тиражей");
}

void ExportCombs(TCliContext& c, TCliArgs& args) {
    TListTableSource source = CombsListSource(c.Workspace);
    Export(c, args, source, "Комбинации");
}

void ExportRatings(TCliContext& c, TCliArgs& args) {
    TListTableSource source = RatingsListSource(c.Workspace);
    Export(c, args, source, "Рейтинг");
}

void ExportStat(TCliContext& c, TCliArgs& args) {
    // The export's own options first: what is left describes the table.
    std::vector<std::string> own;
    for (const char* name : {"out", "params", "rows"})
        if (auto value = args.TakeOption(name)) {
            own.push_back(std::string("--") + name);
            own.push_back(*value);
        }
    const TStatTable table = StatTableOfArgs(c, args);
    TListTableSource source = StatTableSource(table);
    TCliArgs rest(own);
    Export(c, rest, source, "Статистика");
}

} // namespace

void AddExportCommands(TCliCommandList& list) {
    list.push_back({{"export", "draws"},
                    "export draws --out ФАЙЛ.xlsx [--params ФАЙЛ.exp] [--rows A-B]  список тиражей в книгу",
                    ExportDraws});
    list.push_back({{"export", "combs"},
                    "export combs --out ФАЙЛ.xlsx [--params ФАЙЛ.exp] [--rows A-B]  список комбинаций в книгу",
                    ExportCombs});
    list.push_back({{"export", "ratings"},
                    "export ratings --out ФАЙЛ.xlsx [--params ФАЙЛ.exp] [--rows A-B]  рейтинг в книгу",
                    ExportRatings});
    list.push_back({{"export", "stat"},
                    "export stat --method КОД [параметры stat] --out ФАЙЛ.xlsx [--params ФАЙЛ.exp] [--rows A-B]  "
                    "таблица статистики в книгу",
                    ExportStat});
}

} // namespace qx
