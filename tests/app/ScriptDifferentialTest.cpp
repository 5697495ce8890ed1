// The fast executor against the literal one: random small scripts over the real archive must
// leave byte-identical stakes, ratings and log files, and show the same messages.
#include <gtest/gtest.h>

#include <random>

#include "LiteralScript.h"
#include "app/ScriptExecutor.h"
#include "app/Workspace.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "draws/DrawsFile.h"
#include "scripts/ScriptLog.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

const TDateTime kAt = EncodeDate(2024, 2, 29) + EncodeTime(12, 0, 1);

const TDrawsArray& RealDraws() {
    static const TDrawsArray draws = [] {
        TDrawsArray d;
        AppendDrawsFromCsv(ReadTextFile(RealArchiveCsv()), d);
        return d;
    }();
    return draws;
}

struct TRunResult {
    std::string Stakes, Ratings, Log;
    std::vector<std::string> Messages;
    int Offset = 0;
};

TRunResult RunScript(const std::vector<std::string>& lines, int count, unsigned seed, bool checkOnLine, bool literal) {
    TTempDir dir;
    WriteDrawsFile(dir / "Quadrix_4d10.ldr", RealDraws());
    TRecordingShell shell;
    TWorkspaceOptions options;
    options.ProgramDir = dir.Path();
    options.DecimalSeparator = '.';
    TRunResult r;
    {
        TWorkspace ws(shell, options);
        ws.StartFirstStage();
        EXPECT_TRUE(ws.StartSecondStage());
        ws.FormKeys().ScriptLogEnabled = true;
        ws.FormKeys().StakesCheckOnLine = checkOnLine;
        ws.Random().seed(seed);
        ws.SetDrawsOffset(5);
        auto clock = [] { return kAt; };
        if (literal) {
            oracle::TLiteralScript script(ws, clock);
            count > 0 ? script.Test(lines, count) : script.Run(lines);
        } else {
            ws.ScriptExecutor().SetClock(clock);
            count > 0 ? ws.ScriptExecutor().Test(lines, count) : ws.ScriptExecutor().Run(lines);
        }
        r.Offset = ws.DrawsOffset();
        ws.Shutdown();
    }
    auto read = [&](const std::string& name) {
        return std::filesystem::exists(dir / name) ? ReadBytes(dir / name) : std::string("(none)");
    };
    r.Stakes = read("Quadrix_4d10.lsk");
    r.Ratings = read("Quadrix_4d10.lrt");
    r.Log = read(ScriptLogFileName(kAt));
    for (const auto& m : shell.Messages) r.Messages.push_back(m.Text);
    return r;
}

// A random line of the basic methods: one or two filters, any source, mode and flags.
std::string RandomLine(std::mt19937& random) {
    auto pick = [&](std::initializer_list<const char*> from) {
        return std::string(from.begin()[random() % from.size()]);
    };
    auto chance = [&](int percent) { return int(random() % 100) < percent; };
    std::string line = pick({"FULL:0", "FULL:0", "FULL:0", "EXCL:5", "EXCL:30", "CURR:0"});
    line += "#" + (chance(4) ? pick({"STOP", "ALL"}) : pick({"RAND", "RAND", "FIRST", "LAST", "NONE", "SKIP"}));
    if (chance(10)) line += "#CLR";
    if (chance(25)) line += "#NEX";
    const int filters = 1 + int(random() % 2);
    for (int f = 0; f < 7; ++f) {
        if (f >= filters) {
            line += "| ";
            continue;
        }
        std::string filter = pick({"T", "B"}) + pick({"S", "M"}) + pick({"F", "D"}) + std::to_string(random() % 20);
        const std::string method = pick({"NUMS", "DIGS", "EVEN", "EVNV", "SMAL", "SMLV", "PRIM", "PRMV", "POS1",
                                         "POS2", "POS3", "POS4"});
        filter += "#" + method + ":" + pick({"10", "30", "60", "10,40", "200"});
        // The value list only where the values are digits (elsewhere it stops the run, as it should).
        const bool digits = method.starts_with("POS") || method == "NUMS";
        filter += "#" + (digits && chance(20) ? std::string("LVA:1,3,5")
                                              : pick({"LMV:3", "LLV:5", "CMV:4", "CLV:3,6", "CMP:10", "LMP:40", "PAM:3",
                                                      "PIL:2", "WMV:4", "LNO:", "PXM:5"}));
        filter += "#" + pick({"SF:1", "SF:1", "SC:200", "SZ:1", "ST:2", "SV:2", "SP:5"});
        if (chance(15)) filter += "#" + pick({"1:0:0:0:0", "0:-1:1:1:0", "2.5:0:1:0:1"});
        line += "|" + filter;
    }
    line += "|";
    if (chance(50)) line += "Строка " + std::to_string(random() % 100);
    return line;
}

TEST(ScriptDifferential, RandomScriptsLeaveTheFilesOfTheLiteralExecutor) {
    QX_REQUIRE_REAL_ARCHIVE();
    std::mt19937 random(2024);
    for (int script = 0; script < 8; ++script) {
        std::vector<std::string> lines;
        const int count = 3 + int(random() % 3);
        for (int i = 0; i < count; ++i) lines.push_back(random() % 6 == 0 ? "" : RandomLine(random));
        const int tests = script == 0 ? 0 : 3;
        const bool checkOnLine = random() % 2 == 0;
        const unsigned seed = random();
        const TRunResult fast = RunScript(lines, tests, seed, checkOnLine, false);
        const TRunResult literal = RunScript(lines, tests, seed, checkOnLine, true);
        std::string text;
        for (const auto& l : lines) text += l + "\n";
        EXPECT_EQ(fast.Log, literal.Log) << text;
        EXPECT_EQ(fast.Stakes, literal.Stakes) << text;
        EXPECT_EQ(fast.Ratings, literal.Ratings) << text;
        EXPECT_EQ(fast.Messages, literal.Messages) << text;
        EXPECT_EQ(fast.Offset, literal.Offset) << text;
        EXPECT_GT(fast.Log.size(), 1000u);

    }
}

} // namespace
