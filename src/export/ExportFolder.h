#pragma once
#include <ctime>
#include <filesystem>
#include <string_view>

namespace qx {

// The user's own folder for exported workbooks, "quadrix-export-<uid>" under $TMPDIR (or /tmp):
// made with access for the owner only when missing; refused (TAppError with the reason) when it
// is a symbolic link, not a folder, someone else's, or cannot be written. Others cannot read the
// exported data there nor plant a file or link under a name the program will use.
std::filesystem::path PrivateExportFolder();

// "<sheet name> yyyy-mm-dd hh-mm-ss.xlsx"; "Sheet1" stands for an empty name.
std::string WorkbookFileName(std::string_view sheetName, std::time_t when);

// Gives the finished file at `written` its name in folder without ever replacing a file: when
// the name is taken, " (2)", " (3)" ... go before the extension. Returns the final path; raises
// TAppError when the file cannot be placed (it is then removed).
std::filesystem::path PlaceWithoutReplacing(const std::filesystem::path& written, const std::filesystem::path& folder,
                                            const std::string& fileName);

} // namespace qx
