#include "StatTestSupport.h"

#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "stats/StatClasses.h"
#include "support/TestSupport.h"

namespace qx::test {

TDrawRecord StatDraw(int number, std::initializer_list<int> digits) {
    TDrawRecord r;
    r.Number = number;
    int p = 0;
    for (int d : digits) r.Digits[p++] = static_cast<uint8_t>(d);
    return r;
}

TDrawsArray DrawsOf(std::initializer_list<const char*> digits, int first) {
    TDrawsArray draws;
    for (const char* d : digits) draws.push_back(StatDraw(first++, {d[0] - '0', d[1] - '0', d[2] - '0', d[3] - '0'}));
    return draws;
}

const TDrawsArray& RealDraws() {
    static const TDrawsArray draws = [] {
        TDrawsArray d;
        if (!RealArchiveCsv().empty()) AppendDrawsFromCsv(ReadTextFile(RealArchiveCsv()), d);
        return d;
    }();
    return draws;
}

std::unique_ptr<TCustomStat> TStatBench::Create(const std::string& code) const {
    for (const TStatClass* c : StatClasses()) {
        const TParamRange range = c->HasParams() ? c->ParamRange(Config) : TParamRange{0, 0};
        for (int v = range.Low; v <= range.High; ++v)
            if (c->Code(v) == code) return c->Create(Env(), v);
    }
    ADD_FAILURE() << "no method " << code;
    return nullptr;
}

TStatTable TStatBench::Table(const std::string& code, int windowLength, int offset, bool sorted,
                             const TFullSet* fullSet) const {
    auto stat = Create(code);
    TStatTableParams p;
    p.Current = static_cast<int>(Draws.size()) - 1 - offset;
    p.WindowLength = windowLength;
    p.Sorted = sorted;
    p.Weights = Config.Weights;
    p.FullSet = fullSet;
    return ComputeTable(*stat, p);
}

std::vector<std::string> ColumnTexts(const TStatTable& table, TStatColumn column) {
    std::vector<std::string> texts;
    for (int r = 0; r < table.Size(); ++r) texts.emplace_back(table.Text(r, column));
    return texts;
}

} // namespace qx::test
