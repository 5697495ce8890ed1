#include "stakes/StakesBook.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/Error.h"
#include "core/Text.h"
#include "draws/DrawsArchive.h"

namespace qx {
namespace {

constexpr int64_t kBlock = 4096;  // records per read of a scan (1.2 MB)
constexpr int64_t kMaxDrawNumber = std::numeric_limits<int32_t>::max();

// Marks index entries whose records a pass has dealt with, and drops them when the pass ends,
// also when it ends with a failure.
class TEntrySweep {
public:
    explicit TEntrySweep(std::vector<TUncheckedIndex::TEntry>& entries) : FEntries(entries) {}
    ~TEntrySweep() {
        if (FAny) std::erase_if(FEntries, [](const TUncheckedIndex::TEntry& e) { return e.Draw == kDone; });
    }
    void Done(size_t i) {
        FEntries[i].Draw = kDone;
        FAny = true;
    }

private:
    static constexpr int32_t kDone = 0;  // indexed records have draw numbers above zero
    std::vector<TUncheckedIndex::TEntry>& FEntries;
    bool FAny = false;
};

} // namespace

const char* StakeConditionCaption(int condition) {
    static const char* const kCaptions[kStakeConditionCount] = {"Равно [ = ]", "Более [ > ]", "Не менее [ >= ]",
                                                                 "Менее [ < ]", "Не более [ <= ]"};
    return condition >= 0 && condition < kStakeConditionCount ? kCaptions[condition] : "";
}

bool StakeConditionHolds(int condition, int32_t m, int32_t v) {
    switch (condition) {
    case scEqual: return m == v;
    case scMore: return m > v;
    case scNotLess: return m >= v;
    case scLess: return m < v;
    case scNotMore: return m <= v;
    default: return false;
    }
}

TStakesBook::TStakesBook(TExclusiveFile& lock, std::filesystem::path path) : FFile(lock, std::move(path)) {}

std::filesystem::path TStakesBook::BackupPath() const {
    std::filesystem::path p = Path();
    p += ".bak";
    return p;
}

std::filesystem::path TStakesBook::TempPath() const {
    std::filesystem::path p = Path();
    p.replace_extension(".~tmp");
    return p;
}

void TStakesBook::SetIndexCap(size_t cap) {
    FUnchecked.SetCap(cap);
    FUnchecked.Invalidate();
}

void TStakesBook::ResetIndexes() {
    FUnchecked.Invalidate();
    FKeys.Invalidate();
    FFile.ResetCache();
}

void TStakesBook::Append(const TStakeRecord& record, int64_t draws) {
    FFile.RequireOpen();
    if (record.IsChecked()) throw TAppError("Добавление в конец файла уже проверенной ставки!");
    const int64_t copies = std::max<int64_t>(draws, 1);
    const int64_t lastDraw = int64_t{record.DrawNumber} + copies - 1;
    if (lastDraw > kMaxDrawNumber)
        throw TAppError(FormatText("Номер тиража %d больше 2147483647!", {std::to_string(lastDraw)}));

    int64_t index = FFile.Count();
    // Whether the record before the next one has a draw number above zero.
    bool afterStake = index > 0 && FFile.Read(-1, true).DrawNumber > 0;
    std::vector<TStakeRecord> batch;
    batch.reserve(static_cast<size_t>(std::min<int64_t>(2 * copies, kBlock)));
    auto put = [&](const TStakeRecord& r) {
        batch.push_back(r);
        if (static_cast<int64_t>(batch.size()) >= kBlock) {
            FFile.Append(batch);
            batch.clear();
        }
    };
    auto note = [&](const TStakeRecord& r) {
        FUnchecked.Add(r, index);
        FKeys.Add(r.DrawNumber, r.Numbers);
        ++index;
        afterStake = r.DrawNumber > 0;
    };
    try {
        if (copies < 2) {
            put(record);
            note(record);
        } else {
            const TStakeRecord separator = StakeSeparator();
            TStakeRecord copy = record;
            for (int64_t i = 0; i < copies; ++i) {
                if (afterStake) {
                    put(separator);
                    note(separator);
                }
                copy.DrawNumber = static_cast<int32_t>(record.DrawNumber + i);
                put(copy);
                note(copy);
            }
        }
        if (!batch.empty()) FFile.Append(batch);
    } catch (...) {
        // Blocks written before the failure stay; the indexes no longer know what is on disk.
        ResetIndexes();
        throw;
    }
}

void TStakesBook::BeginGroup() {
    FFile.RequireOpen();
    if (FFile.Empty() || FFile.Read(-1, true).DrawNumber <= 0) return;
    const TStakeRecord separator = StakeSeparator();
    const int64_t index = FFile.Count();
    FFile.Append({&separator, 1});
    FUnchecked.Add(separator, index);
    FKeys.Add(separator.DrawNumber, separator.Numbers);
}

bool TStakesBook::Find(int32_t draw, const TStakeNumbers& numbers) {
    FFile.RequireOpen();
    if (!FKeys.Valid()) {
        FKeys.Reset();
        try {
            ForEach(0, [&](const TStakeRecord& r, int64_t) { FKeys.Add(r.DrawNumber, r.Numbers); });
        } catch (...) {
            FKeys.Invalidate();
            throw;
        }
    }
    return FKeys.Contains(draw, numbers);
}

void TStakesBook::Clear() {
    FFile.Truncate();
    FUnchecked.Reset();
    FKeys.Reset();
}

void TStakesBook::ForEach(int64_t first, const std::function<void(const TStakeRecord&, int64_t)>& fn) const {
    std::vector<TStakeRecord> block;
    const int64_t count = FFile.Count();
    for (int64_t at = std::max<int64_t>(first, 0); at < count; at += kBlock) {
        FFile.ReadBlock(at, kBlock, block);
        for (size_t i = 0; i < block.size(); ++i) fn(block[i], at + static_cast<int64_t>(i));
    }
}

void TStakesBook::BuildUncheckedIndex() {
    FUnchecked.Reset();
    try {
        ForEach(0, [&](const TStakeRecord& r, int64_t index) { FUnchecked.Add(r, index); });
    } catch (...) {
        FUnchecked.Invalidate();
        throw;
    }
}

int64_t TStakesBook::Check(const TDrawsArchive& archive, const TConfigData& config, const TCheckedStakeSink& sink,
                           const TCheckProgress& progress) {
    FFile.RequireOpen();
    if (FFile.Empty()) return 0;
    if (!FUnchecked.Valid()) {
        // The first pass (or one after the index outgrew its cap) reads the file once: it checks
        // and makes the index for the passes that follow.
        return CheckByScan(archive, config, sink, progress);
    }
    return CheckIndexed(archive, config, sink, progress);
}

int64_t TStakesBook::CheckIndexed(const TDrawsArchive& archive, const TConfigData& config,
                                  const TCheckedStakeSink& sink, const TCheckProgress& progress) {
    auto& entries = FUnchecked.Entries();
    // Entries whose draw is in the archive now, with the archive index of their draw.
    std::vector<std::pair<size_t, int>> due;
    int32_t lastDraw = 0;
    int lastIndex = -1;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].Draw != lastDraw) {
            lastDraw = entries[i].Draw;
            lastIndex = FDraws.Find(archive, lastDraw);
        }
        if (lastIndex >= 0) due.emplace_back(i, lastIndex);
    }
    if (due.empty()) return 0;
    const TDrawsArray& draws = archive.Records();
    TEntrySweep sweep(entries);
    int64_t checked = 0;
    const auto total = static_cast<int64_t>(due.size());
    for (int64_t k = 0; k < total; ++k) {
        const auto [i, drawIndex] = due[static_cast<size_t>(k)];
        const int64_t index = entries[i].Index;
        TStakeRecord r = FFile.Read(index);
        if (!r.IsChecked() && r.Qualifies() && r.DrawNumber == entries[i].Draw) {
            CheckStake(r, draws[static_cast<size_t>(drawIndex)].Digits, config);
            FFile.Write(index, r);
            sweep.Done(i);
            ++checked;
            if (sink) sink(r);
        } else {
            sweep.Done(i);  // nothing to check there any more
        }
        if (progress) progress(k + 1, total);
    }
    return checked;
}

