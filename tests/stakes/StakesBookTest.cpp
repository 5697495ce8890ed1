#include <gtest/gtest.h>

#include "StakesTestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

std::vector<int32_t> DrawsOf(const std::vector<TStakeRecord>& records) {
    std::vector<int32_t> v;
    for (const auto& r : records) v.push_back(r.DrawNumber);
    return v;
}

size_t FilesIn(const std::filesystem::path& dir) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

} // namespace

using StakesLoad = BookFixture;

TEST_F(StakesLoad, EmptyAndCurrentFilesLoadAsTheyAre) {
    EXPECT_EQ(Book->Load(), TStakesLoadResult::Ready);
    Book->Append(Stake(3, "1234"), 1);
    EXPECT_EQ(Book->Load(), TStakesLoadResult::Ready);
    EXPECT_EQ(Book->Count(), 1);
    EXPECT_FALSE(std::filesystem::exists(Book->BackupPath()));
}

TEST_F(StakesLoad, OutdatedFilesAreKeptAsABackupThenEmptied) {
    const std::string good = Bytes(Stake(3, "1234")) + Bytes(Stake(4, "5678"));
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {{"one byte too many", good + "x"}, {"version 1", "\x01" + good.substr(1)}};
    for (const Case& c : cases) {
        Lock.Close();
        WriteBytes(File(), c.bytes);
        WriteBytes(Book->BackupPath(), "an older backup");
        Open();
        EXPECT_EQ(Book->Load(), TStakesLoadResult::Outdated) << c.what;
        EXPECT_EQ(std::filesystem::file_size(File()), 0u) << c.what;
        EXPECT_EQ(ReadBytes(Book->BackupPath()), c.bytes) << c.what;
        EXPECT_EQ(FilesIn(Dir.Path()), 2u) << c.what;  // no temporary file left
    }
}

TEST_F(StakesLoad, AFailingBackupTruncatesNothing) {
    const std::string bytes = Bytes(Stake(3, "1234")) + "torn";
    Lock.Close();
    WriteBytes(File(), bytes);
    Open();
    for (TFileStep step : {TFileStep::Write, TFileStep::Sync, TFileStep::Rename}) {
        Book->SetFaultHook([step](TFileStep s) { return s == step; });
        EXPECT_THROW(Book->Load(), TAppError);
        EXPECT_EQ(ReadBytes(File()), bytes);
        EXPECT_EQ(FilesIn(Dir.Path()), 1u);
    }
}

using StakesAppend = BookFixture;

TEST_F(StakesAppend, CopiesForSeveralDrawsAreSeparated) {
    Book->Append(Stake(7, "1111"), 1);
    Book->Append(Stake(20, "1234"), 3);
    EXPECT_EQ(DrawsOf(Records()), (std::vector<int32_t>{7, -1, 20, -1, 21, -1, 22}));
    // After a separator the first copy needs none; a group separator only follows a stake.
    Book->BeginGroup();
    Book->BeginGroup();
    Book->Append(Stake(30, "1234"), 2);
    EXPECT_EQ(DrawsOf(Records()), (std::vector<int32_t>{7, -1, 20, -1, 21, -1, 22, -1, 30, -1, 31}));
    const auto records = Records();
    EXPECT_EQ(Bytes(records[1]), Bytes(StakeSeparator()));
    for (size_t i : {2u, 4u, 6u}) EXPECT_EQ(Bytes(records[i]).substr(8), Bytes(Stake(20, "1234")).substr(8));
}

TEST_F(StakesAppend, RefusalsWriteNothing) {
    Book->Append(Stake(5, "1234"), 1);
    const std::string before = ReadBytes(File());
    // The last copy would be draw 2147483648.
    EXPECT_THROW(Book->Append(Stake(2147483646, "1234"), 3), TAppError);
    TStakeRecord checked = Stake(5, "1234");
    CheckStake(checked, Draw(5, "1234").Digits, {});
    EXPECT_THROW(Book->Append(checked, 1), TAppError);
    EXPECT_EQ(ReadBytes(File()), before);
    Book->Append(Stake(2147483646, "1234"), 2);  // ends exactly on the largest number
    EXPECT_EQ(Records().back().DrawNumber, 2147483647);
    Lock.Close();
    EXPECT_THROW(Book->Append(Stake(5, "1234"), 1), TAppError);
}

