#include "stats/StatList.h"

#include <algorithm>
#include <map>

#include "core/ConfigFile.h"
#include "core/Error.h"
#include "core/IniFile.h"
#include "core/Text.h"
#include "stats/DigitValues.h"
#include "stats/OccurrenceIndex.h"
#include "stats/OwnPasses.h"
#include "stats/StatClasses.h"

namespace qx {
namespace {
constexpr int kShreddingGroup = 12;
}

std::string TStatMethod::BaseName() const { return CustomName.empty() ? StatClass->Name(Param) : CustomName; }

std::string TStatMethod::FullName() const {
    // Neither the name (possibly the user's) nor the formula is ever read as a format: the formula
    // takes the place of the first "%s" and every other character stays as typed.
    std::string name = BaseName();
    if (StatClass->Group() != kShreddingGroup) return name;
    const size_t at = name.find("%s");
    if (at != std::string::npos) name.replace(at, 2, Formula);
    return name;
}

void TStatList::SetDraws(const TDrawsArray* draws, std::function<uint64_t()> revision) {
    FDraws = draws;
    FDrawsRevision = std::move(revision);
    // The indexes checked by the old revision must not be trusted under the new one.
    std::lock_guard lock(FTablesLock);
    FOccurrences.clear();
}

void TStatList::SetConfig(const TConfigData& config) {
    FConfig = config;
    // The configured weights are what a filter step without weights of its own goes back to.
    FWeightsBackup = config.Weights;
    ForgetTables();
}

void TStatList::SetFormulas(const TShreddingFormulas& formulas) {
    FFormulas = formulas;
    ForgetTables();
}

void TStatList::SetGenerateMode(const TCombsGenParams& mode) {
    FGenerate = mode;
    FGenerate.Parameters = std::string(LeftChars(FGenerate.Parameters, 255));
}

void TStatList::LoadConfig(const std::filesystem::path& file) {
    TConfigData c;
    ReadConfigData(TIniFile::Load(file), c);
    SetConfig(c);
}

void TStatList::SaveConfig(const std::filesystem::path& file) const {
    UpdateIniFile(file, [&](TIniFile& ini) { WriteConfigData(ini, FConfig); }, kConfigFileMode);
}

void TStatList::LoadFormulas(const std::filesystem::path& file) {
    TShreddingFormulas f;
    ReadShredding(TIniFile::Load(file), f);
    SetFormulas(f);
}

void TStatList::SaveFormulas(const std::filesystem::path& file) const {
    UpdateIniFile(file, [&](TIniFile& ini) { WriteShredding(ini, FFormulas); }, kConfigFileMode);
}

void TStatList::LoadGenerateMode(const std::filesystem::path& file) {
    TCombsGenParams g;
    ReadCombsGenDefaults(TIniFile::Load(file), g);
    SetGenerateMode(g);
}

void TStatList::SaveGenerateMode(const std::filesystem::path& file) const {
    UpdateIniFile(file, [&](TIniFile& ini) { WriteCombsGenDefaults(ini, FGenerate); }, kConfigFileMode);
}

void TStatList::ApplyWeights(const std::optional<TStatWeights>& lineWeights) {
    FConfig.Weights = lineWeights ? *lineWeights : FWeightsBackup;
}

void TStatList::Register() {
    Ordered = false;
    ShowGroupName = true;
    ShowMethodFlags = true;
    AllFavourites = true;
    FMethods.clear();
    for (const TStatClass* cls : StatClasses()) {
        if (!cls->Available()) continue;
        TParamRange range{0, 0};
        if (cls->HasParams()) range = cls->ParamRange(FConfig);
        for (int32_t v = range.Low; v <= range.High; ++v) {
            TStatMethod m;
            m.StatClass = cls;
            m.Param = v;
            if (cls->Group() == kShreddingGroup && v >= 1 && v <= 3) m.Formula = FFormulas.Formula[size_t(v - 1)];
            FMethods.push_back(std::move(m));
            if (v == INT32_MAX) break;
        }
    }
    ForgetTables();
}

void TStatList::Reregister() {
    const std::string favourites = FavouritesText();
    std::map<std::string, std::string> names;
    for (const TStatMethod& m : FMethods)
        if (!m.CustomName.empty()) names[LowerText(m.Code())] = m.CustomName;
    const bool ordered = Ordered, groupName = ShowGroupName, flags = ShowMethodFlags;
    Register();
    MarkAll();
    Ordered = ordered;
    ShowGroupName = groupName;
    ShowMethodFlags = flags;
    SetFavourites(favourites);
    for (TStatMethod& m : FMethods) {
        auto it = names.find(LowerText(m.Code()));
        if (it != names.end()) m.CustomName = it->second;
    }
}

int TStatList::IndexOfCode(std::string_view code) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(FMethods[size_t(i)].Code(), code)) return i;
    return -1;
}

