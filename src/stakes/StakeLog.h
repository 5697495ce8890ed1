#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/DateTime.h"
#include "stakes/StakeRecord.h"

namespace qx {

inline constexpr int64_t kStakeLogLimit = 268435456;  // 256 MiB: a larger log starts over

// The stake logs "Quadrix_4d10-%d.log", one per match count, Windows-1251 with CR LF, appended
// to. A check pass opens each log once and flushes every line, so the bytes are those of a file
// opened per line. Failures are collected, each text once per pass, for the caller to show.
class TStakeLog {
public:
    using TClock = std::function<TDateTime()>;

    explicit TStakeLog(std::filesystem::path dir, TClock clock = nullptr);
    ~TStakeLog();
    TStakeLog(const TStakeLog&) = delete;
    TStakeLog& operator=(const TStakeLog&) = delete;

    std::filesystem::path FileFor(int matches) const;
    // "Тираж № ... Профит: ...." as one line (without the time and the line break).
    static std::string LineText(const TStakeRecord& record, char separator);

    // StakeLog: one line for a checked record (others are ignored).
    void Write(const TStakeRecord& record, char separator);
    // Ends a pass: closes the logs and returns the failures met since the last call.
    std::vector<std::string> EndPass();
    // While held (a script run checks after every line) the logs stay open from pass to pass and
    // each failure text is returned by the first EndPass that meets it only. Releasing closes them.
    void Hold(bool hold);

private:
    struct TOpenLog {
        std::FILE* File = nullptr;
        int64_t Size = 0;
    };
    TOpenLog* Open(int matches, const std::filesystem::path& path);
    void Note(std::string message);
    void CloseAll();

    std::filesystem::path FDir;
    TClock FClock;
    std::vector<std::pair<int, TOpenLog>> FOpen;
    std::vector<std::string> FFailures;
    std::vector<std::string> FReported;  // while held
    bool FHeld = false;
};

} // namespace qx
