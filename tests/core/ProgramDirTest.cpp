#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"
#include "core/HelpFile.h"
#include "core/Languages.h"
#include "core/ProgramDir.h"
#include "core/ProgramUsage.h"
#include "core/Switches.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;
namespace fs = std::filesystem;

namespace {

// <root>/usr/bin/Quadrix_4d10 beside <root>/usr/share/quadrix, as the install rules lay it out.
fs::path MakeInstalledTree(const TTempDir& root) {
    fs::create_directories(root / "usr/bin");
    fs::create_directories(root / "usr/share/quadrix/help");
    return root / "usr/bin/Quadrix_4d10";
}

int Mode(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

} // namespace

TEST(ProgramDir, APortableCopyAndTheBuiltTreeKeepTheirOwnFolder) {
    TTempDir dir;
    const TUserEnvironment env{"/xdg", "/home/u", "/home/account"};
    TProgramLocation portable = LocateProgram(dir / "Quadrix_4d10", env);
    EXPECT_FALSE(portable.Installed);
    EXPECT_EQ(portable.Dir, dir.Path());
    EXPECT_TRUE(portable.ShareDir.empty());
    EXPECT_TRUE(portable.LanguageDirs().empty());
    PrepareProgramDir(portable);
    EXPECT_FALSE(fs::exists("/xdg"));

    // A bin folder alone is no installed layout: build/bin stays the program directory.
    const fs::path built = fs::path(QUADRIX_BIN_DIR);
    if (::access(built.c_str(), W_OK) == 0) {
        EXPECT_EQ(LocateProgram(built / "quadrix", env).Dir, built);
    }
}

TEST(ProgramDir, AnInstalledLayoutUsesThePerUserFolder) {
    TTempDir root;
    const fs::path exe = MakeInstalledTree(root);
    const fs::path share = root / "usr/share/quadrix";

    TProgramLocation xdg = LocateProgram(exe, {"/data/xdg", "/home/u", "/home/account"});
    EXPECT_TRUE(xdg.Installed);
    EXPECT_EQ(xdg.Dir, fs::path("/data/xdg/Quadrix_4d10"));
    EXPECT_EQ(xdg.ShareDir, share);
    EXPECT_EQ(xdg.LanguageDirs(), (std::vector<fs::path>{share, "/data/xdg/Quadrix_4d10"}));
    EXPECT_EQ(xdg.HelpShareDir(), share / "help");

    // A relative XDG_DATA_HOME is ignored, an unset one too; an unset HOME comes from the account.
    EXPECT_EQ(LocateProgram(exe, {"rel/xdg", "/home/u", "/home/account"}).Dir,
              fs::path("/home/u/.local/share/Quadrix_4d10"));
    EXPECT_EQ(LocateProgram(exe, {std::nullopt, "/home/u", "/home/account"}).Dir,
              fs::path("/home/u/.local/share/Quadrix_4d10"));
    EXPECT_EQ(LocateProgram(exe, {std::nullopt, std::nullopt, "/home/account"}).Dir,
              fs::path("/home/account/.local/share/Quadrix_4d10"));
    EXPECT_EQ(LocateProgram(exe, {"", "/home/u", ""}).Dir, fs::path("/home/u/.local/share/Quadrix_4d10"));
    // An empty or relative HOME would scatter the files into the current folder.
    EXPECT_EQ(LocateProgram(exe, {std::nullopt, "", "/home/account"}).Dir,
              fs::path("/home/account/.local/share/Quadrix_4d10"));
    EXPECT_EQ(LocateProgram(exe, {std::nullopt, "rel", "/home/account"}).Dir,
              fs::path("/home/account/.local/share/Quadrix_4d10"));

    // The same executable outside <prefix>/bin is a portable copy again.
    fs::remove_all(share);
    EXPECT_FALSE(LocateProgram(exe, {"/data/xdg", "/home/u", ""}).Installed);
}

TEST(ProgramDir, AFolderTheUserCannotWriteSendsAPortableCopyToThePerUserFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere; the installed-tree test runs this as another user";
    TTempDir root;
    fs::create_directories(root / "ro");
    fs::permissions(root / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    TProgramLocation copy = LocateProgram(root / "ro/Quadrix_4d10", {(root / "xdg").string(), "/home/u", ""});
    fs::permissions(root / "ro", fs::perms::owner_all);
    EXPECT_TRUE(copy.Installed);
    EXPECT_EQ(copy.Dir, root / "xdg/Quadrix_4d10");
    EXPECT_TRUE(copy.ShareDir.empty());
}

TEST(ProgramDir, ThePerUserFolderIsCreatedPrivateWithItsParents) {
    TTempDir root;
    const fs::path exe = MakeInstalledTree(root);
    TProgramLocation location = LocateProgram(exe, {std::nullopt, (root / "home").string(), ""});
    PrepareProgramDir(location);
    EXPECT_EQ(location.Dir, root / "home/.local/share/Quadrix_4d10");
    EXPECT_EQ(Mode(location.Dir), 0700);
    EXPECT_EQ(Mode(root / "home/.local"), 0700);
    WriteBytes(location.Dir / "Quadrix_4d10.ini", "x");
    PrepareProgramDir(location);  // a second start keeps what is there
    EXPECT_EQ(ReadBytes(location.Dir / "Quadrix_4d10.ini"), "x");

    // A file in the way is reported, not taken for the folder.
    TProgramLocation blocked = LocateProgram(exe, {(root / "blocked").string(), "/home/u", ""});
    WriteBytes(root / "blocked", "");
    EXPECT_THROW(PrepareProgramDir(blocked), TAppError);
    fs::create_directories(root / "xdg2");
    WriteBytes(root / "xdg2/Quadrix_4d10", "");
    EXPECT_THROW(PrepareProgramDir(LocateProgram(exe, {(root / "xdg2").string(), "", ""})), TAppError);
    // No home known at all: refused rather than made relative to the current folder.
    TProgramLocation homeless = LocateProgram(exe, {std::nullopt, std::nullopt, ""});
    EXPECT_FALSE(homeless.Dir.is_absolute());
    EXPECT_THROW(PrepareProgramDir(homeless), TAppError);
}

TEST(ProgramDir, InstalledLanguageModulesAndHelpAreFoundAfterTheProgramsOwnPlaces) {
    TTempDir root;
    const fs::path exe = MakeInstalledTree(root);
    TProgramLocation location = LocateProgram(exe, {(root / "xdg").string(), "", ""});
    PrepareProgramDir(location);
    const fs::path share = location.ShareDir;

    WriteBytes(location.Dir / "Quadrix_4d10_UKR.lng", "x");
    WriteBytes(share / "Quadrix_4d10_UKR.lng", "x");
    WriteBytes(share / "Quadrix_4d10_ENU.lng", "x");
    EXPECT_EQ(LanguageModulePath(exe, "UKR", location.LanguageDirs()), share / "Quadrix_4d10_UKR.lng");
    WriteBytes(root / "usr/bin/Quadrix_4d10_UKR.lng", "x");
    EXPECT_EQ(LanguageModulePath(exe, "UKR", location.LanguageDirs()), root / "usr/bin/Quadrix_4d10_UKR.lng");
    EXPECT_EQ(LanguageModulePath(exe, "DEU", location.LanguageDirs()), root / "usr/bin/Quadrix_4d10_DEU.lng");
    EXPECT_EQ(AvailableLanguages(exe, location.LanguageDirs()), (std::vector<int>{1049, 1033, 1058}));

    THelpLocation none = LocateHelpFile(location.Dir, "RUS", location.HelpShareDir());
    EXPECT_EQ(none.Path, share / "help/Plexa_RUS.chm");
    WriteBytes(share / "help/Plexa_RUS.chm", "x");
    EXPECT_TRUE(LocateHelpFile(location.Dir, "RUS", location.HelpShareDir()).Exists);
    WriteBytes(location.Dir / "Plexa_RUS.chm", "x");
    EXPECT_EQ(LocateHelpFile(location.Dir, "RUS", location.HelpShareDir()).Path, location.Dir / "Plexa_RUS.chm");
}

TEST(ProgramUsage, HelpAndVersionAreAnsweredAndListEverySwitch) {
    EXPECT_EQ(FindInfoRequest({"restart", "--help"}), TInfoRequest::Help);
    EXPECT_EQ(FindInfoRequest({"--version"}), TInfoRequest::Version);
    EXPECT_EQ(FindInfoRequest({"-help", "fullrefresh"}), TInfoRequest::None);
    EXPECT_EQ(VersionText("quadrix"), std::string("quadrix ") + QUADRIX_VERSION + "\n");

    TTempDir root;
    TProgramLocation location = LocateProgram(MakeInstalledTree(root), {"/data/xdg", "", ""});
    const std::string usage = WindowUsage(location);
    for (const auto& info : SwitchTable()) {
        EXPECT_NE(usage.find(std::string("  ") + info.Word + " "), std::string::npos) << info.Word;
        TSwitches parsed = TSwitches::Parse({std::string("--") + info.Word});
        EXPECT_TRUE(parsed.*info.Flag) << info.Word;
    }
    EXPECT_NE(usage.find("/data/xdg/Quadrix_4d10"), std::string::npos);
}
