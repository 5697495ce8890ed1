#include <algorithm>
#include <ostream>

#include "app/ListColumns.h"
#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "cli/ConsoleShell.h"
#include "core/ArchiveQueries.h"
#include "core/DateTime.h"
#include "core/DrawHelpers.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "draws/DrawInput.h"

namespace qx {
namespace {

void NoMoreArgs(const TCliArgs& args, size_t expected) {
    if (args.Positionals().size() != expected) throw TAppError("Неверное количество параметров команды");
}

void Info(TCliContext& c, TCliArgs& args) {
    NoMoreArgs(args, 0);
    const TWorkspace& ws = c.Workspace;
    c.Out << ws.StatusPanelText(0) << "\n" << ws.StatusPanelText(1) << "\n";
    if (ws.Draws().empty())
        c.Out << "Последний тираж: нет\n";
    else
        c.Out << "Последний тираж: " << DrawDescription(ws.Draws().back()) << "\n";
}

void List(TCliContext& c, TCliArgs& args) {
    const int offset = std::max(0, args.TakeIntOption("offset").value_or(0));
    const int limit = args.TakeIntOption("limit").value_or(-1);
    NoMoreArgs(args, 0);
    const TDrawsArray& draws = c.Workspace.ViewDraws();
    const int count = static_cast<int>(draws.size());
    const auto& columns = DrawsListColumns();
    for (size_t col = 0; col < columns.size(); ++col) c.Out << (col ? "\t" : "") << columns[col].Caption;
    c.Out << "\n";
    // 64 bits: an offset and a limit near the largest integer must not wrap.
    const int64_t end = limit < 0 ? count : std::min<int64_t>(count, int64_t(offset) + limit);
    for (int64_t row = offset; row < end; ++row) {
        for (size_t col = 0; col < columns.size(); ++col)
            c.Out << (col ? "\t" : "") << DrawsListCell(draws, int(row), int(col));
        c.Out << "\n";
    }
}

std::string OneFile(const TCliArgs& args, const char* missing) {
    auto p = args.Positionals();
    if (p.size() != 1) throw TAppError(missing);
    return p[0];
}

constexpr const char* kNoImportFile = "Укажите файл для импорта";

void Import(TCliContext& c, TCliArgs& args) {
    TCsvImportResult r = c.Workspace.ImportDraws(OneFile(args, kNoImportFile));
    // Printed only now: the archive is saved (a failed save has raised).
    c.Out << ConsoleText(ImportSummary(r)) << "\n";
}

void Export(TCliContext& c, TCliArgs& args) {
    const TUserTargetKind kind = c.Workspace.ExportDraws(OneFile(args, "Укажите файл для экспорта"));
    // Exported to standard output, the count must not end up among the lines.
    (kind == TUserTargetKind::Stream ? c.Err : c.Out) << "Выгружено тиражей: " << c.Workspace.Draws().size()
                                                       << "\n";
}

void Add(TCliContext& c, TCliArgs& args) {
    auto p = args.Positionals();
    if (p.size() != 3) throw TAppError("Использование: draws add НОМЕР ЧИСЛА МЕТКА");
    auto number = TryStrToInt(p[0]);
    if (!number || !IsValidDrawNumber(*number)) throw TAppError(FormatText("Некорректный номер тиража: %s", {p[0]}));
    auto digits = ParseDrawDigits(p[1]);
    if (!digits) throw TAppError(kBadCombinationMessage);
    TDateTime when = ParseDrawLabel(p[2]);
    if (DatePart(when) <= 0) throw TAppError(FormatText("Некорректная дата тиража: %s", {p[2]}));
    TDrawRecord r = DrawDialogResult(TDrawRecord{}, *number, *digits, when);
    c.Workspace.AddDraw(r);
    c.Out << DrawDescription(r) << "\n";
}

void Delete(TCliContext& c, TCliArgs& args) {
    auto p = args.Positionals();
    if (p.size() != 1) throw TAppError("Укажите номер тиража");
    auto number = TryStrToInt(p[0]);
    if (!number) throw TAppError(FormatText("Некорректный номер тиража: %s", {p[0]}));
    int index = IndexOfNumber(c.Workspace.Draws(), *number);
    if (index < 0) throw TAppError(FormatText("Тираж № %d не найден", {p[0]}));
    c.Workspace.DeleteDrawNumbers({*number});
    c.Out << "Удален тираж № " << *number << "\n";
}

} // namespace

void AddDrawsCommands(TCliCommandList& list) {
    list.push_back(ReadingCommand({"info"}, "info                                   сведения об архиве тиражей", Info));
    list.push_back(
        ReadingCommand({"draws", "list"}, "draws list [--offset N] [--limit N]    список тиражей, новые первыми", List));
    list.push_back(
        WritingCommand({"draws", "import"}, "draws import ФАЙЛ.csv                  импорт тиражей из CSV-файла", Import));
    list.back().CheckInputs = [](const TCliArgs& args) {
        CheckInputFile(OneFile(args, kNoImportFile), kMaxImportFileBytes);
    };
    list.push_back(
        ReadingCommand({"draws", "export"}, "draws export ФАЙЛ.csv                  экспорт тиражей в CSV-файл", Export));
    list.push_back(
        WritingCommand({"draws", "add"}, "draws add НОМЕР \"1;2;3;4\" \"mm/dd/yyyy M\"  добавить тираж", Add));
    list.push_back(
        WritingCommand({"draws", "delete"}, "draws delete НОМЕР                     удалить тираж по номеру", Delete));
}

} // namespace qx
