// "stakes ..." and "ratings ...": the stakes tab and the rating tab without a window.
#include <algorithm>
#include <ostream>

#include "app/StakeForms.h"
#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "cli/CliTables.h"
#include "core/Error.h"
#include "core/Text.h"
#include "scripts/RatingsSort.h"
#include "scripts/RatingsText.h"
#include "stakes/StakesGrid.h"

namespace qx {
namespace {

void NoPositionals(const TCliArgs& args) {
    if (!args.Positionals().empty()) throw TAppError("Неверное количество параметров команды");
}

std::optional<int64_t> TakeInt64(TCliArgs& args, const std::string& name) {
    auto v = args.TakeOption(name);
    if (!v) return std::nullopt;
    auto n = TryStrToInt64(*v);
    if (!n) throw TAppError(FormatText("Некорректное значение параметра --%s: %s", {name, *v}));
    return *n;
}

void RequireAccepted(const TStakeFormResult& r) {
    if (!r) throw TAppError(r.Message);
}

void PrintStakesCount(TCliContext& c) { c.Out << c.Workspace.StatusPanelText(4) << "\n"; }

void List(TCliContext& c, TCliArgs& args) {
    const auto limit = TakeInt64(args, "limit");
    NoPositionals(args);
    const int64_t count = c.Workspace.Stakes().Count();
    const int64_t first = limit ? std::max<int64_t>(0, count - std::max<int64_t>(0, *limit)) : 0;
    PrintStakeRows(c, first, true);
}

void Add(TCliContext& c, TCliArgs& args) {
    TWorkspace& ws = c.Workspace;
    const auto lcv = args.TakeOption("lcv");
    const auto draw = TakeInt64(args, "draw");
    const auto digits = args.TakeOption("digits");
    const int64_t draws = TakeInt64(args, "draws").value_or(1);
    const std::string comment = args.TakeOption("comment").value_or(kManualStakeComment);
    NoPositionals(args);
    if (lcv) {
        if (digits) throw TAppError("Укажите либо --digits, либо --lcv");
        const int64_t number = draw.value_or(ws.ProposedStakeDraw());
        RequireAccepted(AcceptMultiStakeForm(number, draws, comment));
        if (!ws.LoadCombsFile(*lcv)) return;
        const std::string cut(LeftChars(comment, kStakeFormCommentMax));
        if (ws.StakeAddCombs(ws.Combs().List(), static_cast<int32_t>(number), draws, cut)) PrintStakesCount(c);
        return;
    }
    if (!draw || !digits) throw TAppError("Укажите --draw НОМЕР и --digits \"D;D;D;D\" (или --lcv ФАЙЛ.lcv)");
    TStakeRecord record = NewStake(skManual, 1, {}, ws.Combs().Count(), kManualStakeComment, ws.Config());
    RequireAccepted(AcceptStakeForm(*draw, draws, *digits, comment, record));
    record.Profit = StakeProfit(record.Numbers.Count, -1, ws.Config());
    if (ws.StakeAdd(record, draws)) PrintStakesCount(c);
}

void Check(TCliContext& c, TCliArgs& args) {
    NoPositionals(args);
    c.Workspace.StakesCheck();
    c.Out << "Проверено ставок: " << c.Workspace.LastCheckedCount() << "\n";
}

// "A-B" or "A": grid rows from 1.
std::pair<int64_t, int64_t> RowsOf(const std::string& text) {
    const size_t dash = text.find('-', 1);
    const auto a = TryStrToInt64(text.substr(0, dash));
    const auto b = dash == std::string::npos ? a : TryStrToInt64(text.substr(dash + 1));
    if (!a || !b || *a < 1 || *b < *a) throw TAppError(FormatText("Некорректный диапазон строк: %s", {text}));
    return {*a, *b};
}

// "OP:V" with OP one of = > >= < <= (or the list index 0..4) and V 0..4.
std::pair<int, int> ConditionOf(const std::string& text) {
    static const char* const kOps[kStakeConditionCount] = {"=", ">", ">=", "<", "<="};
    const size_t colon = text.rfind(':');
    const std::string op = colon == std::string::npos ? "" : text.substr(0, colon);
    const int value = colon == std::string::npos ? -1 : TryStrToInt(text.substr(colon + 1)).value_or(-1);
    int condition = -1;
    for (int i = 0; i < kStakeConditionCount; ++i)
        if (op == kOps[i] || op == std::to_string(i)) condition = i;
    if (condition < 0 || value < 0 || value > kPositions)
        throw TAppError(FormatText("Некорректное условие: %s (ожидается ОП:ЗНАЧЕНИЕ, ОП = > >= < <=, ЗНАЧЕНИЕ 0..4)",
                                   {text}));
    return {condition, value};
}

void Delete(TCliContext& c, TCliArgs& args) {
    const auto rows = args.TakeOption("rows");
    const auto where = args.TakeOption("where");
    NoPositionals(args);
    if (rows.has_value() == where.has_value()) throw TAppError("Укажите --rows A-B или --where ОП:ЗНАЧЕНИЕ");
    bool done = false;
    if (rows) {
        const auto [first, last] = RowsOf(*rows);
        if (last > c.Workspace.StakesCount())
            throw TAppError(FormatText("Строк в списке ставок: %d", {std::to_string(c.Workspace.StakesCount())}));
        done = c.Workspace.StakeDel(first, last);
    } else {
        const auto [condition, value] = ConditionOf(*where);
        done = c.Workspace.StakesDeleteByCondition(condition, value);
    }
    if (done) PrintStakesCount(c);
}

void Clear(TCliContext& c, TCliArgs& args) {
    NoPositionals(args);
    if (c.Workspace.StakesCount() == 0 || c.Workspace.StakeClear()) PrintStakesCount(c);
}

void RatingsList(TCliContext& c, TCliArgs& args) {
    TWorkspace& ws = c.Workspace;
    const auto sort = args.TakeOption("sort");
    const auto mode = args.TakeIntOption("mode");
    NoPositionals(args);
    if (mode && (*mode < 0 || *mode >= kRatingsEffModeCount))
        throw TAppError(FormatText("Некорректный режим: %d (0..2)", {std::to_string(*mode)}));
    if (sort) {
        const size_t colon = sort->find(':');
        const auto column = TryStrToInt(sort->substr(0, colon));
        const std::string direction = colon == std::string::npos ? "" : sort->substr(colon + 1);
        if (!column || *column < 0 || *column >= kRatingColumnCount || (!direction.empty() && direction != "desc"))
            throw TAppError(FormatText("Некорректная сортировка: %s (СТОЛБЕЦ 0..15[:desc])", {*sort}));
        ws.SetRatingsSort({*column, direction == "desc"});
    }
    std::vector<const TRatingRow*> rows;
    for (const TRatingRow& row : ws.Ratings().Rows()) rows.push_back(&row);
    PrintRatingRows(c, rows, mode.value_or(ws.RatingsEffMode()));
    c.Out << ws.StatusPanelText(5) << "\n";
}

void RatingsRebuild(TCliContext& c, TCliArgs& args) {
    NoPositionals(args);
    c.Workspace.RatingsRefresh();
    c.Out << c.Workspace.StatusPanelText(5) << "\n";
}

void RatingsExport(TCliContext& c, TCliArgs& args) {
    const auto p = args.Positionals();
    if (p.size() != 1) throw TAppError("Укажите файл для экспорта");
    c.Workspace.RatingsExport(p[0]);
    c.Out << "Выгружено строк рейтинга: " << c.Workspace.Ratings().Count() << "\n";
}

} // namespace

void PrintStakeRows(TCliContext& c, int64_t first, bool rowNumbers,
                    const std::function<bool(const TStakeRecord&)>& keep) {
    const char separator = c.Workspace.DecimalSeparator();
    if (rowNumbers) c.Out << "Строка\t";
    for (int col = 0; col < kStakeColumnCount; ++col) c.Out << (col ? "\t" : "") << kStakeColumns[col].Caption;
    c.Out << "\n";
    c.Workspace.Stakes().ForEach(first, [&](const TStakeRecord& r, int64_t index) {
        if (keep && !keep(r)) return;
        if (rowNumbers) c.Out << index + 1 << "\t";
        for (int col = 0; col < kStakeColumnCount; ++col) c.Out << (col ? "\t" : "") << StakeCellText(r, col, separator);
        c.Out << "\n";
    });
}

void PrintRatingRows(TCliContext& c, const std::vector<const TRatingRow*>& rows, int effMode) {
    const char separator = c.Workspace.DecimalSeparator();
    for (int col = 0; col < kRatingColumnCount; ++col) c.Out << (col ? "\t" : "") << kRatingColumnCaptions[col];
    c.Out << "\n";
    for (const TRatingRow* row : rows) {
        for (int col = 0; col < kRatingColumnCount; ++col)
            c.Out << (col ? "\t" : "") << RatingCellText(*row, col, effMode, separator);
        c.Out << "\n";
    }
}

void AddStakesCommands(TCliCommandList& list) {
    list.push_back(ReadingCommand({"stakes", "list"}, "stakes list [--limit N]                список ставок (последние N)", List));
    list.push_back({{"stakes", "add"},
                    "stakes add --draw N --digits \"D;D;D;D\" [--draws K] [--comment ТЕКСТ]  сделать ставку\n"
                    "  stakes add --lcv ФАЙЛ.lcv [--draw N] [--draws K] [--comment ТЕКСТ]  ставки на комбинации файла",
                    Add});
    list.push_back(WritingCommand({"stakes", "check"}, "stakes check                           проверить ставки", Check));
    list.push_back(WritingCommand({"stakes", "delete"},
                    "stakes delete (--rows A-B | --where ОП:ЗНАЧЕНИЕ)  удалить строки или ставки по условию", Delete));
    list.push_back(WritingCommand({"stakes", "clear"}, "stakes clear                           удалить все ставки", Clear));
    list.push_back(ReadingCommand({"ratings", "list"},
                    "ratings list [--sort СТОЛБЕЦ[:desc]] [--mode 0..2]  рейтинг", RatingsList));
    list.push_back(WritingCommand({"ratings", "rebuild"}, "ratings rebuild                        пересчитать рейтинг по ставкам",
                    RatingsRebuild));
    list.push_back(ReadingCommand({"ratings", "export"}, "ratings export ФАЙЛ.csv                экспорт рейтинга в CSV-файл",
                    RatingsExport));
}

} // namespace qx
