#include "app/ScriptExecutor.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "combs/FilterText.h"
#include "core/Config.h"
#include "core/DrawHelpers.h"
#include "core/Error.h"
#include "core/Shell.h"
#include "core/Text.h"
#include "stakes/StakeRecord.h"
#include "stakes/Systems.h"
#include "stats/StatList.h"

namespace qx {
namespace {

constexpr const char* kRunning = "Выполнение сценария...";
constexpr const char* kExpanding = "Создание всех вариантов фильтров...";

std::string Padded(const char* format, int64_t n) {
    char text[32];
    std::snprintf(text, sizeof text, format, static_cast<long long>(n));
    return text;
}

} // namespace

// Begin at construction, the closing steps at destruction: they run however the run ends.
class TScriptExecutor::TRunFrame {
public:
    explicit TRunFrame(TScriptExecutor& e) : FE(e) { FE.Begin(); }
    ~TRunFrame() { FE.Finish(); }
    TRunFrame(const TRunFrame&) = delete;
    TRunFrame& operator=(const TRunFrame&) = delete;

private:
    TScriptExecutor& FE;
};

TScriptExecutor::TScriptExecutor(TScriptHost& host) : FHost(host), FLog(std::make_unique<TScriptLog>()) {}

bool TScriptExecutor::CanStop() const { return FRunning && !FHost.StopRequested(); }

bool TScriptExecutor::Poll() {
    FHost.Shell().ProcessMessages();
    if (OnPoll) OnPoll();
    return FHost.StopRequested();
}

void TScriptExecutor::Log(const std::string& message) {
    if (FLog->Active()) FLog->Write(message);
}

TScriptHost::TLogSink TScriptExecutor::LogSink() {
    // Without a log the filter steps are spared putting the table's rows into words.
    if (!FLog->Active()) return nullptr;
    return [this](const std::string& line) { Log(line); };
}

void TScriptExecutor::SetPanel(std::string text) {
    FPanel = std::move(text);
    FHost.RunStateChanged();
}

std::string TScriptExecutor::PanelText(int panel) const {
    switch (panel) {
    case 1: return FormatText("Цикл: %d", {std::to_string(FCycle)});
    case 2: return FormatText("Строка: %d", {std::to_string(FShownLine)});
    case 3: return FormatText("Ставок: %d", {std::to_string(FSummary.StakesMade)});
    case 4: return FPanel;
    default: return "";
    }
}

void TScriptExecutor::Begin() {
    TShell& shell = FHost.Shell();
    shell.BeginBusy();
    shell.ShowStatus(kRunning);
    FLog->OnFailure = [&shell](const std::string& reason) {
        shell.ShowError(FormatText("Ошибка записи журнала: %s!", {reason}));
    };
    if (FHost.LogEnabled()) {
        FLog->Start(FHost.ProgramDir());
        Log(ScriptLogStartBanner());
    }
    FRunning = true;
    FHost.RequestStop(false);
    FCycle = 1;
    FShownLine = 0;
    FCurrentLine = -1;
    FSummary = TScriptRunSummary{};
    FStarted = std::chrono::steady_clock::now();
    FSavedSort = FHost.StatSort();
    FHost.RunStarted();
    SetPanel(kRunning);
}

void TScriptExecutor::Finish() {
    try {
        const bool stopped = FHost.StopRequested();
        FSummary.Stopped = stopped;
        if (!stopped) FPanel = "Сценарий завершен!";
        FCycle = 0;
        FRunning = false;
        FCurrentLine = -1;
        FHost.RequestStop(false);
        FHost.SetStatSort(FSavedSort.first, FSavedSort.second);
        FHost.RunEnded();
        FHost.RunStateChanged();
        Log(ScriptLogEndBanner());
        const std::filesystem::path log = FLog->Finish();
        FSummary.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - FStarted).count();
        if (!log.empty()) FHost.Shell().OpenDocument(log.string());
    } catch (const std::exception& e) {
        FHost.Shell().ShowError(e.what());
    }
    FHost.Shell().ShowStatus("");
    FHost.Shell().EndBusy();
}

void TScriptExecutor::Stop() {
    if (!CanStop()) return;
    Log(ScriptLogStopBanner());
    FHost.RequestStop(true);
    FHost.RunStateChanged();
}

void TScriptExecutor::PassBanners(int offset) {
    Log(ScriptLogDoubleRule());
    Log(ScriptLogOffsetBanner(offset));
    Log(ScriptLogDoubleRule());
}

void TScriptExecutor::Run(const std::vector<std::string>& lines) {
    if (FRunning) return;
    TRunFrame frame(*this);
    PassBanners(FHost.DrawsOffset());
    Pass(lines);
}

