#include "stakes/StakeLog.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Game.h"
#include "core/Text.h"

namespace qx {
namespace {

std::string TwoDigits(int v) {
    return v < 10 ? "0" + std::to_string(v) : std::to_string(v);
}

std::string TimeText(TDateTime now) {
    const TDateParts p = DecodeDateTime(now);
    return std::to_string(p.Year) + "." + TwoDigits(p.Month) + "." + TwoDigits(p.Day) + " " + TwoDigits(p.Hour) +
           ":" + TwoDigits(p.Minute) + ":" + TwoDigits(p.Second);
}

std::string DigitsJoined(const uint8_t (&digits)[kPositions]) {
    std::string s;
    for (int p = 0; p < kPositions; ++p) {
        if (p) s += ';';
        s += std::to_string(digits[p]);
    }
    return s;
}

} // namespace

TStakeLog::TStakeLog(std::filesystem::path dir, TClock clock) : FDir(std::move(dir)), FClock(std::move(clock)) {
    if (!FClock) FClock = NowDateTime;
}

TStakeLog::~TStakeLog() { CloseAll(); }

std::filesystem::path TStakeLog::FileFor(int matches) const {
    return FDir / (std::string(kProgramBaseName) + "-" + std::to_string(matches) + ".log");
}

std::string TStakeLog::LineText(const TStakeRecord& r, char separator) {
    return FormatText("Тираж № %s. Ставка: \"%s\" [%s] {%d}. Результаты тиража: [%s]. Совпадений: %d. Профит: %s.",
                      {std::to_string(r.DrawNumber), r.CommentText(), r.NumbersText(), std::to_string(r.Sample),
                       DigitsJoined(r.Drawn), std::to_string(r.Matched.Count), MoneyText(r.Profit, separator)});
}

void TStakeLog::Note(std::string message) {
    if (std::find(FFailures.begin(), FFailures.end(), message) == FFailures.end())
        FFailures.push_back(std::move(message));
}

TStakeLog::TOpenLog* TStakeLog::Open(int matches, const std::filesystem::path& path) {
    for (auto& [m, log] : FOpen)
        if (m == matches) return &log;
    std::FILE* f = std::fopen(path.c_str(), "ab");
    if (!f) {
        Note(FormatText("Ошибка записи в файл \"%s\"!\r\r%s", {path.string(), std::strerror(errno)}));
        return nullptr;
    }
    struct stat st {};
    const int64_t size = ::fstat(::fileno(f), &st) == 0 ? st.st_size : 0;
    FOpen.push_back({matches, {f, size}});
    return &FOpen.back().second;
}

void TStakeLog::Write(const TStakeRecord& record, char separator) {
    if (!record.IsChecked()) return;
    const int matches = record.Matched.Count;
    const std::filesystem::path path = FileFor(matches);
    TOpenLog* log = Open(matches, path);
    if (log && log->Size > kStakeLogLimit) {
        std::fclose(log->File);
        log->File = nullptr;
        if (::unlink(path.c_str()) != 0)
            Note(FormatText("Ошибка удаления файла \"%s\"!\r\r%s", {path.string(), std::strerror(errno)}));
        std::erase_if(FOpen, [&](const auto& e) { return e.first == matches; });
        log = Open(matches, path);
    }
    if (!log) return;
    const std::string line = Utf8ToCp1251(TimeText(FClock()) + ": " + LineText(record, separator)) + "\r\n";
    if (std::fwrite(line.data(), 1, line.size(), log->File) != line.size() || std::fflush(log->File) != 0) {
        Note(FormatText("Ошибка записи в файл \"%s\"!\r\r%s", {path.string(), std::strerror(errno)}));
        return;
    }
    log->Size += static_cast<int64_t>(line.size());
}

void TStakeLog::CloseAll() {
    for (auto& [m, log] : FOpen)
        if (log.File) std::fclose(log.File);
    FOpen.clear();
}

std::vector<std::string> TStakeLog::EndPass() {
    std::vector<std::string> failures = std::exchange(FFailures, {});
    if (!FHeld) {
        CloseAll();
        return failures;
    }
    std::erase_if(failures, [&](const std::string& f) {
        return std::find(FReported.begin(), FReported.end(), f) != FReported.end();
    });
    FReported.insert(FReported.end(), failures.begin(), failures.end());
    return failures;
}

void TStakeLog::Hold(bool hold) {
    FHeld = hold;
    FReported.clear();
    if (!hold) CloseAll();
}

} // namespace qx
