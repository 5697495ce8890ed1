#include "app/WorkspaceFixture.h"
#include <cstring>

#include "app/StakeForms.h"

#include "core/Error.h"
#include "core/IniFile.h"
#include "core/Text.h"
#include "scripts/RatingsText.h"
#include "stakes/StakesGrid.h"

using namespace qx;
using namespace qx::test;

namespace {

std::string FileBytes(const std::filesystem::path& p) { return ReadBytes(p); }

} // namespace

class WorkspaceStakes : public WorkspaceFixture {
protected:
    TDrawsArray Archive() { return {MakeDraw(100, {1, 2, 3, 4}), MakeDraw(101, {1, 2, 4, 3}), MakeDraw(102, {9, 9, 9, 9})}; }
    std::string Cell(int64_t record, int column) {
        return StakeCellText(Ws->Stakes().Read(record), column, '.');
    }
    std::filesystem::path Lrt() const { return Dir / "Quadrix_4d10.lrt"; }
};

TEST_F(WorkspaceStakes, AStakeForSeveralDrawsIsCheckedRatedAndCounted) {
    WriteBytes(Dir / "Quadrix_4d10.ini", "[STAKES]\r\nCost=1\r\nProfits=2\r\nProfit_0_Overlap=4\r\nProfit_0_Profit=5000\r\n"
                                         "Profit_1_Overlap=2\r\nProfit_1_Profit=0.5\r\n");
    Start(Archive());
    EXPECT_FALSE(std::filesystem::exists(Lrt()));  // no ratings yet: no file is written
    Ws->SetDrawsOffset(2);  // the current draw is 100: the stake goes on 101
    TStakeRecord proposed = Ws->ProposedStake(MakeCode(1, 2, 3, 4));
    EXPECT_EQ(proposed.DrawNumber, 101);
    EXPECT_EQ(proposed.Kind, skManual);
    EXPECT_EQ(proposed.Sample, 10000);
    EXPECT_EQ(proposed.CommentText(), "Ставка \"вручную\"");
    EXPECT_EQ(proposed.Profit, -10000);
    ASSERT_TRUE(Ws->StakeAdd(proposed, 3));
    // 101, separator, 102, separator, 103; the first two checked at once.
    ASSERT_EQ(Ws->StakesCount(), 5);
    EXPECT_EQ(Cell(0, stcMatchCount), "2");
    EXPECT_EQ(Cell(0, stcProfit), "-0.50");
    EXPECT_EQ(Cell(2, stcMatchCount), "0");
    EXPECT_EQ(Cell(4, stcMatchCount), "");
    EXPECT_EQ(Ws->StatusPanelText(4), "Ставок: 5");
    EXPECT_EQ(Ws->StatusPanelText(5), "Рейтинг: 1");
    ASSERT_EQ(Ws->Ratings().Count(), 1);
    EXPECT_EQ(Ws->Ratings().Row(0).Stakes, 2);
    EXPECT_EQ(Ws->Ratings().Row(0).Profit, -15000);
    EXPECT_EQ(std::filesystem::file_size(Lrt()), 296u);  // saved after the check
    EXPECT_TRUE(Shell.Errors().empty());

    // Draw 103 arrives: the next check takes the stake that waited, and only that one.
    Ws->AddDraw(MakeDraw(103, {1, 2, 3, 4}));
    EXPECT_TRUE(Ws->StakesCheck());
    EXPECT_EQ(Ws->LastCheckedCount(), 1);
    EXPECT_EQ(Cell(4, stcProfit), "4999.00");
    EXPECT_FALSE(Ws->StakesCheck());
    EXPECT_EQ(Ws->Ratings().Row(0).MatchCounts[4], 1);

    // Everything survives a restart: stakes as written, ratings as saved.
    const std::string lsk = FileBytes(Dir / "Quadrix_4d10.lsk");
    Restart();
    EXPECT_EQ(FileBytes(Dir / "Quadrix_4d10.lsk"), lsk);
    EXPECT_EQ(Ws->Ratings().Row(0).Stakes, 3);
}

