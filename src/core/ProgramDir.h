#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qx {

// What the folder rule reads from the user's environment. Tests pass their own.
struct TUserEnvironment {
    std::optional<std::string> XdgDataHome;
    std::optional<std::string> Home;
    std::string AccountHome;  // the password database's home of this user, for an unset HOME

    static TUserEnvironment Current();
};

// Where a run of the program keeps its files and finds the files it was installed with.
//
// A portable copy or a built tree keeps everything beside its executable. An installed program
// (an executable in <prefix>/bin beside the <prefix>/share/quadrix folder the install creates) or
// a copy in a folder the user cannot write keeps its files in the user's own data folder instead:
// the package manager owns the executable's folder, and root may write anywhere, so the layout
// decides rather than the permissions alone.
struct TProgramLocation {
    std::filesystem::path ExePath;
    std::filesystem::path Dir;       // the program directory: every data file lives here
    std::filesystem::path ShareDir;  // <prefix>/share/quadrix of an installed layout, else empty
    bool Installed = false;          // Dir is the per-user folder, not the executable's folder

    // Extra folders for language modules after the executable's own: the installed share folder,
    // then the per-user folder.
    std::vector<std::filesystem::path> LanguageDirs() const;
    // The folder the help file is looked for in after the program directory's places.
    std::filesystem::path HelpShareDir() const;
};

// <prefix>/bin with <prefix>/share/quadrix beside it.
bool IsInstalledLayout(const std::filesystem::path& exeDir);
// $XDG_DATA_HOME/Quadrix_4d10 for an absolute XDG_DATA_HOME, else $HOME/.local/share/Quadrix_4d10
// (the account's home when HOME is unset, empty or relative).
std::filesystem::path UserDataDir(const TUserEnvironment& env);
// Applies the rule; creates nothing.
TProgramLocation LocateProgram(const std::filesystem::path& exePath, const TUserEnvironment& env);
// Creates the per-user folder with its parents, readable by its owner only, when the location
// uses one and it is missing; TAppError when that fails or no home is known.
void PrepareProgramDir(const TProgramLocation& location);
// This process's location, prepared.
TProgramLocation ThisProgram();
// Whether this process runs as an installed program: then the package manager owns its files and
// the program never updates itself.
bool RunsInstalled();

} // namespace qx