void TScriptExecutor::Test(const std::vector<std::string>& lines, int count) {
    if (FRunning) return;
    TRunFrame frame(*this);
    FCycle = 0;
    const int userOffset = FHost.DrawsOffset();
    for (int k = count; k >= 1; --k) {
        ++FCycle;
        SetPanel(kRunning);
        if (Poll()) break;
        FHost.SetDrawsOffset(k);
        if (Poll()) break;
        PassBanners(k);
        if (Poll()) break;
        Pass(lines);
    }
    if (!FHost.StopRequested()) FHost.SetDrawsOffset(userOffset);
}

void TScriptExecutor::Pass(const std::vector<std::string>& lines) {
    FHost.StakesBeginGroup();
    FHost.ResetCombsBuffer();
    FHost.BackupWeights();
    // The weights and the buffer go back however the pass ends.
    struct TPassEnd {
        TScriptHost& Host;
        ~TPassEnd() {
            Host.RestoreWeights();
            Host.ResetCombsBuffer();
            Host.PassEnded();
        }
    } end{FHost};
    for (int i = 0; i < int(lines.size()); ++i) {
        if (Poll()) break;
        if (Trim(lines[size_t(i)]).empty()) continue;
        FCurrentLine = i;
        FShownLine = i + 1;
        FHost.RunStateChanged();
        Log(ScriptLogSingleRule());
        Log(FormatText("Выполнение строки %s: \"%s\"", {Padded("%.3lld", i + 1), lines[size_t(i)]}));
        Log(ScriptLogSingleRule());
        RunLine(i, lines[size_t(i)]);
        FCurrentLine = -1;
        FHost.RunStateChanged();
    }
    if (!FHost.CheckOnLine()) FHost.StakesCheck();
    ++FSummary.Cycles;
}

void TScriptExecutor::RunLine(int index, const std::string& text) {
    FHost.ClearCombsUndo();
    const TScriptLine line = ParseScriptLine(text);
    ++FSummary.Lines;
    bool inVariant = false;
    try {
        std::vector<TFilterItem> items;
        for (const std::string& filter : line.Filters)
            if (!filter.empty()) items.push_back(ParseFilterItem(filter, FHost.Registry()));
        Log(kExpanding);
        SetPanel(kExpanding);
        TFilterVariants variants(items);
        variants.StopRequested = [this] { return Poll(); };
        Log(FormatText("Создано %d вариантов фильтров.", {std::to_string(variants.Count())}));
        TFilterVar var;
        while (variants.Next(var)) {
            inVariant = true;
            RunVariant(index, line, var, variants.Count());
            inVariant = false;
        }
    } catch (const std::exception& e) {
        FHost.RequestStop(true);
        FSummary.Failed = true;
        FHost.Shell().ShowError(e.what());
        if (inVariant && FHost.CheckOnLine()) FHost.StakesCheck();
    }
    FHost.ClearCombsUndo();
}

void TScriptExecutor::RunVariant(int index, const TScriptLine& line, const TFilterVar& var, int64_t count) {
    const std::string recText = FilterRecText(var.Rec);
    Log("");
    Log(ScriptLogSingleRule());
    Log(FormatText("Применение набора фильтров %s: \"%s\"", {Padded("%.3lld", var.Number), recText}));
    Log(ScriptLogSingleRule());
    SetPanel(FormatText("Фильтр %d из %d: %s", {std::to_string(var.Number), std::to_string(count), recText}));
    Log("Создание начального списка комбинаций...");
    StartList(line.Settings);
    Log(FormatText("Количество комбинаций в списке: %d", {std::to_string(FHost.Combs().size())}));
    FHost.ApplyFilterRec(var.Rec, LogSink());
    PlaceStakes(line.Settings, ScriptStakeLabel(index + 1, var.Number, line.Comment, line.Settings, recText));
    Log(ScriptLogSingleRule());
    if (FHost.CheckOnLine()) FHost.StakesCheck();
    ++FSummary.Variants;
}

void TScriptExecutor::StartList(const TScriptSettings& settings) {
    if (settings.Source != ssCurr) FHost.MakeStartList(settings);
    if (settings.ClearStakes && !FHost.StopRequested()) {
        FSummary.StakesCleared = true;
        FHost.StakesClear();
    }
}

