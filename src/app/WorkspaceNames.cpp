#include <exception>

#include "app/Workspace.h"
#include "combs/FilterNames.h"
#include "core/ConfigFile.h"
#include "core/Error.h"
#include "core/IniFile.h"
#include "core/Text.h"

namespace qx {
namespace {
constexpr int kShreddingGroup = 12;

// Runs fn and keeps its failure for later, so what follows still happens.
template <class Fn>
std::exception_ptr Deferred(Fn&& fn) {
    try {
        fn();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}
} // namespace

void TWorkspace::LoadFilterNames() {
    try {
        LoadNames(FStats, FPaths.FilterNamesFile(), true, FInterfaceLanguage);
    } catch (const std::exception& e) {
        FShell.ShowError(e.what());
    }
}

void TWorkspace::SaveFilterNames() {
    SaveNames(FStats, FPaths.FilterNamesFile(), true, false, FInterfaceLanguage);
}

void TWorkspace::ApplyFavourites(const TFavouritesForm& form) {
    std::exception_ptr failure;
    {
        TBusyScope busy(FShell, "Подождите пожалуйста...");
        ApplyFavouritesForm(FStats, form);
        failure = Deferred([&] { SaveFilterNames(); });
        FillChoosers(true);
    }
    RefreshViews(false);
    if (failure) std::rethrow_exception(failure);
}

void TWorkspace::ResetFavourites() {
    FStats.MarkAll();
    const std::exception_ptr failure = Deferred([&] { SaveFilterNames(); });
    FillChoosers(true);
    RefreshViews(false);
    if (failure) std::rethrow_exception(failure);
}

void TWorkspace::SetFavouriteCodes(std::string_view codes) {
    for (std::string_view word : SplitWords(codes, ","))
        if (!Trim(word).empty() && FStats.IndexOfCode(Trim(word)) < 0)
            throw TAppError(FormatText("Неизвестный метод расчета статистики: %s", {std::string(Trim(word))}));
    FStats.SetFavourites(codes);
    FStats.NormalizeFavourites();
    const std::exception_ptr failure = Deferred([&] { SaveFilterNames(); });
    FillChoosers(true);
    RefreshViews(false);
    if (failure) std::rethrow_exception(failure);
}

void TWorkspace::ImportNames(const std::filesystem::path& file) { LoadNames(FStats, file, false, FInterfaceLanguage); }

void TWorkspace::ExportNames(const std::filesystem::path& file, const TFavouritesForm* form) {
    if (form) ApplyFormNames(FStats, *form);
    const std::exception_ptr failure =
        Deferred([&] { SaveNames(FStats, file, false, true, FInterfaceLanguage); });
    LoadNames(FStats, FPaths.FilterNamesFile(), false, FInterfaceLanguage);
    if (failure) std::rethrow_exception(failure);
}

void TWorkspace::ChangeFormulas(const TShreddingFormulas& formulas) {
    FShredding = formulas;
    FStats.SetFormulas(formulas);
    ++FConfigRevision;
    std::exception_ptr failure;
    {
        TBusyScope busy(FShell, "Сохранение файла конфигурации...");
        failure = Deferred([&] {
            WrapFailure("Ошибка записи в файл конфигурации!\r\r%s", [&] {
                UpdateIniFile(FPaths.ConfigFile(), [&](TIniFile& ini) { WriteShredding(ini, FShredding); },
                              kConfigFileMode);
            });
        });
    }
    BuildFullSetFiles(false, uint16_t(1u << kShreddingGroup));
    ReregisterStats();
    // The choosers show the new names, and a shredding table on screen its new values, at once.
    RefreshViews(false);
    if (failure) std::rethrow_exception(failure);
}

} // namespace qx
