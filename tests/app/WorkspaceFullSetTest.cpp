#include "app/WorkspaceFixture.h"

#include <cstring>
#include <thread>

#include "core/IniFile.h"
#include "stats/FullSetFile.h"

using namespace qx;
using namespace qx::test;

namespace {

class FullSets : public WorkspaceFixture {
protected:
    void StartWith(bool comparison, TSwitches switches = {}) {
        WriteBytes(Dir / "Quadrix_4d10.frm", std::string("[TFormMain]\r\nPrefetchsInit=1\r\nPrefetchsEnabled=") +
                                                 (comparison ? "1" : "0") + "\r\n");
        TWorkspaceOptions o;
        o.ProgramDir = Dir.Path();
        o.Switches = switches;
        Ws = std::make_unique<TWorkspace>(Shell, o);
        Ws->StartFirstStage();
        Running = Ws->StartSecondStage();
    }
    int Method(const char* code) { return Ws->Stats().IndexOfCode(code); }
    std::filesystem::path File(const char* code) { return Ws->FullSetFile(Method(code)); }
    int FileCount() {
        int n = 0;
        std::error_code ec;
        for (auto& e : std::filesystem::directory_iterator(Dir / "Prefetchs", ec)) n += e.is_regular_file();
        return n;
    }
    int FullSetMethods() {
        int n = 0;
        for (int i = 0; i < Ws->Stats().Count(); ++i) n += Ws->Stats().HasFullSet(i);
        return n;
    }
    bool Running = false;
};

} // namespace

TEST_F(FullSets, ComparisonOffBuildsNothing) {
    StartWith(false);
    EXPECT_TRUE(Running);
    EXPECT_FALSE(Ws->OpenFullSet(Method("NUMS")));
    EXPECT_FALSE(std::filesystem::exists(Dir / "Prefetchs"));
}

TEST_F(FullSets, StartUpBuildsTheMissingFilesWhenTheComparisonIsOn) {
    StartWith(true);
    EXPECT_EQ(FileCount(), FullSetMethods());
    EXPECT_EQ(File("NUMS").filename(), "Quadrix_4d10_NUMS.dfc");
    EXPECT_FALSE(Shell.IsBusy());
    EXPECT_FALSE(Shell.Progress().Open);
    ASSERT_FALSE(Shell.ProgressLog.empty());
    EXPECT_EQ(Shell.ProgressLog.front().Text, "Создание файлов для полного набора комбинаций...");
    EXPECT_EQ(Shell.ProgressLog.front().Steps, Ws->Stats().Count());
}

TEST_F(FullSets, DamagedFilesAreBuiltAgainOnOpen) {
    StartWith(true);
    std::string good = ReadBytes(File("EVEN"));
    auto patched = [&](size_t at, int32_t value) {
        std::string bytes = good;
        std::memcpy(bytes.data() + at, &value, sizeof value);
        return bytes;
    };
    const size_t trailer = good.size() - kFullSetRecordSize;
    // Empty, truncated, a count of 0, a negative or huge count, a key the method never gives,
    // a zeroed trailer.
    for (std::string damaged : {std::string(), good.substr(0, 30), good.substr(0, 5), patched(8, 0), patched(8, -396),
                                patched(8, 212869317), patched(0, 0x7530), patched(trailer, 0)}) {
        WriteBytes(File("EVEN"), damaged);
        auto set = Ws->OpenFullSet(Method("EVEN"));
        ASSERT_TRUE(set);
        EXPECT_EQ(set->FullMax, 3750);
        EXPECT_EQ(ReadBytes(File("EVEN")), good);
    }
    EXPECT_TRUE(Shell.Errors().empty());
}

TEST_F(FullSets, AFailedBuildKeepsTheOldFileAndTheTableGoesWithoutNorms) {
    StartWith(true);
    const std::string good = ReadBytes(File("NUMS"));
    std::filesystem::remove(File("EVEN"));
    {
        TFileSizeLimit full(50);  // as a full disk does
        Ws->BuildFullSetFiles(true, 1u << 0);  // group 0 holds NUMS
        EXPECT_FALSE(Ws->OpenFullSet(Method("EVEN")));
    }
    ASSERT_FALSE(Shell.Errors().empty());
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка создания файла данных для полного набора вариантов!\r\rИмя файла: ", 0), 0u);
    EXPECT_EQ(ReadBytes(File("NUMS")), good);
    EXPECT_FALSE(std::filesystem::exists(File("EVEN")));
    EXPECT_TRUE(TempFilesUnder(Dir.Path()).empty());
}

