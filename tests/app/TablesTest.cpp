#include "app/WorkspaceFixture.h"

#include "app/TableForm.h"
#include "core/DrawHelpers.h"
#include "core/Error.h"
#include "core/IniFile.h"

using namespace qx;
using namespace qx::test;

namespace {

TCombCode Code(const char* d) {
    return MakeCode(d[0] - '0', d[1] - '0', d[2] - '0', d[3] - '0');
}

// Counts the view refreshes the workspace hands out, and how many were forced.
struct TRefreshCounter : TWorkspaceObserver {
    int Refreshes = 0;
    int Forced = 0;
    int TablesChanges = 0;
    void RefreshViews(bool force) override {
        ++Refreshes;
        Forced += force;
    }
    void TablesChanged() override { ++TablesChanges; }
};

} // namespace

class Tables : public WorkspaceFixture {
protected:
    std::filesystem::path Ltb() const { return Dir / "Quadrix_4d10.ltb"; }
    // Five draws numbered 10..14.
    void StartFive() { Start(DigitDraws({"7039", "1111", "2222", "3333", "4444"})); }
    TDrawsArray Five() const {
        TDrawsArray a = DigitDraws({"7039", "1111", "2222", "3333", "4444"});
        for (size_t i = 0; i < a.size(); ++i) a[i].Number = static_cast<int32_t>(10 + i);
        return a;
    }
    // A regular as the dialog would accept it for a single typed start.
    void AddRegular(const char* comment, const char* start, int step, int mode = rmConstantStart) {
        TRegularRecord r = ProposedRegular(mode == rmConstantStart ? 1 : 0, 0);
        const TTableFormResult ok = AcceptTableForm(r, mode, step, start, comment, Ws->Regulars());
        ASSERT_TRUE(ok) << ok.Message;
        Ws->TablesAdd(r, {});
    }
    std::vector<TStakeRecord> StakeRecords() {
        std::vector<TStakeRecord> out;
        for (int64_t i = 0; i < Ws->StakesCount(); ++i) {
            TStakeRecord r = Ws->Stakes().Read(i);
            if (r.Kind != skNone) out.push_back(r);
        }
        return out;
    }
};

TEST(TableForm, RefusalsInTheirOrderAndTheAcceptedRecord) {
    TRegulars existing;
    TRegularRecord taken;
    taken.SetComment("Мой Regular");
    existing.Append(taken);

    TRegularRecord single = ProposedRegular(1, Code("1234"));
    EXPECT_EQ(single.CommentText(), "Регулярная ставка");
    EXPECT_EQ(single.Step, 1);
    EXPECT_EQ(single.Mode, rmConstantStart);
    EXPECT_EQ(StartEditText(single), "1;2;3;4");
    EXPECT_EQ(StartEditText(ProposedRegular(3, Code("1234"))), "{...Выделенные комбинации...}");
    EXPECT_EQ(StartEditText(ProposedRegular(0, 0)), "{...Выделенные комбинации...}");
    EXPECT_TRUE(StartEditable(rmConstantStart, 1));
    EXPECT_FALSE(StartEditable(rmPreviousDraw, 1));
    EXPECT_FALSE(StartEditable(rmConstantStart, 3));

    struct {
        const char* Start;
        const char* Comment;
        int Step;
        TTableField Field;
        const char* Message;
    } refused[] = {
        {"1;2;3", "", 1, TTableField::Start, "Введена некорректная комбинация!"},
        {"1;2;3;10", "x", 1, TTableField::Start, "Введена некорректная комбинация!"},
        {"1;2;3;4;5", "x", 1, TTableField::Start, "Введена некорректная комбинация!"},
        {" x , 7;8 ;9", "x", 1, TTableField::Start, "Введена некорректная комбинация!"},
        {"1;2;3;4", "   ", 1, TTableField::Comment, "Необходимо ввести комментарий!"},
        {"1;2;3;4", "мой regular", 1, TTableField::Comment,
         "Запись с таким комментарией уже присутствует в списке!\rВыберите другой комментарий."},
        {"1;2;3;4", "МОЙ REGULAR", 1, TTableField::Comment,
         "Запись с таким комментарией уже присутствует в списке!\rВыберите другой комментарий."},
        {"1;2;3;4", "x", 10, TTableField::Step, "Шаг должен быть от -9 до 9!"},
    };
    for (const auto& c : refused) {
        TRegularRecord r = single;
        const TTableFormResult result =
            AcceptTableForm(r, rmConstantStart, c.Step, c.Start, c.Comment, existing);
        EXPECT_EQ(result.Field, c.Field) << c.Start << " " << c.Comment;
        EXPECT_EQ(result.Message, c.Message);
        EXPECT_EQ(r.CommentText(), "Регулярная ставка"); // nothing taken from a refused form
    }

    // Accepted: blanks around the digits, the comment keeps its first 64 characters.
    TRegularRecord r = single;
    const std::string longComment = std::string(60, 'a') + "ЯЯЯЯЯЯ";
    ASSERT_TRUE(AcceptTableForm(r, rmConstantStart, -9, " 0 , 7;8 ;9", longComment, existing));
    EXPECT_EQ(r.StartCode(), Code("0789"));
    EXPECT_EQ(r.Step, -9);
    EXPECT_EQ(r.CommentText(), std::string(60, 'a') + "ЯЯЯЯ");
    // Mode 1, or several selected combinations: the start text is not looked at.
    TRegularRecord previous = single;
    ASSERT_TRUE(AcceptTableForm(previous, rmPreviousDraw, 2, "garbage", "other", existing));
    EXPECT_EQ(previous.Mode, rmPreviousDraw);
    EXPECT_EQ(previous.StartCode(), Code("1234"));
    TRegularRecord several = ProposedRegular(3, 0);
    EXPECT_TRUE(AcceptTableForm(several, rmConstantStart, 1, kSelectedCombsText, "other", existing));
}