TEST_F(WorkspaceStakes, NumbersPastTheLargestDrawAreRefusedBeforeWriting) {
    Start({MakeDraw(2147483647, {1, 2, 3, 4})});
    try {
        Ws->ProposedStake(std::nullopt);
        FAIL() << "no refusal";
    } catch (const TAppError& e) {
        EXPECT_EQ(std::string(e.what()), "Ошибка добавления записи в файл ставок!\r\rНомер тиража 2147483648 больше 2147483647!");
    }
    TStakeRecord r = NewStake(skManual, 2147483640, StakeNumbersOf(MakeCode(1, 2, 3, 4)), 1, "x", {});
    EXPECT_FALSE(Ws->StakeAdd(r, 9));
    EXPECT_EQ(Shell.Errors().back(), "Ошибка добавления записи в файл ставок!\r\rНомер тиража 2147483648 больше 2147483647!");
    EXPECT_EQ(Ws->StakesCount(), 0);
}

TEST_F(WorkspaceStakes, AnOutdatedFileIsBackedUpAndAnUncopyableOneStopsTheStart) {
    WriteBytes(Dir / "Quadrix_4d10.lsk", std::string(305, '\x02'));
    Start();
    EXPECT_EQ(Shell.Texts(TMessageKind::Notice),
              (std::vector<std::string>{"Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут удалены!"}));
    EXPECT_EQ(std::filesystem::file_size(Dir / "Quadrix_4d10.lsk"), 0u);
    EXPECT_EQ(FileBytes(Dir / "Quadrix_4d10.lsk.bak"), std::string(305, '\x02'));
    Ws.reset();

    // The backup cannot take its name (a folder is in the way): nothing is emptied, the start ends.
    std::filesystem::remove(Dir / "Quadrix_4d10.lsk.bak");
    std::filesystem::create_directories(Dir / "Quadrix_4d10.lsk.bak" / "x");
    WriteBytes(Dir / "Quadrix_4d10.lsk", "\x01" + std::string(303, '\0'));
    Shell.Messages.clear();
    TWorkspaceOptions o;
    o.ProgramDir = Dir.Path();
    Ws = std::make_unique<TWorkspace>(Shell, o);
    Ws->StartFirstStage();
    EXPECT_FALSE(Ws->StartSecondStage());
    EXPECT_TRUE(Ws->QuitRequested());
    ASSERT_EQ(Shell.Errors().size(), 2u);
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка чтения файла ставок!\r\r", 0), 0u);
    EXPECT_EQ(Shell.Errors()[1], kExclusiveAccessMessage);
    EXPECT_EQ(std::filesystem::file_size(Dir / "Quadrix_4d10.lsk"), 304u);
}

