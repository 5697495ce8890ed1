#include <gtest/gtest.h>

#include <fcntl.h>
#include <random>
#include <unistd.h>

#include "LiteralStakes.h"
#include "StakesTestSupport.h"
#include "scripts/Ratings.h"
#include "scripts/RatingsSort.h"

using namespace qx;
using namespace qx::test;

namespace {

TConfigData Prizes() {
    TConfigData c;
    c.Cost = 12345;
    c.Profits = {{4, 5000 * 10000}, {3, 50 * 10000}, {2, 5 * 10000}};
    return c;
}

} // namespace

using StakesCheck = BookFixture;

TEST_F(StakesCheck, AStakeWaitsForItsDrawAndIsCheckedOnce) {
    const TConfigData config = Prizes();
    Archive.Assign({Draw(10, "1234")});
    Book->Append(Stake(10, "1243", "a", config), 1);
    Book->Append(Stake(11, "1234", "b", config), 1);
    std::vector<std::string> seen;
    auto sink = [&](const TStakeRecord& r) { seen.push_back(r.CommentText()); };
    EXPECT_EQ(Book->Check(Archive, config, sink), 1);
    auto records = Records();
    EXPECT_TRUE(records[0].IsChecked());
    EXPECT_FALSE(records[1].IsChecked());
    EXPECT_EQ(records[1].Matched.Count, -1);
    EXPECT_EQ(records[1].Profit, -12345);

    EXPECT_EQ(Book->Check(Archive, config, sink), 0);  // nothing new
    Archive.Append(Draw(11, "1234"));
    EXPECT_EQ(Book->Check(Archive, config, sink), 1);
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
    records = Records();
    EXPECT_EQ(records[1].Matched.Count, 4);
    EXPECT_EQ(records[1].Profit, 5000 * 10000 - 12345);
    // A checked stake is never checked again, even when its draw changes.
    Archive.Replace(1, Draw(11, "0000"));
    EXPECT_EQ(Book->Check(Archive, config, sink), 0);
    EXPECT_EQ(Records()[1].Matched.Count, 4);
}

TEST_F(StakesCheck, RecordsThatDoNotQualifyAreLeftAlone) {
    Archive.Assign({Draw(1, "1234")});
    TStakeRecord noKind = Stake(1, "1234");
    noKind.Kind = skNone;
    TStakeRecord three = Stake(1, "1234");
    three.Numbers.Count = 3;
    TStakeRecord five = Stake(1, "1234");
    five.Numbers.Count = 5;  // more numbers than positions: checked, the factor 5^4 applies
    for (const auto& r : {noKind, three, five}) Book->Append(r, 1);
    TConfigData config;
    config.Cost = 1;
    EXPECT_EQ(Book->Check(Archive, config, nullptr), 1);
    const auto records = Records();
    EXPECT_FALSE(records[0].IsChecked());
    EXPECT_FALSE(records[1].IsChecked());
    EXPECT_TRUE(records[2].IsChecked());
    EXPECT_EQ(records[2].Profit, -625);
}

