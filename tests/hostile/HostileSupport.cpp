#include "hostile/HostileSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/Commands.h"
#include "draws/DrawsFile.h"

namespace qx::test {

TCliResult RunTool(const std::filesystem::path& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", dir.string()});
    std::ostringstream out, err;
    TCliResult r;
    r.Code = RunCli(args, out, err);
    r.Out = out.str();
    r.Err = err.str();
    return r;
}

TProgramDir::TProgramDir() {
    TDrawsArray draws;
    for (int i = 1; i <= 40; ++i) {
        TDrawRecord d;
        d.Number = i;
        for (int p = 0; p < kPositions; ++p) d.Digits[p] = static_cast<uint8_t>((i * 7 + p * 3) % 10);
        const int day = i % 28 + 1;
        d.SetDateLabel("01/" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "/2019 M");
        draws.push_back(d);
    }
    WriteDrawsFile(File("Quadrix_4d10.ldr"), draws);
    // A directory the program has run in: its stakes file and first-start mark exist.
    WriteBytes(File("Quadrix_4d10.lsk"), "");
    WriteBytes(File("Quadrix_4d10.frm"), "[TFormMain]\r\nPrefetchsInit=1\r\n");
}

namespace {
std::string Expand(std::string arg, const TProgramDir& p) {
    for (auto [key, value] : {std::pair{"{dir}", p.Dir().string()}, std::pair{"{in}", p.Inputs().string()}})
        for (size_t at; (at = arg.find(key)) != std::string::npos;)
            arg.replace(at, std::string(key).size(), value);
    return arg;
}
} // namespace

void CheckHostileCases(const std::vector<THostileCase>& cases) {
    for (const THostileCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TProgramDir p;
        if (c.Plant) c.Plant(p);
        const auto before = Snapshot(p.Dir());
        std::vector<std::string> args;
        for (const auto& a : c.Args) args.push_back(Expand(a, p));
        const TCliResult r = RunTool(p.Dir(), args);
        EXPECT_EQ(r.Code, c.Code) << r.Err;
        if (!c.Message.empty()) {
            EXPECT_NE((r.Err + r.Out).find(c.Message), std::string::npos)
                << "out: " << r.Out << "\nerr: " << r.Err;
        }
        EXPECT_TRUE(Snapshot(p.Dir()) == before) << "the program's files changed";
    }
}

void MakeFifo(const std::filesystem::path& path) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
}

void MakeSparseFile(const std::filesystem::path& path, uint64_t size) {
    WriteBytes(path, "");
    std::filesystem::resize_file(path, size);
}

std::string RandomBytes(size_t count, unsigned seed, bool withNul) {
    std::mt19937 rng(seed);
    std::string s(count, '\0');
    for (char& c : s) {
        c = static_cast<char>(rng() & 0xFF);
        if (!withNul && c == '\0') c = 'x';
    }
    return s;
}

} // namespace qx::test
