#include "app/DrawInfo.h"
#include "app/WorkspaceFixture.h"
#include "core/Error.h"
#include "stats/StatBases.h"

using namespace qx;
using namespace qx::test;

namespace {

class DrawInfo : public WorkspaceFixture {
protected:
    // The rows of one method, by its code.
    std::string ValueOf(const std::vector<TPropertyRow>& rows, const char* code) {
        const TStatList& stats = Ws->Stats();
        const std::string name = stats.Items(stats.IndexOfCode(code)).FullName();
        for (const TPropertyRow& r : rows)
            if (r.Name == name) return r.Value;
        ADD_FAILURE() << "no row for " << code;
        return {};
    }
    // The graph methods in registry order, as the dialog must list them.
    std::vector<int> GraphMethods() {
        std::vector<int> methods;
        for (int i = 0; i < Ws->Stats().Count(); ++i)
            if (Ws->Stats().IsGraph(i) && Ws->Stats().IsAvailable(i)) methods.push_back(i);
        return methods;
    }
};

} // namespace

TEST_F(DrawInfo, ADrawShowsNumberDateAndTheValueOfEveryGraphMethodAsTheGraphsTabDrawsIt) {
    Start({MakeDraw(5, {1, 2, 3, 4}, "03/07/2019 E"), MakeDraw(6, {9, 0, 0, 8}, "03/08/2019 M")});
    const std::vector<int> methods = GraphMethods();
    ASSERT_FALSE(methods.empty());
    for (bool sorted : {false, true}) {
        Ws->SetFormKey("SortedDraws", sorted);
        auto rows = DrawInfoRows(*Ws, 1);
        ASSERT_EQ(rows.size(), 2 + methods.size());
        EXPECT_EQ(rows[0].Name, "Номер тиража:");
        EXPECT_EQ(rows[0].Value, "6");
        EXPECT_EQ(rows[1].Name, "Дата тиража:");
        EXPECT_EQ(rows[1].Value, "03/08/2019 M");
        // Each method row carries the number the method plots for that draw.
        for (size_t m = 0; m < methods.size(); ++m) {
            auto stat = Ws->Stats().CreateStat(methods[m]);
            auto& graph = dynamic_cast<TCustomGraphStat&>(*stat);
            EXPECT_EQ(rows[2 + m].Name, Ws->Stats().Items(methods[m]).FullName());
            EXPECT_EQ(rows[2 + m].Value, std::to_string(graph.DrawValue(1, 1, sorted)));
        }
        EXPECT_EQ(ValueOf(rows, "POS1"), sorted ? "0" : "9");
        EXPECT_EQ(ValueOf(rows, "POS4"), sorted ? "9" : "8");
        EXPECT_EQ(ValueOf(rows, "EVEN"), "3");
    }
    EXPECT_THROW(DrawInfoRows(*Ws, 2), TAppError);
    EXPECT_THROW(DrawInfoRows(*Ws, -1), TAppError);
}

TEST_F(DrawInfo, ACombinationHasOnlyMethodRowsAndWorksWithoutDraws) {
    // With an empty archive there is no current draw: the methods see zero draws.
    Start();
    auto rows = CombInfoRows(*Ws, MakeCode(0, 1, 2, 3));
    EXPECT_EQ(rows.size(), GraphMethods().size());
    EXPECT_EQ(ValueOf(rows, "POS2"), "1");

    WriteDrawsFile(Dir.Path() / "Quadrix_4d10.ldr", {MakeDraw(5, {1, 2, 3, 4}), MakeDraw(6, {9, 0, 0, 8})});
    Restart();
    Ws->SetDrawsOffset(1);
    rows = CombInfoRows(*Ws, MakeCode(7, 7, 2, 5));
    ASSERT_EQ(rows.size(), GraphMethods().size());
    for (const TPropertyRow& r : rows) EXPECT_NE(r.Name, "Номер тиража:");
    EXPECT_EQ(ValueOf(rows, "POS1"), "7");
    EXPECT_EQ(ValueOf(rows, "POS3"), "2");
    EXPECT_EQ(ValueOf(rows, "EVEN"), "1");
    EXPECT_EQ(ValueOf(rows, "PRIM"), "4");  // 7, 7, 2 and 5 are all prime
}