std::string TStatList::DisplayName(int i, bool withFlags) const {
    const TStatMethod& m = Items(i);
    std::string name = m.FullName();
    if (ShowGroupName) name = FormatText("{ %1:s } %0:s", {name, GroupTag(m.StatClass->Group())});
    if (withFlags && ShowMethodFlags) {
        const std::string letters = FlagLetters(m.StatClass->FlagsEx());
        if (!letters.empty()) name = FormatText("%0:s [ %1:s ]", {name, letters});
    }
    return name;
}

std::unique_ptr<TCustomStat> TStatList::CreateStat(int i) const {
    const TStatMethod& m = Items(i);
    std::unique_ptr<TCustomStat> stat = m.CreateStat(Env());
    ShareTables(i, *stat);
    return stat;
}

std::unique_ptr<TCustomStat> TStatList::CreateStatFromChooser(int selected, std::string_view chooserName) const {
    if (selected < 0 || selected >= Count())
        throw TAppError(FormatText(kNoMethodSelectedMessage, {std::string(chooserName)}));
    return CreateStat(selected);
}

void TStatList::ShareTables(int i, TCustomStat& stat) const {
    std::lock_guard lock(FTablesLock);
    if (FValueTexts.size() != FMethods.size()) FValueTexts.assign(FMethods.size(), nullptr);
    auto& texts = FValueTexts[size_t(i)];
    if (!texts) texts = stat.ValueTexts();
    stat.AttachValueTexts(texts);
    if (FOccurrences.size() != FMethods.size()) FOccurrences.assign(FMethods.size(), nullptr);
    auto& occurrences = FOccurrences[size_t(i)];
    if (!occurrences) occurrences = std::make_shared<TOccurrenceCache>(FDrawsRevision);
    const auto* source = stat.DigitSource();
    // One cache holds one kind of index: a method of digit values keeps that of its values.
    if (TOwnWindowPass* pass = stat.OwnWindowPass(); pass && !source) pass->AttachOccurrences(occurrences);
    if (!source) return;
    if (FTables.size() != FMethods.size()) FTables.assign(FMethods.size(), nullptr);
    auto& table = FTables[size_t(i)];
    if (!table) table = source->SharedTable();
    source->AttachTable(table);
    source->AttachOccurrences(occurrences);
}

void TStatList::ForgetTables() {
    std::lock_guard lock(FTablesLock);
    FTables.clear();
    FOccurrences.clear();
    FValueTexts.clear();
}

void TStatList::MarkAll() {
    AllFavourites = true;
    for (TStatMethod& m : FMethods) m.Favourite = true;
}

void TStatList::NormalizeFavourites() {
    const bool same = std::all_of(FMethods.begin(), FMethods.end(),
                                  [&](const TStatMethod& m) { return m.Favourite == FMethods.front().Favourite; });
    if (!same) {
        AllFavourites = false;
        return;
    }
    AllFavourites = true;
    for (TStatMethod& m : FMethods) m.Favourite = true;
}

std::string TStatList::FavouritesText() const {
    if (AllFavourites) return {};
    std::string text;
    for (const TStatMethod& m : FMethods) {
        if (!m.Favourite) continue;
        if (!text.empty()) text += ",";
        text += m.Code();
    }
    return text;
}

void TStatList::SetFavourites(std::string_view text) {
    if (Trim(text).empty()) {
        MarkAll();
        return;
    }
    AllFavourites = false;
    std::vector<std::string> words;
    for (size_t begin = 0; begin <= text.size();) {
        size_t end = text.find(',', begin);
        if (end == std::string_view::npos) end = text.size();
        words.push_back(LowerText(Trim(text.substr(begin, end - begin))));
        begin = end + 1;
    }
    for (TStatMethod& m : FMethods)
        m.Favourite = std::find(words.begin(), words.end(), LowerText(m.Code())) != words.end();
}

} // namespace qx
