#include "app/WorkspaceFixture.h"

#include "core/IniFile.h"

using namespace qx;
using namespace qx::test;

class SystemPlay : public WorkspaceFixture {
protected:
    void PutSystem(const std::string& name, const std::string& content) {
        std::filesystem::create_directories(Ws->SystemsDir());
        WriteBytes(Ws->SystemsDir() / name, content);
    }
    std::vector<TStakeRecord> Records() {
        std::vector<TStakeRecord> out;
        for (int64_t i = 0; i < Ws->StakesCount(); ++i) out.push_back(Ws->Stakes().Read(i));
        return out;
    }
};

TEST_F(SystemPlay, WholeSystemAndListedOnlyWithSortedDigits) {
    Start({MakeDraw(100, {1, 5, 8, 9})});
    // Map 5,1,8,2,9: the line 05 01 03 02 is 9;5;8;1, staked as 1;5;8;9.
    Ws->PasteCombs("05 01 08 02\r\n09 09 09 09\r\n01 05 08 09\r\n");
    PutSystem("4-05-0_0007.dat", "05 01 03 02\r\n01 02 02 01\r\n");
    auto system = Ws->SystemPrepare();
    ASSERT_TRUE(system) << (Shell.Errors().empty() ? "" : Shell.Errors()[0]);
    EXPECT_EQ(system->Map, (TByteArray{5, 1, 8, 2, 9}));
    EXPECT_EQ(SystemPlayComment(TSystemPlayMode::WholeSystem, 5, system->FileName),
              "Системная игра для 5 чисел [вся система]: 4-05-0_0007");

    ASSERT_TRUE(Ws->SystemPlay(TSystemPlayMode::WholeSystem, *system, 101, 1, "S"));
    std::vector<TStakeRecord> r = Records();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Kind, skSystem);
    EXPECT_EQ(r[0].DrawNumber, 101);
    EXPECT_EQ(r[0].NumbersText(), "1;5;8;9");
    EXPECT_EQ(r[0].Sample, 2); // the system's combinations
    EXPECT_EQ(r[0].CommentText(), "S");
    EXPECT_EQ(r[1].NumbersText(), "1;1;5;5");

    // Listed only: 1;5;8;9 is in the list, 1;1;5;5 is not. A new group starts with a separator.
    ASSERT_TRUE(Ws->SystemPlay(TSystemPlayMode::ListedOnly, *system, 100, 1, "L"));
    r = Records();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[2].Kind, skNone);
    EXPECT_EQ(r[3].NumbersText(), "1;5;8;9");
    EXPECT_EQ(r[3].Sample, 3);     // the list's size
    EXPECT_TRUE(r[3].IsChecked()); // draw 100 is in the archive: checked at once
    EXPECT_EQ(r[3].Matched.Count, 4);

    // With only 9;5;8;1 in the list the combination is skipped.
    Ws->PasteCombs("09 05 08 01\r\n02 02 02 02\r\n");
    system = Ws->SystemPrepare();
    ASSERT_TRUE(system);
    EXPECT_EQ(system->Map, (TByteArray{9, 5, 8, 1, 2}));
    const int64_t before = Ws->StakesCount();
    ASSERT_TRUE(Ws->SystemPlay(TSystemPlayMode::ListedOnly, *system, 101, 1, "L"));
    // 05 01 03 02 -> 2;9;8;5 sorted 2;5;8;9 and 01 02 02 01 -> 9;5;5;9: neither listed.
    EXPECT_EQ(Ws->StakesCount() - before, 1); // the group's separator only
}

TEST_F(SystemPlay, NoSystemOrABadOneMakesNoStake) {
    Start({MakeDraw(100, {1, 5, 8, 9})});
    Ws->PasteCombs("03 03 07 07\r\n");
    EXPECT_FALSE(Ws->SystemPrepare());
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0].rfind("Система для 2 чисел не найдена или не загружена на компьютер!\r\r", 0),
              0u);

    Ws->PasteCombs("01 02 03 04\r\n05 05 05 05\r\n");
    PutSystem("4-05-0_0001.dat", "01 02 03 04\r\n01 02 03 06\r\n");
    EXPECT_FALSE(Ws->SystemPrepare());
    ASSERT_EQ(Shell.Errors().size(), 2u);
    EXPECT_EQ(Shell.Errors()[1],
              "Ошибка загрузки комбинаций системы!\r\rСтрока 2: число 6 вне диапазона 1-5");
    EXPECT_EQ(Ws->StakesCount(), 0);
}

TEST_F(SystemPlay, FailedAddEndsThePlayWithoutCheck) {
    Start({MakeDraw(100, {1, 2, 3, 4})});
    Ws->PasteCombs("01 02 03 04\r\n05 05 05 05\r\n");
    PutSystem("4-05-0_0001.dat", "01 02 03 04\r\n01 02 03 05\r\n01 02 04 05\r\n");
    auto system = Ws->SystemPrepare();
    ASSERT_TRUE(system);
    int adds = 0;
    Ws->Stakes().SetFaultHook([&](TFileStep s) { return s == TFileStep::Append && ++adds == 2; });
    EXPECT_FALSE(Ws->SystemPlay(TSystemPlayMode::WholeSystem, *system, 100, 1, "S"));
    Ws->Stakes().SetFaultHook(nullptr);
    EXPECT_EQ(adds, 2);
    ASSERT_EQ(Ws->StakesCount(), 1);
    EXPECT_FALSE(Ws->Stakes().Read(0).IsChecked());
}

TEST_F(SystemPlay, SwitchIsOffAtEveryStartAndWrittenWhenChanged) {
    Start();
    EXPECT_FALSE(Ws->SystemsEnabled());
    Ws->SetSystemsEnabled(true);
    EXPECT_TRUE(Ws->SystemsEnabled());
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "SystemsEnabled", ""), "1");
    Restart();
    EXPECT_FALSE(Ws->SystemsEnabled());
    Ws->SetSystemsEnabled(false);
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "SystemsEnabled", ""), "0");
}
