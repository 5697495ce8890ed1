#include "LiteralFilters.h"
#include "app/WorkspaceFixture.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"

#include "combs/FilterVariants.h"
#include "core/DrawHelpers.h"
#include "core/Error.h"

using namespace qx;
using namespace qx::test;

namespace {

class Filters : public WorkspaceFixture {
protected:
    std::vector<std::string> Log;
    TWorkspace::TLogSink Sink() {
        return [this](const std::string& line) { Log.push_back(line); };
    }
    TFilterRec Variant(const char* text, const char* second = nullptr) {
        std::vector<TFilterItem> items = {ParseFilterItem(text, Ws->Stats())};
        if (second) items.push_back(ParseFilterItem(second, Ws->Stats()));
        TFilterVariants v(items);
        TFilterRec rec;
        EXPECT_TRUE(v.Next(rec));
        return rec;
    }
    int LogCount(const std::string& prefix) {
        int n = 0;
        for (const auto& l : Log) n += l.rfind(prefix, 0) == 0;
        return n;
    }
    int RowOfValue(const std::string& value) {
        const auto& rows = Ws->StatTab().Table().Rows;
        for (size_t r = 0; r < rows.size(); ++r)
            if (rows[r].ValueText() == value) return int(r);
        return -1;
    }
};

} // namespace

TEST_F(Filters, KeepAndRemoveBySelectedRows) {
    Start(DigitDraws({"0123", "4567", "8901"}));
    TStatTab& tab = Ws->StatTab();  // NUMS
    EXPECT_FALSE(Ws->StatFilterEnabled());
    tab.SetSelection({RowOfValue("0"), RowOfValue("9")});
    EXPECT_TRUE(Ws->StatFilterEnabled());
    const std::string values = tab.SelectedValuesText();
    Ws->StatFilterInclude();  // combinations holding a 0 or a 9
    EXPECT_EQ(Ws->Combs().Count(), 10000 - 4096);
    ASSERT_EQ(Ws->Combs().Journal().size(), 1u);
    const TJournalRow& row = Ws->Combs().Journal()[0];
    EXPECT_EQ(row.Icon, TJournalIcon::Keep);
    EXPECT_EQ(row.Caption, "{ num } Числа тиража [ N ]");
    EXPECT_EQ(row.Values, values);
    EXPECT_TRUE(values == "0; 9" || values == "9; 0");
    EXPECT_EQ(row.Count, 5904);

    tab.SetSelection({RowOfValue("9")});
    Ws->StatFilterExclude();  // then without a 9
    EXPECT_EQ(Ws->Combs().Count(), 9 * 9 * 9 * 9 - 8 * 8 * 8 * 8);
    EXPECT_FALSE(Ws->CombsContains(MakeCode(0, 0, 0, 9)));
    EXPECT_TRUE(Ws->CombsContains(MakeCode(0, 0, 0, 1)));
    EXPECT_EQ(Ws->Combs().Journal().back().Icon, TJournalIcon::Remove);
    Ws->CombsUndo();
    EXPECT_EQ(Ws->Combs().Count(), 5904);
    EXPECT_EQ(Ws->Combs().Journal().size(), 1u);
}

TEST_F(Filters, AnEmptyUndoCopyLeavesTheListEmptyWithoutAJournalRow) {
    Start(DigitDraws({"0123"}));
    Ws->StatTab().SetSelection({0});
    Ws->FilterBySelection(nullptr, false);  // no undo copy was taken
    EXPECT_EQ(Ws->Combs().Count(), 0);
    EXPECT_TRUE(Ws->Combs().Journal().empty());
}

