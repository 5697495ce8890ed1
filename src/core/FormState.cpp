#include "core/FormState.h"

#include <cstdio>

#include "core/Text.h"

namespace qx {
namespace {

using TIntField = int TMainFormKeys::*;
using TBoolField = bool TMainFormKeys::*;

struct TKeyDesc {
    std::string Name;
    std::variant<TIntField, TBoolField, int> Field;  // int alternative: index into LayoutCompareLen
    bool WrittenAtClose;
};

const std::vector<TKeyDesc>& KeyTable() {
    using K = TMainFormKeys;
    static const std::vector<TKeyDesc> table = {
        {"LeftPanelWidth", &K::LeftPanelWidth, true},
        {"DrawsExclude", &K::DrawsExclude, true},
        {"DrawsStatLen", &K::DrawsStatLen, true},
        {"DrawsStatHeight", &K::DrawsStatHeight, true},
        {"DrawsGraphLen", &K::DrawsGraphLen, true},
        {"FiltersHeight", &K::FiltersHeight, true},
        {"LayoutLen", &K::LayoutLen, true},
        {"LayoutCompareLen1", 0, true},
        {"LayoutCompareLen2", 1, true},
        {"LayoutCompareLen3", 2, true},
        {"LayoutCompareLen4", 3, true},
        {"LayoutCompareLen5", 4, true},
        {"WeekLen", &K::WeekLen, true},
        {"WeekHeight", &K::WeekHeight, true},
        {"WeekChartMode", &K::WeekChartMode, false},
        {"WeekChartType", &K::WeekChartType, false},
        {"AutoUpdates", &K::AutoUpdates, false},
        {"DownloadDrawsOnStart", &K::DownloadDrawsOnStart, false},
        {"ScriptLogEnabled", &K::ScriptLogEnabled, false},
        {"StakesLogEnabled", &K::StakesLogEnabled, false},
        {"StakesScrollEnabled", &K::StakesScrollEnabled, false},
        {"StakesCheckOnLine", &K::StakesCheckOnLine, false},
        {"ColorDraws", &K::ColorDraws, false},
        {"ColorCombs", &K::ColorCombs, false},
        {"ColorCard", &K::ColorCard, false},
        {"ColorCardSequences", &K::ColorCardSequences, false},
        {"LayoutGradient", &K::LayoutGradient, false},
        {"SortedDraws", &K::SortedDraws, false},
        {"PrefetchsEnabled", &K::PrefetchsEnabled, false},
        {"ShowTotalLine", &K::ShowTotalLine, false},
        {"RatingsEffMode", &K::RatingsEffMode, false},
        {"LayoutCompareHeight", &K::LayoutCompareHeight, true},
        {"ScriptLibraryOn", &K::ScriptLibraryOn, false},
        {"ScriptLibraryHeight", &K::ScriptLibraryHeight, true},
        {"ScriptLibraryFilter", &K::ScriptLibraryFilter, true},
        {"PrefetchsInit", &K::PrefetchsInit, false},
        {"TabGraphs", &K::TabGraphs, false},
        {"TabCard", &K::TabCard, false},
        {"TabLayout", &K::TabLayout, false},
        {"TabWeek", &K::TabWeek, false},
        {"TabTables", &K::TabTables, false},
        {"SystemsEnabled", &K::SystemsEnabled, false},
        {"FirstRun", &K::FirstRun, false},
        {"Language", &K::Language, false},
    };
    return table;
}

const TKeyDesc* FindKey(std::string_view name) {
    for (const auto& d : KeyTable())
        if (SameText(d.Name, name)) return &d;
    return nullptr;
}

template <class Keys>
auto& IntRef(Keys& k, const TKeyDesc& d) {
    if (auto f = std::get_if<TIntField>(&d.Field)) return k.**f;
    return k.LayoutCompareLen[std::get<int>(d.Field)];
}

void ReadOne(TMainFormKeys& k, const TIniFile& ini, const TKeyDesc& d) {
    if (auto b = std::get_if<TBoolField>(&d.Field)) {
        k.**b = ini.ReadBool(kMainFormSection, d.Name, k.**b);
    } else {
        int& v = IntRef(k, d);
        v = ini.ReadInteger(kMainFormSection, d.Name, v);
    }
}

void WriteOne(const TMainFormKeys& k, TIniFile& ini, const TKeyDesc& d) {
    if (auto b = std::get_if<TBoolField>(&d.Field))
        ini.WriteBool(kMainFormSection, d.Name, k.**b);
    else
        ini.WriteInteger(kMainFormSection, d.Name, IntRef(k, d));
}

std::string SizedKey(std::string_view key, int w, int h) {
    return std::string(key) + "_" + std::to_string(w) + "x" + std::to_string(h);
}

std::optional<std::array<int, 4>> ParseQuad(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    std::array<int, 4> v{};
    size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        size_t comma = text->find(',', pos);
        std::string_view part = std::string_view(*text).substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        auto n = TryStrToInt(Trim(part));
        if (!n) return std::nullopt;
        v[i] = *n;
        if (i < 3) {
            if (comma == std::string::npos) return std::nullopt;
            pos = comma + 1;
        }
    }
    return v;
}

std::string QuadText(const std::array<int, 4>& v) {
    return std::to_string(v[0]) + "," + std::to_string(v[1]) + "," + std::to_string(v[2]) + "," + std::to_string(v[3]);
}

} // namespace

