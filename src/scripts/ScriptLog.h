#pragma once
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "core/DateTime.h"

namespace qx {

// The banners and rules of the script log, 94 characters each.
std::string ScriptLogStartBanner();   // "### ЗАПУСК СЦЕНАРИЯ ####…"
std::string ScriptLogEndBanner();     // "### ЗАВЕРШЕНИЕ СЦЕНАРИЯ ####…"
std::string ScriptLogStopBanner();    // "### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО ####…"
std::string ScriptLogOffsetBanner(int offset);  // "=== Выполнение сценария для смещения 000003 ===…"
std::string ScriptLogDoubleRule();    // 94 "="
std::string ScriptLogSingleRule();    // 94 "-"

// "ScriptLog_2024-01-31-23-59-58.txt" for a run started at that time; "ScriptLog_%s.txt" finds them all.
std::string ScriptLogFileName(TDateTime start);
inline constexpr const char* kScriptLogMask = "ScriptLog_%s.txt";
// "[2024-01-31 23:59:58]: " in front of every line.
std::string ScriptLogLinePrefix(TDateTime now);

// The log of one run: Windows-1251 lines ended by CR LF, each with the time in front. The file is
// opened once for the run (appended to when it exists) and flushed after every line, so the bytes
// on disk are those of a file opened for every line. A failure is handed to OnFailure once per
// run; the run goes on without further messages.
class TScriptLog {
public:
    using TClock = std::function<TDateTime()>;

    explicit TScriptLog(TClock clock = nullptr);
    ~TScriptLog();
    TScriptLog(const TScriptLog&) = delete;
    TScriptLog& operator=(const TScriptLog&) = delete;

    std::function<void(const std::string& reason)> OnFailure;

    // Begins the log of a run started now in dir.
    void Start(const std::filesystem::path& dir);
    bool Active() const { return !FPath.empty(); }
    const std::filesystem::path& Path() const { return FPath; }
    void Write(const std::string& message);
    // Closes the file and forgets its name; returns the file written.
    std::filesystem::path Finish();
    TDateTime Now() const { return FClock(); }

private:
    void Fail(const std::string& reason);

    TClock FClock;
    std::filesystem::path FPath;
    std::FILE* FFile = nullptr;
    bool FFailed = false;
};

} // namespace qx