TEST_F(Filters, MultiSelectWithAStepLimitExaminesExactlyThatManyRows) {
    Start(DigitDraws({"0123", "4567", "8901", "2345"}));
    Ws->ApplyFilterRec(Variant("TMD1#NUMS:100#LNO:#ST:3"), Sink());
    EXPECT_EQ(LogCount("Шаг "), 3);
    EXPECT_EQ(LogCount("Удаляем выделенные значения..."), 1);
    ASSERT_EQ(Ws->Combs().Journal().size(), 1u);
    EXPECT_EQ(Ws->StatTab().SortColumn(), 1);
    EXPECT_TRUE(Ws->StatTab().Descending());
    EXPECT_EQ(Ws->StatTab().WindowLength(), 100);
    EXPECT_EQ(Ws->Combs().Count(), 7 * 7 * 7 * 7);  // three digits removed
    EXPECT_EQ(Log.front(), "Анализ тиражей и расчет статистики \"{ num } Числа тиража [ N ]\" для выборки в 100 тиражей...");
    EXPECT_NE(std::find(Log.begin(), Log.end(), "Количество комбинаций в списке: 2401"), Log.end());
}

TEST_F(Filters, RowByRowUntilEmptyRollsBackAndStops) {
    Start(DigitDraws({"0123", "4567", "8901", "2345"}));
    Ws->GenerateCombs({2, "1;2"}, true);  // 16 combinations of 1 and 2
    // Keep, row by row: the first row keeps the combinations with that digit, the next keeps those
    // with another one ... until a step empties the list.
    Ws->ApplyFilterRec(Variant("TSF0#NUMS:100#LNO:#SZ:1"), Sink());
    EXPECT_GE(LogCount("{UNDO} Откат изменений..."), 1);
    ASSERT_FALSE(Ws->Combs().Journal().empty());
    EXPECT_EQ(Ws->Combs().Journal().back().Caption, "Отмена последней операции");
    EXPECT_EQ(Ws->Combs().Journal().back().Icon, TJournalIcon::Undo);
    EXPECT_GT(Ws->Combs().Count(), 0);
    // The walk ended at the roll-back: nothing was logged after it.
    EXPECT_EQ(Log.back(), "{UNDO} Откат изменений...");
}

TEST_F(Filters, ASingleCombinationLeftSkipsTheRemainingParts) {
    Start(DigitDraws({"0123"}));
    WriteBytes(Dir / "one.lcv", "1;2;3;4\r\n");
    Ws->OpenCombs(Dir / "one.lcv");
    TFilterVariants v({ParseFilterItem("TSD1#NUMS:10#LNO:#SF:1", Ws->Stats()),
                       ParseFilterItem("TSD1#EVEN:10#LNO:#SF:1", Ws->Stats())});
    TFilterRec rec;
    ASSERT_TRUE(v.Next(rec));
    Ws->ApplyFilterRec(rec, Sink());
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Ws->Combs().Count(), 1);
}

TEST_F(Filters, ListTestOnADashRaisesAndThresholdsDoNot) {
    Start(DigitDraws({"0123", "0123"}));
    // Digits 4..9 never occurred: their depth shows "-".
    EXPECT_THROW(Ws->ApplyFilterRec(Variant("TSD1#NUMS:10#LDV:1,2#SF:1"), Sink()), TAppError);
    EXPECT_NO_THROW(Ws->ApplyFilterRec(Variant("TMD1#NUMS:10#LLV:1#SF:1"), Sink()));
}

TEST_F(Filters, AMethodTheChooserDoesNotOfferIsRefused) {
    Start(DigitDraws({"0123"}));
    Ws->Stats().SetFavourites("EVEN");
    Ws->StatTab().Chooser().Fill(Ws->Stats(), false);
    try {
        Ws->ApplyFilterRec(Variant("TSD1#NUMS:10#LNO:#SF:1"), Sink());
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Метод расчета статистики \"NUMS\" на найден!\rЧисла тиража\r\r", 0), 0u);
    }
}

