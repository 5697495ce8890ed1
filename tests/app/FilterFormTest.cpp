#include "app/FilterForm.h"
#include "app/WorkspaceFixture.h"
#include "combs/FilterConditions.h"
#include "stats/StatClass.h"

using namespace qx;
using namespace qx::test;

namespace {

// A method class that answers like another one except that its values cannot be read back.
class TUnparsableClass : public TStatClass {
public:
    explicit TUnparsableClass(const TStatClass& inner) : FInner(inner) {}
    std::string_view ClassName() const override { return FInner.ClassName(); }
    std::string CodeFormat() const override { return FInner.CodeFormat(); }
    std::string NameFormat() const override { return FInner.NameFormat(); }
    std::string HelpCodeFormat() const override { return FInner.HelpCodeFormat(); }
    uint8_t Group() const override { return FInner.Group(); }
    uint8_t Flags() const override { return FInner.Flags(); }
    bool Available() const override { return true; }
    bool Listed() const override { return true; }
    bool IsGraph() const override { return FInner.IsGraph(); }
    bool CanParseValue() const override { return false; }
    bool HasParams() const override { return FInner.HasParams(); }
    TParamRange ParamRange(const TConfigData& c) const override { return FInner.ParamRange(c); }
    std::unique_ptr<TCustomStat> Create(const TStatEnv& env, int32_t param) const override {
        return FInner.Create(env, param);
    }

private:
    const TStatClass& FInner;
};

class FilterEditor : public WorkspaceFixture {
protected:
    void SetUp() override {
        Start({MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {5, 6, 7, 8})});
        Ws->StatTab().SetWindowLength(250);
        ASSERT_TRUE(Chooser().SelectMethod(Ws->Stats().IndexOfCode("EVEN")));
    }
    TMethodChooser& Chooser() { return Ws->StatTab().Chooser(); }
    TFilterForm Open(const TFilterItem& item) {
        return FilterFormOf(item, Chooser(), Ws->Stats(), Ws->StatTab().WindowLength(),
                            Ws->Stats().Config().Weights);
    }
    std::optional<TFilterFormRefusal> Check(const TFilterForm& f) {
        return CheckFilterForm(f, FilterFormMethod(f, Chooser(), Ws->Stats()), Chooser());
    }
    TFilterItem Parse(const char* text) { return ParseFilterItem(text, Ws->Stats()); }
};

} // namespace

TEST_F(FilterEditor, ANewFilterStartsFromTheTabAndTheEngineWeights) {
    const TFilterForm f = Open(TFilterItem{});
    EXPECT_EQ(f.Entry, Chooser().Selected());
    EXPECT_EQ(f.Lengths, "250");
    EXPECT_EQ(f.SortColumn, 1);
    EXPECT_FALSE(f.BottomUp || f.Keep || f.MultiSelect || f.OwnWeights);
    EXPECT_EQ(f.Condition, 0);
    EXPECT_EQ(f.StopMode, 0);
    EXPECT_EQ(f.StopValue, 1);
    EXPECT_EQ(f.Weights, (std::array<std::string, 3>{"0.000", "-1.000", "1.000"}));
    // OK without changes: the tab's method and length, nothing else set.
    const TFilterItem item =
        FilterItemOfForm(TFilterItem{}, f, f, FilterFormMethod(f, Chooser(), Ws->Stats()));
    EXPECT_EQ(FilterItemText(item), "TSD1#EVEN:250#LNO:#SF:1");
}

TEST_F(FilterEditor, ADescriptionReplacesTheDefaultsAndComesBackUnchanged) {
    const char* text = "BMF8#NUMS:10,20#WDV:1,2#ST:3#0.1234:-2:1:1:0";
    const TFilterItem item = Parse(text);
    const TFilterForm f = Open(item);
    EXPECT_EQ(Chooser().Entries()[size_t(f.Entry)].Method, Ws->Stats().IndexOfCode("NUMS"));
    EXPECT_EQ(f.Lengths, "10,20");
    EXPECT_EQ(f.SortColumn, 8);
    EXPECT_TRUE(f.BottomUp && f.MultiSelect && f.Keep && f.OwnWeights && f.WeightPercents);
    EXPECT_EQ(f.Condition, 21);
    EXPECT_EQ(f.Values, "1,2");
    EXPECT_EQ(f.StopMode, 3);
    EXPECT_EQ(f.StopValue, 3);
    EXPECT_EQ(f.Weights[0], "0.123"); // shown rounded ...
    const TFilterItem back = FilterItemOfForm(item, f, f, FilterFormMethod(f, Chooser(), Ws->Stats()));
    EXPECT_EQ(FilterItemText(back), text); // ... but kept exactly when left alone
    EXPECT_EQ(back.StatText, item.StatText);

    TFilterForm edited = f;
    edited.Weights[0] = "0,5";
    edited.Keep = false;
    edited.Entry = 0;
    const TFilterItem changed =
        FilterItemOfForm(item, f, edited, FilterFormMethod(edited, Chooser(), Ws->Stats()));
    EXPECT_EQ(FilterItemText(changed), "BMD8#NUMS:10,20#WDV:1,2#ST:3#0.5:-2:1:1:0");
}

