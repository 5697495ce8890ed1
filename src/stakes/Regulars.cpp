#include "stakes/Regulars.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "core/BinaryRecords.h"
#include "core/Cp1251Case.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"

namespace qx {

const TRegularRecord& TRegulars::At(int index) const {
    if (index < 0 || index >= Count())
        throw TAppError(
            FormatText("Запись со индексом %d в файле данных не найдена!", {std::to_string(index)}));
    return FRecords[static_cast<size_t>(index)];
}

void TRegulars::Replace(int index, const TRegularRecord& regular) {
    At(index);
    FRecords[static_cast<size_t>(index)] = regular;
}

void TRegulars::Append(const TRegularRecord& regular) {
    FRecords.push_back(regular);
}

void TRegulars::Delete(std::vector<int> indexes) {
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
        At(*it);
        FRecords.erase(FRecords.begin() + *it);
    }
}

bool TRegulars::HasComment(std::string_view utf8) const {
    const std::string wanted = Utf8ToCp1251(utf8);
    return std::any_of(FRecords.begin(), FRecords.end(),
                       [&](const TRegularRecord& r) { return SameTextCp1251(r.RawComment(), wanted); });
}

void TRegulars::Load(const std::filesystem::path& file) {
    FRecords.clear();
    size_t rest = 0;
    if (const auto failure = ReadWholeRecords(file, FRecords, &rest)) throw TAppError(*failure);
    if (rest)
        throw TAppError(FormatText("%s: неполная запись в конце файла (%d байт из 276)",
                                   {file.string(), std::to_string(rest)}));
}

void TRegulars::Save(const std::filesystem::path& file) const {
    WriteFileAtomic(file, std::string_view(reinterpret_cast<const char*>(FRecords.data()),
                                           FRecords.size() * sizeof(TRegularRecord)));
}

} // namespace qx
