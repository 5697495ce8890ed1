#include <optional>
#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "cli/CliStatTable.h"
#include "core/Error.h"
#include "core/Text.h"
#include "stats/TableSort.h"

namespace qx {
namespace {

void Methods(TCliContext& c, TCliArgs& args) {
    if (!args.Positionals().empty()) throw TAppError("Неверное количество параметров команды");
    const TStatList& stats = c.Workspace.Stats();
    c.Out << "№\tКод\tНазвание\tГруппа\n";
    for (int i = 0; i < stats.Count(); ++i)
        c.Out << i << "\t" << stats.Items(i).Code() << "\t" << stats.DisplayName(i, true) << "\t"
              << int(stats.Items(i).StatClass->Group()) << "\n";
}

// "COL" or "COL:desc" (or "COL:asc").
void ParseSort(const std::string& text, int& column, bool& descending) {
    const size_t colon = text.find(':');
    const std::string direction = colon == std::string::npos ? "" : text.substr(colon + 1);
    const auto number = TryStrToInt(text.substr(0, colon));
    if (!number || *number < 0 || *number >= kStatColumnCount || (direction != "" && direction != "asc" && direction != "desc"))
        throw TAppError(FormatText("Некорректное значение параметра --sort: %s", {text}));
    column = *number;
    descending = direction == "desc";
}

} // namespace

TMethodArgs TakeMethodArgs(TCliContext& c, TCliArgs& args, int defaultWindow) {
    TWorkspace& ws = c.Workspace;
    const auto code = args.TakeOption("method");
    TMethodArgs m;
    m.Window = args.TakeIntOption("window").value_or(defaultWindow);
    m.Offset = args.TakeIntOption("offset").value_or(0);
    m.Sorted = args.TakeFlag("sorted");
    if (!args.Positionals().empty()) throw TAppError("Неверное количество параметров команды");
    if (!code) throw TAppError("Укажите метод расчета статистики: --method КОД");
    m.Method = ws.Stats().IndexOfCode(*code);
    if (m.Method < 0) throw TAppError(FormatText("Метод расчета статистики не найден: %s", {*code}));
    if (m.Window < 1) throw TAppError(FormatText("Некорректное значение параметра --window: %d", {IntToStr(m.Window)}));
    if (m.Offset < 0 || m.Offset > ws.MaxDrawsOffset())
        throw TAppError(FormatText("Некорректное значение параметра --offset: %d", {IntToStr(m.Offset)}));
    return m;
}

TStatTable StatTableOfArgs(TCliContext& c, TCliArgs& args) {
    TWorkspace& ws = c.Workspace;
    const bool fullSet = args.TakeFlag("fullset");
    const auto sort = args.TakeOption("sort");
    const TMethodArgs m = TakeMethodArgs(c, args, ws.FormKeys().DrawsStatLen);
    int column = -1;
    bool descending = false;
    if (sort) ParseSort(*sort, column, descending);

    ws.SetDrawsOffset(m.Offset);
    TStatTableParams params = ws.StatTableParams(m.Window);
    params.Sorted = params.Sorted || m.Sorted;
    // Norms from the method's full-set file, built first when missing.
    std::optional<TFullSet> norms;
    if (fullSet) norms = ws.LoadFullSet(m.Method);
    if (norms) params.FullSet = &*norms;
    auto stat = ws.Stats().CreateStat(m.Method);
    TStatTable table = ComputeTable(*stat, params);
    SortStatTable(table, column, descending);
    return table;
}

namespace {

void Stat(TCliContext& c, TCliArgs& args) {
    const TStatTable table = StatTableOfArgs(c, args);

    for (int col = 0; col < kStatColumnCount; ++col) c.Out << (col ? "\t" : "") << StatColumnCaption(col);
    c.Out << "\n";
    for (int r = 0; r < table.Size(); ++r) {
        const TStatRowTexts texts = table.Texts(r);
        for (int col = 0; col < kStatColumnCount; ++col) c.Out << (col ? "\t" : "") << texts[col];
        c.Out << "\n";
    }
}

} // namespace

void AddStatsCommands(TCliCommandList& list) {
    list.push_back(ReadingCommand({"methods"}, "methods                                методы расчета статистики", Methods));
    list.push_back(ReadingCommand(
        {"stat"}, "stat --method КОД [--window N] [--offset K] [--sorted] [--sort СТОЛБЕЦ[:desc]] [--fullset]  таблица статистики",
        Stat));
}

} // namespace qx
