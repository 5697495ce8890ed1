#include "core/Switches.h"

#include "core/Text.h"

namespace qx {

bool MatchesSwitch(std::string_view param, std::string_view word) {
    for (std::string_view prefix : {"", "-", "--", "/", "\\"}) {
        if (param.size() == prefix.size() + word.size() && param.substr(0, prefix.size()) == prefix &&
            SameText(param.substr(prefix.size()), word))
            return true;
    }
    return false;
}

const std::vector<TSwitchInfo>& SwitchTable() {
    static const std::vector<TSwitchInfo> table = {
        {"restart", &TSwitches::Restart, "дождаться завершения предыдущего экземпляра программы"},
        {"loadonly", &TSwitches::LoadOnly, "загрузить новые тиражи и завершить работу"},
        {"fullrecreate", &TSwitches::FullRecreate, "пересоздать все файлы сравнения с полным набором и завершить работу"},
        {"fullrefresh", &TSwitches::FullRefresh,
         "создать недостающие файлы сравнения с полным набором и завершить работу"},
        {"no-language", &TSwitches::NoLanguage, "запустить программу на встроенном русском языке"},
    };
    return table;
}

TSwitches TSwitches::Parse(const std::vector<std::string>& params) {
    TSwitches s;
    for (const auto& p : params)
        for (const auto& info : SwitchTable()) s.*info.Flag = s.*info.Flag || MatchesSwitch(p, info.Word);
    return s;
}

} // namespace qx
