#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

// Where a script line's variants start from.
enum TScriptSource : uint8_t { ssFull = 0, ssExcl = 1, ssCurr = 2 };
inline constexpr int kScriptSourceCount = 3;

// What a script line does with the combinations its filters leave.
enum TScriptStakeMode : uint8_t {
    ssmRand = 0,
    ssmFirst = 1,
    ssmLast = 2,
    ssmAll = 3,
    ssmSysA = 4,
    ssmSysC = 5,
    ssmStop = 6,
    ssmSkip = 7,
    ssmNone = 8,
};
inline constexpr int kScriptStakeModeCount = 9;

// The settings of a script line (the first field), in memory as the program has always kept them.
struct TScriptSettings {
    int32_t ExcludeCount = 0;  // the N of the source EXCL
    uint8_t Source = ssFull;
    uint8_t StakeMode = ssmRand;
    bool ClearStakes = false;
    bool NewOnly = false;
    friend bool operator==(const TScriptSettings&, const TScriptSettings&) = default;
};
static_assert(sizeof(TScriptSettings) == 8);

// A code with its captions: the long one of the line editor and the short one of the list.
struct TScriptCodeInfo {
    const char* Code;
    const char* Caption;
    const char* ShortCaption;
};
// The tables of sources and stake modes; a value outside them gives the "# ERROR #" entry.
const TScriptCodeInfo& ScriptSourceInfo(int source);
const TScriptCodeInfo& ScriptStakeModeInfo(int mode);
inline constexpr const char* kScriptCodeError = "# ERROR #";

// Reads the first field: "EXCL:100#RAND#CLR#NEX". The first source whose code begins the first
// word (letter case ignored), the number after ":" (0 when missing or not a number), the mode
// whose code equals the second word (else RAND), and the flags of the further words.
TScriptSettings ParseScriptSettings(std::string_view text);
// The editor's form: the count always, CLR and NEX when set ("FULL:0#RAND#CLR#NEX").
std::string ScriptSettingsText(const TScriptSettings& s);
// The form of stake labels and log lines: the count only for EXCL, NEX when set, never CLR
// ("EXCL:100#RAND#NEX", "FULL#LAST").
std::string ScriptSettingsLabel(const TScriptSettings& s);
// The list's "Опции": "Исключить 100 тиражей; Случайно; Все создаваемые ставки".
std::string ScriptSettingsDescription(const TScriptSettings& s);

} // namespace qx
