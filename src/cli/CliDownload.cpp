#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "cli/ConsoleShell.h"
#include "core/DateTime.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

int ParseToday(const std::string& text) {
    auto n = TryStrToInt(text);
    if (!n || text.size() != 8 || !IsValidDate(*n / 10000, *n / 100 % 100, *n % 100))
        throw TAppError(FormatText("Некорректная дата: %s (нужна ГГГГММДД)", {text}));
    return *n;
}

std::string DateText(int dateNumber) { return FormatDrawLabel(NumberToDate(dateNumber)).substr(0, 10); }

void Download(TCliContext& c, TCliArgs& args) {
    const auto today = args.TakeOption("today");
    const int retries = args.TakeIntOption("retries").value_or(0);
    if (!args.Positionals().empty() || retries < 0) throw TAppError("Использование: draws download [--today ГГГГММДД] [--retries N]");
    if (today) {
        const int date = ParseToday(*today);
        c.Workspace.SetClock([date] { return date; });
    }
    // The retry question is answered Yes as often as allowed, then No: the command always ends.
    int yesLeft = retries;
    c.Shell.SetAnswerer([&](TMessageKind, const std::string& text) {
        const bool yes = yesLeft-- > 0;
        c.Err << ConsoleText(text) << " " << (yes ? "Да" : "Нет") << "\n";
        return yes;
    });
    struct TRestore {
        TConsoleShell& Shell;
        ~TRestore() { Shell.SetAnswerer(nullptr); }
    } restore{c.Shell};
    const int added = c.Workspace.DrawsDownload();
    const TDownloadReport& report = c.Workspace.LastDownload();
    for (const TDownloadRange& r : report.Ranges) {
        c.Out << "Тиражи " << DateText(r.From) << " - " << DateText(r.To) << ": новых " << r.Added;
        if (r.Skipped > 0) c.Out << ", пропущено результатов " << r.Skipped;
        c.Out << "\n";
    }
    c.Out << "Добавлено тиражей: " << added << "\n";
    if (report.Failed) throw TAppError(FailureText("Загрузка архива тиражей не завершена!\r\r%s", report.LastError));
}

} // namespace

void AddDownloadCommands(TCliCommandList& list) {
    list.push_back({{"draws", "download"},
                    "draws download [--today ГГГГММДД] [--retries N]  загрузка новых тиражей с сайта лотереи",
                    Download});
}

} // namespace qx
