#include <gtest/gtest.h>

#include <random>

#include "combs/FilterItem.h"
#include "combs/FilterVariants.h"
#include "core/Error.h"
#include "stats/StatList.h"
#include "support/CommaLocale.h"

using namespace qx;

namespace {

class FilterText : public ::testing::Test {
protected:
    TStatList Registry;
    TDrawsArray Draws;
    void SetUp() override {
        Registry.SetDraws(&Draws);
        Registry.Register();
    }
    TFilterItem Parse(std::string_view text) { return ParseFilterItem(text, Registry); }
};

std::vector<std::string> VariantTexts(const std::vector<TFilterItem>& items) {
    TFilterVariants variants(items);
    std::vector<std::string> texts;
    TFilterRec rec;
    while (variants.Next(rec)) {
        std::string t;
        for (const auto& p : rec.Parts)
            if (p.Defined) t += "(" + std::to_string(p.Length) + "," + p.ConditionValue + ")";
        texts.push_back(t);
    }
    EXPECT_EQ(static_cast<int64_t>(texts.size()), variants.Count());
    return texts;
}

} // namespace

TEST_F(FilterText, ParsesAndPrintsTheExample) {
    TFilterItem f = Parse("TSD1#NUMS:10,20#LMV:3#SF:1");
    EXPECT_TRUE(f.Defined);
    EXPECT_FALSE(f.BottomUp);
    EXPECT_FALSE(f.MultiSelect);
    EXPECT_FALSE(f.Keep);
    EXPECT_EQ(f.SortColumn, 1);
    ASSERT_NE(f.Method, nullptr);
    EXPECT_EQ(f.Method->Code(), "NUMS");
    EXPECT_EQ(f.Lengths, "10,20");
    EXPECT_EQ(f.Condition, 1);
    EXPECT_EQ(f.ConditionValues, "3");
    EXPECT_EQ(f.StopMode, 0);
    EXPECT_EQ(f.StopValue, 1);
    EXPECT_FALSE(f.Weights.OwnWeights);
    EXPECT_EQ(FilterItemText(f), "TSD1#NUMS:10,20#LMV:3#SF:1");
}

TEST_F(FilterText, FieldRules) {
    EXPECT_EQ(Parse("TSD12#NUMS:5").SortColumn, 12);
    EXPECT_EQ(Parse("TSD#NUMS:5").SortColumn, 1);
    EXPECT_EQ(Parse("TSDx#NUMS:5").SortColumn, 1);
    TFilterItem f = Parse("BMF3#nums::100#cdv:1,2#st:x#0,5:-1:2x:1:0");
    EXPECT_TRUE(f.BottomUp && f.MultiSelect && f.Keep);
    EXPECT_EQ(f.Method->Code(), "NUMS");  // letter case ignored
    EXPECT_EQ(f.Lengths, "100");          // runs of ":" count as one
    EXPECT_EQ(f.Condition, 17);
    EXPECT_EQ(f.StopMode, 3);
    EXPECT_EQ(f.StopValue, 1);  // not a number
    EXPECT_TRUE(f.Weights.OwnWeights);
    EXPECT_EQ(f.Weights.WeightCount, 0.5L);
    EXPECT_EQ(f.Weights.WeightDeviation, -1);
    EXPECT_EQ(f.Weights.WeightDepth, 2);
    EXPECT_TRUE(f.Weights.WeightPercents);
    EXPECT_FALSE(f.Weights.WeightAbs);
    EXPECT_EQ(FilterItemText(f), "BMF3#NUMS:100#CDV:1,2#ST:1#0.5:-1:2:1:0");

    TFilterItem unknown = Parse("TSD1#XYZ:10#LMV:3");
    EXPECT_EQ(unknown.Method, nullptr);
    EXPECT_EQ(unknown.Lengths, "");
    EXPECT_EQ(FilterItemText(unknown), "TSD1#XYZ:10#LMV:3#SF:0");  // empty field 4: both zero
    EXPECT_EQ(Parse("TSD1#NUMSX:7").Method->Code(), "NUMS");    // a code that begins the word
    EXPECT_FALSE(Parse("").Defined);
    EXPECT_EQ(FilterItemText(TFilterItem{}), "");
}

