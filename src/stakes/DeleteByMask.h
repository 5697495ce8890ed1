#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// Whether a file name fits a mask written like the program's name formats: "%d" stands for a
// whole number (an optional minus and digits), "%s" for any text, everything else for itself.
bool NameFitsMask(std::string_view name, std::string_view mask);
// The regular files of dir whose names fit the mask, sorted by name.
std::vector<std::filesystem::path> FilesByMask(const std::filesystem::path& dir, std::string_view mask);

// How a file operation ended: completed or not, with a title and details for the message box
// ("title\r\rdetails", information when completed, a warning otherwise).
struct TFileOpResult {
    bool Completed = true;
    int Done = 0;
    std::string Title;
    std::string Details;
    std::string Message() const { return Title + "\r\r" + Details; }
};

// Deletes every file of dir that fits the mask; files that cannot be deleted are named in the
// details and the others are deleted all the same.
TFileOpResult DeleteFilesByMask(const std::filesystem::path& dir, std::string_view mask);

} // namespace qx
