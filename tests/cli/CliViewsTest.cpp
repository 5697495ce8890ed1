// "view": the card, the layout scheme, its comparison lists and the week grid of the real archive,
// against committed expected outputs and against a plain reading of the rules written here.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <set>

#include "CliRun.h"
#include "core/Text.h"
#include "draws/DrawsFile.h"

using namespace qx;
using namespace qx::test;

namespace {

using TGrid = std::vector<std::vector<std::string>>; // [row][column]

std::string Text(const TGrid& grid) {
    std::string out;
    for (const auto& row : grid) {
        for (size_t c = 0; c < row.size(); ++c) out += (c ? "\t" : "") + row[c];
        out += "\n";
    }
    return out;
}

std::string LiteralCard(const TDrawsArray& draws) {
    const int length = int(draws.size());
    TGrid grid(size_t(std::max(2, length + 1)), std::vector<std::string>(11));
    for (int d = 0; d < 10; ++d) grid[0][size_t(d + 1)] = std::to_string(d);
    for (int i = length - 1; i >= 0; --i) {
        auto& row = grid[size_t(length - i)];
        row[0] = std::to_string(draws[size_t(i)].Number);
        for (uint8_t d : draws[size_t(i)].Digits)
            if (d <= 9) row[size_t(d + 1)] = std::to_string(d);
    }
    return Text(grid);
}

struct TCell {
    int Value, Hits, LastDraw;
};

std::vector<TCell> LiteralCells(const TDrawsArray& draws, int first, int last) {
    std::vector<TCell> cells;
    for (int i = last; i >= first; --i)
        for (uint8_t d : draws[size_t(i)].Digits) {
            bool found = false;
            for (TCell& c : cells)
                if (c.Value == d) {
                    ++c.Hits;
                    found = true;
                }
            if (!found) cells.push_back({d, 1, draws[size_t(i)].Number});
        }
    return cells;
}

std::string LiteralLayout(const TDrawsArray& draws, int offset, int length) {
    const int c = int(draws.size()) - 1 - offset;
    const std::vector<TCell> cells = LiteralCells(draws, std::max(0, c - length + 1), c);
    std::set<int, std::greater<>> counts, lastDraws;
    for (const TCell& cell : cells) {
        counts.insert(cell.Hits);
        lastDraws.insert(cell.LastDraw);
    }
    std::set<int> following;
    if (offset >= 1)
        for (uint8_t d : draws[size_t(c + 1)].Digits) following.insert(d);
    TGrid grid(counts.size() + 1, std::vector<std::string>(lastDraws.size() + 1));
    std::map<int, size_t> rowOf, columnOf;
    for (int count : counts) rowOf[count] = rowOf.size() + 1;
    for (int number : lastDraws) columnOf[number] = columnOf.size() + 1;
    for (const auto& [count, r] : rowOf) grid[r][0] = std::to_string(count);
    for (const auto& [number, col] : columnOf) grid[0][col] = std::to_string(number);
    for (const TCell& cell : cells) {
        std::string text = std::to_string(cell.Value);
        if (following.count(cell.Value)) text = "[" + text + "]";
        std::string& target = grid[rowOf[cell.Hits]][columnOf[cell.LastDraw]];
        target = target.empty() ? text : target + ", " + text;
    }
    return Text(grid);
}

std::string LiteralCompare(const TDrawsArray& draws, int offset, const std::vector<int>& lengths) {
    const int c = int(draws.size()) - 1 - offset;
    std::string out;
    for (int length : lengths) {
        const int s = std::max(0, c - length + 1);
        if (!out.empty()) out += "\n";
        TGrid list = {{"Кол-во", std::to_string(draws[size_t(s)].Number) + " - " +
                                     std::to_string(draws[size_t(c)].Number)}};
        for (const TCell& cell : LiteralCells(draws, s, c)) {
            bool found = false;
            for (size_t r = 1; r < list.size(); ++r)
                if (list[r][0] == std::to_string(cell.Hits)) {
                    list[r][1] += ", " + std::to_string(cell.Value);
                    found = true;
                }
            if (!found) list.push_back({std::to_string(cell.Hits), std::to_string(cell.Value)});
        }
        out += Text(list);
    }
    return out;
}

std::string LiteralWeek(const TDrawsArray& draws, int offset, int length) {
    using namespace std::chrono;
    const int c = int(draws.size()) - 1 - offset;
    int counts[10][8] = {};
    for (int i = std::max(0, c - length + 1); i <= c; ++i) {
        const std::string label = draws[size_t(i)].DateLabel();
        if (label.size() < 10) continue;
        const year_month_day date{year(std::atoi(label.substr(6, 4).c_str())),
                                  month(unsigned(std::atoi(label.substr(0, 2).c_str()))),
                                  day(unsigned(std::atoi(label.substr(3, 2).c_str())))};
        if (!date.ok()) continue;
        const unsigned weekday = std::chrono::weekday(sys_days(date)).iso_encoding();
        for (uint8_t d : draws[size_t(i)].Digits)
            if (d <= 9) ++counts[d][weekday];
    }
    const char* days[] = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};
    TGrid grid(8, std::vector<std::string>(11));
    for (int d = 0; d < 10; ++d) grid[0][size_t(d + 1)] = std::to_string(d);
    for (int w = 1; w <= 7; ++w) {
        grid[size_t(w)][0] = days[w - 1];
        for (int d = 0; d < 10; ++d)
            if (counts[d][w] > 0) grid[size_t(w)][size_t(d + 1)] = std::to_string(counts[d][w]);
    }
    return Text(grid);
}

