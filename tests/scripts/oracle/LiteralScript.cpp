#include "LiteralScript.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "LiteralStakes.h"
#include "app/Workspace.h"
#include "combs/FilterText.h"
#include "core/ArchiveQueries.h"
#include "combs/FilterVariants.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "scripts/RatingsSort.h"
#include "scripts/ScriptLine.h"
#include "scripts/ScriptLog.h"
#include "stakes/Systems.h"

namespace qx::oracle {
namespace {

std::string Three(int64_t n) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3lld", static_cast<long long>(n));
    return text;
}

std::string Joined(uint32_t code) {
    std::string text;
    for (int p = 0; p < kPositions; ++p) text += (p ? ";" : "") + std::to_string(DigitOfCode(code, p));
    return text;
}

// The stakes file, one record at a time through a file opened for each operation.
std::vector<TStakeRecord> ReadAll(const std::string& path) {
    std::vector<TStakeRecord> records;
    int fd = ::open(path.c_str(), O_RDONLY);
    TStakeRecord r;
    while (fd >= 0 && ::read(fd, &r, sizeof r) == ssize_t(sizeof r)) records.push_back(r);
    if (fd >= 0) ::close(fd);
    return records;
}

void AppendRecord(const std::string& path, const TStakeRecord& r) {
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
    if (fd < 0 || ::write(fd, &r, sizeof r) != ssize_t(sizeof r)) throw std::runtime_error("append failed");
    ::close(fd);
}

} // namespace

TLiteralScript::TLiteralScript(TWorkspace& ws, std::function<TDateTime()> clock)
    : FWs(ws), FClock(std::move(clock)) {}

void TLiteralScript::Log(const std::string& message) {
    if (FLogPath.empty()) return;
    std::FILE* f = std::fopen(FLogPath.c_str(), "ab");
    const std::string line = Utf8ToCp1251(ScriptLogLinePrefix(FClock()) + message) + "\r\n";
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
}

void TLiteralScript::Begin() {
    if (FWs.FormKeys().ScriptLogEnabled) {
        FLogPath = (FWs.Paths().Dir / ScriptLogFileName(FClock())).string();
        Log(ScriptLogStartBanner());
    }
    FWs.RequestStop(false);
}

void TLiteralScript::Finish() {
    FWs.RequestStop(false);
    Log(ScriptLogEndBanner());
    FLogPath.clear();
}

void TLiteralScript::Run(const std::vector<std::string>& lines) {
    Begin();
    const auto sort = std::make_pair(FWs.StatTab().SortColumn(), FWs.StatTab().Descending());
    Log(ScriptLogDoubleRule());
    Log(ScriptLogOffsetBanner(FWs.DrawsOffset()));
    Log(ScriptLogDoubleRule());
    Pass(lines);
    FWs.StatTab().SetSort(sort.first, sort.second);
    Finish();
}

void TLiteralScript::Test(const std::vector<std::string>& lines, int count) {
    Begin();
    const auto sort = std::make_pair(FWs.StatTab().SortColumn(), FWs.StatTab().Descending());
    const int offset = FWs.DrawsOffset();
    for (int k = count; k >= 1 && !FWs.StopRequested(); --k) {
        FWs.SetDrawsOffset(k);
        Log(ScriptLogDoubleRule());
        Log(ScriptLogOffsetBanner(k));
        Log(ScriptLogDoubleRule());
        Pass(lines);
    }
    if (!FWs.StopRequested()) FWs.SetDrawsOffset(offset);
    FWs.StatTab().SetSort(sort.first, sort.second);
    Finish();
}

