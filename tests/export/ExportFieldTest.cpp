#include <gtest/gtest.h>

#include "ExportTestSupport.h"
#include "export/CellNumber.h"
#include "export/ExportField.h"
#include "export/ExportSource.h"

using namespace qx;
using namespace qx::test;

namespace {

TExportFields Fields(std::initializer_list<std::pair<const char*, bool>> items) {
    TExportFields fields;
    int i = 0;
    for (auto [name, checked] : items) {
        TExportField f;
        f.SourceIndex = i++;
        f.Caption = f.PhysicalName = name;
        f.Checked = checked;
        fields.push_back(f);
    }
    return fields;
}

std::string Order(const TExportFields& fields) {
    std::string s;
    for (const auto& f : fields) s += f.Caption + (f.Checked ? "+" : "-") + " ";
    return s;
}

} // namespace

TEST(ExportField, WidthIsReadLenientlyAndCappedForTheSheet) {
    EXPECT_DOUBLE_EQ(ParseWidth("12,5"), 12.5);
    EXPECT_DOUBLE_EQ(ParseWidth("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(ParseWidth(" 1 2,50 px"), 12.5);  // blanks and letters dropped
    EXPECT_DOUBLE_EQ(ParseWidth("ширина"), 10);
    EXPECT_DOUBLE_EQ(ParseWidth(""), 10);
    EXPECT_DOUBLE_EQ(ParseWidth("1.2.3"), 10);
    EXPECT_DOUBLE_EQ(SheetColumnWidth("300"), 255);
    EXPECT_DOUBLE_EQ(SheetColumnWidth("-4"), 0);
    EXPECT_DOUBLE_EQ(SheetColumnWidth("1e400"), 255);  // "1400" once the letter is gone
    EXPECT_EQ(PixelWidthText(100, ','), "12,50");
    EXPECT_EQ(PixelWidthText(54, '.'), "6.75");
    EXPECT_EQ(WidthText(ParseWidth("7,126"), ','), "7,13");
}

TEST(ExportField, SheetNameIsCleanedAndCut) {
    EXPECT_EQ(CleanSheetName("A/B:[1]?"), "A-B(1)");
    EXPECT_EQ(CleanSheetName("  \"Рейтинг*' \\ 2 "), "Рейтинг - 2");
    EXPECT_EQ(CleanSheetName(std::string(40, 'x')), std::string(31, 'x'));
    // Characters, not bytes: 31 Cyrillic letters are 62 bytes.
    std::string cyrillic;
    for (int i = 0; i < 40; ++i) cyrillic += "Ж";
    EXPECT_EQ(CleanSheetName(cyrillic).size(), 62u);
    EXPECT_EQ(CleanSheetName(std::string(30, 'x') + " y"), std::string(30, 'x'));  // cut, then trimmed
    EXPECT_EQ(CleanSheetName("?:*"), "");
}

TEST(ExportField, AlignmentsHaveNamesAndCodes) {
    EXPECT_STREQ(AlignmentName(0), "по левому краю");
    EXPECT_STREQ(AlignmentName(1), "по правому краю");
    EXPECT_STREQ(AlignmentName(2), "по центру");
    EXPECT_STREQ(AlignmentName(9), "");
    EXPECT_EQ(AlignmentCode(0), -4131);
    EXPECT_EQ(AlignmentCode(1), -4152);
    EXPECT_EQ(AlignmentCode(2), -4108);
    EXPECT_EQ(AlignmentCode(9), -4131);
    EXPECT_EQ(ExportAlignment(-1), kAlignLeft);
}

TEST(ExportField, CheckedFieldsComeFirstInTheirOrder) {
    // Unchecking the first of three checked fields moves it behind the last checked one.
    TExportFields fields = Fields({{"A", false}, {"B", true}, {"C", true}, {"D", false}});
    int selected = OrderCheckedFirst(fields, 0);
    EXPECT_EQ(Order(fields), "B+ C+ A- D- ");
    EXPECT_EQ(selected, 2);
    // Checking the unchecked field at the bottom moves it directly behind the checked ones.
    fields = Fields({{"A", true}, {"B", true}, {"C", false}, {"D", false}, {"E", true}});
    selected = OrderCheckedFirst(fields, 4);
    EXPECT_EQ(Order(fields), "A+ B+ E+ C- D- ");
    EXPECT_EQ(selected, 2);
    // Interleaved: each group keeps its relative order; the selection follows its field.
    fields = Fields({{"A", false}, {"B", true}, {"C", false}, {"D", true}, {"E", false}, {"F", true}});
    selected = OrderCheckedFirst(fields, 2);
    EXPECT_EQ(Order(fields), "B+ D+ F+ A- C- E- ");
    EXPECT_EQ(fields[size_t(selected)].Caption, "C");
}

TEST(ExportField, PlainNumbersBecomeNumbersWithTheirDecimals) {
    struct TCase {
        const char* Text;
        char Separator;
        bool Number;
        double Value;
        const char* Format;
    } cases[] = {
        {"12", '.', true, 12, "0"},
        {"0", '.', true, 0, "0"},
        {"-3,25", ',', true, -3.25, "0.00"},
        {"0.5", ',', true, 0.5, "0.0"},  // "." is always a separator
        {"+1.50", '.', true, 1.5, "+0.00"},
        {"123456789012345", '.', true, 123456789012345.0, "0"},
        {"1234567890123456", '.', false, 0, ""},  // 16 digits would not stay exact
        {"0012", '.', false, 0, ""},
        {"00.5", '.', false, 0, ""},
        {"1,5", '.', false, 0, ""},  // "," only when it is the user's separator
        {"-", '.', false, 0, ""},
        {"", '.', false, 0, ""},
        {"1;2;3;4", '.', false, 0, ""},
        {"5.", '.', false, 0, ""},
        {".5", '.', false, 0, ""},
        {"-0", '.', false, 0, ""},
        {"-0.00", '.', false, 0, ""},
        {"1 234", '.', false, 0, ""},
        {"12/31/2024 M", '.', false, 0, ""},
        {"1e5", '.', false, 0, ""},
    };
    for (const TCase& c : cases) {
        auto n = CellNumber(c.Text, c.Separator);
        ASSERT_EQ(n.has_value(), c.Number) << c.Text;
        if (!n) continue;
        EXPECT_DOUBLE_EQ(n->Value, c.Value) << c.Text;
        EXPECT_EQ(n->Format, c.Format) << c.Text;
    }
}

TEST(ExportSource, GridSelectionChoosesTheModeAndRows) {
    TTableSource grid;
    grid.Kind = TExportVariant::DrawnGrid;
    grid.Cols = {{"", 0, 80}, {"", 1, 40}};
    grid.Rows = {{"№", "Профит"}};
    for (int r = 1; r <= 9; ++r) grid.Rows.push_back({std::to_string(r), "x"});

    grid.Selected = {3, 4, 5, 6, 7};
    TSourceCounts counts = CountSourceRows(grid);
    EXPECT_EQ(counts.All, 9);
    EXPECT_EQ(counts.Selected, 5);
    EXPECT_EQ(counts.Mode, 1);
    EXPECT_EQ(RowsToExport(grid, 1), (std::vector<int>{3, 4, 5, 6, 7}));
    EXPECT_EQ(RowsToExport(grid, 0).size(), 9u);
    EXPECT_EQ(RowsToExport(grid, 0).front(), 1);  // the caption row never goes out as data

    grid.Selected = {1, 2, 3, 4, 5};
    counts = CountSourceRows(grid);
    EXPECT_EQ(counts.Selected, 5);
    EXPECT_EQ(counts.Mode, 0);  // a selection from the top opens in mode 0
    EXPECT_EQ(RowsToExport(grid, 1), (std::vector<int>{1, 2, 3, 4, 5}));

    // A grid's fields take row 0 for their captions and no alignment.
    TExportFields fields = SourceFields(grid, ',');
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[1].Caption, "Профит");
    EXPECT_EQ(fields[1].PhysicalName, "Профит");
    EXPECT_EQ(fields[1].Alignment, kAlignLeft);
    EXPECT_EQ(fields[1].Width, "5,00");
    EXPECT_TRUE(fields[1].Checked);
}

TEST(ExportSource, ListSelectionChoosesTheModeAndRows) {
    TTableSource list;
    list.Cols = {{"Тираж", kAlignLeft, 54}, {"S", kAlignCenter, 30}};
    for (int r = 0; r < 6; ++r) list.Rows.push_back({std::to_string(r)});

    list.Multi = false;
    list.Selected = {4};
    TSourceCounts counts = CountSourceRows(list);
    EXPECT_EQ(counts.All, 6);
    EXPECT_EQ(counts.Selected, 1);
    EXPECT_EQ(counts.Mode, 0);
    EXPECT_EQ(RowsToExport(list, 1), std::vector<int>{4});

    list.Multi = true;
    for (auto selection : {std::vector<int>{}, std::vector<int>{2}}) {
        list.Selected = selection;
        counts = CountSourceRows(list);
        EXPECT_EQ(counts.Selected, 1);
        EXPECT_EQ(counts.Mode, 0);
        EXPECT_EQ(RowsToExport(list, 1), selection);
    }
    list.Selected = {1, 3, 5};
    counts = CountSourceRows(list);
    EXPECT_EQ(counts.Selected, 3);
    EXPECT_EQ(counts.Mode, 1);

    TExportFields fields = SourceFields(list, '.');
    EXPECT_EQ(fields[1].Caption, "S");
    EXPECT_EQ(fields[1].Alignment, kAlignCenter);
    EXPECT_EQ(fields[0].Width, "6.75");
    // A missing sub-item reads as empty.
    EXPECT_EQ(list.CellText(0, 1), "");
}
