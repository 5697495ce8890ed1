#include <gtest/gtest.h>

#include <random>

#include "FakeResultsSite.h"
#include "core/ArchiveQueries.h"
#include "core/DateTime.h"
#include "core/DrawHelpers.h"
#include "core/Error.h"
#include "core/TextBetween.h"
#include "draws/ResultsPage.h"
#include "support/TestSupport.h"

using namespace qx;
using qx::test::MakeDraw;

namespace {

std::vector<std::string> Labels(const TDrawsArray& draws) {
    std::vector<std::string> l;
    for (const auto& d : draws) l.push_back(std::to_string(d.Number) + " " + d.DateLabel());
    return l;
}

} // namespace

TEST(ResultsRequest, KeysInThePagesOrderWithSlashesSentAsPercent2F) {
    EXPECT_EQ(ResultsPageAddress("http://127.0.0.1:8080/", "pick4", 20190307, 20190615),
              "http://127.0.0.1:8080/site/winningNumberSearch?searchTypeIn=range&gameNameIn=pick4&singleDateIn=&"
              "fromDateIn=03%2F07%2F2019&toDateIn=06%2F15%2F2019&n1In=&n2In=&n3In=&n4In=&n5In=&submitForm=Submit");
    EXPECT_EQ(ResultsPageAddress("results.example", "Pick 4", 19910704, 19911011).rfind(
                  "http://results.example/site/winningNumberSearch?searchTypeIn=range&gameNameIn=Pick%204&", 0),
              0u);
}

TEST(TextBetween, ModesQuotesAndTheMissingPairMessage) {
    EXPECT_EQ(ExtractBetween("<A> x </a>", "<a>", "</A>"), "x");
    EXPECT_EQ(ExtractBetween("no start", "<a>", "</a>"), "");
    EXPECT_EQ(ExtractBetween("<a> \"say \"\"hi\"\"\" </a>", "<a>", "</a>"), "say \"hi\"");
    EXPECT_EQ(ExtractBetween("<a>\"</a>", "<a>", "</a>"), "\"");
    EXPECT_EQ(ExtractBetween("<a> open", "<a>", "</a>", TBetweenMode::Empty), "");
    EXPECT_EQ(ExtractBetween("<a> open ", "<a>", "</a>", TBetweenMode::ToEnd), "open");
    try {
        ExtractBetween("<a> open", "<a>", "</a>");
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_STREQ(e.what(), "Не удалось найти пару идентификаторов \"<a>\" - \"</a>\" в тексте\r\r[<a> open]!");
    }
    // A huge text is cut in the message.
    try {
        ExtractBetween("<a>" + std::string(100000, 'x'), "<a>", "</a>");
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_LT(std::string(e.what()).size(), 1200u);
    }

    const std::string text = "<tr>1</tr><TR> 2 </tr><tr>3";
    TTextCursor cursor(text);
    EXPECT_EQ(cursor.CutBetween("<tr>", "</tr>"), "1");
    EXPECT_EQ(cursor.CutBetween("<tr>", "</tr>"), "2");
    EXPECT_EQ(cursor.Rest(), "<tr>3");
    EXPECT_THROW(cursor.CutBetween("<tr>", "</tr>"), TAppError);
    EXPECT_EQ(cursor.CutBetween("<td>", "</td>"), std::nullopt);
}

TEST(ResultsPage, RowsAreReadInPageOrderAndCutMarkersRaise) {
    std::vector<fake::TFakeDay> days = {{20150830, "4 - 4 - 0 - 7", "1 - 5 - 8 - 5"}, {20150831, "0-1-2-3", "-"}};
    auto rows = ParseResultsPage(fake::ResultsPageHtml(days));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Date, "08/30/2015");
    EXPECT_EQ(rows[0].Evening, "1 - 5 - 8 - 5");
    EXPECT_EQ(rows[1].Evening, "-");
    EXPECT_TRUE(ParseResultsPage("<html>maintenance</html>").empty());
    std::string page = fake::ResultsPageHtml(days);
    EXPECT_THROW(ParseResultsPage(page.substr(0, page.find("</tbody></table>"))), TAppError);
    EXPECT_THROW(ParseResultsPage(page.substr(0, page.find("<footer"))), TAppError);
}

