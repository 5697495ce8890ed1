#include <atomic>
#include <cstdlib>
#include <new>
#include <random>

#include "app/FilterForm.h"
#include "app/WorkspaceFixture.h"
#include "combs/FilterConditions.h"
#include "combs/FilterVariants.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"

using namespace qx;
using namespace qx::test;

// Counts the allocations of this test program, so a test can tell that a call made none.
namespace {
std::atomic<size_t> gAllocations{0};
}
void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

// The working list with its undo copy and journal, to tell that a preview touched none of them.
struct TCombsState {
    TCombsArray List, Undo;
    size_t JournalRows = 0;
    uint64_t Revision = 0;
    explicit TCombsState(const TCombsStore& c)
        : List(c.List()), Undo(c.UndoList()), JournalRows(c.Journal().size()), Revision(c.Revision()) {}
    friend bool operator==(const TCombsState&, const TCombsState&) = default;
};

// The statistics tab and the weights as a script step would leave them.
struct TTabState {
    int Entry, Window, SortColumn;
    bool Descending;
    std::vector<int> Selection;
    uint64_t Revision;
    TStatWeights Weights;
    explicit TTabState(const TWorkspace& ws)
        : Entry(ws.StatTab().Chooser().Selected()), Window(ws.StatTab().WindowLength()),
          SortColumn(ws.StatTab().SortColumn()), Descending(ws.StatTab().Descending()),
          Selection(ws.StatTab().Selection()), Revision(ws.StatTab().Revision()),
          Weights(ws.Stats().Config().Weights) {}
    friend bool operator==(const TTabState&, const TTabState&) = default;
};

class FilterPreview : public WorkspaceFixture {
protected:
    void StartReal() {
        TDrawsArray draws;
        AppendDrawsFromCsv(ReadTextFile(RealArchiveCsv()), draws);
        Start(draws);
    }
    TFilterPart FirstPart(const char* text) {
        TFilterVariants v({ParseFilterItem(text, Ws->Stats())});
        TFilterRec rec;
        EXPECT_TRUE(v.Next(rec));
        return rec.Parts[0];
    }
    // A working list narrowed from the full set, with the full set as its undo copy.
    void NarrowList() {
        Ws->GenerateCombs(Ws->CombsGenDefaults(), false);
        Ws->StatTab().Chooser().SelectMethod(Ws->Stats().IndexOfCode("NUMS"));
        Ws->RefreshStatTable(false);
        Ws->StatTab().SetSelection({0});
        Ws->StatFilterExclude();
        ASSERT_EQ(Ws->Combs().Count(), 6561);
    }
};

} // namespace

TEST_F(FilterPreview, SelectionCountsAreWhatKeepAndRemoveLeaveForEveryMethod) {
    QX_REQUIRE_REAL_ARCHIVE();
    StartReal();
    Ws->SetDrawsOffset(3);
    NarrowList();
    TStatTab& tab = Ws->StatTab();
    std::mt19937 random(24);
    int methods = 0;
    for (int method = 0; method < Ws->Stats().Count(); ++method) {
        if (!tab.Chooser().SelectMethod(method)) continue;
        const std::string code = Ws->Stats().Items(method).Code();
        tab.SetWindowLength(1000);
        Ws->RefreshStatTable(false);
        const int rows = static_cast<int>(tab.Table().Rows.size());
        if (rows == 0) continue;
        ++methods;
        for (int round = 0; round < 3; ++round) {
            std::vector<int> selection;
            for (int r = 0; r < rows; ++r)
                if (random() % 3 == 0) selection.push_back(r);
            if (selection.empty()) selection.push_back(int(random() % unsigned(rows)));
            tab.SetSelection(selection);

            const TCombsState before(Ws->Combs());
            const std::optional<TSelectionPreview> counts = Ws->PreviewSelection();
            ASSERT_TRUE(counts) << code;
            EXPECT_TRUE(TCombsState(Ws->Combs()) == before) << code;
            // A period method's removing test asks the opposite question of its keeping test, so
            // what the two leave need not add up to the list.
            const bool complements = !(Ws->Stats().Items(method).StatClass->Flags() & kFlagP);
            if (complements) {
                EXPECT_EQ(counts->Keep + counts->Remove, Ws->Combs().Count()) << code;
            }

            Ws->StatFilterInclude();
            EXPECT_EQ(Ws->Combs().Count(), counts->Keep) << code;
            // The list changed under the same selection: the counts follow it.
            if (complements) {
                EXPECT_EQ(Ws->PreviewSelection(), (TSelectionPreview{counts->Keep, 0})) << code;
            }
            Ws->CombsUndo();
            Ws->StatFilterExclude();
            EXPECT_EQ(Ws->Combs().Count(), counts->Remove) << code;
            if (complements) {
                EXPECT_EQ(Ws->PreviewSelection(), (TSelectionPreview{0, counts->Remove})) << code;
            }
            Ws->CombsUndo();
        }
    }
    EXPECT_GT(methods, 0);
}

TEST_F(FilterPreview, NothingIsCountedWithoutSelectedRowsAndReSortingKeepsTheCounts) {
    Start(DigitDraws({"0123", "4567", "8901"}));
    TStatTab& tab = Ws->StatTab(); // NUMS
    EXPECT_FALSE(Ws->PreviewSelection());
    tab.SetSelection({0, 1});
    const TSelectionPreview counts = Ws->PreviewSelection().value();
    EXPECT_EQ(counts, (TSelectionPreview{5904, 4096})); // any two digits
    tab.SetSort(0, true);                               // other row numbers, the same values selected
    EXPECT_EQ(Ws->PreviewSelection(), counts);
    Ws->RefreshStatTable(true); // a recomputed table has no selection
    EXPECT_FALSE(Ws->PreviewSelection());
}

