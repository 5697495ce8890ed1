// The online script library from the command line: list, download into the current script, rate.
#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "cli/ConsoleShell.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

// Tabs and line breaks inside a cell would break the row apart.
std::string Cell(std::string text) {
    for (char& ch : text)
        if (ch == '\t' || ch == '\r' || ch == '\n') ch = ' ';
    return text;
}

int32_t ScriptId(const std::string& word, const char* usage) {
    auto id = TryStrToInt(word);
    if (!id) throw TAppError(usage);
    return *id;
}

// Lists everything the user may see (hidden ones too) and selects the entry.
bool SelectListed(TCliContext& c, int32_t id) {
    TWorkspace& ws = c.Workspace;
    if (!ws.ScriptLibraryLoadFilter(ScriptLibraryFilterId(1))) return false;
    if (ws.ScriptLibrarySelectId(id)) return true;
    ws.Shell().ShowError(FormatText("Сценарий #%s не найден в каталоге", {IntToStr(id)}));
    return false;
}

void List(TCliContext& c, TCliArgs& args) {
    constexpr const char* kUsage = "Использование: library list [--filter -1..6]";
    const int fltid = args.TakeIntOption("filter").value_or(ScriptLibraryFilterId(2));
    if (!args.Positionals().empty() || fltid < -1 || fltid > 6) throw TAppError(kUsage);
    if (!c.Workspace.ScriptLibraryLoadFilter(fltid)) return;
    c.Out << "ID\tТип\tНазвание\tАвтор\tПрограмма\tВерсия\tЯзык\tСоздан\tРейтинг\tОценок\tВаша оценка\tЗагрузок\t"
             "Последняя\tКомментарии\n";
    for (const tScriptInfo& e : c.Workspace.ScriptLibrary().Entries()) {
        c.Out << e.Id;
        for (const std::string& cell : ScriptLibraryCells(e)) c.Out << '\t' << Cell(cell);
        c.Out << '\n';
    }
}

void Get(TCliContext& c, TCliArgs& args) {
    constexpr const char* kUsage = "Использование: library get ID";
    const auto words = args.Positionals();
    if (words.size() != 1) throw TAppError(kUsage);
    const int32_t id = ScriptId(words[0], kUsage);
    if (!SelectListed(c, id)) return;
    const int errors = c.Shell.ErrorCount();
    if (!c.Workspace.ScriptLibraryDownload()) {
        if (c.Shell.ErrorCount() == errors) c.Err << "Сервер не прислал текст сценария: текущий сценарий не изменен\n";
        c.ExitCode = 1;
        return;
    }
    c.Out << "Строк в сценарии: " << c.Workspace.Script().Count() << "\n";
}

void Rate(TCliContext& c, TCliArgs& args) {
    constexpr const char* kUsage = "Использование: library rate ID -1..5 [--comment ТЕКСТ]";
    const std::string comment = args.TakeOption("comment").value_or("");
    const auto words = args.Positionals();
    if (words.size() != 2) throw TAppError(kUsage);
    const int32_t id = ScriptId(words[0], kUsage);
    const auto mark = TryStrToInt(words[1]);
    if (!mark || *mark < -1 || *mark > 5) throw TAppError(kUsage);
    if (!SelectListed(c, id)) return;
    c.Workspace.ScriptLibraryRate(*mark, comment);
}

} // namespace

void AddLibraryCommands(TCliCommandList& list) {
    list.push_back(ReadingCommand({"library", "list"},
                                  "library list [--filter -1..6]          online-каталог сценариев (по умолчанию фильтр 1)",
                                  List));
    list.push_back(WritingCommand({"library", "get"},
                                  "library get ID                         сценарий из каталога в текущий сценарий", Get));
    list.push_back(ReadingCommand({"library", "rate"},
                                  "library rate ID -1..5 [--comment ТЕКСТ] оценка (0 удаляет, -1 скрывает сценарий)",
                                  Rate));
}

} // namespace qx
