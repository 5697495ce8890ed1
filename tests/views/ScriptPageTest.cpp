#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

#include "ViewsTestSupport.h"
#include "app/ScriptExecutor.h"
#include "app/Workspace.h"
#include "app/WorkspaceFixture.h"
#include "combs/FilterItem.h"
#include "core/Shell.h"
#include "core/Text.h"
#include "draws/DrawsFile.h"
#include "scripts/RatingLine.h"
#include "stakes/StakeRecord.h"
#include "views/Commands.h"
#include "views/Tx.h"
#include "views/dialogs/FormFilter.h"
#include "views/dialogs/FormScript.h"
#include "views/dialogs/FormTestCnt.h"
#include "views/pages/RatingPage.h"
#include "views/pages/ScriptPage.h"
#include "views/scripts/ScriptModel.h"

using namespace qx;
using namespace qx::test;

namespace {

const std::string kNoop = "TMD1#POS1:10#LMV:1000#SF:1";

class ScriptPages : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        TDrawsArray draws;
        for (int i = 1; i <= 40; ++i) draws.push_back(MakeDraw(i, {i % 10, i * 3 % 10, i * 7 % 10, (i + 5) % 10}));
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", draws);
        Open();
        Ws().SetFormKey("ScriptLogEnabled", false);
    }
    TScriptPage* Page() const { return static_cast<TScriptPage*>(Window->Page("tsScript")); }
    TWorkspace& Ws() const { return Window->Workspace(); }
    bool Enabled(const char* command) {
        Window->Commands().Evaluate();
        return Action(command)->isEnabled();
    }
    void Select(std::initializer_list<int> rows) {
        QTableView* list = Page()->Lines();
        list->clearSelection();
        for (int row : rows)
            list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
        Window->Commands().Evaluate();
    }
    QString Cell(int row, int column) const {
        TScriptModel* m = Page()->Model();
        return m->data(m->index(row, column), Qt::DisplayRole).toString();
    }
    int StakesMade() {
        int n = 0;
        Ws().Stakes().ForEach(0, [&](const TStakeRecord& r, int64_t) { n += r.Kind == skScript ? 1 : 0; });
        return n;
    }
};

