#include "app/WorkspaceFixture.h"

#include <functional>

#include "core/Error.h"

using namespace qx;
using namespace qx::test;

namespace {

class Recorder : public TWorkspaceObserver {
public:
    int Lists = 0, Offsets = 0, Refreshes = 0;
    void DrawsListChanged(bool) override { ++Lists; }
    void DrawsOffsetChanged() override { ++Offsets; }
    void RefreshViews(bool) override { ++Refreshes; }
};

TDrawsArray Archive(int count, int firstNumber = 1) {
    TDrawsArray a;
    for (int i = 0; i < count; ++i) a.push_back(MakeDraw(firstNumber + i, {i % 10, 1, 2, 3}));
    return a;
}

} // namespace

using Workspace = WorkspaceFixture;

TEST_F(Workspace, EmptyArchiveStatusAndProposedDraw) {
    Start();
    EXPECT_EQ(Ws->StatusPanelText(0), "Архив тиражей: 0");
    EXPECT_EQ(Ws->StatusPanelText(1), "Следующий тираж: 1");
    EXPECT_EQ(Ws->StatusPanelText(2), "");
    EXPECT_EQ(Ws->ProposedDraw().Number, 1);
    EXPECT_EQ(Ws->ProposedDraw().LabelLength, 0);
    EXPECT_TRUE(Shell.Errors().empty());
}

TEST_F(Workspace, OffsetMovesTheCurrentDrawAndNotifies) {
    Start(Archive(10, 1491));
    Recorder rec;
    Ws->AddObserver(&rec);
    Ws->SetDrawsOffset(5);
    EXPECT_EQ(Ws->DrawsOffset(), 5);
    EXPECT_EQ(Ws->CurrentDrawIndex(), 4);
    EXPECT_EQ(Ws->StatusPanelText(1), "Следующий тираж: 1496");
    EXPECT_EQ(Ws->StatusPanelText(2), "5;1;2;3");  // the draw in row 4
    EXPECT_EQ(rec.Offsets, 1);
    EXPECT_EQ(rec.Refreshes, 1);
    Ws->SetDrawsOffset(5);  // same value: nothing happens
    EXPECT_EQ(rec.Refreshes, 1);
    Ws->SetDrawsOffset(100);
    EXPECT_EQ(Ws->DrawsOffset(), 9);
    Ws->SuspendViews();
    Ws->SetDrawsOffset(0);
    EXPECT_EQ(rec.Refreshes, 2);
    Ws->ResumeViews();
    Ws->RemoveObserver(&rec);
}

