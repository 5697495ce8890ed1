#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/ScriptHost.h"
#include "combs/FilterVariants.h"
#include "scripts/ScriptLine.h"
#include "scripts/ScriptLog.h"

namespace qx {

// What a run did, for the command line's summary.
struct TScriptRunSummary {
    int Cycles = 0;          // passes run
    int Lines = 0;           // filter lines run, over all passes
    int64_t Variants = 0;    // variants run
    int64_t StakesMade = 0;  // stakes added
    bool StakesCleared = false;  // a line removed all stakes on the way
    bool Stopped = false;        // ended by a stop request of any kind
    bool StoppedByLine = false;  // a STOP line found more than one combination
    bool Failed = false;         // a line failed
    double Seconds = 0;
};

// Runs a script as a forecast ("Прогноз": every line once at the current offset) or as a test
// ("Тест": the whole script at the offsets N … 1, then the user's offset again unless stopped),
// placing stakes, checking them and writing the run's log. Runs on the caller's thread; the
// window breathes at every poll, which is how a stop request arrives.
class TScriptExecutor {
public:
    explicit TScriptExecutor(TScriptHost& host);
    TScriptExecutor(const TScriptExecutor&) = delete;
    TScriptExecutor& operator=(const TScriptExecutor&) = delete;

    // The clock of the log (times and file name); tests fix it.
    void SetClock(TScriptLog::TClock clock) { FLog = std::make_unique<TScriptLog>(std::move(clock)); }
    // Called at every poll after the window had its turn (the command line's Ctrl+C).
    std::function<void()> OnPoll;

    bool Running() const { return FRunning; }
    // ScriptStop is offered while a run goes on and no stop is asked for yet.
    bool CanStop() const;
    // The forecast and the test of these lines. count must be 1 … draws − 1 (the caller checks).
    void Run(const std::vector<std::string>& lines);
    void Test(const std::vector<std::string>& lines, int count);
    // The user confirmed "Остановить выполнение сценария?": the stop banner, then the request.
    void Stop();

    // Panels 1..4 of the script status bar: cycle, line, stakes made, the free text.
    std::string PanelText(int panel) const;
    // The script line being run (index), -1 between lines.
    int CurrentLine() const { return FCurrentLine; }
    const TScriptRunSummary& Summary() const { return FSummary; }

    static constexpr int kStakeCounterMs = 101;

private:
    class TRunFrame;
    bool Poll();
    void Log(const std::string& message);
    TScriptHost::TLogSink LogSink();
    void SetPanel(std::string text);
    void Begin();
    void Finish();
    void PassBanners(int offset);
    void Pass(const std::vector<std::string>& lines);
    void RunLine(int index, const std::string& text);
    void RunVariant(int index, const TScriptLine& line, const TFilterVar& var, int64_t count);
    void StartList(const TScriptSettings& settings);
    void PlaceStakes(const TScriptSettings& settings, const std::string& label);
    void PlaceBatch(const std::vector<TCombCode>& combs, const TScriptSettings& settings, const std::string& label,
                    int32_t sample);
    void PlaySystem(const TScriptSettings& settings, const std::string& label, int32_t sample);
    bool Stake(TCombCode code, const TScriptSettings& settings, const std::string& label, int32_t sample, bool batch);
    void StakeCounted(bool batch);

    TScriptHost& FHost;
    std::unique_ptr<TScriptLog> FLog;
    bool FRunning = false;
    int FCycle = 0;
    int FCurrentLine = -1;
    int FShownLine = 0;  // 1-based, for panel 2
    std::string FPanel;
    std::pair<int, bool> FSavedSort{1, false};
    TScriptRunSummary FSummary;
    std::chrono::steady_clock::time_point FStarted;
    std::chrono::steady_clock::time_point FCounterShown;
};

} // namespace qx
