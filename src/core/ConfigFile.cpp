#include "core/ConfigFile.h"

#include <algorithm>

#include "core/Text.h"

namespace qx {

void ReadConfigData(const TIniFile& ini, TConfigData& c) {
    const TConfigData d;
    c.MatrixCols = ini.ReadInteger("GLOBAL", "MatrixCols", d.MatrixCols);
    c.SetMatrixSegmentsText(ini.ReadString("GLOBAL", "MatrixSegments", d.MatrixSegmentsText()));
    c.ChannelSize = ini.ReadInteger("GLOBAL", "ChannelSize", d.ChannelSize);

    c.Cost = MoneyFromDecimal(ini.ReadFloat("STAKES", "Cost", 0));
    c.MaxStake = ini.ReadInteger("STAKES", "MaxStake", d.MaxStake);
    int profits = std::clamp(ini.ReadInteger("STAKES", "Profits", 0), 0, kMaxProfitEntries);
    c.Profits.clear();
    for (int i = 0; i < profits; ++i) {
        std::string n = std::to_string(i);
        TProfitEntry e;
        e.Overlap = static_cast<uint8_t>(ini.ReadInteger("STAKES", "Profit_" + n + "_Overlap", 0));
        e.Profit = MoneyFromDecimal(ini.ReadFloat("STAKES", "Profit_" + n + "_Profit", 0));
        c.Profits.push_back(e);
    }

    c.Weights.Count = ini.ReadFloat("CDL", "Count", d.Weights.Count);
    c.Weights.Deviation = ini.ReadFloat("CDL", "Deviation", d.Weights.Deviation);
    c.Weights.Level = ini.ReadFloat("CDL", "Level", d.Weights.Level);
    c.Weights.UsePercents = ini.ReadInteger("CDL", "UsePercents", 0) > 0;
    c.Weights.UseAbsValues = ini.ReadInteger("CDL", "UseAbsValues", 0) > 0;
}

void WriteConfigData(TIniFile& ini, const TConfigData& c) {
    ini.WriteInteger("GLOBAL", "MatrixCols", c.MatrixCols);
    ini.WriteString("GLOBAL", "MatrixSegments", c.MatrixSegmentsText());
    ini.WriteInteger("GLOBAL", "ChannelSize", c.ChannelSize);

    ini.WriteString("STAKES", "Cost", MoneyToText(c.Cost));
    ini.WriteInteger("STAKES", "MaxStake", c.MaxStake);
    // Entries past the cap were never read, so stale ones there can stay.
    int old = std::clamp(ini.ReadInteger("STAKES", "Profits", 0), 0, kMaxProfitEntries);
    ini.WriteInteger("STAKES", "Profits", static_cast<int64_t>(c.Profits.size()));
    for (size_t i = 0; i < c.Profits.size(); ++i) {
        std::string n = std::to_string(i);
        ini.WriteInteger("STAKES", "Profit_" + n + "_Overlap", c.Profits[i].Overlap);
        ini.WriteString("STAKES", "Profit_" + n + "_Profit", MoneyToText(c.Profits[i].Profit));
    }
    for (int i = static_cast<int>(c.Profits.size()); i < old; ++i) {
        std::string n = std::to_string(i);
        ini.DeleteKey("STAKES", "Profit_" + n + "_Overlap");
        ini.DeleteKey("STAKES", "Profit_" + n + "_Profit");
    }

    ini.WriteFloat("CDL", "Count", c.Weights.Count);
    ini.WriteFloat("CDL", "Deviation", c.Weights.Deviation);
    ini.WriteFloat("CDL", "Level", c.Weights.Level);
    ini.WriteBool("CDL", "UsePercents", c.Weights.UsePercents);
    ini.WriteBool("CDL", "UseAbsValues", c.Weights.UseAbsValues);
}

void ReadCombsGenDefaults(const TIniFile& ini, TCombsGenParams& gen) {
    gen.Mode = ini.ReadInteger("GLOBAL", "CombsGenerateMode", 0);
    gen.Parameters = ini.ReadString("GLOBAL", "CombsGenerateParameters", "");
    gen.Parameters = std::string(LeftChars(gen.Parameters, 255));
}

void WriteCombsGenDefaults(TIniFile& ini, const TCombsGenParams& gen) {
    ini.WriteInteger("GLOBAL", "CombsGenerateMode", gen.Mode);
    ini.WriteString("GLOBAL", "CombsGenerateParameters", gen.Parameters);
}

void ReadShredding(const TIniFile& ini, TShreddingFormulas& f) {
    const TShreddingFormulas d;
    for (int i = 0; i < 3; ++i) {
        std::string n = std::to_string(i + 1);
        f.Formula[i] = ini.ReadString("SHREDDING", "Formula" + n, d.Formula[i]);
        f.Digits[i] = ini.ReadInteger("SHREDDING", "Formula" + n + "Digits", d.Digits[i]);
    }
}

void WriteShredding(TIniFile& ini, const TShreddingFormulas& f) {
    for (int i = 0; i < 3; ++i) {
        std::string n = std::to_string(i + 1);
        ini.WriteString("SHREDDING", "Formula" + n, f.Formula[i]);
        ini.WriteInteger("SHREDDING", "Formula" + n + "Digits", f.Digits[i]);
    }
}

void ReadProxy(const TIniFile& ini, TProxy& p) {
    p.ProxyServer = ini.ReadString("PROXY", "ProxyServer", "");
    int defaultMode = p.ProxyServer.empty() ? 0 : 2;
    // A stored mode beyond a byte must not wrap round into a valid one (257 is not automatic).
    const int32_t mode = ini.ReadInteger("PROXY", "ProxyMode", defaultMode);
    p.ProxyMode = static_cast<uint8_t>(mode >= 0 && mode <= 255 ? mode : 255);
    p.ProxyPort = ini.ReadInteger("PROXY", "ProxyPort", 80);
    p.ProxyUsername = ini.ReadString("PROXY", "ProxyUsername", "");
    p.ProxyPassword = ini.ReadString("PROXY", "ProxyPassword", "");
    p.Saved = true;
}

void WriteProxy(TIniFile& ini, TProxy& p) {
    ini.WriteInteger("PROXY", "ProxyMode", p.ProxyMode);
    ini.WriteString("PROXY", "ProxyServer", p.ProxyServer);
    ini.WriteInteger("PROXY", "ProxyPort", p.ProxyPort);
    ini.WriteString("PROXY", "ProxyUsername", p.ProxyUsername);
    ini.WriteString("PROXY", "ProxyPassword", p.ProxyPassword);
    p.Saved = true;
}

} // namespace qx