// Random stake files over archives with gaps and numbers stored twice: the indexed checking and
// the literal one leave the same stakes file and the same ratings file, pass after pass.
TEST(StakesCheckDifferential, FastAndLiteralLeaveTheSameBytes) {
    const TConfigData config = Prizes();
    int64_t totalChecked = 0;
    const char* comments[] = {"Ставка \"вручную\"", "ставка \"ВРУЧНУЮ\"", "Script @ 1", "SCRIPT @ 1", "Ёж", "ёЖ", ""};
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rnd(seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rnd); };
        TDrawsArray draws;
        int32_t number = pick(1, 50);
        auto addDraw = [&] {
            const int jump = pick(0, 9);
            number += jump == 0 ? 0 : jump == 1 ? pick(2, 6) : 1;  // duplicates and gaps
            TDrawRecord d;
            d.Number = number;
            for (auto& digit : d.Digits) digit = static_cast<uint8_t>(pick(0, 9));
            draws.push_back(d);
        };
        for (int i = pick(0, 60); i > 0; --i) addDraw();
        if (seed % 4 == 0) std::shuffle(draws.begin(), draws.end(), rnd);  // out of order
        auto randomStake = [&] {
            TStakeRecord r = NewStake(static_cast<TStakeKind>(pick(0, 4)), pick(-2, number + 25),
                                      StakeNumbersOf(CodeOfIndex(pick(0, 9999))), pick(0, 10000),
                                      comments[pick(0, 6)], config);
            if (pick(0, 9) == 0) r.Numbers.Count = pick(0, 6);
            if (pick(0, 19) == 0) StakeInitSeparator(r);
            return r;
        };

        TTempDir fastDir, literalDir;
        const auto fastFile = fastDir / "Quadrix_4d10.lsk", literalFile = literalDir / "Quadrix_4d10.lsk";
        std::string bytes;
        for (int i = pick(0, 400); i > 0; --i) {
            TStakeRecord r = randomStake();
            const TDrawRecord first = draws.empty() ? Draw(1, "0000") : draws[0];
            if (pick(0, 4) == 0 && r.Qualifies()) CheckStake(r, first.Digits, config);
            bytes += Bytes(r);
        }
        WriteBytes(fastFile, bytes);
        WriteBytes(literalFile, bytes);

        TExclusiveFile lock;
        lock.Open(fastFile);
        TStakesBook book(lock, fastFile);
        if (seed % 3 == 0) book.SetIndexCap(static_cast<size_t>(pick(0, 30)));  // scans instead
        ASSERT_EQ(book.Load(), TStakesLoadResult::Ready);
        TDrawsArchive archive;
        archive.Assign(draws);
        TRatings ratings;
        std::vector<TRatingRow> literalRows;
        for (int pass = 0; pass < 4; ++pass) {
            const int64_t fast = book.Check(archive, config, [&](const TStakeRecord& r) { ratings.AddStake(r); });
            const int64_t literal = oracle::LiteralStakesCheck(literalFile, archive.Records(), config,
                                                               [&](const TStakeRecord& r) {
                                                                   oracle::LiteralRatingsAddStake(literalRows, r);
                                                               });
            ASSERT_EQ(fast, literal) << "seed " << seed << " pass " << pass;
            totalChecked += fast;
            ASSERT_EQ(ReadBytes(fastFile), ReadBytes(literalFile)) << "seed " << seed << " pass " << pass;
            const int column = pick(0, 16);
            const bool descending = pick(0, 1) == 1;
            ratings.Sort({column, descending});
            SortRatingRows(literalRows, column, descending);
            ASSERT_EQ(RatingsFileBytes(ratings.Rows()), RatingsFileBytes(literalRows)) << "seed " << seed;
            for (int q = 0; q < 20; ++q) {
                const TStakeRecord probe = randomStake();
                ASSERT_EQ(book.Find(probe.DrawNumber, probe.Numbers),
                          oracle::LiteralStakeFind(literalFile, probe.DrawNumber, probe.Numbers));
            }

            // New draws arrive and new stakes are made; both files get the same new bytes.
            for (int i = pick(0, 8); i > 0; --i) {
                addDraw();
                archive.Append(draws.back());
            }
            const auto oldSize = static_cast<size_t>(book.Count()) * sizeof(TStakeRecord);
            for (int i = pick(0, 12); i > 0; --i) {
                TStakeRecord r = randomStake();
                if (pick(0, 3) == 0) book.BeginGroup();
                book.Append(r, pick(1, 3));
            }
            if (pick(0, 5) == 0) book.DeleteRows(pick(1, 5), pick(5, 30));
            const std::string now = ReadBytes(fastFile);
            if (now.size() >= oldSize && now.compare(0, oldSize, ReadBytes(literalFile)) == 0) {
                const std::string tail = now.substr(oldSize);
                const std::string literalNow = ReadBytes(literalFile) + tail;
                WriteBytes(literalFile, literalNow);
            } else {
                WriteBytes(literalFile, now);  // a deletion rewrote the file
            }
        }
    }
    EXPECT_GT(totalChecked, 300);  // the passes really checked something
}