TEST_F(StakesAppend, FindSeesEveryRecordIncludingNewOnes) {
    Book->Append(Stake(5, "1234"), 1);
    Book->Append(Stake(9, "0000"), 2);
    EXPECT_TRUE(Book->Find(5, Stake(5, "1234").Numbers));
    EXPECT_FALSE(Book->Find(5, Stake(5, "1243").Numbers));
    EXPECT_TRUE(Book->Find(10, Stake(5, "0000").Numbers));
    Book->Append(Stake(11, "4321"), 1);  // kept by the append once the set exists
    EXPECT_TRUE(Book->Find(11, Stake(5, "4321").Numbers));
    EXPECT_TRUE(Book->Find(-1, StakeSeparator().Numbers));
    Book->DeleteRows(1, 1);
    EXPECT_FALSE(Book->Find(5, Stake(5, "1234").Numbers));
}

using StakesDelete = BookFixture;

TEST_F(StakesDelete, SelectedRowsAndConditionsKeepTheRestInOrder) {
    for (int d : {1, 2, 3, 4, 5}) Book->Append(Stake(d, "1234"), 1);
    EXPECT_EQ(Book->DeleteRows(2, 3), 2);
    EXPECT_EQ(DrawsOf(Records()), (std::vector<int32_t>{1, 4, 5}));
    EXPECT_FALSE(std::filesystem::exists(Book->TempPath()));
    EXPECT_TRUE(SecondOpenRefused());  // the new file is locked

    Book->Clear();
    Archive.Assign({Draw(1, "1234"), Draw(2, "1299"), Draw(3, "9999")});
    Book->Append(Stake(1, "1234"), 1);  // 4 matches
    Book->Append(Stake(2, "1234"), 2);  // separator, 2 (2 matches), separator, 3 (0 matches)
    Book->Append(Stake(8, "1234"), 1);  // stays unchecked
    Book->Check(Archive, {}, nullptr);
    EXPECT_EQ(Book->DeleteWhere(scLess, 1), 2);  // 0 matches and the unchecked stake
    EXPECT_EQ(DrawsOf(Records()), (std::vector<int32_t>{1, -1, 2, -1}));
    EXPECT_EQ(Book->DeleteWhere(scNotLess, 0), 2);  // separators survive every condition
    EXPECT_EQ(DrawsOf(Records()), (std::vector<int32_t>{-1, -1}));
}

TEST_F(StakesDelete, AFailedRewriteLeavesTheFileAsItWasOpenAndLocked) {
    for (int d : {1, 2, 3}) Book->Append(Stake(d, "1234"), 1);
    const std::string before = ReadBytes(File());
    for (TFileStep step : {TFileStep::Write, TFileStep::Sync, TFileStep::Rename}) {
        Book->SetFaultHook([step](TFileStep s) { return s == step; });
        EXPECT_THROW(Book->DeleteRows(1, 1), TAppError);
        EXPECT_EQ(ReadBytes(File()), before);
        EXPECT_FALSE(std::filesystem::exists(Book->TempPath()));
        EXPECT_TRUE(SecondOpenRefused());
        EXPECT_EQ(Book->Count(), 3);  // still the open file
    }
    Book->SetFaultHook(nullptr);
    try {
        Book->SetFaultHook([](TFileStep s) { return s == TFileStep::Rename; });
        Book->DeleteRows(1, 1);
    } catch (const TAppError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ошибка переименования / удаления временного файла ставок", 0), 0u);
        EXPECT_NE(std::string(e.what()).find("Quadrix_4d10.~tmp"), std::string::npos);
    }
    Book->SetFaultHook(nullptr);
    Book->Append(Stake(4, "1234"), 1);
    EXPECT_EQ(Book->Count(), 4);
}

using StakesSeek = BookFixture;

TEST_F(StakesSeek, CountsDistinctCheckedDrawsFromTheEnd) {
    Archive.Assign({Draw(1, "1111"), Draw(2, "2222"), Draw(3, "3333")});
    for (int d : {1, 1, 2, 2, 3, 4}) Book->Append(Stake(d, "1234"), 1);
    Book->Check(Archive, {}, nullptr);
    EXPECT_EQ(Book->SeekLastDraws(2).Position, 2);  // draws 3 and 2; draw 4 is unchecked
    EXPECT_EQ(Book->SeekLastDraws(2).Count, 2);
    EXPECT_EQ(Book->SeekLastDraws(5).Position, 0);
    EXPECT_EQ(Book->SeekLastDraws(5).Count, 3);
}
