#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Game.h"
#include "online/FileReplacement.h"
#include "online/HttpClient.h"
#include "online/UpdateAddress.h"
#include "online/UpdateData.h"

namespace qx {

class TShell;

struct TSelfUpdateOptions {
    std::filesystem::path ProgramDir;
    // Names the program's section of the configuration (letter case ignored).
    std::string ProgramName = kProgramBaseName;
    // The running version; its build number decides whether an offer is newer.
    std::string RunningVersion;
    THttpOptions Http;
    // Local paths and http on this machine accepted as addresses (tests, offline mirrors).
    bool AllowLocal = false;
    // How long each started program may run.
    int WaitLimitMs = 60000;
};

// An update the server offers: the running version, the offered one and its description text.
struct TUpdateOffer {
    std::string CurrentVersion;
    TUpdateVersionData Data;
    std::string DescriptionText;
};

// What an installation did, by relative name: files deleted (kept aside), programs run, files copied.
struct TUpdateReport {
    std::vector<std::string> Deleted;
    std::vector<std::string> Run;
    std::vector<std::string> Copied;
};

// The program's self-update: the check against the update configuration and, on consent, the
// installation of the offered package over the program directory. Every download is verified
// (size, SHA-256, the CRC-32 when given) and every name from the configuration checked before
// anything runs or anything of the program directory changes; the replacement can be undone.
class TSelfUpdater {
public:
    TSelfUpdater(TShell& shell, TSelfUpdateOptions options);
    ~TSelfUpdater();
    TSelfUpdater(const TSelfUpdater&) = delete;
    TSelfUpdater& operator=(const TSelfUpdater&) = delete;

    // Asked with the offer; true installs it. None refuses.
    std::function<bool(const TUpdateOffer&)> Consent;

    // The check and, on consent, the installation with their progress windows and messages:
    // 0 nothing installed, 1 installed, 2 failed. Quiet shows neither a search error nor that no
    // update was found; installation errors are always shown. The fetched files are gone after.
    int SelfUpdate(const std::string& configAddress, bool quiet, int locale);

    // The check alone (raises its reason); none when nothing newer is offered.
    std::optional<TUpdateOffer> Check(const std::string& configAddress, int locale);
    // The installation alone (raises its reason); a failure leaves the program directory as it was.
    void Install(const TUpdateOffer& offer);
    const TUpdateReport& Report() const { return FReport; }

    // After an installation whose program could not be started: puts the old files back.
    void RollBack();
    // Removes the fetched configuration and description files.
    void CleanUp();

    // Tests inject failures into the replacement of files (see TFileReplacement::FaultHook).
    std::function<void(std::string_view step, const std::filesystem::path& target)> FaultHook;

    std::filesystem::path ConfigFile() const { return FOptions.ProgramDir / "SelfUpdates.inf"; }
    std::filesystem::path UnpackFolder() const { return FOptions.ProgramDir / "SelfUpdate"; }
    std::filesystem::path DescriptionFile(const std::string& verId) const;

private:
    void RemoveTildeFiles();
    std::string FetchDescription(const TUpdateSource& config, const std::string& verId, int locale);
    // Installation steps.
    void CheckNames(const TUpdateOffer& offer, const TFileReplacement& replacement) const;
    void DownloadPackage(const TUpdateVersionData& data, const std::filesystem::path& package);
    void VerifyPackage(const TUpdateVersionData& data, const std::filesystem::path& package) const;
    void RunPackage(const TUpdateVersionData& data, const std::filesystem::path& package);
    void CheckUnpacked() const;
    void RunList(const std::vector<std::string>& names);
    void DeleteList(const std::vector<std::string>& names, TFileReplacement& replacement);
    void Step();

    TShell& FShell;
    TSelfUpdateOptions FOptions;
    TUpdateReport FReport;
    std::unique_ptr<TFileReplacement> FReplacement;
    std::vector<std::filesystem::path> FFetched;
};

// Whether a program may replace its own files: only when it can write both its program directory
// and the folder of its executable (empty: not asked). A program installed where its user cannot
// write belongs to the package manager that put it there.
bool SelfUpdateAllowed(const std::filesystem::path& programDir, const std::filesystem::path& executable);

inline constexpr const char* kUpdateSearchError = "Ошибка поиска обновлений!\r\r%s";
inline constexpr const char* kUpdateInstallError = "Ошибка установки обновления!\r\r%s";
inline constexpr const char* kUpdateSystemError = "Ошибка системы самообновления программы!\r\r%s";
inline constexpr const char* kUpdateSearchText = "Поиск доступных обновлений...";
inline constexpr const char* kNoUpdates = "Обновлений не найдено!";
inline constexpr const char* kNoDescription = "< Описание обновления не доступно >";
inline constexpr const char* kUpdateInstalled =
    "Установка обновления \"%s\" успешно выполнена.\r\rДля завершения установки необходимо перезапустить программу!";

} // namespace qx
