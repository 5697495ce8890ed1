#include "draws/DrawsArchive.h"

#include "core/DrawHelpers.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {

void TDrawsArchive::Assign(TDrawsArray draws) {
    FDraws = std::move(draws);
    Changed();
}

void TDrawsArchive::Append(const TDrawRecord& draw) {
    FDraws.push_back(draw);
    Changed();
}

void TDrawsArchive::Append(const TDrawsArray& draws) {
    if (draws.empty()) return;
    FDraws.insert(FDraws.end(), draws.begin(), draws.end());
    Changed();
}

void TDrawsArchive::Replace(int index, const TDrawRecord& draw) {
    if (index < 0 || index > High())
        throw TAppError(FormatText("Запись со индексом %d в файле данных не найдена!", {std::to_string(index)}));
    FDraws[static_cast<size_t>(index)] = draw;
    Changed();
}

void TDrawsArchive::DeleteAt(int index) {
    if (index < 0 || index > High())
        throw TAppError(FormatText("Запись со индексом %d в файле данных не найдена!", {std::to_string(index)}));
    FDraws.erase(FDraws.begin() + index);
    Changed();
}

void TDrawsArchive::Clear() {
    FDraws.clear();
    FDraws.shrink_to_fit();
    Changed();
}

const TDrawsArray& TDrawsArchive::View(bool sorted) const {
    if (!sorted) return FDraws;
    if (FSortedRevision != FRevision) {
        FSorted = FDraws;
        for (auto& d : FSorted) SortDigits(d);
        FSortedRevision = FRevision;
    }
    return FSorted;
}

} // namespace qx
