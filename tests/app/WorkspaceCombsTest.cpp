#include "app/WorkspaceFixture.h"

#include "core/FileIO.h"

#include <algorithm>

using namespace qx;
using namespace qx::test;

namespace {
TDrawsArray FiveDraws() {
    return {MakeDraw(1, {0, 0, 0, 0}), MakeDraw(2, {1, 1, 1, 1}), MakeDraw(3, {2, 2, 2, 2}),
            MakeDraw(4, {3, 3, 3, 3}), MakeDraw(5, {4, 4, 4, 4})};
}
} // namespace

using WorkspaceCombs = WorkspaceFixture;

TEST_F(WorkspaceCombs, StartUpGeneratesTheStoredDefaults) {
    WriteBytes(Dir / "Quadrix_4d10.ini", "[GLOBAL]\r\nCombsGenerateMode=2\r\nCombsGenerateParameters=1;2\r\n");
    Start();
    EXPECT_EQ(Ws->Combs().Count(), 16);
    EXPECT_EQ(Ws->StatusPanelText(3), "Комбинаций: 16");
    EXPECT_FALSE(Ws->Combs().CanUndo());
}

TEST_F(WorkspaceCombs, AStoredModeOutOfRangeGivesTheFullList) {
    // As the generation dialog shows it, not the nearest mode: mode 3 with "1" would keep 6561.
    WriteBytes(Dir / "Quadrix_4d10.ini", "[GLOBAL]\r\nCombsGenerateMode=7\r\nCombsGenerateParameters=1\r\n");
    Start();
    EXPECT_EQ(Ws->Combs().Count(), 10000);
    EXPECT_TRUE(Ws->GenerateCombs({-1, "1"}, true));
    EXPECT_EQ(Ws->Combs().Count(), 10000);
    EXPECT_FALSE(Ws->GenerateCombs({4, (Dir / "missing.lcv").string()}, true));
    EXPECT_EQ(Ws->Combs().Count(), 0);
}

TEST_F(WorkspaceCombs, AStartListIsMadeOnceAndCopiedWhileItsParametersStay) {
    Start(FiveDraws());
    WriteBytes(Dir / "own.lcv", "1;2;3;4\r\n5;6;7;8\r\n");
    const TCombsGenParams fromFile{4, (Dir / "own.lcv").string()};
    TStartList start;
    ASSERT_TRUE(Ws->StartCombs(fromFile, start));
    EXPECT_EQ(Ws->Combs().Count(), 2);
    // A step of the first variant leaves an undo copy, a journal row and a buffer behind.
    Ws->SaveCombsUndo(false);
    Ws->ExcludeLastDraws(1);
    Ws->StoreCombsBuffer(0, 10);
    ASSERT_FALSE(Ws->Combs().Journal().empty());
    // The next variant starts from the kept list, as a fresh generation leaves it, without the file.
    std::filesystem::remove(Dir / "own.lcv");
    ASSERT_TRUE(Ws->StartCombs(fromFile, start));
    EXPECT_EQ(Ws->Combs().List(), (TCombsArray{MakeCode(1, 2, 3, 4), MakeCode(5, 6, 7, 8)}));
    EXPECT_TRUE(Ws->Combs().Journal().empty());
    EXPECT_FALSE(Ws->Combs().CanUndo());
    EXPECT_EQ(Ws->Combs().BufferCount(), 0);
    EXPECT_EQ(Ws->StatusPanelText(3), "Комбинаций: 2");
    // Other parameters make their list, and a list that cannot be made is not kept.
    ASSERT_TRUE(Ws->StartCombs({2, "1;2"}, start));
    EXPECT_EQ(Ws->Combs().Count(), 16);
    EXPECT_FALSE(Ws->StartCombs(fromFile, start));
    EXPECT_EQ(Ws->Combs().Count(), 0);
    EXPECT_TRUE(Ws->StartCombs({2, "1;2"}, start));
    EXPECT_EQ(Ws->Combs().Count(), 16);
}

