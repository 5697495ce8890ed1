#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DateTime.h"
#include "core/Game.h"

namespace qx {

class TShell;

// A betting system: combinations written over abstract numbers 1..N (N from 5 to 10) that play
// maps onto the distinct digits of the working combination list.

inline constexpr int kSystemNumsMin = 5;
inline constexpr int kSystemNumsMax = 10;
inline constexpr const char* kSystemsFolder = "Systems";

// A system as the catalogue lists it. Id 0: not published yet; Id <= 0 marks a placeholder row.
struct tSystemInfo {
    int32_t Id = 0;
    uint8_t Nums = 0;  // N, the abstract numbers the system uses
    uint8_t Block = 0; // block size 0..3: shown, sent and part of the file name, not used in play
    int32_t CombinationsCount = 0;
    std::string Title;
    std::string Author;
    std::string AuthorEmail; // decides who may change or delete the system
    std::string Description;
    TDateTime Created = 0;
    int32_t Downloads = 0;
    TDateTime LastDownload = 0;
    std::string Url;
};

// A system with its content: one combination per line ("01 03 04 07"), lines joined by CR LF.
struct tSystemData : tSystemInfo {
    std::string Content;
};

// The name a fetched system is stored under in the folder Systems: "4-07-2_0123.dat" for N = 7,
// block 2, id 123.
std::string SystemFileName(const tSystemInfo& info);

// The number map: the distinct digits of the list in order of first appearance (list order, then
// positions 1..4), at most ten. Its size is N; abstract number k stands for entry k - 1.
TByteArray SystemNumbers(const TCombsArray& list);

// The system file played for N numbers: the first, in name order, of the files "4-NN-*_*.dat" in
// dir. Name order rather than the directory's own order, so the choice is the same every time.
std::optional<std::filesystem::path> FindSystemFile(const std::filesystem::path& dir, int nums);

// The combinations of a system file over the map, in file order: each line holds exactly four
// abstract numbers 1..N separated by any run of " *+,-./:;=\_|~"; blank lines are skipped. Raises
// TAppError naming the line for a missing or extra word, a word that is no number or a number
// outside 1..N (the files come from the network: nothing may index past the map), and when the
// file holds no combination at all.
// The four abstract numbers of one content line; TAppError naming line lineNo as below.
std::array<int, kPositions> SystemLineNumbers(std::string_view line, int nums, size_t lineNo);

std::vector<TCombCode> ReadSystemCombs(const std::filesystem::path& file, const TByteArray& map);

// SystemLoad: finds the system for the map's N in dir (the folder Systems) and reads it. With no
// file it shows the missing-system message, sets fileName to its short form and gives false; a
// file that cannot be read or holds a bad line shows "Ошибка загрузки комбинаций системы!\r\r%s"
// and gives false. On success fileName is the file's path.
bool SystemLoad(TShell& shell, const std::filesystem::path& dir, const TByteArray& map,
                std::vector<TCombCode>& combs, std::string& fileName);

// The system's name in stake comments: the file name without folder and extension.
std::string SystemTitle(const std::string& fileName);

// How a system is played: every combination of the system, or only those the list holds too.
enum class TSystemPlayMode { WholeSystem, ListedOnly };

// The stake comment "Системная игра для %d чисел [вся система]: %s" (or "[комбинации]").
std::string SystemPlayComment(TSystemPlayMode mode, int nums, const std::string& fileName);

inline constexpr const char* kSystemLoadFailure = "Ошибка загрузки комбинаций системы!\r\r%s";
inline constexpr const char* kSystemMissingShort =
    "Система для %d чисел не найдена или не загружена на компьютер!";
inline constexpr const char* kSystemMissing =
    "Система для %d чисел не найдена или не загружена на компьютер!\r\rПеред системной игрой необходимо "
    "предварительно загрузить системы на Ваш компьютер через меню \"Системы\" - \"Загрузить\".";

} // namespace qx
