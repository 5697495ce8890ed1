#include <gtest/gtest.h>

#include <random>

#include "StakesTestSupport.h"
#include "scripts/Ratings.h"
#include "scripts/RatingsText.h"
#include "stakes/StakesGraphs.h"
#include "stakes/StakesGrid.h"

using namespace qx;
using namespace qx::test;

// Stakes files of random bytes (kept as they are: version byte 2, whole records) go through
// everything that reads stored values: grid, checking, graphs, the ratings rebuild and display.
TEST(StakesFuzz, RandomRecordsNeverCrashTheReaders) {
    TConfigData config;
    config.Cost = 10000;
    config.Profits = {{4, 50000000}, {3, 500000}};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rnd(seed);
        std::uniform_int_distribution<int> byte(0, 255);
        const int records = std::uniform_int_distribution<int>(1, 60)(rnd);
        std::string bytes(static_cast<size_t>(records) * sizeof(TStakeRecord), '\0');
        for (char& c : bytes) c = static_cast<char>(byte(rnd));
        // Some records get believable draw numbers and small counts, so more paths are taken.
        for (int i = 0; i < records; ++i) {
            auto* r = reinterpret_cast<TStakeRecord*>(bytes.data() + static_cast<size_t>(i) * sizeof(TStakeRecord));
            if (i % 2) {
                r->DrawNumber = std::uniform_int_distribution<int>(-1, 6)(rnd);
                r->Matched.Count = std::uniform_int_distribution<int>(-2, 9)(rnd);
            }
            if (i % 3 == 0) r->Checked = static_cast<uint8_t>(byte(rnd) % 2);
        }
        bytes[0] = 2;
        TTempDir dir;
        WriteBytes(dir / "Quadrix_4d10.lsk", bytes);
        TExclusiveFile lock;
        lock.Open(dir / "Quadrix_4d10.lsk");
        TStakesBook book(lock, dir / "Quadrix_4d10.lsk");
        ASSERT_EQ(book.Load(), TStakesLoadResult::Ready);
        for (int64_t i = 0; i < book.Count(); ++i) {
            const TStakeRecord r = book.Read(i);
            for (int c = 0; c < kStakeColumnCount; ++c) (void)StakeCellText(r, c, ',');
            for (int p = 0; p < kPositions; ++p) (void)StakeDigitMatches(r, p);
        }
        TRatings ratings;
        ratings.Rebuild([&](const auto& add) { book.ForEach(0, [&](const TStakeRecord& r, int64_t) { add(r); }); });
        for (const TRatingRow& row : ratings.Rows()) {
            int sum = 0;
            for (int32_t c : row.MatchCounts) sum += c;
            EXPECT_EQ(sum, row.Stakes);  // nothing added outside 0..4
            for (int mode = 0; mode < 3; ++mode)
                for (int c = 0; c < 16; ++c) (void)RatingCellText(row, c, mode, '.');
        }
        try {
            (void)ProfitByDrawsPlot(book);
        } catch (const TAppError&) {
        }
        std::vector<std::string> keys;
        for (const TRatingRow& row : ratings.Rows()) keys.emplace_back(row.RawKey());
        for (bool profits : {false, true}) try {
                (void)StakesByCommentsPlot(book, keys, profits);
            } catch (const TAppError&) {
            }
        TDrawsArchive archive;
        archive.Assign({Draw(1, "1234"), Draw(2, "0000"), Draw(2, "9999"), Draw(5, "5555")});
        (void)book.Check(archive, config, [&](const TStakeRecord& r) { ratings.AddStake(r); });
        EXPECT_EQ(book.Check(archive, config, nullptr), 0);
    }
}
