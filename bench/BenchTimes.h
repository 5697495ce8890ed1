#pragma once
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx::bench {

// Prints as usual and keeps each benchmark's time in milliseconds (the median when repeated),
// so a program can close with a summary. CpuTimes holds the processor time of the same runs: on a
// machine shared with builds it moves far less than the wall clock.
class TTimesReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Times;
    std::map<std::string, double> CpuTimes;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.error_occurred) continue;
            const std::string name = r.run_name.function_name;
            const double toMs = benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                                benchmark::GetTimeUnitMultiplier(r.time_unit);
            if ((r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") ||
                (r.run_type == Run::RT_Iteration && !FRepeated.count(name))) {
                Times[name] = r.GetAdjustedRealTime() * toMs;
                CpuTimes[name] = r.GetAdjustedCPUTime() * toMs;
            }
            if (r.run_type == Run::RT_Aggregate) FRepeated[name] = true;
        }
    }

    // The slowest benchmark whose name begins with prefix; time -1 when there is none.
    std::pair<std::string, double> Slowest(std::string_view prefix) const {
        std::pair<std::string, double> worst{"", -1};
        for (const auto& [name, ms] : Times)
            if (name.rfind(prefix, 0) == 0 && ms > worst.second) worst = {name, ms};
        return worst;
    }

private:
    std::map<std::string, bool> FRepeated;
};

} // namespace qx::bench