TEST_F(Filters, VariantsLeaveTheSurvivorsOfTheLiteralSteps) {
    QX_REQUIRE_REAL_ARCHIVE();
    TDrawsArray draws;
    AppendDrawsFromCsv(ReadTextFile(RealArchiveCsv()), draws);
    Start(draws);
    Ws->SetDrawsOffset(7);  // facts exist, so every column has figures
    const std::pair<const char*, const char*> variants[] = {
        {"TMD1#EVNV:1000#CLV:60#SF:1", "BSD1#POS1:300#CLV:40#SC:2000"},
        {"TSF6#NUMS:200#LLV:3#ST:2", "TMD8#POS3:700#WMV:5#SF:1#0:-1:1:1:0"},
        {"TSD13#POS2:50#LNO:#SZ:1", nullptr},
        {"BMF11#EVEN:400#PAL:10#SP:90", "TSD0#POS4:100#LVA:1-9;2#SV:1"},
        // Figures with decimals: percentages and periods against thresholds, real lists of weights
        // and percentages, weights of their own with percentages and absolute values.
        {"TMF2#NUMS:300#CMP:10#SP:9", "BSD9#POS2:500#WDV:1-40;1#SF:1"},
        {"TSD7#EVEN:250#LDP:1-100;1#SZ:1", "TMD11#POS4:800#PAM:10#SV:70#0.25:-1.5:0.125:1:1"},
        {"BSF12#PRMV:900#PAL:70#ST:3", "TMD8#SMLV:600#WMV:3#SF:1#0.5:0.5:-0.375:1:0"},
    };
    for (const auto& [first, second] : variants) {
        Ws->GenerateCombs(Ws->CombsGenDefaults(), false);
        const TFilterRec rec = Variant(first, second);
        TCombsArray literal = Ws->Combs().List();
        oracle::LiteralApplyFilterRec({&Ws->Stats(), Ws->CurrentDrawIndex(), false, Ws->Stats().Config().Weights}, rec,
                                      literal);
        Ws->ApplyFilterRec(rec, nullptr);
        EXPECT_EQ(Ws->Combs().List(), literal) << first;
        EXPECT_LT(literal.size(), 10000u) << first;  // every variant does filter
    }
    // Each method's value texts exist now; applying the variants again reads numbers only.
    const uint64_t made = StatTextsMade();
    for (const auto& [first, second] : variants) {
        Ws->GenerateCombs(Ws->CombsGenDefaults(), false);
        Ws->ApplyFilterRec(Variant(first, second), nullptr);
    }
    EXPECT_EQ(StatTextsMade(), made);
}

TEST_F(Filters, StepsMakeCellTextsOnlyForTheLog) {
    Start(DigitDraws({"0123", "4567", "8901", "2345", "6789", "0246"}));
    const TFilterRec rec = Variant("TMD1#NUMS:100#CLV:2#SF:1", "BSF2#EVNV:100#LNO:#ST:2");
    Ws->ApplyFilterRec(rec, nullptr);  // the first table of a method makes its value texts
    Ws->GenerateCombs(Ws->CombsGenDefaults(), false);
    const uint64_t made = StatTextsMade();
    Ws->ApplyFilterRec(rec, nullptr);
    EXPECT_EQ(StatTextsMade(), made);
    EXPECT_LT(Ws->Combs().Count(), 10000);
    // The journal's values are the value texts themselves.
    EXPECT_EQ(Ws->Combs().Journal().front().Values, "9; 8; 7; 5; 3; 1");  // count 2, descending
    Ws->GenerateCombs(Ws->CombsGenDefaults(), false);
    Ws->ApplyFilterRec(rec, Sink());
    EXPECT_GT(StatTextsMade(), made);
    EXPECT_EQ(LogCount("< [0] кол-во: 3 (12.50000 %)"), 1);
}

TEST_F(Filters, AStepWithoutOwnWeightsKeepsTheConfiguredOnes) {
    WriteBytes(Dir / "Quadrix_4d10.ini", "[CDL]\r\nCount=2\r\nDeviation=0.5\r\nLevel=3\r\n");
    Start(DigitDraws({"0123", "4567"}));
    const TStatWeights configured = Ws->Stats().Config().Weights;
    ASSERT_EQ(configured.Count, 2);
    // No backup was taken first: the step still goes back to the configured weights, not the
    // built-in ones.
    Ws->ApplyFilterRec(Variant("TSD1#NUMS:10#LNO:#SF:1"), Sink());
    EXPECT_EQ(Ws->Stats().Config().Weights, configured);
}