int64_t TStakesBook::CheckByScan(const TDrawsArchive& archive, const TConfigData& config,
                                 const TCheckedStakeSink& sink, const TCheckProgress& progress) {
    FUnchecked.Reset();
    const TDrawsArray& draws = archive.Records();
    const int64_t count = FFile.Count();
    std::vector<TStakeRecord> block;
    int64_t checked = 0;
    try {
        for (int64_t at = 0; at < count; at += kBlock) {
            FFile.ReadBlock(at, kBlock, block);
            for (size_t j = 0; j < block.size(); ++j) {
                TStakeRecord& r = block[j];
                const int64_t index = at + static_cast<int64_t>(j);
                if (r.IsChecked() || !r.Qualifies()) continue;
                const int drawIndex = FDraws.Find(archive, r.DrawNumber);
                if (drawIndex < 0) {
                    FUnchecked.Add(r, index);
                    continue;
                }
                CheckStake(r, draws[static_cast<size_t>(drawIndex)].Digits, config);
                FFile.Write(index, r);
                ++checked;
                if (sink) sink(r);
            }
            if (progress) progress(std::min(at + kBlock, count), count);
        }
    } catch (...) {
        FUnchecked.Invalidate();
        throw;
    }
    return checked;
}

TLastDraws TStakesBook::SeekLastDraws(int n) {
    FFile.RequireOpen();
    std::vector<TStakeRecord> block;
    int count = 0;
    int32_t previous = 0;
    for (int64_t end = FFile.Count(); end > 0; end -= kBlock) {
        const int64_t first = std::max<int64_t>(0, end - kBlock);
        FFile.ReadBlock(first, end - first, block);
        for (int64_t i = static_cast<int64_t>(block.size()) - 1; i >= 0; --i) {
            const TStakeRecord& r = block[static_cast<size_t>(i)];
            if (!r.IsChecked() || r.DrawNumber <= 0 || r.ValidMatchCount() < 0) continue;
            if (count > 0 && r.DrawNumber == previous) continue;
            if (count == n) return {first + i + 1, n};
            ++count;
            previous = r.DrawNumber;
        }
    }
    return {0, count};
}

} // namespace qx