TEST(ResultsPage, OnlyNewWellFormedResultsInsideTheRangeBecomeDrawsNumberedOnFromTheNewest) {
    // The archive lost draw 3 once: numbers continue from the newest draw's, not from the length.
    const TDrawsArray archive = {MakeDraw(1, {1, 2, 3, 4}, "03/01/2019 M"), MakeDraw(2, {1, 2, 3, 4}, "03/01/2019 E"), MakeDraw(4, {1, 2, 3, 4}, "03/02/2019 M")};
    const std::vector<TResultsDay> days = {
        {"03/03/2019", "1 - 2 - 3", "1-2-3-4-5"},           // three and five numbers
        {"03/02/2019", "9 - 9 - 9 - 9", " 5 - x - 7 - 8 "},  // midday stored; a non-number reads 0
        {"02/30/2019", "1-1-1-1", "-"},                     // no such day
        {"3/4/2019", "1-1-1-1", ""},                        // not the page's date form
        {"03/04/2019", "1-10-1-1", "2 - 2 - 2 - 2"},        // a number beyond 9
        {"03/01/2019", "0-0-0-0", "0-0-0-0"},               // stored long ago
        {"02/01/2019", "0-0-0-0", "-"},                     // before the range: the page ignored the dates
        {"03/04/2019", "-", "2 - 2 - 2 - 2"},               // the same day twice
    };
    TNewDraws fresh = CollectNewDraws(days, archive, 20190302, 20190310);
    EXPECT_EQ(Labels(fresh.Draws), (std::vector<std::string>{"5 03/02/2019 E", "6 03/04/2019 E"}));
    EXPECT_EQ(fresh.Skipped, 5);
    EXPECT_EQ(CodeOfDraw(fresh.Draws[0]), MakeCode(5, 0, 7, 8));

    // A page listing the newest first still gives the draws oldest first.
    const std::vector<TResultsDay> newestFirst = {{"03/05/2019", "5-5-5-5", "6-6-6-6"}, {"03/04/2019", "3-3-3-3", "4-4-4-4"}};
    fresh = CollectNewDraws(newestFirst, archive, 20190302, 20190310);
    EXPECT_EQ(Labels(fresh.Draws), (std::vector<std::string>{"5 03/04/2019 M", "6 03/04/2019 E", "7 03/05/2019 M",
                                                             "8 03/05/2019 E"}));
    // Stored labels are found whatever their letter case.
    fresh = CollectNewDraws({{"03/02/2019", "1-1-1-1", "-"}}, {MakeDraw(1, {1, 2, 3, 4}, "03/02/2019 m")}, 20190302, 20190302);
    EXPECT_TRUE(fresh.Draws.empty());
}

TEST(ResultsPage, CutAndMutatedPagesNeverCrashOrStoreADigitAboveNine) {
    std::vector<fake::TFakeDay> days;
    for (int i = 0; i < 60; ++i)
        days.push_back({AddDays(20150101, i), std::to_string(i % 10) + " - 1 - 2 - 3", "4 - " + std::to_string(i % 13) + " - 6 - 7"});
    const std::string page = fake::ResultsPageHtml(days);
    std::mt19937 random(17);
    const char noise[] = "<>/-0123456789 \"abdivtr";
    for (int round = 0; round < 3000; ++round) {
        std::string mutated = page.substr(0, random() % (page.size() + 1));
        for (int k = random() % 8; k > 0 && !mutated.empty(); --k)
            mutated[random() % mutated.size()] = noise[random() % (sizeof noise - 1)];
        try {
            TNewDraws fresh = CollectNewDraws(ParseResultsPage(mutated), {}, 20150101, 20151231);
            for (const TDrawRecord& d : fresh.Draws) {
                for (uint8_t v : d.Digits) ASSERT_LE(v, 9);
                ASSERT_NO_THROW(DateNumberAtRow({d}, 0, 0)) << d.DateLabel();
            }
        } catch (const TAppError&) {
            // A cut marker pair is reported, never a crash.
        }
    }
}
