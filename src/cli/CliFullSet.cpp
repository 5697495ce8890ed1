#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

uint16_t ParseGroups(const std::string& text) {
    uint16_t groups = 0;
    for (std::string_view word : SplitWords(text, ",;")) {
        auto g = TryStrToInt(word);
        if (!g || *g < 0 || *g > 12) throw TAppError(FormatText("Некорректный список групп: %s", {text}));
        groups |= static_cast<uint16_t>(1u << *g);
    }
    return groups;
}

void Build(TCliContext& c, TCliArgs& args) {
    const bool all = args.TakeFlag("all");
    const bool force = args.TakeFlag("force");
    auto groupsText = args.TakeOption("groups");
    if (!args.Positionals().empty()) throw TAppError("Неверное количество параметров команды");
    TWorkspace& ws = c.Workspace;
    if (!force && !ws.PrefetchsEnabled()) {
        c.Out << "Сравнение с полным набором комбинаций выключено: файлы строятся только с --force\n";
        return;
    }
    uint16_t groups = all ? uint16_t((1u << 13) - 1) : groupsText ? ParseGroups(*groupsText) : uint16_t(0);
    ws.BuildFullSetFiles(force, groups);
    int files = 0;
    for (int i = 0; i < ws.Stats().Count(); ++i)
        if (ws.Stats().HasFullSet(i) && std::filesystem::exists(ws.FullSetFile(i))) ++files;
    c.Out << "Файлов полного набора: " << files << "\n";
}

} // namespace

void AddFullSetCommands(TCliCommandList& list) {
    list.push_back(WritingCommand({"fullset", "build"},
                                  "fullset build [--all|--groups СПИСОК] [--force]  файлы сравнения с полным набором", Build));
}

} // namespace qx
