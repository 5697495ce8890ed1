// Serial groups and pauses: how many draws in a row a digit, channel or segment was present (or
// absent), counted where the run ends, for the values the current draw holds.
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "stats/GroupBases.h"
#include "stats/StatClassOf.h"
#include "stats/families/ArchiveData.h"
#include "stats/families/Families.h"
#include "stats/families/ValueScale.h"

namespace qx {
namespace {

// The runs of every value over the whole archive, read with or without sorted digits: a run is a
// longest stretch of draws where the value is present (groups) or absent (pauses). A window's
// hits are its runs, the one straddling its first draw counted from there and the one holding L
// counted up to L; a search's, the runs from its first draw on, the first cut short the same way.
struct TSerialArchive {
    struct TRun {
        int32_t Begin, End;
    };
    std::array<std::vector<TRun>, kRunStateSize> Runs;  // of each value, oldest first
    // The runs a later draw ends, as EndedKey(value, length, end), sorted: where a search finds the
    // next run of a length.
    std::vector<uint64_t> Ended;

    static uint64_t EndedKey(int v, uint16_t length, int32_t end) {
        return uint64_t(v) << 48 | uint64_t(length) << 32 | uint32_t(end);
    }
    // The first run of value v ending at or after draw i.
    std::vector<TRun>::const_iterator FirstEndingFrom(int v, int i) const {
        const auto& runs = Runs[size_t(v)];
        return std::lower_bound(runs.begin(), runs.end(), i, [](const TRun& r, int x) { return r.End < x; });
    }
};

// The ids of one value's keys by run length while a window is read: short lengths in a table, the
// few long ones (runs cut at the window's ends, long pauses) in a list.
class TLengthIds {
public:
    static constexpr uint32_t kNone = ~uint32_t(0);
    void Clear() {
        FShort.fill(kNone);
        FLong.clear();
    }
    uint32_t& operator[](uint16_t length) {
        if (length < FShort.size()) return FShort[length];
        for (auto& [l, id] : FLong)
            if (l == length) return id;
        return FLong.emplace_back(length, kNone).second;
    }

private:
    std::array<uint32_t, 64> FShort;
    std::vector<std::pair<uint16_t, uint32_t>> FLong;
};

template <TScaleKind Kind>
class TCustomSerialStat : public TCustomStat, public TPositionFilter, public TOwnWindowPass {
public:
    TCustomSerialStat(const TStatClass& cls, const TStatEnv& env, int32_t param, bool groupsMode)
        : TCustomStat(cls, env, param), GroupsMode(groupsMode), Scale(Kind, ConfigOf(env)),
          FirstValue(Scale.First()), LastValue(std::min(Scale.Last(), kRunStateSize - 1)) {}
    static constexpr uint8_t kGroup = 8;
    static constexpr uint8_t kFlags = kFlagD;
    static constexpr bool kCanParseValue = false;

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        FMasks.clear();
    }

    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        TCustomStat::AddDraw(i, L, lastValues, runState, rows, sorted);
        const uint32_t present = MaskOf(Draw), inRef = MaskOf(RefDraw);
        for (int v = FirstValue; v <= LastValue; ++v) {
            TRunEntry& run = runState[size_t(v)];
            if (bool(present >> v & 1) == GroupsMode) {
                ++run.RunLength;
                run.RunLastDraw = Draw.Number;
                run.RunDepth = L - i + 1;
                if (i == L && (inRef >> v & 1)) AddRun(v, run, rows);
            } else {
                if (run.RunLength > 0 && (inRef >> v & 1)) AddRun(v, run, rows);
                run = TRunEntry{};
            }
        }
    }

    // The search from `from` with every run at zero, followed for the row's value alone: runs of
    // one value never touch another's entry, so only its own run can produce the key. With the
    // archive's runs at hand it is a few lookups; else the draws' value masks are worked out once
    // per computation and walked.
    int32_t FindNext(const TStatDraw& row, int from, bool sorted, int L) override {
        const int v = row.Key.K1(), last = static_cast<int>(Draws.size()) - 1;
        if (v < FirstValue || v > LastValue || from > last || !(MaskOf(DrawAt(L, sorted)) >> v & 1)) return -1;
        const uint16_t length = uint16_t(row.Key.K2());
        if (row.Key != TStatKey::FromParts(v, length)) return -1;
        if (const TSerialArchive* archive = Archive(std::max(from, 0), sorted)) {
            const int at = RunFact(*archive, v, length, std::max(from, 0), L);
            return at < 0 ? -1 : Draws[size_t(at)].Number;
        }
        PrepareMasks(std::max(from, 0), sorted, L);
        int run = 0;
        int32_t runLast = 0;
        for (int idx = std::max(from, 0); idx <= last; ++idx) {
            if (bool(FMasks[size_t(idx - FMaskFrom)] >> v & 1) == GroupsMode) {
                ++run;
                runLast = Draws[size_t(idx)].Number;
                if (idx == L && uint16_t(run) == length) return runLast;
            } else {
                if (run > 0 && uint16_t(run) == length) return runLast;
                run = 0;
            }
        }
        return -1;
    }

