#include <gtest/gtest.h>

#include <map>

#include "stats/FullSetFile.h"
#include "stats/StatList.h"
#include "stats/StatTestSupport.h"

using namespace qx;
using namespace qx::test;

TEST(FullSetFile, NumsIsUniformAndLaidOutByteByByte) {
    TStatBench bench;
    TFullSet set = FullSetOf(ComputeFullSetTable(*bench.Create("NUMS")));
    ASSERT_EQ(set.Records.size(), 10u);
    for (const auto& r : set.Records) EXPECT_EQ(r.Count, 4000);
    EXPECT_EQ(set.FullMin, 4000);
    EXPECT_EQ(set.FullMax, 4000);
    std::string bytes = EncodeFullSet(set);
    ASSERT_EQ(bytes.size(), 11u * 12);
    // Record 4 is the value 3: K1 = 3, K2..K4 = 0, count 4000 (0x0FA0).
    EXPECT_EQ(bytes.substr(36, 12), std::string("\x03\x00\x00\x00\x00\x00\x00\x00\xA0\x0F\x00\x00", 12));
    EXPECT_EQ(bytes.substr(120), std::string("\xA0\x0F\x00\x00\xA0\x0F\x00\x00\x00\x00\x00\x00", 12));
    auto trailer = ReadFullSetTrailer(bytes);
    ASSERT_TRUE(trailer);
    EXPECT_EQ(trailer->FullMax, 4000);
    auto records = ReadFullSetRecords(bytes);
    ASSERT_EQ(records.size(), 10u);
    EXPECT_EQ(records[0].Index, 1);
    EXPECT_EQ(records[9].Key, TStatKey::FromParts(9));
    EXPECT_EQ(DecodeFullSet(bytes), set);
}

TEST(FullSetFile, CountsMatchAnIndependentDistribution) {
    TStatBench bench;
    // Position 2's digit: each digit in 1000 combinations; even count: binomial C(4,k) * 5^4.
    TFullSet pos2 = FullSetOf(ComputeFullSetTable(*bench.Create("POS2")));
    for (const auto& r : pos2.Records) EXPECT_EQ(r.Count, 1000);
    TFullSet even = FullSetOf(ComputeFullSetTable(*bench.Create("EVEN")));
    std::map<int, int> expected = {{0, 625}, {1, 2500}, {2, 3750}, {3, 2500}, {4, 625}};
    ASSERT_EQ(even.Records.size(), 5u);
    int total = 0;
    for (const auto& r : even.Records) {
        EXPECT_EQ(r.Count, expected[r.Key.KeyA()]) << r.Key.KeyA();
        total += r.Count;
    }
    EXPECT_EQ(total, 10000);
    EXPECT_EQ(even.FullMin, 625);
    EXPECT_EQ(even.FullMax, 3750);
}

TEST(FullSetFile, DamagedFilesAreRecognised) {
    EXPECT_FALSE(DecodeFullSet(""));
    EXPECT_FALSE(DecodeFullSet(std::string(11, '\0')));
    EXPECT_FALSE(DecodeFullSet(std::string(25, '\0')));
    EXPECT_TRUE(DecodeFullSet(std::string(12, '\0')));  // a trailer alone: no records
    EXPECT_FALSE(ReadFullSetTrailer(std::string(5, '\0')));
    EXPECT_TRUE(ReadFullSetRecords(std::string(5, '\0')).empty());
    EXPECT_EQ(ReadFullSetRecords(std::string(30, '\0')).size(), 1u);  // whole records before the trailer
}
