#include "core/ProgramUsage.h"

#include <algorithm>

#include "core/Game.h"
#include "core/Switches.h"

namespace qx {

TInfoRequest FindInfoRequest(const std::vector<std::string>& params) {
    auto has = [&](const char* word) { return std::find(params.begin(), params.end(), word) != params.end(); };
    if (has("--help")) return TInfoRequest::Help;
    return has("--version") ? TInfoRequest::Version : TInfoRequest::None;
}

std::string VersionText(std::string_view program) {
    return std::string(program) + " " + QUADRIX_VERSION + "\n";
}

std::string WindowUsage(const TProgramLocation& location) {
    std::string text = std::string("Использование: ") + kProgramBaseName + " [КЛЮЧ ...]\n\n" +
                       "Ключи (слово, также после \"-\", \"--\" или \"/\"; регистр не важен):\n";
    for (const auto& info : SwitchTable()) {
        std::string word = info.Word;
        word.resize(std::max<size_t>(word.size(), 14), ' ');
        text += "  " + word + info.Effect + "\n";
    }
    text += "  --help        показать эту справку и выйти\n"
            "  --version     показать версию и выйти\n\n";
    text += "Каталог программы (архив, настройки, ставки): " + location.Dir.string() + "\n";
    if (location.Installed)
        text += "Программа установлена: файлы пользователя хранятся в его каталоге данных, обновляет её\n"
                "менеджер пакетов. Командная строка: quadrix --help.\n";
    return text;
}

} // namespace qx
