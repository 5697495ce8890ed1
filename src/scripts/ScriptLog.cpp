#include "scripts/ScriptLog.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "core/Text.h"

namespace qx {
namespace {

constexpr size_t kBannerWidth = 94;

// The text padded with c up to the banner width, counted in Windows-1251 characters.
std::string Banner(const std::string& text, char c) {
    const size_t length = Utf8ToCp1251(text).size();
    return text + std::string(kBannerWidth > length ? kBannerWidth - length : 0, c);
}

std::string Two(int v) { return v < 10 ? "0" + std::to_string(v) : std::to_string(v); }

} // namespace

std::string ScriptLogStartBanner() { return Banner("### ЗАПУСК СЦЕНАРИЯ ", '#'); }
std::string ScriptLogEndBanner() { return Banner("### ЗАВЕРШЕНИЕ СЦЕНАРИЯ ", '#'); }
std::string ScriptLogStopBanner() { return Banner("### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО ", '#'); }
std::string ScriptLogDoubleRule() { return std::string(kBannerWidth, '='); }
std::string ScriptLogSingleRule() { return std::string(kBannerWidth, '-'); }

std::string ScriptLogOffsetBanner(int offset) {
    char number[16];
    std::snprintf(number, sizeof number, "%.6d", offset);
    return Banner("=== Выполнение сценария для смещения " + std::string(number) + " ", '=');
}

std::string ScriptLogFileName(TDateTime start) {
    const TDateParts p = DecodeDateTime(start);
    return "ScriptLog_" + std::to_string(p.Year) + "-" + Two(p.Month) + "-" + Two(p.Day) + "-" + Two(p.Hour) + "-" +
           Two(p.Minute) + "-" + Two(p.Second) + ".txt";
}

std::string ScriptLogLinePrefix(TDateTime now) {
    const TDateParts p = DecodeDateTime(now);
    return "[" + std::to_string(p.Year) + "-" + Two(p.Month) + "-" + Two(p.Day) + " " + Two(p.Hour) + ":" +
           Two(p.Minute) + ":" + Two(p.Second) + "]: ";
}

TScriptLog::TScriptLog(TClock clock) : FClock(std::move(clock)) {
    if (!FClock) FClock = NowDateTime;
}

TScriptLog::~TScriptLog() {
    OnFailure = nullptr;  // whoever listened may be gone already
    Finish();
}

void TScriptLog::Start(const std::filesystem::path& dir) {
    Finish();
    FFailed = false;
    FPath = dir / ScriptLogFileName(FClock());
}

void TScriptLog::Fail(const std::string& reason) {
    if (FFailed) return;
    FFailed = true;
    if (OnFailure) OnFailure(reason);
}

void TScriptLog::Write(const std::string& message) {
    if (FPath.empty()) return;
    if (!FFile) {
        FFile = std::fopen(FPath.c_str(), "ab");
        if (!FFile) {
            Fail(FPath.string() + ": " + std::strerror(errno));
            return;
        }
    }
    const std::string line = Utf8ToCp1251(ScriptLogLinePrefix(FClock()) + message) + "\r\n";
    if (std::fwrite(line.data(), 1, line.size(), FFile) != line.size() || std::fflush(FFile) != 0) {
        Fail(FPath.string() + ": " + std::strerror(errno));
        // The next line tries a fresh file handle: the stream's error state would refuse it.
        std::fclose(FFile);
        FFile = nullptr;
    }
}

std::filesystem::path TScriptLog::Finish() {
    if (FFile) {
        if (std::fclose(FFile) != 0) Fail(FPath.string() + ": " + std::strerror(errno));
        FFile = nullptr;
    }
    return std::exchange(FPath, {});
}

} // namespace qx