TEST_F(Tables, AddingOneRegularPerSelectedCombinationOrNone) {
    Start(Five());
    Ws->PasteCombs("01 02 03 04\r\n05 06 07 08\r\n09 00 01 02\r\n03 03 03 03\r\n04 04 04 04\r\n");
    ASSERT_EQ(Ws->Combs().Count(), 5);
    TRegularRecord r = ProposedRegular(3, Code("5678"));
    ASSERT_TRUE(AcceptTableForm(r, rmConstantStart, 2, kSelectedCombsText, "R", Ws->Regulars()));
    Ws->TablesAdd(r, {1, 2, 4});
    ASSERT_EQ(Ws->Regulars().Count(), 3);
    const char* comments[] = {"R (2)", "R (3)", "R (5)"};
    const char* starts[] = {"5678", "9012", "4444"};
    for (int i = 0; i < 3; ++i) {
        const TRegularRecord& added = Ws->Regulars().At(i);
        EXPECT_EQ(added.CommentText(), comments[i]);
        EXPECT_EQ(added.StartCode(), Code(starts[i]));
        EXPECT_EQ(added.CurrentCode(), Code(starts[i]));
        EXPECT_EQ(added.Step, 2);
        EXPECT_EQ(added.StakesMade, 0);
    }
    EXPECT_EQ(std::filesystem::file_size(Ltb()), 3 * 276u);

    // Mode 0 with nothing selected adds nothing (and still writes the file).
    TRegularRecord none = ProposedRegular(0, 0);
    ASSERT_TRUE(AcceptTableForm(none, rmConstantStart, 1, kSelectedCombsText, "N", Ws->Regulars()));
    Ws->TablesAdd(none, {});
    EXPECT_EQ(Ws->Regulars().Count(), 3);

    // Mode 1 makes one regular whatever is selected.
    TRegularRecord previous = ProposedRegular(2, 0);
    ASSERT_TRUE(AcceptTableForm(previous, rmPreviousDraw, 5, kSelectedCombsText, "P", Ws->Regulars()));
    Ws->TablesAdd(previous, {0, 1});
    ASSERT_EQ(Ws->Regulars().Count(), 4);
    EXPECT_EQ(Ws->Regulars().At(3).CommentText(), "P");
    EXPECT_EQ(Ws->Regulars().At(3).StakesMade, 0);

    // Deleting asks first; the file follows.
    Shell.Answers = {false, true};
    EXPECT_FALSE(Ws->TablesDel({0, 2}));
    EXPECT_EQ(Ws->Regulars().Count(), 4);
    EXPECT_TRUE(Ws->TablesDel({0, 2}));
    ASSERT_EQ(Ws->Regulars().Count(), 2);
    EXPECT_EQ(Ws->Regulars().At(0).CommentText(), "R (3)");
    EXPECT_EQ(Shell.Texts(TMessageKind::AskDelete).back(),
              "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
    Restart();
    EXPECT_EQ(Ws->Regulars().Count(), 2);
    EXPECT_EQ(Ws->Regulars().At(1).CommentText(), "P");
}

TEST_F(Tables, HiddenTabHoldsNothingAndTouchesNothing) {
    StartFive();
    AddRegular("A", "1;2;3;4", 1);
    const std::string bytes = ReadBytes(Ltb());
    TRefreshCounter counter;
    Ws->AddObserver(&counter);
    Ws->SetTablesVisible(false);
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "TabTables", ""), "0");
    EXPECT_TRUE(Ws->Regulars().Empty());
    EXPECT_EQ(counter.TablesChanges, 1);
    TRegularRecord r = ProposedRegular(1, 0);
    EXPECT_THROW(Ws->TablesAdd(r, {}), TAppError);
    EXPECT_THROW(Ws->TablesProposedStake(0), TAppError);
    EXPECT_THROW(Ws->TablesStakeTest({0}, 1), TAppError);
    EXPECT_THROW(Ws->TablesDel({0}), TAppError);
    EXPECT_FALSE(Ws->TablesSave());
    EXPECT_EQ(ReadBytes(Ltb()), bytes);
    EXPECT_EQ(Ws->StakesCount(), 0);
    Ws->RemoveObserver(&counter);

    // A start with the tab hidden loads nothing; showing it loads the file.
    Restart();
    EXPECT_TRUE(Ws->Regulars().Empty());
    Ws->SetTablesVisible(true);
    ASSERT_EQ(Ws->Regulars().Count(), 1);
    EXPECT_EQ(Ws->Regulars().At(0).CommentText(), "A");
}