// Weights typed in the filter editor under a comma-decimal locale are kept, not lost to -1.
TEST_F(FilterText, WeightsRoundTripUnderACommaLocale) {
    QX_COMMA_LOCALE_SCOPE(comma);
    const std::string text = "TSD1#NUMS:10#LMV:3#SF:1#0.5:-1.25:2:1:0";
    TFilterItem f = Parse(text);
    EXPECT_TRUE(f.Weights.OwnWeights);
    EXPECT_EQ(f.Weights.WeightCount, 0.5L);
    EXPECT_EQ(f.Weights.WeightDeviation, -1.25L);
    EXPECT_EQ(FilterItemText(f), text);
    EXPECT_EQ(Parse("TSD1#NUMS:10#LMV:3#SF:1#0,5:1:1:0:0").Weights.WeightCount, 0.5L);
}

TEST(FilterMethodCode, AnExactCodeWinsOverAShorterOneThatBeginsTheWord) {
    const std::vector<std::string> codes = {"CHN1", "CHN2", "CHN10", "SUM"};
    auto match = [&](std::string_view text) {
        return MatchMethodCode(text, int(codes.size()), [&](int i) { return codes[size_t(i)]; });
    };
    EXPECT_EQ(match("CHN10:100"), 2);
    EXPECT_EQ(match("chn10:100"), 2);
    EXPECT_EQ(match("CHN1:100"), 0);
    EXPECT_EQ(match("CHN11:100"), 0);  // no exact code: the first one that begins it
    EXPECT_EQ(match("SUMS:5"), 3);
    EXPECT_EQ(match("XYZ:5"), -1);
    EXPECT_EQ(match(""), -1);
}

TEST(FilterMethodCode, TheTenthChannelOfWidthOneIsNotTheFirst) {
    TStatList registry;
    TConfigData config;
    config.ChannelSize = 1;
    registry.SetConfig(config);
    registry.Register();
    const TFilterItem f = ParseFilterItem("TMD1#CHN10:1000#CLV:60#SF:1", registry);
    ASSERT_NE(f.Method, nullptr);
    EXPECT_EQ(f.Method->Code(), "CHN10");
    EXPECT_EQ(FilterItemText(f), "TMD1#CHN10:1000#CLV:60#SF:1");
    EXPECT_EQ(ParseFilterItem("TMD1#CHN1:1000#CLV:60#SF:1", registry).Method->Code(), "CHN1");
}

TEST_F(FilterText, MalformedTextsNeverCrashAndPrintStably) {
    std::mt19937 rng(11);
    const std::string alphabet = "TSDBMF0123456789#:,;-.NUMSLMVCDVPOSxX \xD0\x90";
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        int len = static_cast<int>(rng() % 40);
        for (int i = 0; i < len; ++i) text += alphabet[rng() % alphabet.size()];
        TFilterItem f = Parse(text);
        std::string printed = FilterItemText(f);
        TFilterItem again = Parse(printed);
        ASSERT_EQ(FilterItemText(again), printed) << text;
        try {
            TFilterVariants v({f});
            TFilterRec rec;
            for (int i = 0; i < 3 && v.Next(rec); ++i) FilterRecText(rec);
        } catch (const TAppError&) {
        }
    }
}

TEST_F(FilterText, VariantOrderAndCount) {
    auto a = Parse("TSD1#NUMS:10,20#LMV:1,2#SF:1");
    auto b = Parse("TSD1#DIGS:30#LNO:#SF:1");
    EXPECT_EQ(VariantTexts({a, b}),
              (std::vector<std::string>{"(10,1)(30,)", "(10,2)(30,)", "(20,1)(30,)", "(20,2)(30,)"}));
    EXPECT_EQ(VariantTexts({Parse("TSD1#NUMS:10#LDV:1-5;2#SF:1")}), (std::vector<std::string>{"(10,1,3,5)"}));

    TFilterVariants v({a, b});
    TFilterRec rec;
    ASSERT_TRUE(v.Next(rec));
    EXPECT_EQ(FilterRecText(rec), "TSD#NUMS:10#LMV:1,2#SF:1 + TSD#DIGS:30#LNO:#SF:1");
    EXPECT_EQ(rec.Parts[0].ConditionValues, "1,2");  // the description's text in every variant
}

