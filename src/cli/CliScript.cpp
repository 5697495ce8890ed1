// "script ...": a script file shown, run as a forecast or tested, without a window.
#include <csignal>
#include <cstdio>
#include <ostream>
#include <unordered_set>

#include "app/ScriptExecutor.h"
#include "app/TestCountForm.h"
#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "cli/CliTables.h"
#include "core/Error.h"
#include "core/Text.h"
#include "scripts/ScriptLine.h"
#include "stakes/StakeRecord.h"

namespace qx {
namespace {

constexpr int kExitStopped = 2;
constexpr int kExitUsage = 2;

volatile std::sig_atomic_t gInterrupted = 0;
extern "C" void OnInterrupt(int) { gInterrupted = 1; }

// Ctrl+C asks the run to stop, as "Стоп" does in the window, for as long as the object lives.
class TInterruptStops {
public:
    TInterruptStops() {
        gInterrupted = 0;
        FOld = std::signal(SIGINT, OnInterrupt);
    }
    ~TInterruptStops() { std::signal(SIGINT, FOld); }
    TInterruptStops(const TInterruptStops&) = delete;
    TInterruptStops& operator=(const TInterruptStops&) = delete;

private:
    void (*FOld)(int) = SIG_DFL;
};

struct TRunArgs {
    std::string File;
    std::optional<int> Count;
};

// Reads the options of run and test; a usage error is reported here and nothing runs.
std::optional<TRunArgs> TakeRunArgs(TCliContext& c, TCliArgs& args, bool test, const std::string& usage) {
    TWorkspace& ws = c.Workspace;
    auto refuse = [&](const std::string& why) -> std::optional<TRunArgs> {
        c.Err << why << "\n" << "Использование: quadrix " << usage << "\n";
        c.ExitCode = kExitUsage;
        return std::nullopt;
    };
    TRunArgs run;
    try {
        const auto seed = args.TakeOption("seed");
        const bool log = args.TakeFlag("log");
        const auto checkOnLine = args.TakeOption("check-on-line");
        const auto count = args.TakeOption("count");
        const std::vector<std::string> files = args.Positionals();
        if (files.size() != 1) return refuse("Укажите один файл сценария");
        run.File = files[0];
        if (seed) {
            const auto value = TryStrToInt64(*seed);
            if (!value || *value < 0) return refuse(FormatText("Некорректное значение параметра --seed: %s", {*seed}));
            ws.Random().seed(std::mt19937::result_type(*value));
        }
        if (checkOnLine && *checkOnLine != "yes" && *checkOnLine != "no")
            return refuse(FormatText("Некорректное значение параметра --check-on-line: %s", {*checkOnLine}));
        if (test) {
            if (!count) return refuse("Укажите --count N");
            run.Count = TryStrToInt(*count);
            if (!run.Count) return refuse(FormatText("Некорректное значение параметра --count: %s", {*count}));
        } else if (count) {
            return refuse("Параметр --count только для script test");
        }
        // The run's own settings: the window's stored switches stay as they are.
        if (log) ws.FormKeys().ScriptLogEnabled = true;
        if (checkOnLine) ws.FormKeys().StakesCheckOnLine = *checkOnLine == "yes";
    } catch (const std::exception& e) {
        return refuse(e.what());
    }
    return run;
}

void Show(TCliContext& c, TCliArgs& args) {
    const std::vector<std::string> files = args.Positionals();
    if (files.size() != 1) throw TAppError("Укажите один файл сценария");
    TWorkspace& ws = c.Workspace;
    const std::vector<std::string> lines = ReadScriptFile(files[0]);
    c.Out << "Комментарии\tОпции";
    for (int k = 1; k <= kFilterFields; ++k) c.Out << "\tФильтр " << k;
    c.Out << "\n";
    for (const std::string& line : lines) {
        const auto cells = ScriptLineCells(line, ws.Stats());
        for (size_t i = 0; i < cells.size(); ++i) c.Out << (i ? "\t" : "") << cells[i];
        c.Out << "\n";
    }
    c.Out << FormatText("Строк: %d", {std::to_string(lines.size())}) << "\n";
}

// The stakes the run made (as they stand after checking), the rating rows they fed and a summary.
void PrintRun(TCliContext& c, int64_t first) {
    TWorkspace& ws = c.Workspace;
    const TScriptRunSummary& s = ws.ScriptExecutor().Summary();
    std::unordered_set<std::string> comments;
    int64_t checked = 0;
    int64_t matches[kPositions + 1] = {};
    TMoney profit = 0;
    auto ofRun = [&](const TStakeRecord& r) {
        if (r.Kind != skScript) return false;
        comments.insert(LowerText(r.CommentText()));
        profit += r.Profit;
        const int m = r.ValidMatchCount();
        if (r.IsChecked() && m >= 0) {
            ++checked;
            ++matches[m];
        }
        return true;
    };
    PrintStakeRows(c, first, false, ofRun);
    c.Out << "\n";
    std::vector<const TRatingRow*> rows;
    for (const TRatingRow& row : ws.Ratings().Rows())
        if (comments.count(LowerText(row.KeyText()))) rows.push_back(&row);
    PrintRatingRows(c, rows, ws.RatingsEffMode());
    c.Out << "\n";
    const char sep = ws.DecimalSeparator();
    c.Out << "Циклов\t" << s.Cycles << "\nСтрок\t" << s.Lines << "\nВариантов\t" << s.Variants
          << "\nСтавок сделано\t" << s.StakesMade << "\nСтавок проверено\t" << checked << "\n";
    for (int m = 0; m <= kPositions; ++m) c.Out << "Совпадений " << m << "\t" << matches[m] << "\n";
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", s.Seconds);
    c.Out << "Профит\t" << MoneyText(profit, sep) << "\nСекунд\t" << seconds << "\n";
}

void RunScript(TCliContext& c, TCliArgs& args, bool test, const std::string& usage) {
    const std::optional<TRunArgs> run = TakeRunArgs(c, args, test, usage);
    if (!run) return;
    TWorkspace& ws = c.Workspace;
    if (test) {
        if (const auto refusal = RefuseTestCount(*run->Count, ws.Archive().Count())) throw TAppError(*refusal);
    }
    // The file is this run's script only: Quadrix_4d10.lss is not written.
    if (!ws.LoadScript(run->File, false)) return;
    if (ws.Script().Empty()) throw TAppError("В сценарии нет строк");
    if (ws.Archive().Empty()) throw TAppError("Архив тиражей пуст");
    const int64_t before = ws.StakesCount();
    TScriptExecutor& executor = ws.ScriptExecutor();
    TInterruptStops interrupts;
    executor.OnPoll = [&executor] {
        if (!gInterrupted) return;
        gInterrupted = 0;
        executor.Stop();
    };
    if (test)
        ws.ScriptTest(*run->Count);
    else
        ws.ScriptRun();
    executor.OnPoll = nullptr;
    const TScriptRunSummary& s = executor.Summary();
    PrintRun(c, s.StakesCleared ? 0 : before);
    if (s.Stopped && !s.Failed) c.ExitCode = kExitStopped;
}

} // namespace

void AddScriptCommands(TCliCommandList& list) {
    const std::string options = " [--seed S] [--log] [--check-on-line yes|no]";
    const std::string runUsage = "script run ФАЙЛ.lsc" + options;
    const std::string testUsage = "script test ФАЙЛ.lsc --count N" + options;
    list.push_back({{"script", "show"}, "script show ФАЙЛ.lsc                  строки сценария, как их показывает список",
                    Show});
    list.push_back({{"script", "run"},
                    runUsage + "  прогноз по сценарию\n  (коды выхода: 0 выполнен, 2 остановлен, 1 ошибка)",
                    [runUsage](TCliContext& c, TCliArgs& a) { RunScript(c, a, false, runUsage); }});
    list.push_back({{"script", "test"}, testUsage + "  проверка сценария на N прошлых тиражах",
                    [testUsage](TCliContext& c, TCliArgs& a) { RunScript(c, a, true, testUsage); }});
}

} // namespace qx
