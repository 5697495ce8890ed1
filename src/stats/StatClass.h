#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "core/Config.h"

namespace qx {

class TCustomStat;
struct TStatEnv;

// Flag bits of a method class, in the order of their letters "S", "N", "D", "P", "G".
inline constexpr uint8_t kFlagS = 1;   // the value depends on digit positions
inline constexpr uint8_t kFlagN = 2;   // full-set comparison available
inline constexpr uint8_t kFlagD = 4;   // needs the reference draw
inline constexpr uint8_t kFlagP = 8;   // period statistic
inline constexpr uint8_t kFlagG = 16;  // one number per draw (graph)
inline constexpr int kGroupCount = 13;

struct TParamRange {
    int32_t Low = 0;
    int32_t High = 0;
};

// The class-level side of a method class: what it answers without an instance, and the factory
// of its instances. One immutable object per class (see StatClassOf).
class TStatClass {
public:
    virtual ~TStatClass() = default;

    virtual std::string_view ClassName() const = 0;
    virtual std::string CodeFormat() const = 0;
    virtual std::string NameFormat() const = 0;
    virtual std::string HelpCodeFormat() const = 0;
    virtual uint8_t Group() const = 0;
    virtual uint8_t Flags() const = 0;
    virtual bool Available() const = 0;
    virtual bool Listed() const = 0;
    virtual bool IsGraph() const = 0;
    virtual bool CanParseValue() const = 0;
    virtual bool HasParams() const = 0;
    // Some ranges follow the configuration (channels, segments).
    virtual TParamRange ParamRange(const TConfigData& config) const = 0;
    // NameFormat filled with the variant number.
    virtual std::string Name(int32_t variant) const;
    virtual std::unique_ptr<TCustomStat> Create(const TStatEnv& env, int32_t param) const = 0;

    // Flags plus "G" for graph methods.
    uint8_t FlagsEx() const;
    bool HasFullSet() const { return (Flags() & kFlagN) != 0; }
    std::string Code(int32_t variant) const;
    // "ms-its:<help file>::/Filters_1049_<help code>.htm" when the help file exists, else empty.
    std::string HelpUrl(int32_t variant, const std::filesystem::path& helpFile) const;
};

// "SNG" for the set bits of flags.
std::string FlagLetters(uint8_t flags);
// "num", "sum", ... for groups 0..12; empty for others.
std::string GroupTag(int group);
// "{ num } Числа тиража"; "#ERROR#" for a group outside 0..12.
std::string GroupLongName(int group);

} // namespace qx
