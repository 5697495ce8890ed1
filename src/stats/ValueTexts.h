#pragma once
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

#include "core/SortRule.h"
#include "stats/KeyIndex.h"

namespace qx {

class TCustomStat;

// One value of a method as tables show and read it.
struct TValueText {
    std::string Text;       // ValueText
    TSortText Sort;         // how the sortable list reads the text
    int32_t NumValue = 0;   // ParseValueChecked of the text: what value lists compare
};

// The value texts of one method, each made the first time a table meets its key and kept for
// every later table of the method, so no table puts a value text together. Entries never move:
// table rows point at them and hold the whole set alive. Safe to share between threads.
class TValueTexts {
public:
    TValueTexts() = default;
    TValueTexts(const TValueTexts&) = delete;
    TValueTexts& operator=(const TValueTexts&) = delete;

    // Looks keys up under one lock; a key met for the first time gets its entry from stat.
    class TLookup {
    public:
        TLookup(TValueTexts& texts, const TCustomStat& stat) : FTexts(texts), FStat(stat), FLock(texts.FLock) {}
        const TValueText* Get(TStatKey key);

    private:
        TValueTexts& FTexts;
        const TCustomStat& FStat;
        std::lock_guard<std::mutex> FLock;
    };

    const TValueText& Get(const TCustomStat& stat, TStatKey key) { return *TLookup(*this, stat).Get(key); }
    // How many entries were made (each one ValueText call).
    size_t Made() const;

private:
    mutable std::mutex FLock;
    std::deque<TValueText> FEntries;
    TKeyIndex FIndex;
};

} // namespace qx