void TLiteralScript::Pass(const std::vector<std::string>& lines) {
    const std::string path = FWs.Paths().StakesFile().string();
    const std::vector<TStakeRecord> all = ReadAll(path);
    if (!all.empty() && all.back().DrawNumber > 0) AppendRecord(path, StakeSeparator());
    FWs.ResetCombsBuffer();
    FWs.Stats().BackupWeights();
    for (int i = 0; i < int(lines.size()) && !FWs.StopRequested(); ++i) {
        if (Trim(lines[size_t(i)]).empty()) continue;
        Log(ScriptLogSingleRule());
        Log("Выполнение строки " + Three(i + 1) + ": \"" + lines[size_t(i)] + "\"");
        Log(ScriptLogSingleRule());
        Line(i, lines[size_t(i)]);
    }
    if (!FWs.FormKeys().StakesCheckOnLine) Check();
    FWs.Stats().RestoreWeights();
    FWs.ResetCombsBuffer();
}

void TLiteralScript::Line(int index, const std::string& text) {
    FWs.ClearCombsUndo();
    const TScriptLine line = ParseScriptLine(text);
    std::vector<TFilterItem> items;
    for (const std::string& f : line.Filters)
        if (!Trim(f).empty()) items.push_back(ParseFilterItem(f, FWs.Stats()));
    bool inVariant = false;
    try {
        Log("Создание всех вариантов фильтров...");
        // Every variant made first, as a list, then taken one by one.
        TFilterVariants expansion(items);
        std::vector<TFilterVar> variants;
        TFilterVar v;
        while (expansion.Next(v)) variants.push_back(v);
        Log("Создано " + std::to_string(variants.size()) + " вариантов фильтров.");
        for (const TFilterVar& var : variants) {
            if (FWs.StopRequested()) break;
            inVariant = true;
            const std::string recText = FilterRecText(var.Rec);
            Log("");
            Log(ScriptLogSingleRule());
            Log("Применение набора фильтров " + Three(var.Number) + ": \"" + recText + "\"");
            Log(ScriptLogSingleRule());
            Log("Создание начального списка комбинаций...");
            const TScriptSettings& s = line.Settings;
            if (s.Source == ssFull || s.Source == ssExcl) FWs.GenerateCombs(FWs.CombsGenDefaults(), true);
            if (s.Source == ssExcl && s.ExcludeCount > 0 && !FWs.LoadCombsBuffer(FWs.DrawsOffset(), s.ExcludeCount)) {
                FWs.SaveCombsUndo(false);
                FWs.ExcludeLastDraws(s.ExcludeCount);
                FWs.StoreCombsBuffer(FWs.DrawsOffset(), s.ExcludeCount);
            }
            if (s.ClearStakes && !FWs.StopRequested()) ::truncate(FWs.Paths().StakesFile().c_str(), 0);
            Log("Количество комбинаций в списке: " + std::to_string(FWs.Combs().Count()));
            FWs.ApplyFilterRec(var.Rec, FLogPath.empty() ? TWorkspace::TLogSink{}
                                                         : [this](const std::string& m) { Log(m); });
            Place(text, index, var.Number, recText);
            Log(ScriptLogSingleRule());
            if (FWs.FormKeys().StakesCheckOnLine) Check();
            inVariant = false;
        }
    } catch (const std::exception& e) {
        FWs.RequestStop(true);
        FWs.Shell().ShowError(e.what());
        if (inVariant && FWs.FormKeys().StakesCheckOnLine) Check();
    }
    FWs.ClearCombsUndo();
}