    // The window pass follows only the values the current draw holds (no other value gives a
    // hit), draw by draw over the value masks. A broken run is merged as of its last draw, the
    // draw before the one that broke it, which is what AddDraw's hit carries.
    TOwnWindowPass* OwnWindowPass() override { return this; }
    // Where the registry keeps the archive's runs the window and every row's fact are read off
    // them (WindowSummaries); the draw-by-draw pass leaves facts to FindNext.
    bool FactsByFindNext() const override { return !Occurrences(); }
    bool BeginPass(int first, int, int L, bool sorted) override {
        PrepareMasks(first, sorted, L);
        FPassFirst = first;
        FPassKeys.clear();
        FPassHits.clear();
        FPassStart.assign(size_t(L - first + 2), 0);
        for (auto& ids : FIdOfLength) ids.clear();
        const uint32_t inRef = FMasks[size_t(L - FMaskFrom)];
        int runs[kRunStateSize] = {};
        for (int i = first; i <= L; ++i) {
            FPassStart[size_t(i - first)] = uint32_t(FPassHits.size());
            const uint32_t present = FMasks[size_t(i - FMaskFrom)];
            for (int v = FirstValue; v <= LastValue; ++v) {
                if (!(inRef >> v & 1)) continue;
                if (bool(present >> v & 1) == GroupsMode) {
                    ++runs[v];
                    if (i == L) FPassHits.push_back(IdOf(v, runs[v]) | kPeriodsBit);
                } else {
                    if (runs[v] > 0) FPassHits.push_back(IdOf(v, runs[v]) | kPeriodsBit | kPreviousDrawBit);
                    runs[v] = 0;
                }
            }
        }
        FPassStart[size_t(L - first + 1)] = uint32_t(FPassHits.size());
        return true;
    }
    int ValueCount() const override { return static_cast<int>(FPassKeys.size()); }
    TStatKey ValueKey(uint32_t id) const override { return FPassKeys[id]; }
    int DrawHits(int i, uint32_t* ids) const override {
        const size_t at = size_t(i - FPassFirst);
        if (at + 1 >= FPassStart.size()) return 0;
        const uint32_t from = FPassStart[at], to = FPassStart[at + 1];
        std::copy(FPassHits.begin() + from, FPassHits.begin() + to, ids);
        return int(to - from);
    }

    // Rows of the values the current draw holds, one hit per run of theirs in the window, each
    // with its fact as the search from after the row's last draw finds it.
    bool WindowSummaries(int start, int L, bool sorted, std::vector<TValueSummary>& out) override {
        const TSerialArchive* archive = Archive(start, sorted);
        if (!archive) return false;
        std::vector<TStatDraw> rows;
        std::vector<uint32_t> firstOrder;
        MergeWindowRuns(*archive, start, L, sorted, rows, firstOrder);
        out.resize(rows.size());
        for (uint32_t id = 0; id < rows.size(); ++id) {
            TValueSummary& s = out[id];
            s.Value = id;
            s.Count = rows[id].Count;
            s.Last = rows[id].LastDraw;
            s.LastIndex = L - rows[id].Depth + 1;
            s.PeriodMin = rows[id].PeriodMin;
            s.PeriodMax = rows[id].PeriodMax;
            s.FirstOrder = firstOrder[id];
            const TStatKey key = FPassKeys[id];
            s.NextIndex = RunFact(*archive, key.K1(), uint16_t(key.K2()), s.LastIndex + 1, L);
        }
        SortByFirstHit(out);
        return true;
    }

    bool Matches(TCombCode code, TSelectedRows selected, bool exclude, bool, int L) override {
        return AnyPositionAccepts(code, selected, exclude, L);
    }
    bool AcceptsAt(int position, uint8_t digit, TSelectedRows selected, bool, int) override {
        return SelectedHasK(selected, 1, int16_t(Scale.Of(position, digit)));
    }
    TOwnCodeFilter* OwnCodeFilter() override { return this; }

    // "5 x 3", channels "03 x 3".
    std::string ValueText(const TStatDraw& row) const override {
        return Scale.Text(row.Key.K1()) + " x " + IntToStr(row.Key.K2());
    }

    bool GroupsMode;
    TValueScale Scale;
    int FirstValue, LastValue;

private:
    void AddRun(int v, const TRunEntry& run, TStatSink& rows) {
        Hit.Key = TStatKey::FromParts(v, run.RunLength);
        Hit.LastDraw = Hit.PrevDraw = run.RunLastDraw;
        Hit.Depth = run.RunDepth;
        rows.AddHit(Hit, true);
    }