TEST_F(FullSets, ConfigurationChangesRebuildOnlyTheirGroups) {
    StartWith(true);
    auto before = std::filesystem::last_write_time(File("NUMS"));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    TConfigData c = Ws->Config();
    c.MatrixCols = 4;  // group 4: no files of that group exist yet, nothing else may be touched
    Ws->SaveConfig(c);
    EXPECT_EQ(std::filesystem::last_write_time(File("NUMS")), before);
    Ws->BuildFullSetFiles(false, 1u << 0);  // group 0 holds NUMS
    EXPECT_GT(std::filesystem::last_write_time(File("NUMS")), before);
}

// A new channel width or segment table: the variants follow it, only the files of the changed
// group are written again, and the table on screen is computed anew.
TEST_F(FullSets, ANewWidthOrSegmentTableReachesVariantsFilesAndTheVisibleTable) {
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", DigitDraws({"0189", "5555"}));
    StartWith(true);
    ASSERT_TRUE(Running);
    ASSERT_TRUE(Ws->StatTab().Chooser().SelectMethod(Method("CHAN")));
    Ws->RefreshViews(false);
    EXPECT_EQ(Ws->StatTab().Table().Size(), 5);
    EXPECT_EQ(Method("CHN10"), -1);
    auto stamp = [&](const char* code) { return std::filesystem::last_write_time(File(code)); };
    const auto nums = stamp("NUMS"), chan = stamp("CHAN"), sgms = stamp("SGMS");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));

    TConfigData c = Ws->Config();
    c.ChannelSize = 1;
    Ws->ChangeConfig(c);
    for (const char* code : {"CHN1", "CHN6", "CHN10"}) EXPECT_GE(Method(code), 0) << code;
    EXPECT_EQ(Method("CHN11"), -1);
    EXPECT_EQ(Ws->StatTab().Table().Size(), 10);
    bool tenth = false;
    for (int r = 0; r < Ws->StatTab().Table().Size(); ++r) tenth |= Ws->StatTab().Table().Text(r, TStatColumn::Value) == "10 [9-9]";
    EXPECT_TRUE(tenth);
    EXPECT_GT(stamp("CHAN"), chan);
    EXPECT_EQ(DecodeFullSet(ReadBytes(File("CHAN")))->Records.size(), 10u);
    EXPECT_TRUE(std::filesystem::exists(File("CHN10")));
    EXPECT_EQ(stamp("NUMS"), nums);
    EXPECT_EQ(stamp("SGMS"), sgms);

    const auto chanNow = stamp("CHAN");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    c.SetMatrixSegmentsText("1234123412341234123412341234123412341234");
    ASSERT_TRUE(Ws->StatTab().Chooser().SelectMethod(Method("SGMS")));
    Ws->ChangeConfig(c);
    EXPECT_EQ(Method("SGM5"), -1);
    for (const char* code : {"SGM1", "SGM4"}) EXPECT_GE(Method(code), 0) << code;
    EXPECT_EQ(Ws->StatTab().Table().Size(), 4);
    EXPECT_GT(stamp("SGMS"), sgms);
    EXPECT_EQ(stamp("CHAN"), chanNow);
    EXPECT_EQ(stamp("NUMS"), nums);
    EXPECT_TRUE(Shell.Errors().empty());
}

TEST_F(FullSets, BuildingLeavesTheWorkingListAndItsUndoCopyAlone) {
    StartWith(true);
    Ws->DeleteSelectedCombs({0, 1, 2});
    std::filesystem::remove(File("POS1"));
    ASSERT_TRUE(Ws->OpenFullSet(Method("POS1")));
    EXPECT_EQ(Ws->Combs().Count(), 9997);
    EXPECT_EQ(Ws->Combs().UndoList().size(), 10000u);
}

TEST_F(FullSets, BatchSwitchesBuildAndQuit) {
    TSwitches refresh;
    refresh.FullRefresh = true;
    StartWith(false, refresh);
    EXPECT_FALSE(Running);
    EXPECT_TRUE(Ws->QuitRequested());
    EXPECT_EQ(FileCount(), FullSetMethods());  // built although the comparison is off

    auto before = std::filesystem::last_write_time(File("POS4"));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Ws.reset();
    TSwitches recreate;
    recreate.FullRecreate = true;
    StartWith(false, recreate);
    EXPECT_FALSE(Running);
    EXPECT_GT(std::filesystem::last_write_time(File("POS4")), before);
}
