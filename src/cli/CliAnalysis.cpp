// "repeats" and "sums": the two analyses over the whole archive, as text.
#include <ostream>

#include "app/RepeatsForm.h"
#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

void Repeats(TCliContext& c, TCliArgs& args) {
    TWorkspace& ws = c.Workspace;
    const TRepeatsKeys keys = TRepeatsKeys::Read(ws.ReadFormState());
    const int64_t length = args.TakeInt64Option("length").value_or(keys.DrawsLength);
    const int64_t deep = args.TakeInt64Option("deep").value_or(keys.DrawsDeep);
    const bool lists = args.TakeFlag("lists");
    args.RequireNoPositionals();
    if (auto refusal = RefuseRepeatsBounds(length, deep)) throw TAppError(*refusal);
    if (ws.Draws().empty()) throw TAppError("Архив тиражей пуст!");
    const TRepeatsResult result = ws.AnalyzeRepeats(length, deep);
    c.Out << "Тираж\tСовпадений\tКол-во повторов" << (lists ? "\tСписок тиражей" : "") << "\n";
    std::string line;
    for (const TRepeatsRow& row : result.Rows) {
        c.Out << ws.Draws()[static_cast<size_t>(row.DrawIndex)].Number << "\t" << row.Matches << "\t"
              << row.Count;
        if (lists) {
            // Written number by number: at full depth one row's list alone holds thousands.
            c.Out << "\t";
            bool first = true;
            ForEachRepeatedDraw(ws.Draws(), row, result.Deep, [&](int32_t number) {
                if (!first) c.Out << ' ';
                first = false;
                c.Out << number;
            });
        }
        c.Out << "\n";
    }
}

void Sums(TCliContext& c, TCliArgs& args) {
    args.RequireNoPositionals();
    const TSumDistribution d = c.Workspace.TotalSumCombs();
    c.Out << kSumDistributionCaption << "\n";
    c.Out << "Сумма\tКомбинаций\tТиражей\n";
    size_t a = 0;
    for (const auto& [sum, count] : d.Theory) {
        while (a < d.Actual.size() && d.Actual[a].first < sum) ++a;
        const int64_t drawn = a < d.Actual.size() && d.Actual[a].first == sum ? d.Actual[a].second : 0;
        c.Out << sum << "\t" << count << "\t" << drawn << "\n";
    }
    // Sums no combination has come only from damaged draws.
    for (const auto& [sum, count] : d.Actual)
        if (sum >= kSumCount) c.Out << sum << "\t0\t" << count << "\n";
    for (int k = 0; k < 3; ++k) c.Out << SumBandTitle(d, k) << "\n";
}

} // namespace

void AddAnalysisCommands(TCliCommandList& list) {
    list.push_back(ReadingCommand({"repeats"},
                                  "repeats [--length N] [--deep N] [--lists]  количество повторов в зависимости от тиража",
                                  Repeats));
    list.push_back(
        ReadingCommand({"sums"}, "sums                                   распределение сумм тиражей и комбинаций", Sums));
}

} // namespace qx
