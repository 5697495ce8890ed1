#pragma once
// The script executor taken literally, as the program first described it: every table computed
// with its facts, the views refreshed at every offset, the log file opened and closed for every
// line, stakes appended, found and checked by reading the stakes file record by record, rating
// rows found by a linear search and the ratings file written after every re-sort. The fast
// executor must leave the same stakes file, ratings file and log.
#include <functional>
#include <string>
#include <vector>

#include "core/DateTime.h"
#include "scripts/RatingRow.h"

namespace qx {
class TWorkspace;
}

namespace qx::oracle {

class TLiteralScript {
public:
    // The workspace gives the archive, the list, the filter steps and the settings; its stakes
    // book and ratings are left alone (the stakes and ratings files are written here).
    TLiteralScript(TWorkspace& ws, std::function<TDateTime()> clock);
    void Run(const std::vector<std::string>& lines);
    void Test(const std::vector<std::string>& lines, int count);

private:
    void Begin();
    void Finish();
    void Log(const std::string& message);
    void Pass(const std::vector<std::string>& lines);
    void Line(int index, const std::string& text);
    void Place(const std::string& text, int index, int64_t variant, const std::string& recText);
    bool Stake(uint32_t code, bool newOnly, const std::string& label, int32_t sample);
    void Check();

    TWorkspace& FWs;
    std::function<TDateTime()> FClock;
    std::string FLogPath;
    std::vector<TRatingRow> FRows;  // the run's ratings, searched linearly
};

} // namespace qx::oracle
