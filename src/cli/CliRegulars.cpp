// "regulars ...": the tab "Регуляры" without a window. Like the tab, every command refuses while
// TabTables is off.
#include <algorithm>
#include <climits>
#include <ostream>

#include "app/TableForm.h"
#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

void PrintStakesCount(TCliContext& c) {
    c.Out << c.Workspace.StatusPanelText(4) << "\n";
}

int IndexOf(const std::string& text) {
    const auto n = TryStrToInt(text);
    if (!n) throw TAppError(FormatText("Некорректный индекс регуляра: %s", {text}));
    return *n;
}

std::vector<int> IndexesOf(TCliArgs& args) {
    const auto text = args.TakeOption("index");
    if (!text) throw TAppError("Укажите --index И[,И...] (индексы из \"regulars list\")");
    std::vector<int> rows;
    for (std::string_view word : SplitWords(*text, ",")) rows.push_back(IndexOf(std::string(word)));
    if (rows.empty()) throw TAppError("Укажите --index И[,И...] (индексы из \"regulars list\")");
    return rows;
}

void List(TCliContext& c, TCliArgs& args) {
    args.RequireNoPositionals();
    const TWorkspace& ws = c.Workspace;
    ws.RequireTablesVisible();
    c.Out << "Индекс";
    for (const char* caption : kRegularColumns) c.Out << "\t" << caption;
    c.Out << "\n";
    const auto& records = ws.Regulars().Records();
    for (size_t i = 0; i < records.size(); ++i) {
        c.Out << i;
        for (int col = 0; col < kRegularColumnCount; ++col) c.Out << "\t" << RegularCellText(records[i], col);
        c.Out << "\n";
    }
}

void Add(TCliContext& c, TCliArgs& args) {
    TWorkspace& ws = c.Workspace;
    const std::string comment = args.TakeOption("comment").value_or(kNewRegularComment);
    const auto start = args.TakeOption("start");
    const auto lcv = args.TakeOption("lcv");
    const bool previous = args.TakeFlag("previous");
    const int64_t step = args.TakeInt64Option("step").value_or(1);
    args.RequireNoPositionals();
    if (int(start.has_value()) + int(lcv.has_value()) + int(previous) != 1)
        throw TAppError("Укажите одно из: --start \"D;D;D;D\", --lcv ФАЙЛ.lcv, --previous");
    ws.RequireTablesVisible();
    // --start stands for one selected combination whose digits were typed; --lcv selects every
    // combination of the file.
    std::vector<int> selected;
    int selectedCount = start ? 1 : 0;
    TCombCode first = 0;
    if (lcv) {
        if (!ws.LoadCombsFile(*lcv)) return;
        for (int i = 0; i < ws.Combs().Count(); ++i) selected.push_back(i);
        selectedCount = ws.Combs().Count();
        if (selectedCount > 0) first = ws.Combs().List().front();
    }
    TRegularRecord record = ProposedRegular(selectedCount, first);
    const std::string startText = start ? *start : StartEditText(record);
    const int mode = previous ? rmPreviousDraw : rmConstantStart;
    const int stepValue = static_cast<int>(std::clamp<int64_t>(step, INT32_MIN, INT32_MAX));
    const TTableFormResult accepted =
        AcceptTableForm(record, mode, stepValue, startText, comment, ws.Regulars());
    if (!accepted) throw TAppError(accepted.Message);
    ws.TablesAdd(record, selected);
    c.Out << FormatText("Регуляров: %d", {std::to_string(ws.Regulars().Count())}) << "\n";
}

void Stake(TCliContext& c, TCliArgs& args) {
    const std::vector<int> rows = IndexesOf(args);
    args.RequireNoPositionals();
    if (rows.size() != 1) throw TAppError("Ставка делается по одному регуляру");
    TWorkspace& ws = c.Workspace;
    const TWorkspace::TRegularStake proposed = ws.TablesProposedStake(rows.front());
    if (ws.TablesStakeAdd(rows.front(), proposed.Advanced, proposed.Stake, 1)) PrintStakesCount(c);
}

void Test(TCliContext& c, TCliArgs& args) {
    const std::vector<int> rows = IndexesOf(args);
    const auto count = args.TakeInt64Option("count");
    args.RequireNoPositionals();
    if (!count) throw TAppError("Укажите --count N");
    const int n = static_cast<int>(std::clamp<int64_t>(*count, INT32_MIN, INT32_MAX));
    if (c.Workspace.TablesStakeTest(rows, n)) PrintStakesCount(c);
}

} // namespace

void AddRegularsCommands(TCliCommandList& list) {
    list.push_back({{"regulars", "list"}, "regulars list                          регулярные ставки", List});
    list.push_back(
        {{"regulars", "add"},
         "regulars add [--comment ТЕКСТ] (--start \"D;D;D;D\" | --lcv ФАЙЛ.lcv | --previous) [--step -9..9]\n"
         "                                         добавить регулярную ставку (с --lcv: по каждой "
         "комбинации файла)",
         Add});
    list.push_back(
        {{"regulars", "stake"}, "regulars stake --index И                сделать ставку по регуляру", Stake});
    list.push_back({{"regulars", "test"},
                    "regulars test --index И[,И...] --count N  тест регуляров на N последних тиражах",
                    Test});
}

} // namespace qx