class CliViews : public ::testing::Test {
protected:
    void SetUp() override {
        QX_REQUIRE_REAL_ARCHIVE();
        ASSERT_EQ(RunCliIn(Dir, {"draws", "import", RealArchiveCsv().string()}).Code, 0);
        Draws = ReadDrawsFile(Dir / "Quadrix_4d10.ldr").Draws;
        ASSERT_EQ(Draws.size(), 13788u);
    }
    std::string View(std::vector<std::string> args) {
        args.insert(args.begin(), "view");
        const TCliRun run = RunCliIn(Dir, args);
        EXPECT_EQ(run.Code, 0) << run.Err;
        return run.Out;
    }
    static std::string Expected(const std::string& name) {
        return ReadBytes(TestDataDir() / "views" / (name + ".txt"));
    }
    TTempDir Dir;
    TDrawsArray Draws;
};

} // namespace

TEST_F(CliViews, CardIgnoresTheOffset) {
    const std::string card = View({"card"});
    EXPECT_EQ(card, Expected("card"));
    EXPECT_EQ(card, LiteralCard(Draws));
    EXPECT_EQ(View({"card", "--offset", "100"}), card);
}

TEST_F(CliViews, LayoutCompareAndWeekAtTwoOffsets) {
    for (int offset : {0, 100}) {
        const std::string o = std::to_string(offset);
        const std::string layout = View({"layout", "--offset", o});
        EXPECT_EQ(layout, Expected("layout-" + o));
        EXPECT_EQ(layout, LiteralLayout(Draws, offset, 100));
        const std::string compare = View({"compare", "--offset", o});
        EXPECT_EQ(compare, Expected("compare-" + o));
        EXPECT_EQ(compare, LiteralCompare(Draws, offset, {50, 100, 200, 300, 400}));
        const std::string week = View({"week", "--offset", o});
        EXPECT_EQ(week, Expected("week-" + o));
        EXPECT_EQ(week, LiteralWeek(Draws, offset, 1000));
    }
    // Other lengths than the stored ones.
    EXPECT_EQ(View({"layout", "--offset", "10", "--len", "7"}), LiteralLayout(Draws, 10, 7));
    EXPECT_EQ(View({"compare", "--lens", "1,2,3,13788,20000"}),
              LiteralCompare(Draws, 0, {1, 2, 3, 13788, 20000}));
    EXPECT_EQ(View({"week", "--offset", "13787", "--len", "5"}), LiteralWeek(Draws, 13787, 5));
    for (auto bad : std::vector<std::vector<std::string>>{{"view"},
                                                          {"view", "month"},
                                                          {"view", "layout", "--len", "0"},
                                                          {"view", "compare", "--lens", "1,2,3"},
                                                          {"view", "week", "--offset", "13788"}})
        EXPECT_NE(RunCliIn(Dir, bad).Code, 0) << bad.back();
}
