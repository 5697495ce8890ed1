#include <algorithm>
#include <ostream>

#include "app/ListColumns.h"
#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "core/ArchiveQueries.h"
#include "core/DateTime.h"
#include "core/DrawHelpers.h"
#include "core/Error.h"
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
    int offset = args.TakeIntOption("offset").value_or(0);
    int limit = args.TakeIntOption("limit").value_or(-1);
    NoMoreArgs(args, 0);
    const TDrawsArray& draws = c.Workspace.ViewDraws();
    const int count = static_cast<int>(draws.size());
    const auto& columns = DrawsListColumns();
    for (size_t col = 0; col < columns.size(); ++col) c.Out << (col ? "\t" : "") << columns[col].Caption;
    c.Out << "\n";
    int end = limit < 0 ? count : std::min(count, std::max(0, offset) + limit);
    for (int row = std::max(0, offset); row < end; ++row) {
        for (size_t col = 0; col < columns.size(); ++col)
            c.Out << (col ? "\t" : "") << DrawsListCell(draws, row, int(col));
        c.Out << "\n";
    }
}

void Import(TCliContext& c, TCliArgs& args) {
    auto p = args.Positionals();
    if (p.size() != 1) throw TAppError("Укажите файл для импорта");
    TCsvImportResult r = c.Workspace.ImportDraws(p[0]);
    c.Out << "Добавлено тиражей: " << r.Added << "\n";
    if (r.BadDigits > 0) c.Out << "Пропущено строк с числами вне диапазона 0..9: " << r.BadDigits << "\n";
}

void Export(TCliContext& c, TCliArgs& args) {
    auto p = args.Positionals();
    if (p.size() != 1) throw TAppError("Укажите файл для экспорта");
    c.Workspace.ExportDraws(p[0]);
    c.Out << "Выгружено тиражей: " << c.Workspace.Draws().size() << "\n";
}

void Add(TCliContext& c, TCliArgs& args) {
    auto p = args.Positionals();
    if (p.size() != 3) throw TAppError("Использование: draws add НОМЕР ЧИСЛА МЕТКА");
    auto number = TryStrToInt(p[0]);
    if (!number || *number < 1) throw TAppError(FormatText("Некорректный номер тиража: %s", {p[0]}));
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
    list.push_back({{"info"}, "info                                   сведения об архиве тиражей", Info});
    list.push_back({{"draws", "list"}, "draws list [--offset N] [--limit N]    список тиражей, новые первыми", List});
    list.push_back({{"draws", "import"}, "draws import ФАЙЛ.csv                  импорт тиражей из CSV-файла", Import});
    list.push_back({{"draws", "export"}, "draws export ФАЙЛ.csv                  экспорт тиражей в CSV-файл", Export});
    list.push_back({{"draws", "add"}, "draws add НОМЕР \"1;2;3;4\" \"mm/dd/yyyy M\"  добавить тираж", Add});
    list.push_back({{"draws", "delete"}, "draws delete НОМЕР                     удалить тираж по номеру", Delete});
}

} // namespace qx
