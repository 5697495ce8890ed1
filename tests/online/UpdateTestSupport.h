#pragma once
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include "FakeUpdateServer.h"
#include "online/OnlineTestSupport.h"
#include "online/SelfUpdate.h"
#include "support/TestSupport.h"

namespace qx::test {

// Everything under a folder by relative name: kind, mode bits and bytes (links by their target).
inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> out;
    for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it) {
        struct stat st {};
        ::lstat(it->path().c_str(), &st);
        std::string entry = std::to_string(st.st_mode) + ":";
        if (it->is_symlink())
            entry += "-> " + fs::read_symlink(it->path()).string();
        else if (it->is_regular_file())
            entry += ReadBytes(it->path());
        out[it->path().lexically_relative(dir).string()] = entry;
    }
    return out;
}

inline int ModeOf(const std::filesystem::path& file) {
    struct stat st {};
    ::stat(file.c_str(), &st);
    return static_cast<int>(st.st_mode & 07777);
}

// A program directory with a dummy executable and a data file, an update server, and a folder
// outside both for journals and files that must stay untouched.
class UpdateFixture : public ::testing::Test {
protected:
    TTempDir Dir;
    TTempDir Outside;
    TRecordingShell Shell;
    fake::TFakeUpdateServer Server;
    TSelfUpdateOptions Options;

    void SetUp() override {
        WriteBytes(Dir / "Quadrix_4d10", "#!/bin/sh\necho old\n");
        std::filesystem::permissions(Dir / "Quadrix_4d10", std::filesystem::perms(0755));
        WriteBytes(Dir / "old.txt", "old data");
        WriteBytes(Outside / "keep.txt", "outside");
        Options.ProgramDir = Dir.Path();
        Options.RunningVersion = "2.1.0.57";
        Options.Http = QuickHttp(500);
        Options.Http.CaFile = Server.CaFile();
        Options.WaitLimitMs = 10000;
    }

    std::string ConfigUrl() const { return Server.BaseUrl() + kUpdateConfigPath; }
    std::filesystem::path Journal() const { return Outside / "journal.txt"; }
    std::string JournalText() const {
        std::error_code ec;
        return std::filesystem::exists(Journal(), ec) ? ReadBytes(Journal()) : std::string();
    }

    // A configuration offering the package (version 2.1.0.58) with the extra lines of the
    // program's section and the GlobalOptions lines.
    void Offer(const std::string& package, const std::string& ownLines = "", const std::string& globalLines = "",
               fake::TFakePackage how = {}) {
        how.Bytes = package;
        const std::string url = Server.AddPackage("p.upd", how);
        Server.SetConfig("[GlobalOptions]\n" + globalLines + "[Quadrix_4d10]\nDescription=Версия 58\n" +
                         fake::PackageKeys("2.1.0.58", url, package) + ownLines);
    }

    // The whole check and installation, consenting (or not) to the offer.
    int Run(bool consent = true, bool quiet = false) {
        TSelfUpdater updater(Shell, Options);
        updater.Consent = [&](const TUpdateOffer& offer) {
            Offered = offer;
            return consent;
        };
        return updater.SelfUpdate(ConfigUrl(), quiet, 1049);
    }
    // The error boxes' texts joined, for failure messages.
    std::string Errors() const {
        std::string all;
        for (const std::string& e : Shell.Errors()) all += e + "\n";
        return all;
    }

    std::optional<TUpdateOffer> Offered;
};

} // namespace qx::test