void TScriptExecutor::PlaceStakes(const TScriptSettings& s, const std::string& label) {
    Log(FormatText("{*} Добавление ставки, режим: \"%s\"", {ScriptStakeModeInfo(s.StakeMode).Caption}));
    const TCombsArray& list = FHost.Combs();
    const size_t c = list.size();
    const int32_t sample = static_cast<int32_t>(std::min<size_t>(c, INT32_MAX));
    if (c == 0 || s.StakeMode == ssmNone) return;
    if (c > 1 && s.StakeMode == ssmStop) {
        FHost.RequestStop(true);
        FSummary.StoppedByLine = true;
        Log("{!} Сценарий остановлен!");
        FHost.Shell().ShowWarning(FormatText("Выполнение сценария прервано, т.к. после применения всех фильтров в "
                                             "списке комбинаций их осталось более одной: %d!\r\rФильтры: %s",
                                             {std::to_string(c), label}));
        return;
    }
    if (c > 1 && s.StakeMode == ssmSkip) {
        Log("{-} Ставка игнорирована!");
        return;
    }
    if (FHost.StopRequested()) return;
    if (c == 1) {
        Stake(list.front(), s, label, sample, false);
    } else {
        switch (s.StakeMode) {
        case ssmRand: {
            std::uniform_int_distribution<size_t> pick(0, c - 1);
            Stake(list[pick(FHost.Random())], s, label, sample, false);
            break;
        }
        case ssmFirst: Stake(list.front(), s, label, sample, false); break;
        case ssmLast: Stake(list.back(), s, label, sample, false); break;
        case ssmAll: PlaceBatch(TCombsArray(list), s, label, sample); break;
        case ssmSysA:
        case ssmSysC: PlaySystem(s, label, sample); break;
        default: break;
        }
    }
    FHost.StakesRefresh(true, true);
}

void TScriptExecutor::PlaceBatch(const std::vector<TCombCode>& combs, const TScriptSettings& s,
                                 const std::string& label, int32_t sample) {
    for (TCombCode code : combs) {
        if (Poll()) break;
        if (!Stake(code, s, label, sample, true)) break;
    }
    FHost.RunStateChanged();  // the counter as the batch left it
}

void TScriptExecutor::PlaySystem(const TScriptSettings& s, const std::string& label, int32_t sample) {
    const TByteArray numbers = SystemNumbers(FHost.Combs());
    const std::string n = std::to_string(numbers.size());
    std::vector<TCombCode> system;
    std::string file;
    if (!FHost.SystemLoad(numbers, system, file)) {
        Log(FormatText("{#} Системная игра для %d чисел [ОШИБКА]: \"%s\"", {n, file}));
        return;
    }
    const std::string name = SystemTitle(file);
    Log(FormatText(s.StakeMode == ssmSysA ? "{#} Системная игра для %d чисел [все система]: загружен файл \"%s\""
                                          : "{#} Системная игра для %d чисел [система * комбинации]: загружен файл "
                                            "\"%s\"",
                   {n, name}));
    std::vector<TCombCode> combs;
    for (TCombCode code : system) {
        const TCombCode sorted = SortedCode(code);
        if (s.StakeMode == ssmSysA || FHost.CombsContains(sorted)) combs.push_back(sorted);
    }
    PlaceBatch(combs, s, label, sample);
}

bool TScriptExecutor::Stake(TCombCode code, const TScriptSettings& s, const std::string& label, int32_t sample,
                            bool batch) {
    const int64_t draw = FHost.NextDrawNumber();
    if (draw > INT32_MAX)
        RaiseFailure("Ошибка добавления записи в файл ставок!\r\r%s",
                     FormatText("Номер тиража %d больше 2147483647!", {std::to_string(draw)}));
    const TStakeNumbers numbers = StakeNumbersOf(code);
    const std::string drawText = std::to_string(draw);
    if (s.NewOnly && FHost.StakeFind(int32_t(draw), numbers)) {
        Log(FormatText("{-} Ставка на тираж %d не добавлена, так как уже имеется в списке ставок: [%s]",
                       {drawText, DigitsText(code)}));
        return true;
    }
    const TStakeRecord record = NewStake(skScript, int32_t(draw), numbers, sample, label, FHost.Config());
    if (!FHost.StakesAdd(record, batch)) {
        // The stakes file refused (and said why): a run that went on would rate lines by stakes
        // that were never made.
        FHost.RequestStop(true);
        FSummary.Failed = true;
        return false;
    }
    Log(FormatText("{+} Ставка на тираж %d добавлена в список ставок: [%s]", {drawText, DigitsText(code)}));
    StakeCounted(batch);
    return true;
}

void TScriptExecutor::StakeCounted(bool batch) {
    ++FSummary.StakesMade;
    const auto now = std::chrono::steady_clock::now();
    if (batch && now - FCounterShown < std::chrono::milliseconds(kStakeCounterMs)) return;
    FCounterShown = now;
    FHost.RunStateChanged();
}

} // namespace qx
