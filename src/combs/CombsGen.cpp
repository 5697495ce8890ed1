#include "combs/CombsGen.h"

#include "core/Text.h"

namespace qx {

const char* const kCombsGenModeCaptions[5] = {
    "Полный список (все возможные для данного лото варианты)",
    "Мои числа - должно присутствовать любое из указанных",
    "Мои числа - комбинации только из списка указанных",
    "Мои числа - исключить комбинации с любым из указанных",
    "Загрузить список из заранее подготовленного CSV-файла",
};

std::bitset<256> ParseOwnNumbers(std::string_view text) {
    std::bitset<256> set;
    for (std::string_view word : SplitWords(text, ",;")) {
        int v = StrToIntDef(word, 0);
        if (v >= 0 && v <= 255) set.set(static_cast<size_t>(v));
    }
    return set;
}

void GenerateByNumbers(int mode, const std::bitset<256>& numbers, TCombsArray& out) {
    for (int index = 0; index < kCombCount; ++index) {
        const int d[4] = {index / 1000, index / 100 % 10, index / 10 % 10, index % 10};
        int inSet = 0;
        for (int v : d) inSet += numbers.test(static_cast<size_t>(v)) ? 1 : 0;
        bool keep = mode == 0 || (mode == 1 && inSet > 0) || (mode == 2 && inSet == 4) || (mode == 3 && inSet == 0);
        if (keep) out.push_back(MakeCode(d[0], d[1], d[2], d[3]));
    }
}

} // namespace qx
