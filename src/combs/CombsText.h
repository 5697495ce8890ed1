#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Game.h"

namespace qx {

// The largest .lcv file read: 16 MiB, far more lines than the 10,000 combinations need.
inline constexpr uint64_t kMaxCombsFileBytes = uint64_t(16) << 20;

// .lcv files: one combination a line, digits joined by ";", CR LF.
std::string LcvText(const TCombsArray& combs);
// Lines of exactly four fields (split at "," and ";") give entries; other lines are skipped. A
// field that is not an integer 0..9 skips its line too: no entry can index past a per-digit table,
// and garbage does not turn into combinations of zeros.
TCombsArray ParseLcvText(std::string_view text);

// Clipboard: "00 07 03 09" lines, each followed by CR LF.
std::string CombsClipboardText(const TCombsArray& combs, const std::vector<int>& rows);
// Every line must split into four integer words 0..9 at tab, space, ",", "-", ".", ":", ";" or "|";
// otherwise TAppError "Некорректная комбинация: \"%s\"!" names the line. A final line break does
// not make an empty line.
TCombsArray ParseClipboardCombs(std::string_view text);

// Draws equal to code in all four positions, newest first, as "Тираж № ..." lines; the search
// stops once more than 25 are collected.
std::vector<std::string> FindCombInDraws(const TDrawsArray& draws, TCombCode code);
std::string FindInDrawsMessage(const std::vector<std::string>& lines);

// How many distinct digit values occur anywhere in the list.
int UniqueDigitCount(const TCombsArray& combs);

} // namespace qx
