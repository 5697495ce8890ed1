#include "scripts/Ratings.h"

#include <cstring>

#include "core/Cp1251Case.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "scripts/RatingsSort.h"
#include "stakes/StakeRecord.h"

namespace qx {

void TRatings::AddStake(const TStakeRecord& stake) {
    const int matches = RatingMatchesOf(stake);
    if (matches < 0) return;
    const std::string_view key = stake.RawComment();
    auto [it, added] = FIndex.try_emplace(LowerCp1251(key), Count());
    if (added) {
        TRatingRow row;
        row.SetRawKey(key);
        FRows.push_back(row);
    }
    FRows[static_cast<size_t>(it->second)].Add(matches, stake.Profit);
}

void TRatings::Sort(const TRatingsSort& sort) {
    SortRatingRows(FRows, sort.Column, sort.Descending);
    Reindex();
}

void TRatings::Clear() {
    FRows.clear();
    FIndex.clear();
}

void TRatings::Assign(std::vector<TRatingRow> rows) {
    FRows = std::move(rows);
    Reindex();
}

void TRatings::Reindex() {
    FIndex.clear();
    FIndex.reserve(FRows.size());
    for (size_t i = 0; i < FRows.size(); ++i) FIndex.try_emplace(LowerCp1251(FRows[i].RawKey()), static_cast<int>(i));
}

void TRatings::Load(const std::filesystem::path& file) {
    Clear();
    std::string bytes;
    std::optional<std::string> failure;
    try {
        bytes = ReadFileBytes(file);
    } catch (const std::exception& e) {
        failure = e.what();
    }
    const size_t n = bytes.size() / sizeof(TRatingRow);
    FRows.resize(n);
    if (n) std::memcpy(FRows.data(), bytes.data(), n * sizeof(TRatingRow));
    Reindex();
    if (failure) throw TAppError(*failure);
}

std::string RatingsFileBytes(const std::vector<TRatingRow>& rows) {
    std::string bytes(rows.size() * sizeof(TRatingRow), '\0');
    for (size_t i = 0; i < rows.size(); ++i) {
        const TRatingRow row = rows[i].Normalized();
        std::memcpy(bytes.data() + i * sizeof(TRatingRow), &row, sizeof row);
    }
    return bytes;
}

void TRatings::Save(const std::filesystem::path& file) const { WriteFileAtomic(file, RatingsFileBytes(FRows)); }

void TRatings::Rebuild(const std::function<void(const std::function<void(const TStakeRecord&)>&)>& forEach) {
    Clear();
    forEach([&](const TStakeRecord& r) {
        if (r.DrawNumber >= 0 && r.IsChecked()) AddStake(r);
    });
}

} // namespace qx
