#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Config.h"
#include "core/Game.h"
#include "stats/CustomStat.h"

namespace qx {

class TDigitValueTable;
class TOccurrenceCache;
class TValueTexts;

// One registered method variant.
struct TStatMethod {
    const TStatClass* StatClass = nullptr;
    int32_t Param = 0;
    bool Favourite = true;
    std::string CustomName;  // a display name the user gave it
    std::string Formula;     // shredding methods: the formula of their variant

    // The persistent identity of the variant (scripts, favourites and names refer to it).
    std::string Code() const { return StatClass->Code(Param); }
    // CustomName when set, else the class name of the variant.
    std::string BaseName() const;
    // BaseName; for shredding methods with the formula put in place of its "%s".
    std::string FullName() const;
    std::string HelpUrl(const std::filesystem::path& helpFile) const { return StatClass->HelpUrl(Param, helpFile); }
    std::unique_ptr<TCustomStat> CreateStat(const TStatEnv& env) const { return StatClass->Create(env, Param); }
};

// The registry of method variants for the whole run, with the engine settings it hands to every
// statistic object it creates.
class TStatList {
public:
    TStatList() = default;
    TStatList(const TStatList&) = delete;
    TStatList& operator=(const TStatList&) = delete;

    // ---- Display options
    bool Ordered = false;          // alphabetical method choosers
    bool ShowGroupName = true;     // "{ num } " in front of names
    bool ShowMethodFlags = true;   // " [ NG ]" after names
    bool AllFavourites = true;     // every method counts as favourite

    // ---- Settings
    // The archive the methods read. Its owner passes the archive's revision when it has one: the
    // occurrence indexes are then checked by that number instead of draw by draw on every table.
    void SetDraws(const TDrawsArray* draws, std::function<uint64_t()> revision = {});
    const TDrawsArray* Draws() const { return FDraws; }
    const TConfigData& Config() const { return FConfig; }
    // Replaces the configuration; the variant ranges may follow it, so register again after.
    void SetConfig(const TConfigData& config);
    const TShreddingFormulas& Formulas() const { return FFormulas; }
    void SetFormulas(const TShreddingFormulas& formulas);
    const TCombsGenParams& GenerateMode() const { return FGenerate; }
    void SetGenerateMode(const TCombsGenParams& mode);
    // The user's decimal separator, which the shredding formulas accept besides ".".
    char DecimalSeparator = '.';
    // The help file that method descriptions open; empty: none.
    std::filesystem::path HelpFile;

    // The configuration file's keys (GLOBAL, STAKES, CDL; SHREDDING; the generation keys).
    // Load: a missing file gives the defaults. Save: only these keys are rewritten.
    void LoadConfig(const std::filesystem::path& configFile);
    void SaveConfig(const std::filesystem::path& configFile) const;
    void LoadFormulas(const std::filesystem::path& configFile);
    void SaveFormulas(const std::filesystem::path& configFile) const;
    void LoadGenerateMode(const std::filesystem::path& configFile);
    void SaveGenerateMode(const std::filesystem::path& configFile) const;

    // ---- Weights of the weight column (scripts apply their own for a while)
    void BackupWeights() { FWeightsBackup = FConfig.Weights; }
    void RestoreWeights() { FConfig.Weights = FWeightsBackup; }
    // A script line's own weights, or the backed-up ones when it has none.
    void ApplyWeights(const std::optional<TStatWeights>& lineWeights);
    const TStatWeights& WeightsBackup() const { return FWeightsBackup; }

    // ---- Methods
    // Registers every available class in the fixed order, one method per variant, and resets the
    // display options and favourites.
    void Register();
    // Registers again after a settings change, keeping favourites and custom names by code.
    void Reregister();
    int Count() const { return static_cast<int>(FMethods.size()); }
    const TStatMethod& Items(int i) const { return FMethods.at(size_t(i)); }
    TStatMethod& Items(int i) { return FMethods.at(size_t(i)); }
    // Index of the method with that code (letter case ignored), or -1.
    int IndexOfCode(std::string_view code) const;

    bool IsAvailable(int i) const { return Items(i).StatClass->Available(); }
    bool IsListed(int i) const { return Items(i).StatClass->Listed(); }
    bool IsGraph(int i) const { return Items(i).StatClass->IsGraph(); }
    bool HasFullSet(int i) const { return Items(i).StatClass->HasFullSet(); }
    bool IsVisible(int i) const { return AllFavourites || Items(i).Favourite; }
    std::string DisplayName(int i, bool withFlags) const;

    TStatEnv Env() const { return {FDraws, &FConfig, &FFormulas, DecimalSeparator}; }
    // A new statistic object of method i; the caller owns it.
    std::unique_ptr<TCustomStat> CreateStat(int i) const;
    // The method of a chooser's selected entry; with none selected raises
    // "Не выбран метод расчета статистики (cb: %s)!" with the chooser's name.
    std::unique_ptr<TCustomStat> CreateStatFromChooser(int selected, std::string_view chooserName) const;

    // ---- Favourites
    void MarkAll();
    void NormalizeFavourites();
    // Empty when every method counts, else the favourite codes joined by ",".
    std::string FavouritesText() const;
    void SetFavourites(std::string_view text);

private:
    void ShareTables(int i, TCustomStat& stat) const;
    void ForgetTables();

    std::vector<TStatMethod> FMethods;
    const TDrawsArray* FDraws = nullptr;
    std::function<uint64_t()> FDrawsRevision;
    TConfigData FConfig;
    TStatWeights FWeightsBackup;
    TCombsGenParams FGenerate;
    TShreddingFormulas FFormulas;
    // Value tables of the digit methods, occurrence indexes of the digit methods and of those with
    // their own window pass, and the value texts of every method, one per method, built when first
    // needed and forgotten when the methods or the settings change.
    mutable std::mutex FTablesLock;
    mutable std::vector<std::shared_ptr<const TDigitValueTable>> FTables;
    mutable std::vector<std::shared_ptr<TOccurrenceCache>> FOccurrences;
    mutable std::vector<std::shared_ptr<TValueTexts>> FValueTexts;
};

inline constexpr const char* kNoMethodSelectedMessage = "Не выбран метод расчета статистики (cb: %s)!";

} // namespace qx
