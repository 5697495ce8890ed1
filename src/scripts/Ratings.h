#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "scripts/RatingRow.h"

namespace qx {

struct TStakeRecord;

// The rating list's sort: a column 0..15 (-1: unsorted) and its direction. The list starts on
// "Среднее", descending.
struct TRatingsSort {
    int Column = 3;
    bool Descending = true;
};

// The ratings (TRatingsArray): one row per stake comment, keys compared ignoring letter case,
// Cyrillic included. Rows are found through a key -> row index, so adding a stake costs the
// same for ten rows or ten thousand.
class TRatings {
public:
    const std::vector<TRatingRow>& Rows() const { return FRows; }
    int Count() const { return static_cast<int>(FRows.size()); }
    bool Empty() const { return FRows.empty(); }
    const TRatingRow& Row(int i) const { return FRows[static_cast<size_t>(i)]; }

    // RatingsAddStake: adds a checked stake to the first row whose key equals its comment
    // (ignoring case), or appends a row for it. Unchecked stakes and stored match counts outside
    // 0..4 add nothing.
    void AddStake(const TStakeRecord& stake);
    // Sorts by the column (one stable merge sort, the comparison being no strict weak order);
    // nothing for an invalid column or fewer than two rows.
    void Sort(const TRatingsSort& sort);
    void Clear();
    void Assign(std::vector<TRatingRow> rows);

    // Reads the ratings file: every whole row of it. A failure raises after keeping the rows read.
    void Load(const std::filesystem::path& file);
    // Writes every row in its order through a temporary file and a rename.
    void Save(const std::filesystem::path& file) const;
    // Empties the rows, then adds every checked record with draw number >= 0 that forEach hands
    // over, in order.
    void Rebuild(const std::function<void(const std::function<void(const TStakeRecord&)>&)>& forEach);

private:
    void Reindex();
    std::vector<TRatingRow> FRows;
    std::unordered_map<std::string, int> FIndex;  // key in small letters -> first row
};

// The file's bytes of a list of rows (bytes after each key zero).
std::string RatingsFileBytes(const std::vector<TRatingRow>& rows);

} // namespace qx