TEST_F(Tables, PartialTrailingRecordIsReportedAndTheWholeOnesKept) {
    StartFive();
    AddRegular("A", "1;2;3;4", 1);
    AddRegular("B", "5;6;7;8", 1);
    WriteBytes(Ltb(), ReadBytes(Ltb()) + "xyz");
    Shell.Messages.clear();
    Restart();
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка чтения файла регулярных ставок!\r\r", 0), 0u)
        << Shell.Errors()[0];
    EXPECT_EQ(Ws->Regulars().Count(), 2);
    EXPECT_EQ(std::filesystem::file_size(Ltb()), 2 * 276u + 3); // not rewritten by reading
}

TEST_F(Tables, StakeFromARegularCountsOnlyAnAppendedStake) {
    Start(Five());
    Ws->PasteCombs("01 02 03 04\r\n05 06 07 08\r\n");
    AddRegular("Рег", "1;2;3;4", 1);
    AddRegular("Пред", "0;0;0;0", 5, rmPreviousDraw);
    Ws->SetDrawsOffset(4); // the current draw is 10 (7;0;3;9)
    TWorkspace::TRegularStake proposed = Ws->TablesProposedStake(1);
    EXPECT_EQ(proposed.Advanced.CurrentCode(), Code("2584"));
    EXPECT_EQ(proposed.Advanced.StakesMade, 1);
    EXPECT_EQ(proposed.Stake.Kind, skRegular);
    EXPECT_EQ(proposed.Stake.DrawNumber, 11);
    EXPECT_EQ(proposed.Stake.Sample, 2);
    EXPECT_EQ(proposed.Stake.NumbersText(), "2;5;8;4");
    EXPECT_EQ(proposed.Stake.CommentText(), "Пред");
    EXPECT_EQ(proposed.Stake.Matched.Count, -1);
    // The dialog cancelled: nothing changed.
    EXPECT_EQ(Ws->Regulars().At(1).CurrentCode(), Code("0000"));
    EXPECT_EQ(Ws->Regulars().At(1).StakesMade, 0);

    ASSERT_TRUE(Ws->TablesStakeAdd(1, proposed.Advanced, proposed.Stake, 1));
    EXPECT_EQ(Ws->Regulars().At(1).CurrentCode(), Code("2584"));
    ASSERT_EQ(Ws->StakesCount(), 1);
    EXPECT_TRUE(Ws->Stakes().Read(0).IsChecked()); // draw 11 is in the archive
    TRegulars saved;
    saved.Load(Ltb());
    EXPECT_EQ(saved.At(1).StakesMade, 1);

    // A failed add leaves the regular and its file as they were.
    const std::string bytes = ReadBytes(Ltb());
    proposed = Ws->TablesProposedStake(0);
    Ws->Stakes().SetFaultHook([](TFileStep s) { return s == TFileStep::Append; });
    EXPECT_FALSE(Ws->TablesStakeAdd(0, proposed.Advanced, proposed.Stake, 1));
    Ws->Stakes().SetFaultHook(nullptr);
    EXPECT_EQ(Ws->Regulars().At(0).StakesMade, 0);
    EXPECT_EQ(ReadBytes(Ltb()), bytes);
    EXPECT_EQ(Ws->StakesCount(), 1);
    ASSERT_FALSE(Shell.Errors().empty());
    EXPECT_EQ(Shell.Errors().back().rfind("Ошибка добавления записи в файл ставок!\r\r", 0), 0u);
}

