#pragma once
#include <memory>
#include <string>

#include "core/Text.h"
#include "stats/CustomStat.h"

namespace qx {

// The metaclass of a method class T, read from T's static members: kClassName, kCodeFormat,
// kNameFormat, kGroup, kFlags, and where they differ from the defaults of TCustomStat (or of a
// base) kHelpCodeFormat, kAvailable, kListed, kIsGraph, kCanParseValue, kHasParams,
// ParamRange(config) and FormatName(variant). A class with kSize fills it into its code and name
// formats itself ("KCM%d" of size 2 is KCM2), so its codes carry no variant. A class with kNameArg
// fills it into its name format first ("%0:d") and leaves "%%d" for the variant.
template <class T>
class TStatClassOf final : public TStatClass {
public:
    std::string_view ClassName() const override { return T::kClassName; }
    std::string CodeFormat() const override { return Sized(T::kCodeFormat); }
    std::string NameFormat() const override {
        if constexpr (requires { T::kNameArg; })
            return FormatText(T::kNameFormat, {IntToStr(T::kNameArg)});
        else
            return Sized(T::kNameFormat);
    }
    std::string HelpCodeFormat() const override {
        if constexpr (requires { T::kHelpCodeFormat; })
            return std::string(T::kHelpCodeFormat);
        else
            return CodeFormat();
    }
    uint8_t Group() const override { return T::kGroup; }
    uint8_t Flags() const override { return T::kFlags; }
    bool Available() const override { return T::kAvailable; }
    bool Listed() const override { return T::kListed; }
    bool IsGraph() const override { return T::kIsGraph; }
    bool CanParseValue() const override { return T::kCanParseValue; }
    bool HasParams() const override { return T::kHasParams; }
    TParamRange ParamRange(const TConfigData& config) const override { return T::ParamRange(config); }
    std::string Name(int32_t variant) const override {
        if constexpr (requires { T::FormatName(variant); })
            return T::FormatName(variant);
        else
            return TStatClass::Name(variant);
    }
    std::unique_ptr<TCustomStat> Create(const TStatEnv& env, int32_t param) const override {
        return std::make_unique<T>(*this, env, param);
    }

private:
    static std::string Sized(std::string_view format) {
        if constexpr (requires { T::kSize; })
            return FormatText(format, {IntToStr(T::kSize)});
        else
            return std::string(format);
    }
};

// The one metaclass object of T.
template <class T>
const TStatClass& StatClassOf() {
    static const TStatClassOf<T> cls;
    return cls;
}

} // namespace qx
