#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// Command-line switches. A parameter matches a switch word when it equals the word or the word
// behind "-", "--", "/" or "\", letter case ignored.
struct TSwitches {
    bool Restart = false;
    bool LoadOnly = false;
    bool FullRecreate = false;
    bool FullRefresh = false;
    bool NoLanguage = false;

    static TSwitches Parse(const std::vector<std::string>& params);
    // True when start-up ends after the work of a switch (no online library, no questions).
    bool Batch() const { return LoadOnly || FullRecreate || FullRefresh; }
};

bool MatchesSwitch(std::string_view param, std::string_view word);

// The switches with what each does, in the order --help and the manual list them.
struct TSwitchInfo {
    const char* Word;
    bool TSwitches::*Flag;
    const char* Effect;
};
const std::vector<TSwitchInfo>& SwitchTable();

} // namespace qx