void TLiteralScript::Place(const std::string& text, int index, int64_t variant, const std::string& recText) {
    const TScriptLine line = ParseScriptLine(text);
    const int mode = line.Settings.StakeMode;
    const std::string label = ScriptStakeLabel(index + 1, variant, line.Comment, line.Settings, recText);
    Log("{*} Добавление ставки, режим: \"" + std::string(ScriptStakeModeInfo(mode).Caption) + "\"");
    const TCombsArray list = FWs.Combs().List();
    const int c = int(list.size());
    if (c == 0 || mode == ssmNone) return;
    if (c > 1 && mode == ssmStop) {
        FWs.RequestStop(true);
        Log("{!} Сценарий остановлен!");
        FWs.Shell().ShowWarning("Выполнение сценария прервано, т.к. после применения всех фильтров в списке "
                                "комбинаций их осталось более одной: " +
                                std::to_string(c) + "!\r\rФильтры: " + label);
        return;
    }
    if (c > 1 && mode == ssmSkip) {
        Log("{-} Ставка игнорирована!");
        return;
    }
    if (FWs.StopRequested()) return;
    const bool nex = line.Settings.NewOnly;
    if (c == 1) {
        Stake(list[0], nex, label, c);
    } else if (mode == ssmRand) {
        std::uniform_int_distribution<size_t> pick(0, size_t(c) - 1);
        Stake(list[pick(FWs.Random())], nex, label, c);
    } else if (mode == ssmFirst) {
        Stake(list[0], nex, label, c);
    } else if (mode == ssmLast) {
        Stake(list[size_t(c) - 1], nex, label, c);
    } else if (mode == ssmAll) {
        for (uint32_t code : list)
            if (FWs.StopRequested() || !Stake(code, nex, label, c)) break;
    } else if (mode == ssmSysA || mode == ssmSysC) {
        const std::vector<uint8_t> numbers = SystemNumbers(list);
        std::vector<TCombCode> combs;
        std::string file;
        const bool loaded = SystemLoad(FWs.Shell(), FWs.Paths().Dir / "Systems", numbers, combs, file);
        const std::string n = std::to_string(numbers.size());
        if (!loaded) {
            Log("{#} Системная игра для " + n + " чисел [ОШИБКА]: \"" + file + "\"");
            return;
        }
        const std::string name = std::filesystem::path(file).stem().string();
        Log("{#} Системная игра для " + n + " чисел " +
            (mode == ssmSysA ? "[все система]" : "[система * комбинации]") + ": загружен файл \"" + name + "\"");
        for (uint32_t code : combs) {
            int d[kPositions] = {DigitOfCode(code, 0), DigitOfCode(code, 1), DigitOfCode(code, 2), DigitOfCode(code, 3)};
            std::sort(d, d + kPositions);
            const uint32_t sorted = MakeCode(d[0], d[1], d[2], d[3]);
            if (FWs.StopRequested()) break;
            if (mode == ssmSysC && std::find(list.begin(), list.end(), sorted) == list.end()) continue;
            if (!Stake(sorted, nex, label, c)) break;
        }
    }
}

bool TLiteralScript::Stake(uint32_t code, bool newOnly, const std::string& label, int32_t sample) {
    const int64_t draw = NextDrawNumber(FWs.Draws(), FWs.DrawsOffset());
    const std::string path = FWs.Paths().StakesFile().string();
    const TStakeNumbers numbers = StakeNumbersOf(code);
    const std::string head = "Ставка на тираж " + std::to_string(draw);
    if (newOnly && LiteralStakeFind(path, int32_t(draw), numbers)) {
        Log("{-} " + head + " не добавлена, так как уже имеется в списке ставок: [" + Joined(code) + "]");
        return true;
    }
    AppendRecord(path, NewStake(skScript, int32_t(draw), numbers, sample, label, FWs.Config()));
    Log("{+} " + head + " добавлена в список ставок: [" + Joined(code) + "]");
    return true;
}

void TLiteralScript::Check() {
    const std::string path = FWs.Paths().StakesFile().string();
    const int64_t checked = LiteralStakesCheck(path, FWs.Draws(), FWs.Config(),
                                               [this](const TStakeRecord& r) { LiteralRatingsAddStake(FRows, r); });
    if (checked == 0) return;
    SortRatingRows(FRows, FWs.RatingsSort().Column, FWs.RatingsSort().Descending);
    WriteFileAtomic(FWs.Paths().RatingsFile(), RatingsFileBytes(FRows));
}

} // namespace qx::oracle