template <class T> T* Control(QWidget* dialog, const char* name) {
    T* w = dialog->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

TEST_F(ScriptPages, TheEditorBuildsALineWithAFilterMadeInTheFilterDialog) {
    EXPECT_TRUE(Enabled("ScriptAdd"));
    EXPECT_FALSE(Enabled("ScriptEmpty"));
    EXPECT_FALSE(Enabled("ScriptRun"));
    std::string filterText;
    Modal.Then([&](QWidget* w) {
        auto* d = dynamic_cast<TFormScript*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), "Создание новой строки");
        EXPECT_EQ(Control<QComboBox>(d, "cbStartCombsType")->count(), 3);
        EXPECT_EQ(Control<QComboBox>(d, "cbResultCombsMode")->currentText(), "Выбрать одну случайную комбинацию");
        Modal.Then([](QWidget* f) {
            ASSERT_NE(dynamic_cast<TFormFilter*>(f), nullptr);
            PressButton(f, QDialogButtonBox::Ok);
        });
        d->FilterButton(2)->click();  // the filter dialog, answered by the step above
        filterText = FromQ(d->FilterEdit(2)->text());
        Control<QLineEdit>(d, "edComments")->setText("Моя строка");
        Control<QComboBox>(d, "cbStartCombsType")->setCurrentIndex(1);
        Control<QSpinBox>(d, "edDrawsExclude")->setValue(100);
        Control<QComboBox>(d, "cbResultCombsMode")->setCurrentIndex(2);
        Control<QCheckBox>(d, "cbNewOnly")->setChecked(true);
        Control<QLineEdit>(d, "edFilter5")->setText("  не фильтр  ");
        PressButton(d, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("ScriptAdd"));
    ASSERT_TRUE(Modal.Done());
    EXPECT_TRUE(Modal.Unexpected.empty());
    ASSERT_FALSE(filterText.empty());
    EXPECT_EQ(FilterItemText(ParseFilterItem(filterText, Ws().Stats())), filterText);
    ASSERT_EQ(Ws().Script().Count(), 1);
    EXPECT_EQ(Ws().GetScriptLine(0), "EXCL:100#LAST#NEX| | |" + filterText + "| |  не фильтр  | | |Моя строка");
    EXPECT_EQ(Page()->SelectedRows(), std::vector<int>{0}) << "the new row is selected";
    EXPECT_EQ(Cell(0, 0), "Моя строка");
    EXPECT_EQ(Cell(0, 1), "Исключить 100 тиражей; Последняя; Только новые ставки");
    EXPECT_EQ(Page()->Panel(0)->text(), "Строк: 1");
    EXPECT_EQ(ReadBytes(Dir / "Quadrix_4d10.lss"),
              Utf8ToCp1251(Ws().GetScriptLine(0)) + "\r\n") << "the script is saved after every change";

    // Cancelled: nothing changes; OK on a blank editor gives the all-blank line.
    Modal.Then([](QWidget* d) { PressButton(d, QDialogButtonBox::Cancel); });
    Window->Commands().Trigger("ScriptAdd");
    EXPECT_EQ(Ws().Script().Count(), 1);
    Modal.Then([](QWidget* d) { PressButton(d, QDialogButtonBox::Ok); });
    Window->Commands().Trigger("ScriptAdd");
    ASSERT_EQ(Ws().Script().Count(), 2);
    EXPECT_EQ(Ws().GetScriptLine(1), "FULL:0#RAND| | | | | | | |");

    // Editing shows the line's own settings and replaces it.
    Select({0});
    Modal.Then([](QWidget* w) {
        auto* d = dynamic_cast<TFormScript*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), "Редактирование строки");
        EXPECT_EQ(Control<QSpinBox>(d, "edDrawsExclude")->value(), 100);
        EXPECT_TRUE(Control<QCheckBox>(d, "cbNewOnly")->isChecked());
        EXPECT_EQ(d->FilterEdit(4)->text(), "не фильтр") << "fields shown trimmed";
        d->FilterEdit(4)->clear();
        PressButton(d, QDialogButtonBox::Ok);
    });
    Page()->Lines()->doubleClicked(Page()->Model()->index(0, 3));
    EXPECT_EQ(Ws().GetScriptLine(0), "EXCL:100#LAST#NEX| | |" + filterText + "| | | | |Моя строка");
    EXPECT_TRUE(Modal.Unexpected.empty());
}

TEST_F(ScriptPages, LinesAreClonedMovedAndDeletedWithTheirQuestions) {
    for (const char* line : {"FULL:0#FIRST|TMD1#POS1:10#LMV:1000#SF:1", "", "FULL:0#LAST|TMD1#POS2:10#LMV:1000#SF:1"})
        Ws().AppendScriptLine(line);
    Select({1});
    EXPECT_FALSE(Enabled("ScriptEdit")) << "a separator is no filter line";
    EXPECT_FALSE(Enabled("ScriptClone"));
    EXPECT_TRUE(Enabled("ScriptUp"));
    Window->Commands().Trigger("ScriptDown");
    EXPECT_EQ(Ws().Script().Lines()[2], "");
    EXPECT_EQ(Page()->SelectedRows(), std::vector<int>{2}) << "the moved line stays selected";
    EXPECT_FALSE(Enabled("ScriptDown"));

    Select({0});
    Modal.Then([](QWidget* d) { PressButton(d, QDialogButtonBox::Ok); });
    Window->Commands().Trigger("ScriptClone");
    ASSERT_EQ(Ws().Script().Count(), 4);
    EXPECT_EQ(Ws().GetScriptLine(3), "FULL:0#FIRST|TMD1#POS1:10#LMV:1000#SF:1| | | | | | |");
    EXPECT_EQ(Page()->SelectedRows(), std::vector<int>{3});

    Select({0, 1, 3});
    Modal.ThenAnswer(QMessageBox::No);
    Window->Commands().Trigger("ScriptDel");
    EXPECT_EQ(Ws().Script().Count(), 4);
    Modal.ThenAnswer(QMessageBox::Yes);
    Window->Commands().Trigger("ScriptDel");
    ASSERT_EQ(Modal.Boxes.size(), 2u);
    EXPECT_EQ(Modal.Boxes[0].Caption, "Предупреждение");
    EXPECT_EQ(Modal.Boxes[0].Text, DisplayText(DeleteRecordsQuestion(3)));
    EXPECT_EQ(Ws().Script().Lines(), std::vector<std::string>{""});
    EXPECT_TRUE(Page()->SelectedRows().empty());
    EXPECT_EQ(Page()->Panel(0)->text(), "Строк: 1");
}

