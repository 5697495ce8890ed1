#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "stakes/RegularRecord.h"

namespace qx {

// The regular table stakes in file order, as the regulars file holds them.
class TRegulars {
public:
    const std::vector<TRegularRecord>& Records() const { return FRecords; }
    int Count() const { return static_cast<int>(FRecords.size()); }
    bool Empty() const { return FRecords.empty(); }
    // Raises "Запись со индексом %d в файле данных не найдена!" for an index outside the array.
    const TRegularRecord& At(int index) const;
    void Replace(int index, const TRegularRecord& regular);
    void Append(const TRegularRecord& regular);
    // Removes the regulars at the indexes, the last one first (later ones move up).
    void Delete(std::vector<int> indexes);
    void Clear() { FRecords.clear(); }
    // Whether a regular's comment equals the text ignoring letter case (Latin and Cyrillic).
    bool HasComment(std::string_view utf8) const;

    // Reads the file: every whole record of it. A trailing partial record, or a failure to read,
    // raises after keeping the whole records read before.
    void Load(const std::filesystem::path& file);
    // Rewrites the file from the array (an empty array gives an empty file) through a temporary
    // file and a rename: a failure leaves the file as it was.
    void Save(const std::filesystem::path& file) const;

private:
    std::vector<TRegularRecord> FRecords;
};

} // namespace qx