TEST_F(FilterText, InvalidDescriptionsAndTheCeiling) {
    auto message = [&](std::vector<TFilterItem> items) {
        try {
            TFilterVariants v(items);
        } catch (const TAppError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message({}), "Некорректное описание фильтра: !");
    EXPECT_EQ(message({Parse("TSD1#NUMS:#LMV:3#SF:1")}), "Некорректное описание фильтра: TSD1#NUMS:#LMV:3#SF:1!");
    EXPECT_EQ(message({Parse("TSD1#NUMS:10#LMV:#SF:1")}), "Некорректное описание фильтра: TSD1#NUMS:10#LMV:#SF:1!");
    EXPECT_EQ(message({Parse("TSD1#XYZ:10#LMV:1#SF:1")}), "Некорректное описание фильтра: TSD1#XYZ:10#LMV:1#SF:1!");
    EXPECT_EQ(message({Parse("TSD1#NUMS:10#LNO:#SF:1")}), "no error");
    // 1000 x 1000 x 2 variants: refused on the count.
    auto big = Parse("TSD1#NUMS:1-1000;1#LMV:1-1000;1#SF:1");
    std::string tooMany = message({big, Parse("TSD1#NUMS:1,2#LNO:#SF:1")});
    EXPECT_EQ(tooMany.rfind("Вы задали слишком много вариантов фильтров", 0), 0u) << tooMany;
    EXPECT_EQ(message({big}), "no error");  // exactly the ceiling
    // 10^10 variants of one description: refused before any of them exists (building them first
    // would run out of memory).
    tooMany = message({Parse("TSD1#NUMS:1-100000;1#LMV:1-100000;1#SF:1")});
    EXPECT_EQ(tooMany.rfind("Вы задали слишком много вариантов фильтров", 0), 0u) << tooMany;
}

TEST_F(FilterText, VariantsOfLongListsProgressAndStop) {
    // A million-value list tested as a whole: its text is put together once, not once per length.
    TFilterVariants wide({Parse("TSD1#NUMS:1-1000;1#LDV:1-1000000;1#SF:1")});
    EXPECT_EQ(wide.Count(), 1000);
    TFilterVar var;
    ASSERT_TRUE(wide.Next(var));
    ASSERT_TRUE(wide.Next(var));
    EXPECT_EQ(var.Number, 2);
    EXPECT_EQ(var.Rec.Parts[0].Length, 2);
    EXPECT_EQ(var.Rec.Parts[0].ConditionValue.substr(0, 6), "1,2,3,");
    EXPECT_EQ(var.Rec.Parts[0].ConditionValue.size(), 6888895u);

    TFilterVariants v = ExpandFilterVariants({Parse("TSD1#NUMS:1-50;1#LMV:1-50;1#SF:1")});
    std::vector<std::string> status;
    v.OnProgress = [&](int64_t made) { status.push_back(VariantsProgressText(made)); };
    v.StopRequested = [&] { return v.Made() == 2345; };
    TFilterRec rec;
    while (v.Next(rec)) {
    }
    EXPECT_EQ(v.Made(), 2345);
    EXPECT_EQ(status, (std::vector<std::string>{"Создание всех вариантов фильтров ( 1000 )...",
                                                "Создание всех вариантов фильтров ( 2000 )..."}));
    EXPECT_EQ(rec.Parts[0].Length, 47);  // the 2345th: length 47, threshold 45
    EXPECT_EQ(rec.Parts[0].ConditionValue, "45");
}