    // Bit v set when some position of the draw holds value v (none for values beyond the mask;
    // above 9 a digit is its own value, a channel or segment reads 0).
    uint32_t MaskOf(const TDrawRecord& d) const {
        uint32_t mask = 0;
        for (int p = 0; p < kPositions; ++p)
            if (const int v = Scale.Of(p, d.Digits[p]); v < 32) mask |= uint32_t(1) << v;
        return mask;
    }
    // The same for the draw at idx as DrawAt reads it; only segments depend on the digits' order.
    uint32_t MaskAt(int idx, bool sorted) const {
        return sorted && Kind == TScaleKind::Segments ? MaskOf(DrawAt(idx, true)) : MaskOf(Draws[size_t(idx)]);
    }

    // Masks of the draws from `from` to the newest, kept for the rest of the computation; an
    // earlier start adds the draws before the ones held.
    void PrepareMasks(int from, bool sorted, int L) {
        if (FMasks.empty() || FMaskSorted != sorted || FMaskL != L) {
            FMasks.clear();
            FMaskFrom = static_cast<int>(Draws.size());
            FMaskSorted = sorted;
            FMaskL = L;
        }
        if (from >= FMaskFrom) return;
        std::vector<uint32_t> before;
        before.reserve(size_t(FMaskFrom - from) + FMasks.size());
        for (int idx = from; idx < FMaskFrom; ++idx) before.push_back(MaskAt(idx, sorted));
        before.insert(before.end(), FMasks.begin(), FMasks.end());
        FMasks.swap(before);
        FMaskFrom = from;
    }

    // The window's runs of the values the current draw holds, merged as AddDraw's hits into one
    // row per key (id: the key's place in FPassKeys). A run's hit comes with the draw that ends it
    // or with L, values in order within a draw: firstOrder[id] orders the rows by first hit.
    void MergeWindowRuns(const TSerialArchive& archive, int start, int L, bool sorted, std::vector<TStatDraw>& rows,
                         std::vector<uint32_t>& firstOrder) {
        FPassKeys.clear();
        TLengthIds ids;
        const uint32_t inRef = MaskAt(L, sorted);
        for (int v = FirstValue; v <= LastValue; ++v) {
            if (!(inRef >> v & 1)) continue;
            ids.Clear();
            const auto end = archive.Runs[size_t(v)].end();
            for (auto run = archive.FirstEndingFrom(v, start); run != end && run->Begin <= L; ++run) {
                const int last = std::min(run->End, L);
                const uint16_t length = uint16_t(last - std::max(run->Begin, start) + 1);
                TStatDraw hit;
                hit.Count = 1;
                hit.LastDraw = hit.PrevDraw = Draws[size_t(last)].Number;
                hit.Depth = L - last + 1;
                uint32_t& id = ids[length];
                if (id != TLengthIds::kNone) {
                    MergeHit(rows[id], hit, true);
                    continue;
                }
                id = uint32_t(rows.size());
                FPassKeys.push_back(TStatKey::FromParts(v, length));
                rows.push_back(RowOfHit(hit));
                firstOrder.push_back(uint32_t(std::min(run->End + 1, L) * kRunStateSize + v));
            }
        }
    }

    // The archive's runs, built when the registry's cache holds none for the draws from `from` on
    // (all that a search or window starting there reads); none without the registry.
    const TSerialArchive* Archive(int from, bool sorted) {
        const TSerialArchive* archive = nullptr;
        FArchiveIndex = CachedWithData(Occurrences(), Draws, sorted, from, [&] { return BuildArchive(sorted); }, archive);
        return archive;
    }
    std::shared_ptr<const TOccurrenceIndex> BuildArchive(bool sorted) const {
        TSerialArchive archive;
        const int n = static_cast<int>(Draws.size());
        for (int i = 0; i < n; ++i) {
            const uint32_t mask = MaskAt(i, sorted);
            for (int v = FirstValue; v <= LastValue; ++v) {
                if (bool(mask >> v & 1) != GroupsMode) continue;
                auto& runs = archive.Runs[size_t(v)];
                if (!runs.empty() && runs.back().End == i - 1)
                    runs.back().End = i;
                else
                    runs.push_back({i, i});
            }
        }
        for (int v = FirstValue; v <= LastValue; ++v)
            for (const auto& run : archive.Runs[size_t(v)])
                if (run.End < n - 1)
                    archive.Ended.push_back(TSerialArchive::EndedKey(v, uint16_t(run.End - run.Begin + 1), run.End));
        std::sort(archive.Ended.begin(), archive.Ended.end());
        // The index holds no hits: it only tells the cache whether the draws are still the same.
        return IndexWithData(TOccurrenceIndex::Build(0, Draws, [](int, uint32_t*) { return 0; }), std::move(archive));
    }

