#pragma once
#include "core/Config.h"
#include "core/IniFile.h"

namespace qx {

// Sections and keys of the configuration file. Each reader starts from defaults and takes what
// the file holds; each writer changes only its own keys.
void ReadConfigData(const TIniFile& ini, TConfigData& config);          // GLOBAL matrix/channel, STAKES, CDL
void WriteConfigData(TIniFile& ini, const TConfigData& config);
void ReadCombsGenDefaults(const TIniFile& ini, TCombsGenParams& gen);  // GLOBAL generation keys
void WriteCombsGenDefaults(TIniFile& ini, const TCombsGenParams& gen);
void ReadShredding(const TIniFile& ini, TShreddingFormulas& formulas);   // SHREDDING
void WriteShredding(TIniFile& ini, const TShreddingFormulas& formulas);
void ReadProxy(const TIniFile& ini, TProxy& proxy);                      // PROXY; sets Saved
void WriteProxy(TIniFile& ini, TProxy& proxy);                           // sets Saved

// Prize entries read at most: one per match count, and a match count is a byte. A hand-edited
// "Profits" beyond it would otherwise stall start-up reading millions of entries.
inline constexpr int kMaxProfitEntries = 256;

// The configuration file holds the proxy password in plain text: owner-only access.
inline constexpr mode_t kConfigFileMode = 0600;

} // namespace qx
