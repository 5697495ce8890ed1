#include "core/ProgressScope.h"
#include "online/SelfUpdate.h"

#include <cerrno>
#include <unistd.h>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "core/Languages.h"
#include "core/Shell.h"
#include "core/Text.h"
#include "online/UpdateFiles.h"
#include "online/UpdateVersion.h"

namespace qx {

namespace fs = std::filesystem;

namespace {

// The configuration and the descriptions are small texts.
constexpr uint64_t kMaxTextFile = 1u << 20;
constexpr int kCheckSteps = 5;

} // namespace

bool SelfUpdateAllowed(const fs::path& programDir, const fs::path& executable) {
    if (::access(programDir.c_str(), W_OK) != 0) return false;
    return executable.empty() || ::access(executable.parent_path().c_str(), W_OK) == 0;
}

TSelfUpdater::TSelfUpdater(TShell& shell, TSelfUpdateOptions options) : FShell(shell), FOptions(std::move(options)) {
    if (FOptions.RunningVersion.empty()) FOptions.RunningVersion = ProgramVersion();
    if (!FOptions.Http.Idle) FOptions.Http.Idle = [this] { FShell.ProcessMessages(); };
    // Update files travel over https only; with local sources allowed, plain http too (the
    // addresses themselves are checked before each fetch). A redirect never leaves https.
    FOptions.Http.Protocols = FOptions.AllowLocal ? "http,https" : "https";
    FOptions.Http.RedirectProtocols = "https";
}

TSelfUpdater::~TSelfUpdater() { CleanUp(); }

fs::path TSelfUpdater::DescriptionFile(const std::string& verId) const {
    return FOptions.ProgramDir / FormatText("UpdDescr_%s.txt", {verId});
}

void TSelfUpdater::Step() { FShell.StepProgress(); }

void TSelfUpdater::CleanUp() {
    for (const fs::path& file : FFetched) ::unlink(file.c_str());
    FFetched.clear();
}

void TSelfUpdater::RollBack() {
    if (FReplacement) FReplacement->RollBack();
    FReplacement.reset();
}

void TSelfUpdater::RemoveTildeFiles() {
    std::error_code ec;
    for (fs::directory_iterator it(FOptions.ProgramDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        if (it->path().filename().string().find(".~") == std::string::npos) continue;
        if (fs::is_directory(it->symlink_status(statusError))) continue;
        std::error_code removeError;
        fs::remove(it->path(), removeError);
    }
}

std::string TSelfUpdater::FetchDescription(const TUpdateSource& config, const std::string& verId, int locale) {
    std::vector<std::string> names;
    if (const TLanguageInfo* info = FindLanguage(locale))
        names.push_back(FormatText("UpdDescr_%s_%s.txt", {info->Abbr, verId}));
    names.push_back(FormatText("UpdDescr_%d_%s.txt", {std::to_string(locale), verId}));
    names.push_back(FormatText("UpdDescr_%s.txt", {verId}));
    const fs::path local = DescriptionFile(verId);
    FFetched.push_back(local);
    for (const std::string& name : names) {
        try {
            const TUpdateSource source =
                ParseUpdateSource(DescriptionAddress(config, name), FOptions.AllowLocal, FOptions.ProgramDir);
            FetchUpdateFile(source, local, kMaxTextFile, FOptions.Http);
        } catch (const std::exception&) {
            continue;  // not there (or not readable): the next name
        }
        std::string text = ReadTextFile(local);
        ::unlink(local.c_str());  // read once, shown from memory
        return text;
    }
    return kNoDescription;
}

std::optional<TUpdateOffer> TSelfUpdater::Check(const std::string& configAddress, int locale) {
    TProgressScope progress(FShell, kUpdateSearchText, kCheckSteps);
    FShell.ShowStatus(kUpdateSearchText);
    RemoveTildeFiles();
    Step();

    const TUpdateSource source = ParseUpdateSource(configAddress, FOptions.AllowLocal, FOptions.ProgramDir);
    FFetched.push_back(ConfigFile());
    FetchUpdateFile(source, ConfigFile(), kMaxTextFile, FOptions.Http);
    const TIniFile ini = TIniFile::Load(ConfigFile());
    TUpdateOffer offer;
    offer.CurrentVersion = FOptions.RunningVersion;
    offer.Data = TUpdateVersionData::Read(ini, FOptions.ProgramName, FOptions.RunningVersion);
    // The version names files and addresses below.
    if (!SafeVersionId(offer.Data.VerId)) throw TAppError(FormatText(kBadUpdateName, {offer.Data.VerId}));
    Step();

    const bool offered =
        BuildNumber(FOptions.RunningVersion) < BuildNumber(offer.Data.VerId) && !offer.Data.DownloadUrl.empty();
    Step();
    if (!offered) return std::nullopt;
    offer.DescriptionText = FetchDescription(source, offer.Data.VerId, locale);
    Step();
    Step();
    return offer;
}

int TSelfUpdater::SelfUpdate(const std::string& configAddress, bool quiet, int locale) {
    int result = 2;
    try {
        std::optional<TUpdateOffer> offer;
        bool checked = false;
        try {
            offer = Check(configAddress, locale);
            checked = true;
        } catch (const std::exception& e) {
            if (!quiet) FShell.ShowError(FailureText(kUpdateSearchError, e.what()));
        }
        if (checked && !offer) {
            if (!quiet) FShell.ShowInfo(kNoUpdates);
            result = 0;
        } else if (checked) {
            result = 0;
            if (Consent && Consent(*offer)) {
                try {
                    Install(*offer);
                    result = 1;
                } catch (const std::exception& e) {
                    FShell.ShowError(FailureText(kUpdateInstallError, e.what()));
                    result = 2;
                }
            }
            if (result == 1) FShell.ShowWarning(FormatText(kUpdateInstalled, {offer->Data.Description}));
        }
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText(kUpdateSystemError, e.what()));
        result = 2;
    }
    CleanUp();
    return result;
}

} // namespace qx
