#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/Config.h"
#include "core/Game.h"
#include "stats/KeyTests.h"
#include "stats/StatClass.h"
#include "stats/StatRows.h"

namespace qx {

class TDigitValuesSource;
class TOwnCodeFilter;
class TOwnWindowPass;
class TValueTexts;

// What a statistic object reads when it is created: the archive (oldest first) and the engine
// settings. Objects copy the settings they use, so a later change reaches only new objects.
struct TStatEnv {
    const TDrawsArray* Draws = nullptr;
    const TConfigData* Config = nullptr;
    const TShreddingFormulas* Formulas = nullptr;
    char DecimalSeparator = '.';  // the user's, which formulas accept besides "."
};

// A statistic method: maps a draw (or a candidate combination) to values and merges them into
// rows. Class-level properties come from Class(); the static members below are the defaults
// that StatClassOf<T> reads, and derived classes redeclare what differs.
class TCustomStat {
public:
    TCustomStat(const TStatClass& cls, const TStatEnv& env, int32_t param);
    virtual ~TCustomStat() = default;
    TCustomStat(const TCustomStat&) = delete;
    TCustomStat& operator=(const TCustomStat&) = delete;

    static constexpr bool kAvailable = true;
    static constexpr bool kListed = true;
    static constexpr bool kIsGraph = false;
    static constexpr bool kCanParseValue = true;
    static constexpr bool kHasParams = false;
    static TParamRange ParamRange(const TConfigData&) { return {0, 0}; }

    const TStatClass& Class() const { return FClass; }
    std::string GetName() const { return FClass.Name(Param); }

    virtual std::string ValueText(const TStatDraw& row) const;
    // The method as a digit-values one (DigitValues.h), when its values follow from the four digits
    // alone; none otherwise.
    virtual const TDigitValuesSource* DigitSource() const { return nullptr; }
    // The method's own table pass and filter decision (OwnPasses.h), when it has them.
    virtual TOwnWindowPass* OwnWindowPass() { return nullptr; }
    virtual TOwnCodeFilter* OwnCodeFilter() { return nullptr; }
    // Where the method's value texts are kept: shared between the objects of one method when the
    // registry attached them, else this object's own.
    const std::shared_ptr<TValueTexts>& ValueTexts() const;
    void AttachValueTexts(std::shared_ptr<TValueTexts> texts) const { FValueTexts = std::move(texts); }
    // Decimal value of the text, 0 when it is not a number.
    virtual int32_t ParseValue(std::string_view text) const;
    int32_t ParseValueChecked(std::string_view text) const;

    // Adds the rows of the values listed in advance (Count 0), so never-drawn values get a row.
    virtual void InitValues(int L, TStatSink& rows);
    // Draw := the draw at drawIndex (all zero outside the archive; digits sorted when sorted);
    // for "D" methods RefDraw := the draw at refIndex, prepared the same way.
    virtual void Prepare(int drawIndex, int refIndex, bool sorted);
    // Merges the values of a candidate combination, periods off, Count 1 per hit.
    virtual void AddCombination(TCombCode code, TStatSink& rows);
    // Merges the values of draw i of the window ending at L, periods on.
    virtual void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                         bool sorted);
    // Draw number of the first draw from archive index from on (hidden draws included) that
    // produces the row's key; -1 when none does.
    virtual int32_t FindNext(const TStatDraw& row, int from, bool sorted, int L);
    // True when the candidate's value matches one of the selected rows.
    virtual bool Matches(TCombCode code, TSelectedRows selected, bool exclude, bool sorted, int L) = 0;

    // The draw at index as Prepare reads it.
    TDrawRecord DrawAt(int index, bool sorted) const;

    int32_t Param;
    const TDrawsArray& Draws;
    TDrawRecord Draw;
    TDrawRecord RefDraw;
    TStatDraw Hit;

protected:
    // A row for key with Count 0 and periods off (the lists of InitValues).
    void ListValue(TStatSink& rows, TStatKey key);
    void ListValues(TStatSink& rows, int first, int last);

private:
    const TStatClass& FClass;
    mutable std::shared_ptr<TValueTexts> FValueTexts;
};

} // namespace qx
