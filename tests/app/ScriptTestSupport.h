#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "app/ScriptExecutor.h"
#include "app/WorkspaceFixture.h"
#include "combs/CombsText.h"
#include "core/DateTime.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "scripts/ScriptLog.h"

namespace qx::test {

// Forty draws numbered 1..40 whose positions run through every digit each ten draws, so every
// position table over ten draws has a row for each digit.
inline TDrawsArray CyclingDraws(int count = 40) {
    TDrawsArray draws;
    for (int i = 1; i <= count; ++i) draws.push_back(MakeDraw(i, {i % 10, i * 3 % 10, i * 7 % 10, (i + 5) % 10}));
    return draws;
}

// A filter that selects no row: the list stays as it is, but the table is computed and logged.
inline constexpr const char* kNoopFilter = "TMD1#POS1:10#LMV:1000#SF:1";

// A started workspace over CyclingDraws with the log on, a fixed clock and a fixed seed.
class ScriptFixture : public WorkspaceFixture {
protected:
    const TDateTime At = EncodeDate(2024, 5, 6) + EncodeTime(7, 8, 9);

    void SetUp() override { StartScripts(CyclingDraws()); }
    void StartScripts(const TDrawsArray& draws) {
        Start(draws);
        Ws->ScriptExecutor().SetClock([this] { return At; });
        Ws->Random().seed(1);
        Ws->FormKeys().ScriptLogEnabled = true;
    }
    void Lines(const std::vector<std::string>& lines) {
        for (const std::string& l : lines) Ws->AppendScriptLine(l);
    }
    // Every variant starts from these combinations ("1;2;3;4" each).
    void StartList(const std::vector<std::string>& combs) {
        std::string text;
        for (const std::string& c : combs) text += c + "\r\n";
        WriteBytes(Dir / "start.lcv", text);
        Ws->SaveCombsGenDefaults({4, (Dir / "start.lcv").string()});
    }
    std::filesystem::path LogFile() const { return Dir / ScriptLogFileName(At); }
    std::string LogText() const { return Cp1251ToUtf8(ReadBytes(LogFile())); }
    std::vector<TStakeRecord> Stakes() {
        std::vector<TStakeRecord> out;
        Ws->Stakes().ForEach(0, [&](const TStakeRecord& r, int64_t) {
            if (r.Kind != skNone) out.push_back(r);
        });
        return out;
    }
    int Count(const std::string& text, const std::string& part) const {
        int n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
        return n;
    }
};

} // namespace qx::test