TEST_F(FilterPreview, ChangingTheSelectionAllocatesNothing) {
    Start(DigitDraws({"0123", "4567", "8901", "2345"}));
    TStatTab& tab = Ws->StatTab();
    for (int method = 0; method < Ws->Stats().Count(); ++method) {
        if (!Ws->Stats().CreateStat(method)->DigitSource() || !tab.Chooser().SelectMethod(method)) continue;
        Ws->RefreshStatTable(false);
        const int rows = static_cast<int>(tab.Table().Rows.size());
        std::vector<int> all(size_t(rows), 0);
        for (int r = 0; r < rows; ++r) all[size_t(r)] = r;
        tab.SetSelection(all);
        ASSERT_TRUE(Ws->PreviewSelection()); // grows what the next calls reuse
        for (int first = 0; first < std::min(rows, 4); ++first) {
            const size_t selecting = gAllocations;
            tab.SetSelection({first, rows - 1});
            ASSERT_GT(gAllocations, selecting); // the count does see allocations
            const size_t allocations = gAllocations;
            const std::optional<TSelectionPreview> counts = Ws->PreviewSelection();
            EXPECT_EQ(gAllocations, allocations) << Ws->Stats().Items(method).Code();
            ASSERT_TRUE(counts);
        }
    }
}

TEST_F(FilterPreview, APartPreviewIsWhatApplyingItLeavesAndChangesNothing) {
    QX_REQUIRE_REAL_ARCHIVE();
    StartReal();
    Ws->SetDrawsOffset(7);
    const char* const descriptions[] = {
        "TMD1#EVNV:1000#CLV:60#SF:1",  "BSD1#POS1:300#CLV:40#SC:2000",
        "TSF6#NUMS:200#LLV:3#ST:2",    "TMD8#POS3:700#WMV:5#SF:1#0:-1:1:1:0",
        "TSD13#POS2:50#LNO:#SZ:1", // empties the list and rolls back
        "BMF11#EVEN:400#PAL:10#SP:90", "TSD0#POS4:100#LVA:1-9;2#SV:1",
        "TMD4#NUMS:500#DLV:-5#SF:1", // the deviation needs the full set's norms
    };
    for (bool prefetchs : {false, true}) {
        if (Ws->PrefetchsEnabled() != prefetchs) Ws->SetPrefetchsEnabled(prefetchs);
        for (const char* text : descriptions) {
            NarrowList();
            const TFilterPart part = FirstPart(text);
            const TCombsState combs(Ws->Combs());
            const TTabState tab(*Ws);
            const int preview = Ws->PreviewFilterPart(part);
            EXPECT_TRUE(TCombsState(Ws->Combs()) == combs) << text;
            EXPECT_TRUE(TTabState(*Ws) == tab) << text;
            Ws->ApplyFilterPart(part, nullptr);
            EXPECT_EQ(Ws->Combs().Count(), preview) << text << (prefetchs ? " with the full set" : "");
        }
    }
    // Every method's value texts exist now: a preview reads the numbers of its table only.
    const uint64_t made = StatTextsMade();
    for (const char* text : descriptions) Ws->PreviewFilterPart(FirstPart(text));
    EXPECT_EQ(StatTextsMade(), made);
}

TEST_F(FilterPreview, TheEditorLineCountsTheFirstVariantOrNamesTheFault) {
    Start(DigitDraws({"0123", "4567", "0123"}));
    TWorkspace& ws = *Ws;
    const TFilterItem item = ParseFilterItem("TMF1#NUMS:1,3#CMV:1,2#SF:1", ws.Stats());
    const TFilterForm shown =
        FilterFormOf(item, ws.StatTab().Chooser(), ws.Stats(), 1000, ws.Stats().Config().Weights);
    auto line = [&](const TFilterForm& f) { return FilterFormPreviewLine(ws, item, shown, f); };
    // Window 1 and count at least 1: the combinations holding a digit of the newest draw.
    EXPECT_EQ(line(shown), "Останется комбинаций: 8704");
    TFilterForm edited = shown;
    edited.Lengths = "2"; // the digits 0..7
    EXPECT_EQ(line(edited), "Останется комбинаций: 9984");
    edited.Values = "2"; // no digit was drawn twice in two draws: no row selected, nothing kept back
    EXPECT_EQ(line(edited), "Останется комбинаций: 10000");
    edited.Lengths = "3"; // 0, 1, 2 and 3 were
    EXPECT_EQ(line(edited), "Останется комбинаций: 8704");
    EXPECT_EQ(ws.Combs().Count(), 10000);
    EXPECT_TRUE(ws.Combs().Journal().empty());

    edited.Lengths = "";
    EXPECT_EQ(line(edited), std::string("Ошибка: ") + kBadRangeMessage);
    edited.Lengths = "3";
    edited.StopMode = smCombsCount; // with multi-select
    EXPECT_EQ(line(edited), std::string("Ошибка: ") + kMultiSelectStopMessage);
    // A list test on a figure shown as "-" fails as applying it would.
    edited = shown;
    edited.MultiSelect = false;
    edited.Condition = 5; // LDV
    edited.Values = "1";
    EXPECT_EQ(line(edited).rfind("Ошибка: ", 0), 0u);
}