TEST_F(ScriptPages, AForecastMakesStakesAndAStoppedTestKeepsItsOffset) {
    Ws().AppendScriptLine("FULL:0#FIRST|" + kNoop);
    Ws().SetDrawsOffset(7);
    ASSERT_TRUE(Enabled("ScriptRun"));
    EXPECT_FALSE(Enabled("ScriptStop"));
    Window->Commands().Trigger("ScriptRun");
    EXPECT_EQ(StakesMade(), 1);
    EXPECT_EQ(Page()->Panel(3)->text(), "Ставок: 1");
    EXPECT_EQ(Page()->Panel(4)->text(), "Сценарий завершен!");

    // The test: five offsets asked for, a stop confirmed at offset 3.
    TScriptExecutor& e = Ws().ScriptExecutor();
    bool tabsLocked = false, stopOffered = false;
    e.OnPoll = [&] {
        if (Ws().DrawsOffset() != 3 || !Ws().ScriptRunning() || !e.CanStop()) return;
        tabsLocked = !Window->Page("tsCombs")->isEnabled() && !Window->Page("tsDrawsStat")->isEnabled() &&
                     !Page()->Lines()->isEnabled() && !Enabled("ScriptRun");
        stopOffered = Enabled("ScriptStop");
        Window->Commands().Trigger("ScriptStop");
    };
    Modal.Then([](QWidget* w) {
        auto* d = dynamic_cast<TFormTestCnt*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->CountEdit()->maximum(), 39);
        EXPECT_EQ(d->CountEdit()->value(), 10);
        d->CountEdit()->setValue(5);
        PressButton(d, QDialogButtonBox::Ok);
    });
    Modal.ThenAnswer(QMessageBox::Yes);
    Window->Commands().Trigger("ScriptTest");
    e.OnPoll = nullptr;
    EXPECT_TRUE(Modal.Done());
    EXPECT_TRUE(tabsLocked);
    EXPECT_TRUE(stopOffered);
    EXPECT_EQ(Ws().DrawsOffset(), 3);
    EXPECT_FALSE(Ws().ScriptRunning());
    EXPECT_TRUE(Window->Page("tsCombs")->isEnabled());
    EXPECT_TRUE(Page()->Lines()->isEnabled());
    EXPECT_NE(Page()->Panel(4)->text(), "Сценарий завершен!");
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Text, "Остановить выполнение сценария?");
}

TEST_F(ScriptPages, RatingRowsBecomeLinesOnlyWhenAScriptMadeThem) {
    Ws().StakesAdd(NewStake(skManual, 40, StakeNumbersOf(MakeCode(1, 2, 3, 4)), 1, "вручную", Ws().Config()), 1, false);
    Ws().StakesCheck();
    auto* ratings = static_cast<TRatingPage*>(Window->Page("tsRating"));
    auto* list = ratings->findChild<QTableView*>("lvRatings");
    ASSERT_EQ(list->model()->rowCount(), 1);
    list->selectRow(0);
    Modal.ThenAnswer(QMessageBox::Ok);
    ASSERT_TRUE(Window->Commands().Trigger("RatingsToScript"));
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Text, DisplayText(FormatText(kRatingLineRefused, {"вручную"})));
    EXPECT_TRUE(Ws().Script().Empty());

    Ws().AppendScriptLine("FULL:0#FIRST|" + kNoop + "| | | | | | |с комментарием");
    Ws().ScriptTest(1);
    int scripted = -1;
    for (int r = 0; r < Ws().Ratings().Count(); ++r)
        if (Ws().Ratings().Row(r).KeyText().starts_with("01.001")) scripted = r;
    ASSERT_GE(scripted, 0);
    list->clearSelection();
    list->selectRow(scripted);
    Window->Commands().Trigger("RatingsToScript");
    ASSERT_EQ(Ws().Script().Count(), 2);
    EXPECT_EQ(Cell(1, 0), "01.001: с комментарием") << "the comment keeps the label's line and variant";
    for (int column = 1; column < 3; ++column) EXPECT_EQ(Cell(1, column), Cell(0, column)) << column;
    EXPECT_EQ(Window->findChild<QTabWidget*>("pcMain")->currentWidget(), Page());
}

} // namespace
