// Stakes checking and the ratings against their literal versions (tests/stakes/oracle), on the
// real archive: a check pass over a 100,000-record stakes file whose last 10 stakes are new, up
// to the flush (the flush and the ratings file's save are the same in both and timed apart), and
// RatingsAddStake over 1,000 rating rows, with the re-sort timed apart. Both sides are compared
// before anything is timed. Prints the speed-ups at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

#include "BenchTimes.h"
#include "LiteralStakes.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "draws/DrawsArchive.h"
#include "draws/DrawsCsv.h"
#include "scripts/Ratings.h"
#include "scripts/RatingsSort.h"
#include "stakes/StakesBook.h"

using namespace qx;

namespace {

constexpr int kRecords = 100'000;
constexpr int kNew = 10;
constexpr int kRatingRows = 1000;

std::string Comment(int i) {
    return "Сценарий @ " + std::to_string(i % kRatingRows) + " | NUMS:1,2,3 | SUM:10-20 | ставка по списку";
}

struct TData {
    std::filesystem::path Dir;
    TDrawsArchive Archive;
    TConfigData Config;
    std::mt19937 Random{14};
    // The fast side: a locked book and the ratings; the literal side: a plain file and rows.
    TExclusiveFile Lock;
    std::unique_ptr<TStakesBook> Book;
    TRatings Ratings;
    std::filesystem::path LiteralFile;
    std::vector<TRatingRow> LiteralRows;

