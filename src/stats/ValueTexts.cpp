#include "stats/ValueTexts.h"

#include "stats/CustomStat.h"
#include "stats/StatTable.h"

namespace qx {

const TValueText* TValueTexts::TLookup::Get(TStatKey key) {
    TValueTexts& t = FTexts;
    if (const int i = t.FIndex.Find(key); i >= 0) return &t.FEntries[size_t(i)];
    TStatDraw row;
    row.Key = key;
    TValueText entry;
    entry.Text = FStat.ValueText(row);
    entry.Sort = SortTextOf(entry.Text);
    entry.NumValue = FStat.ParseValueChecked(entry.Text);
    CountStatTextMade();
    t.FEntries.push_back(std::move(entry));
    t.FIndex.Add(key, static_cast<int>(t.FEntries.size()) - 1);
    return &t.FEntries.back();
}

size_t TValueTexts::Made() const {
    std::lock_guard lock(FLock);
    return FEntries.size();
}

} // namespace qx