void TMainFormKeys::Load(const TIniFile& ini) {
    for (const auto& d : KeyTable()) ReadOne(*this, ini, d);
}

void TMainFormKeys::WriteClosingKeys(TIniFile& ini) const {
    for (const auto& d : KeyTable())
        if (d.WrittenAtClose) WriteOne(*this, ini, d);
}

void TMainFormKeys::WriteKey(TIniFile& ini, std::string_view name) const {
    if (const TKeyDesc* d = FindKey(name)) WriteOne(*this, ini, *d);
}

std::optional<int> TMainFormKeys::IntKey(std::string_view name) const {
    const TKeyDesc* d = FindKey(name);
    if (!d || std::holds_alternative<TBoolField>(d->Field)) return std::nullopt;
    return IntRef(*this, *d);
}

std::optional<bool> TMainFormKeys::BoolKey(std::string_view name) const {
    const TKeyDesc* d = FindKey(name);
    if (!d || !std::holds_alternative<TBoolField>(d->Field)) return std::nullopt;
    return this->*std::get<TBoolField>(d->Field);
}

bool TMainFormKeys::SetIntKey(std::string_view name, int value) {
    const TKeyDesc* d = FindKey(name);
    if (!d || std::holds_alternative<TBoolField>(d->Field)) return false;
    IntRef(*this, *d) = value;
    return true;
}

bool TMainFormKeys::SetBoolKey(std::string_view name, bool value) {
    const TKeyDesc* d = FindKey(name);
    if (!d || !std::holds_alternative<TBoolField>(d->Field)) return false;
    this->*std::get<TBoolField>(d->Field) = value;
    return true;
}

std::vector<std::string> TMainFormKeys::KeyNames() {
    std::vector<std::string> names;
    for (const auto& d : KeyTable()) names.push_back(d.Name);
    return names;
}

std::optional<TWindowPlacement> TWindowPlacement::Read(const TIniFile& ini, std::string_view section, int w, int h) {
    if (!ini.HasKey(section, "ShowCmd") && !ini.HasKey(section, "NormPos")) return std::nullopt;
    TWindowPlacement p;
    p.Flags = ini.ReadInteger(section, "Flags", p.Flags);
    p.ShowCmd = ini.ReadInteger(section, "ShowCmd", p.ShowCmd);
    p.PixelsPerInch = ini.ReadInteger(section, "PixelsPerInch", p.PixelsPerInch);
    auto pick = [&](std::string_view key) {
        auto sized = ini.Value(section, SizedKey(key, w, h));
        return ParseQuad(sized ? sized : ini.Value(section, key));
    };
    if (auto v = pick("MinMaxPos")) p.MinMaxPos = *v;
    auto norm = pick("NormPos");
    if (!norm) return std::nullopt;
    p.NormPos = *norm;
    return p;
}

void TWindowPlacement::Write(TIniFile& ini, std::string_view section, int w, int h) const {
    ini.WriteInteger(section, "Flags", Flags);
    ini.WriteInteger(section, "ShowCmd", ShowCmd);
    ini.WriteInteger(section, "PixelsPerInch", PixelsPerInch);
    ini.WriteString(section, "MinMaxPos", QuadText(MinMaxPos));
    ini.WriteString(section, SizedKey("MinMaxPos", w, h), QuadText(MinMaxPos));
    ini.WriteString(section, "NormPos", QuadText(NormPos));
    ini.WriteString(section, SizedKey("NormPos", w, h), QuadText(NormPos));
}

std::optional<int> ReadColumnWidth(const TIniFile& ini, std::string_view section, std::string_view component,
                                   int column) {
    auto v = ini.Value(section, std::string(component) + ".Column" + std::to_string(column));
    if (!v) return std::nullopt;
    return TryStrToInt(*v);
}

void WriteColumnWidth(TIniFile& ini, std::string_view section, std::string_view component, int column, int width) {
    ini.WriteInteger(section, std::string(component) + ".Column" + std::to_string(column), width);
}

std::optional<TSortType> ReadSortType(const TIniFile& ini, std::string_view section, std::string_view component) {
    auto v = ini.Value(section, std::string(component) + ".SortType");
    if (!v) return std::nullopt;
    size_t comma = v->find(',');
    if (comma == std::string::npos) return std::nullopt;
    auto col = TryStrToInt(Trim(std::string_view(*v).substr(0, comma)));
    auto dir = TryStrToInt(Trim(std::string_view(*v).substr(comma + 1)));
    if (!col || !dir) return std::nullopt;
    return TSortType{*col, *dir};
}

void WriteSortType(TIniFile& ini, std::string_view section, std::string_view component, TSortType sort) {
    ini.WriteString(section, std::string(component) + ".SortType",
                    std::to_string(sort.Column) + "," + std::to_string(sort.Direction));
}

} // namespace qx