TEST_F(FilterEditor, AMethodTheChooserDoesNotOfferFallsBackToTheFirstEntry) {
    Ws->Stats().SetFavourites("EVEN,POS1");
    Chooser().Fill(Ws->Stats(), false);
    const TFilterForm f = Open(Parse("TSD1#NUMS:10#LNO:#SF:1"));
    EXPECT_EQ(f.Entry, 0);
    // A stored sort column beyond the table and a stop value of 0 show as the nearest valid ones.
    const TFilterForm odd = Open(Parse("TSD25#POS1:10#LNO:#SF:0"));
    EXPECT_EQ(odd.SortColumn, 19);
    EXPECT_EQ(odd.StopValue, 1);
}

TEST_F(FilterEditor, RefusalsInOrderWithTheFieldThatGetsTheFocus) {
    TFilterForm f = Open(TFilterItem{});
    EXPECT_FALSE(Check(f));
    for (const char* bad : {"", "0", "1-10", "5-1;1", "x", "0-0;0"}) {
        f.Lengths = bad;
        auto r = Check(f);
        ASSERT_TRUE(r) << bad;
        EXPECT_EQ(r->Field, TFilterFormField::Lengths);
        EXPECT_EQ(r->Message, "Введен некорректный диапазон значений!");
    }
    f.Lengths = "0,10"; // only a single 0 is refused
    EXPECT_FALSE(Check(f));
    f.Lengths = "1-2000000000;1"; // too long a list is refused, not expanded
    auto huge = Check(f);
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->Field, TFilterFormField::Lengths);
    EXPECT_EQ(huge->Message.rfind("Вы задали слишком много вариантов фильтров", 0), 0u);

    f.Lengths = "100";
    f.Condition = 1; // a condition needs its values
    auto values = Check(f);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->Field, TFilterFormField::Values);
    f.Values = "1-5;2";
    EXPECT_FALSE(Check(f));

    f.MultiSelect = true;
    f.StopMode = smCombsCount;
    auto stop = Check(f);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->Field, TFilterFormField::StopMode);
    EXPECT_EQ(stop->Message,
              "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может быть "
              "выполнена!\rВыберите другой способ останова.");
    f.MultiSelect = false;
    EXPECT_FALSE(Check(f));

    Chooser().Select(-1);
    f.Entry = -1;
    auto none = Check(f);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->Message, "Не выбран метод расчета статистики (cb: cbDrawsStatType)!");
}

TEST_F(FilterEditor, TheValueListNeedsAMethodWhoseValuesReadBack) {
    TFilterForm f = Open(TFilterItem{});
    f.Condition = kConditionValueList;
    f.Values = "1,2";
    const TStatMethod* method = FilterFormMethod(f, Chooser(), Ws->Stats());
    EXPECT_FALSE(CheckFilterForm(f, method, Chooser()));
    TUnparsableClass unparsable(*method->StatClass);
    TStatMethod other = *method;
    other.StatClass = &unparsable;
    auto r = CheckFilterForm(f, &other, Chooser());
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Field, TFilterFormField::Condition);
    EXPECT_EQ(r->Message, "Для данного вида статистики не доступен режим выделения по списку значений!");
}

TEST(FilterEditorRules, WeightGroupAndTypedCharacters) {
    for (int c = 0; c < kConditionCount; ++c) EXPECT_EQ(FilterFormWeightsEnabled(c), c >= 19 && c <= 21) << c;
    for (char32_t c : {U'0', U'9', U'-', U',', U';', U'\b', char32_t(127)})
        EXPECT_TRUE(IsNumberListInputChar(c));
    for (char32_t c : {U'.', U' ', U'a', U'+', U'Ж'}) EXPECT_FALSE(IsNumberListInputChar(c));
}
