#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// Replaces files of the program directory so that it can be undone: a file removed or replaced
// is first moved aside as "name.~old"; new files are copied beside their targets as "name.~new"
// and swapped in only when all of them are there. RollBack puts every old file back and takes
// the new ones away. The "*.~old" files stay until the next start removes them.
class TFileReplacement {
public:
    explicit TFileReplacement(std::filesystem::path programDir);

    // A file named relative to the program directory, its folders inside it (the name itself is
    // never followed). Raises the bad-name reason otherwise.
    std::filesystem::path Target(const std::string& relative) const;
    // Whether the named entry exists and is a folder (a folder may not be deleted).
    bool NamesFolder(const std::string& relative) const;

    // Moves the named file aside; false when there is none. A folder raises the bad-name reason.
    bool Remove(const std::string& relative);
    // Copies every file of the folder (sub-folders recreated, mode bits kept) over the program
    // directory; returns the relative names copied. On failure nothing of it stays in place.
    std::vector<std::string> Install(const std::filesystem::path& folder);
    // Undoes everything done so far, newest first; errors are ignored (it runs after a failure).
    void RollBack() noexcept;
    bool Empty() const { return FJournal.empty(); }

    // Tests inject failures here: called with "stage" before each copy and "swap" before each
    // file is swapped in; an exception it throws is a failure of that step.
    std::function<void(std::string_view step, const std::filesystem::path& target)> FaultHook;

private:
    enum class TKind { MovedAside, Placed, CreatedFolder };
    struct TEntry {
        TKind Kind;
        std::filesystem::path Target;
    };
    bool MovedAside(const std::filesystem::path& target) const;
    void MoveAside(const std::filesystem::path& target);
    void Fault(std::string_view step, const std::filesystem::path& target) const;

    std::filesystem::path FDir;
    std::vector<TEntry> FJournal;
};

// The name a file is moved aside to, and the name a new one is staged under.
std::filesystem::path OldFileName(const std::filesystem::path& target);
std::filesystem::path NewFileName(const std::filesystem::path& target);

// Removes the "*.~old" files of the program directory and its folders (links are not followed).
void RemoveOldFiles(const std::filesystem::path& programDir);

} // namespace qx
