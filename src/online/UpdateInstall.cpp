// The installation of an offered update: verified download, unpacking by the package itself,
// then the delete, run and copy steps over the program directory as one undoable replacement.
#include <cctype>
#include <cerrno>
#include <chrono>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "core/ProgressScope.h"
#include "core/ChildProcess.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Shell.h"
#include "core/Text.h"
#include "online/SelfUpdate.h"
#include "online/UpdateFiles.h"

namespace qx {

namespace fs = std::filesystem;

namespace {

constexpr int kInstallSteps = 14;
constexpr int kAttempts = 3;
constexpr const char* kFileNotFound = "Файл \"%s\" не найден!";

bool HexDigits(const std::string& text, size_t count) {
    if (text.size() != count) return false;
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

void AddOwnerExecute(const fs::path& file) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0) throw TAppError(SystemErrorText(file, errno));
    if (::chmod(file.c_str(), (st.st_mode & 07777) | S_IXUSR) != 0) throw TAppError(SystemErrorText(file, errno));
}

// Runs the action; on failure the undo runs and the failure goes on.
template <class Fn, class Undo> void Guarded(Fn&& fn, Undo&& undo) {
    try {
        fn();
    } catch (...) {
        undo();
        throw;
    }
}

} // namespace

void TSelfUpdater::CheckNames(const TUpdateOffer& offer, const TFileReplacement& replacement) const {
    const TUpdateVersionData& d = offer.Data;
    ParseUpdateSource(d.DownloadUrl, FOptions.AllowLocal, FOptions.ProgramDir);
    if (!d.PackageSize() || !HexDigits(d.ChecksumSHA256, 64) ||
        (!d.ChecksumCRC32.empty() && !HexDigits(d.ChecksumCRC32, 8)))
        throw TAppError(kBadChecksum);
    CheckPlainFileName(d.OriginalFileName);
    for (const auto& list : {d.DeleteBeforeList(), d.DeleteAfterList()})
        for (const std::string& name : list)
            if (replacement.NamesFolder(name)) throw TAppError(FormatText(kBadUpdateName, {name}));
    for (const auto& list : {d.ExecBeforeList(), d.ExecAfterList()})
        for (const std::string& name : list) CheckRelativeName(name);
}

void TSelfUpdater::VerifyPackage(const TUpdateVersionData& data, const fs::path& package) const {
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(package, ec)))
        throw TAppError(FormatText(kFileNotFound, {package.string()}));
    if (fs::file_size(package, ec) != *data.PackageSize()) throw TAppError(kBadChecksum);
    if (!SameText(FileSha256(package), data.ChecksumSHA256)) throw TAppError(kBadChecksum);
    if (!data.ChecksumCRC32.empty() && !SameText(FileCrc32(package), data.ChecksumCRC32))
        throw TAppError(kBadChecksum);
}

void TSelfUpdater::DownloadPackage(const TUpdateVersionData& data, const fs::path& package) {
    const TUpdateSource source = ParseUpdateSource(data.DownloadUrl, FOptions.AllowLocal, FOptions.ProgramDir);
    for (int attempt = 1;; ++attempt) {
        try {
            ::unlink(package.c_str());
            FetchUpdateFile(source, package, *data.PackageSize(), FOptions.Http);
            VerifyPackage(data, package);
            return;
        } catch (const std::exception&) {
            // A failed or damaged transfer is never a package.
            ::unlink(package.c_str());
            if (attempt == kAttempts) throw;
        }
        Step();
    }
}

void TSelfUpdater::RunPackage(const TUpdateVersionData& data, const fs::path& package) {
    const fs::path file = UnpackFolder() / data.OriginalFileName;
    if (::rename(package.c_str(), file.c_str()) != 0) throw TAppError(SystemErrorText(package, errno));
    Step();
    if (Exists(file)) {
        AddOwnerExecute(file);
        RunAndWait(file, UnpackFolder(), FOptions.WaitLimitMs, [this] { FShell.ProcessMessages(); });
        FReport.Run.push_back(data.OriginalFileName);
    }
    Step();
    // The package may still be held open for a moment by what it started.
    for (int attempt = 0; Exists(file); ++attempt) {
        if (::unlink(file.c_str()) == 0) break;
        if (attempt == 100) throw TAppError(SystemErrorText(file, errno));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    Step();
}

void TSelfUpdater::CheckUnpacked() const {
    const fs::path folder = UnpackFolder();
    if (fs::is_empty(folder)) throw TAppError(FormatText(kFileNotFound, {(folder / "*.*").string()}));
    // Only files and folders may come out: a link could lead a copy or a run anywhere.
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
        const fs::file_status st = it->symlink_status();
        if (!fs::is_directory(st) && !fs::is_regular_file(st))
            throw TAppError(FormatText(kBadUpdateName, {it->path().lexically_relative(folder).string()}));
    }
}

void TSelfUpdater::RunList(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const fs::path file = UnpackFolder() / name;
        std::error_code ec;
        if (!fs::is_regular_file(fs::symlink_status(file, ec))) continue;
        if (!InsideFolder(file, UnpackFolder())) throw TAppError(FormatText(kBadUpdateName, {name}));
        AddOwnerExecute(file);
        RunAndWait(file, UnpackFolder(), FOptions.WaitLimitMs, [this] { FShell.ProcessMessages(); });
        FReport.Run.push_back(name);
    }
    Step();
}

void TSelfUpdater::DeleteList(const std::vector<std::string>& names, TFileReplacement& replacement) {
    for (const std::string& name : names)
        if (replacement.Remove(name)) FReport.Deleted.push_back(name);
    Step();
}

void TSelfUpdater::Install(const TUpdateOffer& offer) {
    const TUpdateVersionData& d = offer.Data;
    FReport = TUpdateReport{};
    FReplacement.reset();
    TProgressScope progress(FShell, FormatText("Загрузка и установка обновления \"%s\"...", {d.VerId}),
                            kInstallSteps);
    auto replacement = std::make_unique<TFileReplacement>(FOptions.ProgramDir);
    replacement->FaultHook = FaultHook;
    // Names first: nothing is fetched, run or changed for a description that fails them.
    CheckNames(offer, *replacement);

    const fs::path folder = UnpackFolder();
    auto removeFolder = [&] {
        std::error_code ec;
        fs::remove_all(folder, ec);
    };
    removeFolder();
    if (::mkdir(folder.c_str(), 0700) != 0) throw TAppError(SystemErrorText(folder, errno));
    Step();
    Guarded(
        [&] {
            const fs::path package = folder / FormatText("SelfUpdate_%s.upd", {d.VerId});
            DownloadPackage(d, package);
            Step();
            RunPackage(d, package);
            CheckUnpacked();
            Step();
            Guarded(
                [&] {
                    DeleteList(d.DeleteBeforeList(), *replacement);
                    RunList(d.ExecBeforeList());
                    FReport.Copied = replacement->Install(folder);
                    Step();
                    RunList(d.ExecAfterList());
                    DeleteList(d.DeleteAfterList(), *replacement);
                },
                [&] { replacement->RollBack(); });
        },
        removeFolder);
    removeFolder();
    Step();
    FReplacement = std::move(replacement);
}

} // namespace qx
