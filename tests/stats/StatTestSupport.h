#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "core/Config.h"
#include "core/Game.h"
#include "stats/CustomStat.h"
#include "stats/StatTable.h"

namespace qx::test {

TDrawRecord StatDraw(int number, std::initializer_list<int> digits);
// Draws numbered from first upwards with the given digit strings ("0000", "1234", ...).
TDrawsArray DrawsOf(std::initializer_list<const char*> digits, int first = 1);
// The real archive, loaded once; empty when it is not there.
const TDrawsArray& RealDraws();

// Statistic objects over an archive held by the fixture.
struct TStatBench {
    TDrawsArray Draws;
    TConfigData Config;
    TShreddingFormulas Formulas;
    TStatEnv Env() const { return {&Draws, &Config, &Formulas}; }
    // The method variant whose code is code (a class code with its variant filled in).
    std::unique_ptr<TCustomStat> Create(const std::string& code) const;
    TStatTable Table(const std::string& code, int windowLength, int offset = 0, bool sorted = false,
                     const TFullSet* fullSet = nullptr) const;
};

// The texts of the rows of a table, one column.
std::vector<std::string> ColumnTexts(const TStatTable& table, TStatColumn column);

} // namespace qx::test