TEST_F(Workspace, AddEditDeleteAreSavedAtOnce) {
    Start(Archive(3));
    TDrawRecord proposed = Ws->ProposedDraw();
    EXPECT_EQ(proposed.Number, 4);
    Ws->AddDraw(MakeDraw(4, {9, 9, 9, 9}));
    Ws->ReplaceDrawAtRow(1, MakeDraw(33, {0, 0, 0, 1}));  // row 1 = index 2
    Restart();
    ASSERT_EQ(Ws->Draws().size(), 4u);
    EXPECT_EQ(Ws->Draws()[2].Number, 33);
    EXPECT_EQ(Ws->Draws()[3].Digits[0], 9);

    Shell.Answers = {false};
    EXPECT_FALSE(Ws->DeleteDrawRows({0, 1}));
    EXPECT_EQ(Shell.Messages.back().Text, "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
    EXPECT_EQ(Ws->Draws().size(), 4u);
    EXPECT_TRUE(Ws->DeleteDrawRows({0, 1}));
    Restart();
    ASSERT_EQ(Ws->Draws().size(), 2u);
    EXPECT_EQ(Ws->Draws()[1].Number, 2);
}

TEST_F(Workspace, DeletingADuplicateNumberRemovesTheRecordIndexOfNumberFinds) {
    Start({MakeDraw(1, {1, 1, 1, 1}), MakeDraw(2, {2, 2, 2, 2}), MakeDraw(2, {3, 3, 3, 3})});
    Ws->SetDrawsOffset(2);
    Ws->DeleteDrawRows({0});  // shows the second "2"; the search finds the last record first
    ASSERT_EQ(Ws->Draws().size(), 2u);
    EXPECT_EQ(Ws->Draws()[1].Digits[0], 2);
    EXPECT_EQ(Ws->DrawsOffset(), 1);  // the offset follows the shorter archive
}

TEST_F(Workspace, FailedSaveKeepsTheOldFileAndReports) {
    Start(Archive(2));
    auto file = Dir / "Quadrix_4d10.ldr";
    std::string before = ReadBytes(file);
    {
        TFileSizeLimit limit(60);  // as a full disk does, for root too
        EXPECT_FALSE(RunCommand(Shell, [&] { Ws->AddDraw(MakeDraw(3, {1, 2, 3, 4})); }));
    }
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка записи в файл тиражей!\r\r", 0), 0u);
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(Ws->Draws().size(), 3u);  // the archive in memory keeps the draw
    EXPECT_FALSE(Shell.IsBusy());
    EXPECT_EQ(Shell.Status, "");
}

TEST_F(Workspace, AnArchiveThatFailedToLoadIsNeverWritten) {
    std::filesystem::create_directory(Dir / "Quadrix_4d10.ldr");  // cannot be read, also by root
    WriteBytes(Dir / "new.csv", "1;\"03/07/2019 M\";1;2;3;4\r\n");
    Start();
    ASSERT_EQ(Shell.Errors().size(), 1u);
    const std::string loadError = Shell.Errors()[0];
    EXPECT_EQ(loadError.rfind("Ошибка чтения файла тиражей!\r\r", 0), 0u);
    // Each command that would write the archive refuses with the load error, and changes nothing.
    for (const std::function<void()>& command :
         {std::function<void()>([&] { Ws->AddDraw(MakeDraw(1, {1, 2, 3, 4})); }),
          std::function<void()>([&] { Ws->ImportDraws(Dir / "new.csv"); }),
          std::function<void()>([&] { Ws->DeleteDrawNumbers({1}); })}) {
        EXPECT_FALSE(RunCommand(Shell, command));
        EXPECT_EQ(Shell.Errors().back(), loadError);
    }
    EXPECT_FALSE(Ws->SaveDraws());
    EXPECT_TRUE(std::filesystem::is_directory(Dir / "Quadrix_4d10.ldr"));
    EXPECT_TRUE(Ws->Draws().empty());
    EXPECT_FALSE(Shell.IsBusy());
}

TEST_F(Workspace, RecordsNoDrawCanHaveAreCountedOnceAtLoad) {
    TDrawsArray draws = Archive(4);
    draws[1].Digits[2] = 12;
    draws[3].Number = 0;
    Start(draws);
    EXPECT_TRUE(Shell.Errors().empty());
    EXPECT_EQ(Shell.Texts(TMessageKind::Warning),
              std::vector<std::string>{"Файл тиражей содержит некорректные записи (номер тиража не больше 0 или число "
                                       "больше 9): 2"});
    EXPECT_EQ(Ws->Draws().size(), 4u);
    // Draw numbers stop one below the largest integer, so the next one never wraps.
    EXPECT_FALSE(RunCommand(Shell, [&] { Ws->AddDraw(MakeDraw(2147483647, {1, 2, 3, 4})); }));
    EXPECT_EQ(Shell.Errors().back(), "Некорректный номер тиража: 2147483647");
}

TEST_F(Workspace, ImportReadFailureAppendsNothing) {
    Start(Archive(2));
    EXPECT_FALSE(RunCommand(Shell, [&] { Ws->ImportDraws(Dir / "missing.csv"); }));
    EXPECT_EQ(Ws->Draws().size(), 2u);
    EXPECT_FALSE(Shell.IsBusy());
    EXPECT_EQ(Shell.Status, "");
}

TEST_F(Workspace, RealArchiveImportsAndExportsByteIdentical) {
    QX_REQUIRE_REAL_ARCHIVE();
    Start();
    TCsvImportResult r = Ws->ImportDraws(RealArchiveCsv());
    EXPECT_EQ(r.Added, 13788);
    EXPECT_EQ(Ws->StatusPanelText(0), "Архив тиражей: 13788");
    EXPECT_EQ(Ws->StatusPanelText(1), "Следующий тираж: 13789");
    Ws->ExportDraws(Dir / "out.csv");
    EXPECT_EQ(ReadBytes(Dir / "out.csv"), ReadBytes(RealArchiveCsv()));
    EXPECT_EQ(Ws->ImportDraws(Dir / "out.csv").Added, 0);
    EXPECT_EQ(std::filesystem::file_size(Dir / "Quadrix_4d10.ldr"), 13788u * 24);
}
