#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "combs/FilterVariants.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

// The list every filter starts from: the file given, or the stored generation defaults, made
// once per run and copied for every variant. A list that cannot be made stops the command before
// anything is filtered or saved.
void StartList(TWorkspace& ws, const std::optional<std::string>& in, TStartList& start) {
    if (!ws.StartCombs(in ? TCombsGenParams{4, *in} : ws.CombsGenDefaults(), start))
        throw TAppError("Исходный список комбинаций не создан");
}

void ByRows(TCliContext& c, TCliArgs& args, const std::optional<std::string>& in, bool dryRun) {
    TWorkspace& ws = c.Workspace;
    const auto code = args.TakeOption("method");
    const auto rows = args.TakeOption("rows");
    const int window = args.TakeIntOption("window").value_or(ws.StatTab().WindowLength());
    const bool keep = args.TakeFlag("keep");
    const bool remove = args.TakeFlag("remove");
    // A dry run counts both ways; one of the two may still be named.
    if (!code || !rows || (keep && remove) || (!keep && !remove && !dryRun))
        throw TAppError("Укажите --method, --rows и одно из --keep / --remove");
    const int method = ws.Stats().IndexOfCode(*code);
    if (method < 0 || !ws.StatTab().Chooser().SelectMethod(method))
        throw TAppError(FormatText("Метод расчета статистики не найден: %s", {*code}));
    if (window < 1) throw TAppError(FormatText("Некорректное значение параметра --window: %d", {IntToStr(window)}));
    TStartList start;
    StartList(ws, in, start);
    ws.StatTab().SetWindowLength(window);
    ws.RefreshStatTable(false);
    std::vector<int> selected;
    for (std::string_view value : SplitWords(*rows, ",")) {
        int found = -1;
        const auto& table = ws.StatTab().Table().Rows;
        for (size_t r = 0; r < table.size(); ++r)
            if (table[r].ValueText() == value) found = int(r);
        if (found < 0) throw TAppError(FormatText("В таблице статистики нет значения \"%s\"", {std::string(value)}));
        selected.push_back(found);
    }
    ws.StatTab().SetSelection(selected);
    if (dryRun) {
        const TSelectionPreview counts = ws.PreviewSelection().value_or(TSelectionPreview{});
        c.Out << "Оставить выделенные: " << counts.Keep << "\nУдалить выделенные: " << counts.Remove << "\n";
        return;
    }
    if (keep)
        ws.StatFilterInclude();
    else
        ws.StatFilterExclude();
    c.Out << "Комбинаций: " << ws.Combs().Count() << "\n";
}

void ByText(TCliContext& c, std::vector<std::string> texts, const std::optional<std::string>& in) {
    TWorkspace& ws = c.Workspace;
    std::vector<TFilterItem> items;
    for (const auto& t : texts) items.push_back(ParseFilterItem(t, ws.Stats()));
    TFilterVariants variants(items);
    ws.Stats().BackupWeights();
    TFilterRec rec;
    TStartList start;
    try {
        while (variants.Next(rec)) {
            StartList(ws, in, start);
            ws.ApplyFilterRec(rec, nullptr);
            c.Out << FilterRecText(rec) << "\t" << ws.Combs().Count() << "\n";
        }
    } catch (...) {
        ws.Stats().RestoreWeights();
        throw;
    }
    ws.Stats().RestoreWeights();
}

void Filter(TCliContext& c, TCliArgs& args) {
    const auto in = args.TakeOption("in");
    const auto out = args.TakeOption("out");
    const bool dryRun = args.TakeFlag("dry-run");
    std::vector<std::string> texts;
    while (auto t = args.TakeOption("text")) texts.push_back(*t);
    if (texts.empty())
        ByRows(c, args, in, dryRun);
    else
        ByText(c, texts, in);
    if (!args.Positionals().empty()) throw TAppError("Неверное количество параметров команды");
    if (out && !dryRun && c.Workspace.SaveCombsFile(*out)) c.Out << "Сохранено в " << *out << "\n";
}

} // namespace

void AddFilterCommands(TCliCommandList& list) {
    list.push_back({{"filter"},
                    "filter --method КОД --window N --rows ЗНАЧ[,ЗНАЧ...] (--keep|--remove) [--in ФАЙЛ.lcv] [--out ФАЙЛ.lcv]\n"
                    "  filter --text ОПИСАНИЕ [--text ОПИСАНИЕ...] [--in ФАЙЛ.lcv] [--out ФАЙЛ.lcv]  варианты фильтров\n"
                    "  filter ... --dry-run  только количества комбинаций, без сохранения",
                    Filter});
}

} // namespace qx