    TData() {
        const char* env = std::getenv("QUADRIX_ARCHIVE");
        TDrawsArray draws;
        AppendDrawsFromCsv(ReadTextFile(env ? env : QUADRIX_SHARED_DATA "/va_pick4.csv"), draws);
        Archive.Assign(std::move(draws));
        Config.Cost = 10000;
        Config.Profits = {{4, 50000000}, {3, 500000}, {2, 50000}};
        char name[] = "/tmp/quadrix-stakes-bench-XXXXXX";
        Dir = mkdtemp(name);
        // 100,000 stakes on draws of the archive, checked long ago.
        std::string bytes;
        bytes.reserve(size_t{kRecords} * sizeof(TStakeRecord));
        const TDrawsArray& d = Archive.Records();
        for (int i = 0; i < kRecords - kNew; ++i) {
            const TDrawRecord& draw = d[Random() % d.size()];
            TStakeRecord r = NewStake(skScript, draw.Number, StakeNumbersOf(CodeOfIndex(int(Random() % 10000))), 10000,
                                      Comment(i), Config);
            CheckStake(r, draw.Digits, Config);
            bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
        }
        const auto file = Dir / "Quadrix_4d10.lsk";
        LiteralFile = Dir / "literal.lsk";
        WriteFileAtomic(file, bytes);
        WriteFileAtomic(LiteralFile, bytes);
        Lock.Open(file);
        Book = std::make_unique<TStakesBook>(Lock, file);
        Book->Load();
        // Rating rows for every comment, on both sides.
        Book->ForEach(0, [&](const TStakeRecord& r, int64_t) {
            Ratings.AddStake(r);
            oracle::LiteralRatingsAddStake(LiteralRows, r);
        });
        Book->Check(Archive, Config, nullptr);  // the first pass of a run reads the file once
    }
    ~TData() {
        Book.reset();
        Lock.Close();
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
    // Ten new stakes on the newest draws, at the end of the book, of the literal file or both.
    void AddNewStakes(bool fast, bool literal) {
        const TDrawsArray& d = Archive.Records();
        std::string bytes;
        for (int i = 0; i < kNew; ++i) {
            const TDrawRecord& draw = d[d.size() - 1 - static_cast<size_t>(i)];
            const TStakeRecord r = NewStake(skScript, draw.Number, StakeNumbersOf(CodeOfIndex(int(Random() % 10000))),
                                            10000, Comment(int(Random() % kRatingRows)), Config);
            if (fast) Book->Append(r, 1);
            bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
        }
        if (!literal) return;
        const int fd = ::open(LiteralFile.c_str(), O_WRONLY | O_APPEND);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
        ::close(fd);
    }
};

TData& Data() {
    static TData data;
    return data;
}

// A check pass after 10 new stakes were added to the side it checks (not timed).
template <class Pass>
void CheckNew(benchmark::State& state, bool fast, Pass pass) {
    TData& d = Data();
    for (auto _ : state) {
        state.PauseTiming();
        d.AddNewStakes(fast, !fast);
        state.ResumeTiming();
        if (pass(d) != kNew) state.SkipWithError("not every new stake was checked");
    }
}

void CheckFast(benchmark::State& state) {
    CheckNew(state, true, [](TData& d) {
        return d.Book->Check(d.Archive, d.Config, [&](const TStakeRecord& r) { d.Ratings.AddStake(r); });
    });
}

void CheckLiteral(benchmark::State& state) {
    CheckNew(state, false, [](TData& d) {
        return oracle::LiteralStakesCheck(d.LiteralFile, d.Archive.Records(), d.Config, [&](const TStakeRecord& r) {
            oracle::LiteralRatingsAddStake(d.LiteralRows, r);
        });
    });
}

void Flush(benchmark::State& state) {
    for (auto _ : state) Data().Book->Flush();
}

void SaveRatings(benchmark::State& state) {
    TData& d = Data();
    for (auto _ : state) d.Ratings.Save(d.Dir / "Quadrix_4d10.lrt");
}

// RatingsAddStake over 1,000 rows: stakes whose comments name existing rows, in other letter case.
std::vector<TStakeRecord> AddStakes() {
    std::vector<TStakeRecord> stakes;
    std::mt19937 random(7);
    for (int i = 0; i < 1000; ++i) {
        TStakeRecord r = NewStake(skScript, 1, StakeNumbersOf(0), 1, LowerText(Comment(int(random()))), {});
        r.Checked = 1;
        r.Matched.Count = int(random() % 5);
        stakes.push_back(r);
    }
    return stakes;
}

void AddFast(benchmark::State& state) {
    const auto stakes = AddStakes();
    TRatings ratings;
    ratings.Assign(Data().LiteralRows);
    size_t i = 0;
    for (auto _ : state) ratings.AddStake(stakes[i++ % stakes.size()]);
}

void AddLiteral(benchmark::State& state) {
    const auto stakes = AddStakes();
    std::vector<TRatingRow> rows = Data().LiteralRows;
    size_t i = 0;
    for (auto _ : state) oracle::LiteralRatingsAddStake(rows, stakes[i++ % stakes.size()]);
}

void Resort(benchmark::State& state) {
    TRatings ratings;
    ratings.Assign(Data().LiteralRows);
    bool descending = false;
    for (auto _ : state) {
        ratings.Sort({3, descending});
        descending = !descending;
    }
}

void Ratio(const bench::TTimesReporter& reporter, const char* what, const char* fast, const char* literal) {
    const auto f = reporter.Times.find(fast), l = reporter.Times.find(literal);
    if (f == reporter.Times.end() || l == reporter.Times.end()) return;
    std::printf("%s: fast %.4f ms, literal %.4f ms, speed-up %.1fx\n", what, f->second, l->second, l->second / f->second);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TData& d = Data();
    if (d.Archive.Empty()) {
        std::fprintf(stderr, "no draws: set QUADRIX_ARCHIVE to a draws CSV file\n");
        return 1;
    }
    // Both sides must leave the same bytes before their times mean anything.
    d.AddNewStakes(true, true);
    d.Book->Check(d.Archive, d.Config, [&](const TStakeRecord& r) { d.Ratings.AddStake(r); });
    oracle::LiteralStakesCheck(d.LiteralFile, d.Archive.Records(), d.Config,
                               [&](const TStakeRecord& r) { oracle::LiteralRatingsAddStake(d.LiteralRows, r); });
    if (ReadFileBytes(d.Book->Path()) != ReadFileBytes(d.LiteralFile) ||
        RatingsFileBytes(d.Ratings.Rows()) != RatingsFileBytes(d.LiteralRows)) {
        std::fprintf(stderr, "the fast and the literal check leave different bytes\n");
        return 1;
    }
    std::printf("stakes file: %lld records, rating rows: %d\n", static_cast<long long>(d.Book->Count()),
                d.Ratings.Count());

    benchmark::RegisterBenchmark("check/fast", CheckFast)->Unit(benchmark::kMillisecond)->Iterations(200);
    benchmark::RegisterBenchmark("check/literal", CheckLiteral)->Unit(benchmark::kMillisecond)->Iterations(10);
    benchmark::RegisterBenchmark("check/flush", Flush)->Unit(benchmark::kMillisecond)->Iterations(20);
    benchmark::RegisterBenchmark("check/save-ratings", SaveRatings)->Unit(benchmark::kMillisecond)->Iterations(20);
    benchmark::RegisterBenchmark("ratings/add-fast", AddFast)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("ratings/add-literal", AddLiteral)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("ratings/resort", Resort)->Unit(benchmark::kMillisecond);
    bench::TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    Ratio(reporter, "check of 10 new stakes in 100,000", "check/fast", "check/literal");
    Ratio(reporter, "RatingsAddStake over 1,000 rows", "ratings/add-fast", "ratings/add-literal");
    benchmark::Shutdown();
    return 0;
}