TEST_F(WorkspaceCombs, BufferStoresOncePerKeyAndLoadsWhatItHolds) {
    Start();
    Ws->StoreCombsBuffer(0, 10);
    Ws->StoreCombsBuffer(0, 10);  // same key: nothing
    EXPECT_EQ(std::count(Shell.Statuses.begin(), Shell.Statuses.end(), "Создание буфера комбинаций..."), 1);
    Ws->GenerateCombs({2, "1"}, false);
    EXPECT_FALSE(Ws->LoadCombsBuffer(0, 11));
    EXPECT_EQ(Ws->Combs().Count(), 1);
    EXPECT_TRUE(Ws->LoadCombsBuffer(0, 10));
    EXPECT_EQ(Ws->Combs().Count(), 10000);
    EXPECT_EQ(std::count(Shell.Statuses.begin(), Shell.Statuses.end(), "Загрузка буфера комбинаций..."), 1);
    Ws->ResetCombsBuffer();
    EXPECT_FALSE(Ws->LoadCombsBuffer(0, 10));
    EXPECT_FALSE(Shell.IsBusy());
}

TEST_F(WorkspaceCombs, ExcludeUndoAndJournal) {
    Start(FiveDraws());
    ASSERT_EQ(Ws->Combs().Count(), 10000);
    Ws->SetDrawsOffset(1);  // current draw: 3333
    Ws->CombsDelExists(2);  // 2222 and 3333
    EXPECT_EQ(Ws->Combs().Count(), 9998);
    EXPECT_FALSE(Ws->CombsContains(MakeCode(3, 3, 3, 3)));
    EXPECT_TRUE(Ws->CombsContains(MakeCode(4, 4, 4, 4)));
    ASSERT_EQ(Ws->Combs().Journal().size(), 1u);
    EXPECT_EQ(Ws->Combs().Journal()[0].Caption, "Последние тиражи");
    EXPECT_EQ(Ws->Combs().Journal()[0].Values, "2");
    EXPECT_EQ(Ws->Combs().Journal()[0].Count, 9998);
    EXPECT_TRUE(Ws->Combs().CanUndo());
    EXPECT_NE(std::find(Shell.Statuses.begin(), Shell.Statuses.end(),
                        "Удаление из списка комбинаций 2 последних тиражей ( завершено 99 % )..."),
              Shell.Statuses.end());
    Ws->CombsUndo();
    EXPECT_EQ(Ws->Combs().Count(), 10000);
    EXPECT_TRUE(Ws->Combs().Journal().empty());
    EXPECT_FALSE(Ws->Combs().CanUndo());

    Ws->GenerateCombs({0, ""}, true);
    EXPECT_FALSE(Ws->Combs().CanUndo());
}

TEST_F(WorkspaceCombs, ExclusionBeyondTheArchiveRemovesNothingButLogs) {
    Start(FiveDraws());
    Ws->CombsDelExists(0);
    EXPECT_EQ(Ws->Combs().Count(), 10000);
    Ws->CombsDelExists(1000);  // more draws than the archive has
    EXPECT_EQ(Ws->Combs().Count(), 9995);
    EXPECT_EQ(Ws->Combs().Journal().size(), 2u);
}

TEST_F(WorkspaceCombs, DeleteSelectedRows) {
    Start();
    Ws->DeleteSelectedCombs({0, 2, 2, 9999});
    EXPECT_EQ(Ws->Combs().Count(), 9997);
    EXPECT_EQ(Ws->Combs().List()[0], MakeCode(0, 0, 0, 1));
    EXPECT_EQ(Ws->Combs().List()[1], MakeCode(0, 0, 0, 3));
    EXPECT_EQ(Ws->Combs().Journal().back().Caption, "Выделенные комбинации");
    EXPECT_EQ(Ws->Combs().Journal().back().Values, "3");
}

