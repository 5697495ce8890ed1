#include <optional>

#include "app/Workspace.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "stats/FullSetFile.h"

namespace qx {

std::filesystem::path TWorkspace::FullSetFile(int method) const {
    return FullSetPath(FPaths.Dir, FOptions.ExeName, FStats.Items(method));
}

void TWorkspace::SetPrefetchsEnabled(bool on) {
    TBusyScope busy(FShell, "");
    SetFormKey("PrefetchsEnabled", on);
    BuildFullSetFiles(false, 0);
    RefreshViews(true);
}

std::optional<TFullSet> TWorkspace::BuildFullSetFile(int method) {
    const std::filesystem::path path = FullSetFile(method);
    TBusyScope busy(FShell, FormatText("Создание файла предварительной выборки %s...", {path.filename().string()}));
    try {
        // The full set is computed on its own: the working list and its undo copy stay as they are.
        auto stat = FStats.CreateStat(method);
        TFullSet set = FullSetOf(ComputeFullSetTable(*stat));
        std::filesystem::create_directories(path.parent_path());
        WriteFileAtomic(path, EncodeFullSet(set));
        return set;
    } catch (const std::exception& e) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        FShell.ShowError(FormatText(
            "Ошибка создания файла данных для полного набора вариантов!\r\rИмя файла: %s\r\r%s", {path.string(), e.what()}));
        return std::nullopt;
    }
}

std::optional<TFullSet> TWorkspace::LoadFullSet(int method) {
    if (method < 0 || method >= FStats.Count() || !FStats.HasFullSet(method)) return std::nullopt;
    const std::filesystem::path path = FullSetFile(method);
    try {
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) {
            // An empty or damaged file is built again rather than read in part.
            if (auto set = DecodeFullSet(ReadFileBytes(path))) return set;
        }
    } catch (const std::exception& e) {
        FShell.ShowError(FormatText(
            "Ошибка открытия файла данных для полного набора вариантов!\r\rИмя файла: %s\r\r%s", {path.string(), e.what()}));
        return std::nullopt;
    }
    return BuildFullSetFile(method);
}

std::optional<TFullSet> TWorkspace::ExistingFullSet(int method) const {
    if (!PrefetchsEnabled() || method < 0 || method >= FStats.Count() || !FStats.HasFullSet(method)) return std::nullopt;
    try {
        const std::filesystem::path path = FullSetFile(method);
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) return DecodeFullSet(ReadFileBytes(path));
    } catch (const std::exception&) {
        // Unreadable now: the preview goes without norms; applying the filter reports it.
    }
    return std::nullopt;
}

std::optional<TFullSet> TWorkspace::OpenFullSet(int method) {
    if (!PrefetchsEnabled()) return std::nullopt;
    return LoadFullSet(method);
}

void TWorkspace::BuildFullSetFiles(bool force, uint16_t groups) {
    if (!force && !PrefetchsEnabled()) return;
    const std::string text = "Создание файлов для полного набора комбинаций...";
    TBusyScope busy(FShell, text);
    FShell.ShowProgress(text, FStats.Count(), false);
    try {
        for (int i = 0; i < FStats.Count(); ++i) {
            if (FStats.HasFullSet(i)) {
                std::error_code ec;
                const bool exists = std::filesystem::exists(FullSetFile(i), ec);
                const unsigned group = FStats.Items(i).StatClass->Group();
                if (!exists || (group < 16 && (groups >> group & 1u))) BuildFullSetFile(i);
            }
            FShell.StepProgress(1);
        }
    } catch (...) {
        FShell.HideProgress();
        throw;
    }
    FShell.HideProgress();
}

} // namespace qx
