#include "app/RepeatsForm.h"

#include <algorithm>

#include "core/IniFile.h"

namespace qx {

TRepeatsKeys TRepeatsKeys::Read(const TIniFile& ini) {
    TRepeatsKeys k;
    auto bound = [&](const char* key, int64_t def) {
        return std::clamp<int64_t>(ini.ReadInteger(kRepeatsSection, key, static_cast<int32_t>(def)), 1,
                                   kRepeatsBoundMax);
    };
    k.DrawsLength = bound("DrawsLength", k.DrawsLength);
    k.DrawsDeep = bound("DrawsDeep", k.DrawsDeep);
    k.GraphHeight = std::max(0, ini.ReadInteger(kRepeatsSection, "GraphHeight", k.GraphHeight));
    return k;
}

void TRepeatsKeys::Write(TIniFile& ini) const {
    ini.WriteInteger(kRepeatsSection, "DrawsLength", DrawsLength);
    ini.WriteInteger(kRepeatsSection, "DrawsDeep", DrawsDeep);
    ini.WriteInteger(kRepeatsSection, "GraphHeight", GraphHeight);
}

std::optional<std::string> RefuseRepeatsBounds(int64_t length, int64_t deep) {
    if (length < 1 || length > kRepeatsBoundMax) return "Количество тиражей должно быть от 1 до 2147483647!";
    if (deep < 1 || deep > kRepeatsBoundMax) return "Глубина поиска должна быть от 1 до 2147483647!";
    return std::nullopt;
}

} // namespace qx
