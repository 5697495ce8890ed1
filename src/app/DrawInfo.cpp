#include "app/DrawInfo.h"

#include "app/Workspace.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {

std::vector<TPropertyRow> DrawInfoRows(const TWorkspace& ws, int archiveIndex) {
    const TDrawsArray& draws = ws.Draws();
    if (archiveIndex < 0 || archiveIndex >= static_cast<int>(draws.size()))
        throw TAppError(
            FormatText("Запись со индексом %d в файле данных не найдена!", {std::to_string(archiveIndex)}));
    const TDrawRecord& d = draws[static_cast<size_t>(archiveIndex)];
    return {{"Номер тиража:", std::to_string(d.Number)}, {"Дата тиража:", d.DateLabel()}};
}

} // namespace qx
