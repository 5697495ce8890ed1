#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace qx {

class TIniFile;

// The repeats window's keys in section TFormRepeats of the window-state file, written when the
// window closes, and the ranges of its two spin edits.
inline constexpr const char* kRepeatsSection = "TFormRepeats";
inline constexpr int64_t kRepeatsBoundMax = 2147483647;

struct TRepeatsKeys {
    int64_t DrawsLength = 100;
    int64_t DrawsDeep = 100;
    int GraphHeight = 131;

    // Values outside the spin edits' ranges are brought into them.
    static TRepeatsKeys Read(const TIniFile& ini);
    void Write(TIniFile& ini) const;
};

// None when length and depth lie in 1 .. 2147483647, else the refusal.
std::optional<std::string> RefuseRepeatsBounds(int64_t length, int64_t deep);

} // namespace qx
