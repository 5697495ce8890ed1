// Escaping of what goes out and reading of what comes back from the catalogue.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "core/Base64.h"
#include "core/Error.h"
#include "online/CatalogueAnswer.h"
#include "online/CatalogueText.h"

namespace qx {
namespace {

std::string ErrorOf(std::string_view answer) {
    try {
        ReadCatalogueAnswer(answer);
    } catch (const TAppError& e) {
        return e.what();
    }
    return {};
}

TEST(CatalogueText, EscapesEveryNamedByteAndLeavesTheRest) {
    std::string in;
    for (int b = 0; b <= 13; ++b) in += static_cast<char>(b);
    in += "\x1b\"'?\\";
    EXPECT_EQ(CEscape(in), R"(\0\1\2\3\4\5\6\a\b\t\n\v\f\r\e\"\'\?\\)");
    // Other control bytes and Windows-1251 letters pass as they are.
    const std::string other = std::string("\x0e\x1f\x7f", 3) + "\xcf\xf0\xe8\xe2\xe5\xf2 a%&+=";
    EXPECT_EQ(CEscape(other), other);
}

TEST(CatalogueText, Base64RoundTripsAndRefusesGarbage) {
    for (std::string s : {"", "a", "ab", "abc", "abcd", "\xff\x00\x80"}) {
        auto back = DecodeBase64(EncodeBase64(s));
        ASSERT_TRUE(back.has_value()) << s;
        EXPECT_EQ(*back, s);
    }
    EXPECT_EQ(EncodeBase64("Man"), "TWFu");
    EXPECT_EQ(EncodeBase64("Ma"), "TWE=");
    for (const char* bad : {"TWF", "TW=u", "T@Fu", "TWFu\r\n", "A===", "===="}) EXPECT_FALSE(DecodeBase64(bad)) << bad;
}

TEST(CatalogueText, RepairsInvalidUtf8) {
    EXPECT_EQ(RepairUtf8("Пр\xffи\xd0"), "Пр\xEF\xBF\xBDи\xEF\xBF\xBD");
    EXPECT_EQ(RepairUtf8("\xed\xa0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // a surrogate
    EXPECT_EQ(RepairUtf8("ok €"), "ok €");
}

class CatalogueDates : public ::testing::Test {
protected:
    void SetTz(const char* tz) {
        setenv("TZ", tz, 1);
        tzset();
    }
    void TearDown() override {
        if (FOld) setenv("TZ", FOld->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }
    void SetUp() override {
        if (const char* old = std::getenv("TZ")) FOld = old;
    }
    std::optional<std::string> FOld;
};

TEST_F(CatalogueDates, UtcBecomesLocalTimeAndMalformedReadsZero) {
    SetTz("UTC");
    EXPECT_EQ(FormatCatalogueDate(CatalogueUtcToLocal("2024-02-29 23:30:05")), "2024-02-29 23:30:05");
    SetTz("MSK-3");
    EXPECT_EQ(FormatCatalogueDate(CatalogueUtcToLocal("2024-02-29 23:30:05")), "2024-03-01 02:30:05");
    for (const char* bad : {"", "2024-02-30 10:00:00", "2024-1-01 10:00:00", "2024-01-01T10:00:00",
                            "2024-01-01 24:00:00", "abcd-01-01 10:00:00", "2024-01-01 10:00:00 "})
        EXPECT_EQ(CatalogueUtcToLocal(bad), 0) << bad;
    EXPECT_EQ(FormatCatalogueDate(0), "");
}

TEST_F(CatalogueDates, FileTimesRoundTripInWholeSeconds) {
    SetTz("EST5EDT");
    const TDateTime t = CatalogueUtcToLocal("2023-07-01 12:00:00");
    EXPECT_EQ(LocalToUnixTime(t), 1688212800);
    EXPECT_EQ(FormatCatalogueDate(UnixTimeToLocal(1688212800)), FormatCatalogueDate(t));
}

TEST(CatalogueAnswer, ReadsRowsElementsAndTheQuoteRule) {
    const std::string text = "<html><RESULT>\n <row><ID> 7 </id><name>\"a\"\"b\"</name><t>" + EncodeBase64("Тест") +
                             "</t><r>3.250</r><bad>x1</bad></row><row><id>8</id></row></result>";
    const TCatalogueAnswer a = ReadCatalogueAnswer(text);
    ASSERT_EQ(a.Rows.size(), 2u);
    EXPECT_FALSE(a.ResultEmpty);
    EXPECT_EQ(a.Rows[0].Int("id"), 7);
    EXPECT_EQ(a.Rows[0].Raw("name"), "a\"b");
    EXPECT_EQ(a.Rows[0].Base64Utf8("t"), "Тест");
    EXPECT_DOUBLE_EQ(a.Rows[0].Real("r"), 3.25);
    EXPECT_EQ(a.Rows[0].Int("bad"), 0);
    EXPECT_EQ(a.Rows[0].Raw("absent"), "");
    EXPECT_EQ(a.Rows[0].Date("absent"), 0);
    EXPECT_EQ(a.Rows[1].Int("id"), 8);
    EXPECT_TRUE(ReadCatalogueAnswer("<result> </result>").ResultEmpty);
    EXPECT_TRUE(ReadCatalogueAnswer("nothing").ResultEmpty);
}

TEST(CatalogueAnswer, FailuresCarryTheirTexts) {
    EXPECT_EQ(ErrorOf("<result><row><error> Нет доступа </error></row></result>"),
              "Сервер сообщил об ошибке: Нет доступа");
    EXPECT_EQ(ErrorOf("<result><row><error></error><id>1</id></row></result>"), "");
    EXPECT_EQ(ErrorOf("<result><row><id>1</id>"),
              "Не удалось найти пару идентификаторов \"<result>\" - \"</result>\" в тексте\r\r[<result><row><id>1</id>]!");
    const TCatalogueAnswer open = ReadCatalogueAnswer("<result><row><id>1</row></result>");
    try {
        open.Rows.at(0).Int("id");
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_EQ(std::string(e.what()), "Не удалось найти пару идентификаторов \"<id>\" - \"</id>\" в тексте\r\r[<id>1]!");
    }
    EXPECT_THROW(ReadCatalogueAnswer("<result><row><t>@@</t></row></result>").Rows[0].Base64Utf8("t"), TAppError);
}

TEST(CatalogueAnswer, FuzzedAnswersNeverCrash) {
    std::mt19937 rng(18);
    const std::vector<std::string> parts = {"<result>", "</result>", "<row>", "</row>", "<error>", "</error>",
                                            "<id>",     "</id>",     "\"",    "x",      "TWFu",    "\xff"};
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        const int n = static_cast<int>(rng() % 20);
        for (int k = 0; k < n; ++k) text += parts[rng() % parts.size()];
        try {
            const TCatalogueAnswer a = ReadCatalogueAnswer(text);
            for (const TCatalogueRow& r : a.Rows) {
                r.Int("id");
                r.Utf8("id");
                r.Date("id");
                r.Base64Utf8("id");
            }
        } catch (const TAppError&) {
        }
    }
}

} // namespace
} // namespace qx