TEST_F(Tables, TestStakesTheNewestDrawsAndRestoresTheOffset) {
    Start(Five());
    AddRegular("A", "1;2;3;4", 1);
    AddRegular("B", "0;0;0;0", 5, rmPreviousDraw);
    Ws->SetDrawsOffset(2);
    TRefreshCounter counter;
    Ws->AddObserver(&counter);
    ASSERT_TRUE(Ws->TablesStakeTest({0, 1}, 3));
    Ws->RemoveObserver(&counter);
    EXPECT_EQ(Ws->DrawsOffset(), 2);
    EXPECT_EQ(counter.Refreshes, 1); // views suspended throughout, one forced refresh at the end
    EXPECT_EQ(counter.Forced, 1);

    const std::vector<TStakeRecord> stakes = StakeRecords();
    ASSERT_EQ(stakes.size(), 6u);
    // Offsets 3, 2, 1: stakes on the three newest draws 12, 13, 14, in order, made from draws 11..13.
    const char* numbers[] = {"2;3;4;5", "6;6;6;6", "3;4;5;6", "7;7;7;7", "4;5;6;7", "8;8;8;8"};
    for (size_t i = 0; i < stakes.size(); ++i) {
        EXPECT_EQ(stakes[i].DrawNumber, 12 + static_cast<int>(i / 2));
        EXPECT_EQ(stakes[i].NumbersText(), numbers[i]);
        EXPECT_EQ(stakes[i].CommentText(), i % 2 ? "B" : "A");
        EXPECT_TRUE(stakes[i].IsChecked());
    }
    EXPECT_EQ(Ws->Regulars().At(0).CurrentCode(), Code("4567"));
    EXPECT_EQ(Ws->Regulars().At(0).StakesMade, 3);
    EXPECT_EQ(Ws->Regulars().At(1).StakesMade, 3);
    ASSERT_EQ(Ws->Ratings().Count(), 2); // the checked stakes fed the ratings under each comment
    TRegulars saved;
    saved.Load(Ltb());
    EXPECT_EQ(saved.At(0).StakesMade, 3);
}

TEST_F(Tables, FailedAddEndsTheTestKeepingWhatWasMade) {
    Start(Five());
    AddRegular("A", "1;2;3;4", 1);
    AddRegular("B", "0;0;0;0", 5, rmPreviousDraw);
    Ws->SetDrawsOffset(1);
    int adds = 0;
    Ws->Stakes().SetFaultHook([&](TFileStep s) { return s == TFileStep::Append && ++adds == 4; });
    EXPECT_FALSE(Ws->TablesStakeTest({0, 1}, 3));
    Ws->Stakes().SetFaultHook(nullptr);
    EXPECT_EQ(adds, 4);
    EXPECT_EQ(Ws->DrawsOffset(), 1);
    const std::vector<TStakeRecord> stakes = StakeRecords();
    ASSERT_EQ(stakes.size(), 3u);
    EXPECT_FALSE(stakes[0].IsChecked()); // no check after a failure
    EXPECT_EQ(Ws->Regulars().At(0).StakesMade, 2);
    EXPECT_EQ(Ws->Regulars().At(0).CurrentCode(), Code("3456"));
    EXPECT_EQ(Ws->Regulars().At(1).StakesMade, 1);
    EXPECT_EQ(Ws->Regulars().At(1).CurrentCode(), Code("6666"));
    TRegulars saved;
    saved.Load(Ltb());
    EXPECT_EQ(saved.At(1).StakesMade, 1);
    ASSERT_EQ(Shell.Errors().size(), 1u);
}

TEST_F(Tables, TestCountOutsideTheArchiveIsRefusedBeforeAnything) {
    Start({MakeDraw(1, {1, 2, 3, 4})});
    AddRegular("A", "1;2;3;4", 1);
    try {
        Ws->TablesStakeTest({0}, 1);
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_STREQ(e.what(), "Для тестирования в архиве должно быть не менее двух тиражей!");
    }
    EXPECT_EQ(Ws->StakesCount(), 0);
    EXPECT_EQ(Ws->Regulars().At(0).StakesMade, 0);
    Ws->AddDraw(MakeDraw(2, {1, 2, 3, 4}));
    EXPECT_THROW(Ws->TablesStakeTest({0}, 2), TAppError);
    EXPECT_THROW(Ws->TablesStakeTest({5}, 1), TAppError);
    EXPECT_EQ(Ws->StakesCount(), 0);
}
