#include "online/FileReplacement.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "online/UpdateData.h"
#include "online/UpdateFiles.h"

namespace qx {

namespace fs = std::filesystem;

fs::path OldFileName(const fs::path& target) {
    fs::path p = target;
    p += ".~old";
    return p;
}

fs::path NewFileName(const fs::path& target) {
    fs::path p = target;
    p += ".~new";
    return p;
}

TFileReplacement::TFileReplacement(fs::path programDir) : FDir(std::move(programDir)) {}

fs::path TFileReplacement::Target(const std::string& relative) const {
    CheckRelativeName(relative);
    const fs::path full = FDir / relative;
    std::error_code ec;
    const fs::path dir = fs::weakly_canonical(FDir, ec);
    const fs::path parent = ec ? fs::path() : fs::weakly_canonical(full.parent_path(), ec);
    // The folders on the way may be links, but they must end inside the program directory.
    if (ec || (parent != dir && !InsideFolder(parent, dir)))
        throw TAppError(FormatText(kBadUpdateName, {relative}));
    return parent / full.filename();
}

bool TFileReplacement::NamesFolder(const std::string& relative) const {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(Target(relative), ec));
}

bool TFileReplacement::MovedAside(const fs::path& target) const {
    return std::any_of(FJournal.begin(), FJournal.end(),
                       [&](const TEntry& e) { return e.Kind == TKind::MovedAside && e.Target == target; });
}

void TFileReplacement::MoveAside(const fs::path& target) {
    const fs::path old = OldFileName(target);
    // A "*.~old" not made by this replacement is a leftover of an earlier one.
    if (::unlink(old.c_str()) != 0 && errno != ENOENT) throw TAppError(SystemErrorText(old, errno));
    if (::rename(target.c_str(), old.c_str()) != 0) throw TAppError(SystemErrorText(target, errno));
    FJournal.push_back({TKind::MovedAside, target});
}

void TFileReplacement::Fault(std::string_view step, const fs::path& target) const {
    if (FaultHook) FaultHook(step, target);
}

bool TFileReplacement::Remove(const std::string& relative) {
    const fs::path target = Target(relative);
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(target, ec);
    if (!fs::exists(st)) return false;
    if (fs::is_directory(st)) throw TAppError(FormatText(kBadUpdateName, {relative}));
    Fault("remove", target);
    if (MovedAside(target)) {
        // The original is kept aside already; this one came during the installation.
        if (::unlink(target.c_str()) != 0) throw TAppError(SystemErrorText(target, errno));
        return true;
    }
    MoveAside(target);
    return true;
}

std::vector<std::string> TFileReplacement::Install(const fs::path& folder) {
    std::vector<fs::path> folders, files;
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
        const fs::file_status st = it->symlink_status();
        const fs::path rel = it->path().lexically_relative(folder);
        if (fs::is_directory(st))
            folders.push_back(rel);
        else if (fs::is_regular_file(st))
            files.push_back(rel);
        else
            throw TAppError(FormatText(kBadUpdateName, {rel.string()}));
    }
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());

    std::vector<fs::path> staged;  // targets whose new file waits as "*.~new"
    try {
        for (const fs::path& rel : folders) {
            const fs::path target = Target(rel.string());
            std::error_code ec;
            const fs::file_status st = fs::status(target, ec);
            if (!fs::exists(st)) {
                if (::mkdir(target.c_str(), 0755) != 0) throw TAppError(SystemErrorText(target, errno));
                FJournal.push_back({TKind::CreatedFolder, target});
            } else if (!fs::is_directory(st)) {
                throw TAppError(SystemErrorText(target, ENOTDIR));
            }
        }
        for (const fs::path& rel : files) {
            const fs::path target = Target(rel.string());
            std::error_code ec;
            if (fs::is_directory(fs::symlink_status(target, ec))) throw TAppError(SystemErrorText(target, EISDIR));
            Fault("stage", target);
            staged.push_back(target);
            CopyToNewFile(folder / rel, NewFileName(target));
        }
        // Every new file is there: now the swap, each a rename.
        while (!staged.empty()) {
            const fs::path target = staged.front();
            Fault("swap", target);
            std::error_code ec;
            if (fs::exists(fs::symlink_status(target, ec)) && !MovedAside(target)) MoveAside(target);
            if (::rename(NewFileName(target).c_str(), target.c_str()) != 0)
                throw TAppError(SystemErrorText(target, errno));
            FJournal.push_back({TKind::Placed, target});
            staged.erase(staged.begin());
        }
    } catch (...) {
        for (const fs::path& target : staged) ::unlink(NewFileName(target).c_str());
        throw;
    }
    std::vector<std::string> names;
    for (const fs::path& rel : files) names.push_back(rel.string());
    return names;
}

void TFileReplacement::RollBack() noexcept {
    for (auto it = FJournal.rbegin(); it != FJournal.rend(); ++it) {
        const fs::path& target = it->Target;
        switch (it->Kind) {
        case TKind::Placed:
            ::unlink(target.c_str());
            break;
        case TKind::MovedAside:
            ::unlink(target.c_str());
            ::rename(OldFileName(target).c_str(), target.c_str());
            break;
        case TKind::CreatedFolder:
            ::rmdir(target.c_str());
            break;
        }
    }
    FJournal.clear();
}

void RemoveOldFiles(const fs::path& programDir) {
    std::error_code ec;
    std::vector<fs::path> old;
    auto it = fs::recursive_directory_iterator(programDir, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code statusError;
        if (name.size() > 5 && name.ends_with(".~old") && !fs::is_directory(it->symlink_status(statusError)))
            old.push_back(it->path());
    }
    for (const fs::path& p : old) fs::remove(p, ec);
}

} // namespace qx