TEST_F(WorkspaceCombs, PasteErrorKeepsThePreviousList) {
    Start();
    Ws->DeleteSelectedCombs({0});
    Ws->PasteCombs("01 02 03 04\r\n01 02 03\r\n");
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0], "Некорректная комбинация: \"01 02 03\"!");
    EXPECT_EQ(Ws->Combs().Count(), 9999);
    EXPECT_FALSE(Ws->Combs().CanUndo());
    EXPECT_EQ(Ws->Combs().Journal().size(), 1u);  // kept: the list did not change

    Ws->PasteCombs(Ws->CombsCopyText({5, 1}));
    EXPECT_EQ(Ws->Combs().List(), (TCombsArray{MakeCode(0, 0, 0, 2), MakeCode(0, 0, 0, 6)}));
    EXPECT_TRUE(Ws->Combs().Journal().empty());
}

TEST_F(WorkspaceCombs, FilesOpenSaveAndMode4) {
    Start();
    WriteBytes(Dir / "my.lcv", "1;2;3;4\r\n5;6;7;8\r\n");
    Ws->OpenCombs(Dir / "my.lcv");
    EXPECT_EQ(Ws->Combs().Count(), 2);
    Ws->OpenCombs(Dir / "missing.lcv");
    EXPECT_EQ(Ws->Combs().Count(), 2);  // the previous list is restored
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка чтения файла \"", 0), 0u);
    EXPECT_TRUE(Ws->SaveCombsFile(Dir / "out.lcv"));
    EXPECT_EQ(ReadBytes(Dir / "out.lcv"), "1;2;3;4\r\n5;6;7;8\r\n");
    Ws->GenerateCombs({4, (Dir / "out.lcv").string()}, true);
    EXPECT_EQ(Ws->Combs().Count(), 2);
    std::filesystem::create_directory(Dir / "blocked.lcv");  // a folder cannot be replaced by a list
    EXPECT_FALSE(Ws->SaveCombsFile(Dir / "blocked.lcv"));
    EXPECT_EQ(Shell.Errors().back().rfind("Ошибка записи в файл \"", 0), 0u);
    EXPECT_FALSE(Shell.IsBusy());
}

TEST_F(WorkspaceCombs, GenerationDefaultsAreWrittenOnRequest) {
    Start();
    Ws->SaveCombsGenDefaults({3, "0;9"});
    EXPECT_EQ(Ws->Stats().GenerateMode().Mode, 3);  // the registry reads the same defaults
    Restart();
    EXPECT_EQ(Ws->CombsGenDefaults().Mode, 3);
    EXPECT_EQ(Ws->Combs().Count(), 4096);

    // A parameter is kept to 255 characters, whole ones: 200 Cyrillic letters (400 bytes here,
    // 200 in the file) survive, and a longer text loses its tail, not half a letter.
    std::string letters;
    for (int i = 0; i < 200; ++i) letters += "ж";
    Ws->SaveCombsGenDefaults({4, letters});
    EXPECT_EQ(Ws->CombsGenDefaults().Parameters, letters);
    Ws->SaveCombsGenDefaults({4, letters + letters});
    std::string kept;
    for (int i = 0; i < 255; ++i) kept += "ж";
    EXPECT_EQ(Ws->CombsGenDefaults().Parameters, kept);
    Restart();
    EXPECT_EQ(Ws->CombsGenDefaults().Parameters, kept);
}

TEST_F(WorkspaceCombs, InfoBoxes) {
    Start(FiveDraws());
    Ws->CheckUniqueNumbers();
    Ws->FindCombInArchive(MakeCode(2, 2, 2, 2));
    auto info = Shell.Texts(TMessageKind::Info);
    ASSERT_EQ(info.size(), 2u);
    EXPECT_EQ(info[0], "В текущем списке комбинаций содержится 10 уникальных номеров");
    EXPECT_EQ(info[1], "Выделенная комбинация найдена в следующих тиражах:\r\rТираж № 3 от 03/07/2019 M, значения: 2;2;2;2");
}