    // The archive index of the draw whose number the search from `from` (FindNext's) gives for
    // (v, length), -1 for none. A run gives it where a later draw ends the run, or at L while it
    // holds L; the run straddling `from` counts from there.
    int RunFact(const TSerialArchive& archive, int v, uint16_t length, int from, int L) const {
        const auto& runs = archive.Runs[size_t(v)];
        const auto first = archive.FirstEndingFrom(v, from);
        if (first == runs.end()) return -1;
        const int high = static_cast<int>(Draws.size()) - 1;
        // The first run ended by a later draw with that length.
        int ended = -1;
        if (first->End < high && uint16_t(first->End - std::max(first->Begin, from) + 1) == length) {
            ended = first->End;
        } else {
            const uint64_t key = TSerialArchive::EndedKey(v, length, first->End + 1);
            const auto next = std::lower_bound(archive.Ended.begin(), archive.Ended.end(), key);
            if (next != archive.Ended.end() && *next >> 32 == key >> 32) ended = int32_t(uint32_t(*next));
        }
        // The run holding L, when the search reaches L before that end.
        if (from <= L && (ended < 0 || ended >= L)) {
            const auto atL = archive.FirstEndingFrom(v, L);
            if (atL != runs.end() && atL->Begin <= L && uint16_t(L - std::max(atL->Begin, from) + 1) == length) return L;
        }
        return ended;
    }

    // The dense id of key (v, length), given in order of first need.
    uint32_t IdOf(int v, int length) {
        std::vector<uint32_t>& ids = FIdOfLength[size_t(v)];
        const size_t k = uint16_t(length);
        if (ids.size() <= k) ids.resize(k + 1, kNoHit);
        if (ids[k] == kNoHit) {
            ids[k] = uint32_t(FPassKeys.size());
            FPassKeys.push_back(TStatKey::FromParts(v, length));
        }
        return ids[k];
    }

    int FPassFirst = 0;
    std::vector<TStatKey> FPassKeys;
    std::vector<uint32_t> FPassHits, FPassStart;
    std::array<std::vector<uint32_t>, kRunStateSize> FIdOfLength;
    std::vector<uint32_t> FMasks;
    int FMaskFrom = 0, FMaskL = 0;
    bool FMaskSorted = false;
    std::shared_ptr<const TOccurrenceIndex> FArchiveIndex;  // keeps the archive's runs while they are read
};

// Runs of presence (groups) or of absence (pauses).
template <TScaleKind Kind, bool Groups>
class TSerialMember : public TCustomSerialStat<Kind> {
public:
    TSerialMember(const TStatClass& cls, const TStatEnv& env, int32_t param)
        : TCustomSerialStat<Kind>(cls, env, param, Groups) {}
};

class TstNumGroups final : public TSerialMember<TScaleKind::Digits, true> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstNumGroups";
    static constexpr std::string_view kCodeFormat = "GRPV";
    static constexpr std::string_view kNameFormat = "Повторы чисел в нескольких тиражах подряд";
};
class TstNumPauses final : public TSerialMember<TScaleKind::Digits, false> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstNumPauses";
    static constexpr std::string_view kCodeFormat = "GRPP";
    static constexpr std::string_view kNameFormat = "Интервалы между повторениями чисел";
};
class TstChnGroups final : public TSerialMember<TScaleKind::Channels, true> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstChnGroups";
    static constexpr std::string_view kCodeFormat = "GRCV";
    static constexpr std::string_view kNameFormat = "Повторы каналов в нескольких тиражах подряд";
};
class TstChnPauses final : public TSerialMember<TScaleKind::Channels, false> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstChnPauses";
    static constexpr std::string_view kCodeFormat = "GRCP";
    static constexpr std::string_view kNameFormat = "Интервалы между повторениями каналов";
};
class TstSgmGroups final : public TSerialMember<TScaleKind::Segments, true> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstSgmGroups";
    static constexpr std::string_view kCodeFormat = "GRSV";
    static constexpr std::string_view kNameFormat = "Повторы сегментов в нескольких тиражах подряд";
};
class TstSgmPauses final : public TSerialMember<TScaleKind::Segments, false> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstSgmPauses";
    static constexpr std::string_view kCodeFormat = "GRSP";
    static constexpr std::string_view kNameFormat = "Интервалы между повторениями сегментов";
};

} // namespace

std::vector<const TStatClass*> SerialClasses() {
    return {&StatClassOf<TstNumGroups>(), &StatClassOf<TstNumPauses>(), &StatClassOf<TstChnGroups>(),
            &StatClassOf<TstChnPauses>(), &StatClassOf<TstSgmGroups>(), &StatClassOf<TstSgmPauses>()};
}

} // namespace qx