TEST_F(WorkspaceStakes, DeletingAsksAndClearingOffersTheRatingsRebuild) {
    Start(Archive());
    for (int d : {100, 101, 102}) Ws->StakesAdd(NewStake(skManual, d, StakeNumbersOf(MakeCode(1, 2, 3, 4)), 1, "a", {}), 1, true);
    Ws->StakesCheck();
    Shell.Answers = {false};
    EXPECT_FALSE(Ws->StakeDel(1, 2));
    EXPECT_EQ(Shell.Texts(TMessageKind::AskDelete).back(),
              "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
    EXPECT_EQ(Ws->StakesCount(), 3);
    Shell.Answers = {true};
    EXPECT_TRUE(Ws->StakeDel(2, 2));
    EXPECT_EQ(Shell.Texts(TMessageKind::AskDelete).back(), "Удалить выделенную запись?");
    EXPECT_EQ(Ws->StakesCount(), 2);
    EXPECT_EQ(Ws->Ratings().Row(0).Stakes, 3);  // the rating keeps what it was given

    EXPECT_TRUE(Ws->StakesDeleteByCondition(scEqual, 4));
    EXPECT_EQ(Ws->StakesCount(), 1);

    Shell.Answers = {true, false};  // delete, but keep the rating
    EXPECT_TRUE(Ws->StakeClear());
    EXPECT_EQ(Ws->StakesCount(), 0);
    EXPECT_EQ(Ws->Ratings().Count(), 1);
    EXPECT_EQ(Shell.Texts(TMessageKind::AskNo).back(),
              "Пересчитать рейтинг только по текущим ставкам?\r\rНакопленные ранее данные по удаленным ставкам будут "
              "потеряны.");
    EXPECT_TRUE(Ws->RatingsRefresh());  // answered yes by default
    EXPECT_EQ(Ws->Ratings().Count(), 0);
    EXPECT_EQ(std::filesystem::file_size(Lrt()), 0u);
}

TEST_F(WorkspaceStakes, RatingsKeepTheirSortAndAnUnreadableFileIsNotOverwritten) {
    WriteBytes(Dir / "Quadrix_4d10.frm", "[TFormMain]\r\nlvRatings.SortType=1,0\r\n");
    Start(Archive());
    EXPECT_EQ(Ws->RatingsSort().Column, 1);
    EXPECT_FALSE(Ws->RatingsSort().Descending);
    Ws->StakesAdd(NewStake(skManual, 100, StakeNumbersOf(MakeCode(1, 2, 3, 4)), 1, "two", {}), 2, true);
    Ws->StakesAdd(NewStake(skManual, 100, StakeNumbersOf(MakeCode(1, 2, 3, 4)), 1, "one", {}), 1, true);
    Ws->StakesCheck();
    ASSERT_EQ(Ws->Ratings().Count(), 2);
    EXPECT_EQ(Ws->Ratings().Row(0).KeyText(), "one");
    Ws->SetRatingsSort({1, true});
    EXPECT_EQ(Ws->Ratings().Row(0).KeyText(), "two");
    EXPECT_EQ(ReadBytes(Lrt()).substr(1, 3), "two");

    Ws.reset();
    std::filesystem::remove(Lrt());
    std::filesystem::create_directory(Lrt());  // cannot be read
    Shell.Messages.clear();
    Start();
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка чтения файла рейтинга!\r\r", 0), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(Lrt()));
}

TEST_F(WorkspaceStakes, StakeLogsAndTheirDeletion) {
    Start(Archive());
    Ws->LogStakesDelete();
    EXPECT_EQ(Shell.Texts(TMessageKind::Info).back(), "Файлы журналов не найдены!");
    Ws->SetFormKey("StakesLogEnabled", true);
    Ws->StakesAdd(NewStake(skManual, 100, StakeNumbersOf(MakeCode(1, 2, 3, 4)), 1, "a", {}), 2, true);
    Ws->StakesCheck();
    EXPECT_TRUE(std::filesystem::exists(Dir / "Quadrix_4d10-4.log"));
    EXPECT_TRUE(std::filesystem::exists(Dir / "Quadrix_4d10-2.log"));
    Ws->LogStakesDelete();
    EXPECT_EQ(Shell.Texts(TMessageKind::Info).back(), "Удаление файлов завершено.\r\rУдалено файлов: 2 из 2.");
    EXPECT_FALSE(std::filesystem::exists(Dir / "Quadrix_4d10-4.log"));
}

TEST_F(WorkspaceStakes, GraphsOfProfitsAndOfTheSelectedRatingRows) {
    WriteBytes(Dir / "Quadrix_4d10.ini", "[STAKES]\r\nCost=1\r\nProfits=1\r\nProfit_0_Overlap=2\r\nProfit_0_Profit=3\r\n");
    Start(Archive());
    EXPECT_THROW(Ws->StakesGraphDraws(), TAppError);
    Ws->StakesAdd(NewStake(skManual, 100, StakeNumbersOf(MakeCode(1, 2, 0, 0)), 1, "a", Ws->Config()), 1, true);
    Ws->StakesAdd(NewStake(skManual, 100, StakeNumbersOf(MakeCode(0, 0, 0, 0)), 1, "b", Ws->Config()), 1, true);
    Ws->StakesAdd(NewStake(skManual, 101, StakeNumbersOf(MakeCode(1, 2, 0, 0)), 1, "A", Ws->Config()), 1, true);
    Ws->StakesAdd(NewStake(skManual, 200, StakeNumbersOf(MakeCode(0, 0, 0, 0)), 1, "a", Ws->Config()), 1, true);
    Ws->StakesCheck();
    const TGraphPlot plot = Ws->StakesGraphDraws();
    EXPECT_EQ(plot.Caption, "График суммарного профита ставок по тиражам");
    std::vector<double> totals, running;
    for (const TGraphPoint& p : plot.Points) {
        if (p.Title == "Суммарный профит ставок по тиражу") totals.push_back(p.Y);
        if (p.Title == "Накопленное значение") running.push_back(p.Y);
    }
    EXPECT_EQ(totals, (std::vector<double>{1, 2, -1}));  // 100: 2 - 1; 101: 2; 200: unchecked -1
    EXPECT_EQ(running, (std::vector<double>{1, 3, 2}));
    EXPECT_EQ(plot.Points[1].Title, "Среднее значение");
    EXPECT_DOUBLE_EQ(plot.Points[1].Y, 2.0 / 3);

    // Rating rows "a" (both cases) and "b": the match graph over the checked draws 100 and 101.
    int rowA = Ws->Ratings().Row(0).KeyText() == "a" ? 0 : 1;
    const TGraphPlot matches = Ws->StakesGraphComments({rowA}, false);
    ASSERT_EQ(matches.Points.size(), 2u);
    EXPECT_EQ(matches.Points[0].X, 100);
    EXPECT_EQ(matches.Points[1].Title, "A");
    EXPECT_EQ(matches.Points[1].Y, 2);
    const TGraphPlot both = Ws->StakesGraphComments({0, 1}, true);
    ASSERT_EQ(both.Points.size(), 3u);  // a, b and A on draws 100 and 101
    EXPECT_EQ(both.Points[1].Title, "b");
    EXPECT_EQ(both.Points[1].Y, -1);
    const TGraphPlot overlap = Ws->RatingsGraphOverlap({0, 1});
    EXPECT_EQ(overlap.Points.size(), 15u);
    EXPECT_DOUBLE_EQ(overlap.Points[0].Y, 6561 * 2 / 10000.0);  // the larger row has two stakes
}

TEST(StakeForms, TheDialogRulesInOrder) {
    EXPECT_EQ(StakeSumText("1;2,3; x ;40"), "46");
    EXPECT_EQ(StakeSumText(""), "0");
    TStakeRecord r = NewStake(skScript, 5, {}, 7, "старый", {});
    const TStakeRecord before = r;
    // Draw numbers and counts outside the spin edits' ranges come first, then the numbers, then
    // the comment; a refusal changes nothing.
    EXPECT_EQ(AcceptStakeForm(0, 1, "1;2;3;4", "c", r).Field, TStakeField::DrawNumber);
    EXPECT_EQ(AcceptStakeForm(1, 65536, "1;2;3;4", "c", r).Field, TStakeField::DrawsCount);
    EXPECT_EQ(AcceptStakeForm(1, 1, "1;2;3", "", r).Field, TStakeField::Numbers);
    EXPECT_EQ(AcceptStakeForm(1, 1, "1;2;3;4;5", "c", r).Message, "Введена некорректная комбинация!");
    EXPECT_EQ(AcceptStakeForm(1, 1, "1;2;3;4", "  ", r).Message, "Необходимо ввести комментарий!");
    EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);
    ASSERT_TRUE(AcceptStakeForm(2147483647, 65535, " 9 ,8;;7 ; x", std::string(70, 'w'), r));
    EXPECT_EQ(r.DrawNumber, 2147483647);
    EXPECT_EQ(r.NumbersText(), "9;8;7;0");
    EXPECT_EQ(r.CommentText(), std::string(64, 'w'));
    EXPECT_EQ(r.Kind, skScript);  // kind and sample stay as prefilled
    EXPECT_EQ(r.Sample, 7);
    EXPECT_EQ(AcceptMultiStakeForm(10, 1, "").Field, TStakeField::Comment);
    EXPECT_EQ(AcceptMultiStakeForm(10, 0, "c").Field, TStakeField::DrawsCount);
    EXPECT_TRUE(AcceptMultiStakeForm(10, 1, "c"));
    EXPECT_EQ(StakeFilterValue(3, 1), 0x0103);
    EXPECT_EQ(StakeFilterCondition(0x0204), 4);
    EXPECT_EQ(StakeFilterMatches(0x0204), 2);
}
