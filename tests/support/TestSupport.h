#pragma once
#include <gtest/gtest.h>
#include <deque>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/Shell.h"

namespace qx::test {

// A shell that records everything shown and answers questions from a script.
class TRecordingShell : public TShell {
public:
    struct TShown {
        TMessageKind Kind;
        std::string Text;
    };
    std::vector<TShown> Messages;
    std::vector<std::string> Statuses;
    std::string Status;
    std::deque<bool> Answers;  // consumed by questions, front first
    bool DefaultAnswer = true;
    std::vector<TProgressState> ProgressLog;
    std::vector<std::string> Waits;  // every wait-window text; "" when it closed
    // Called before a message is answered (a test may change files while a question is open).
    std::function<void(TMessageKind, const std::string&)> OnMessage;
    std::vector<std::string> Opened;  // documents handed to the desktop, refused ones too
    bool RefuseOpen = false;

    void ShowStatus(const std::string& text) override;
    void ShowWait(const std::string& text) override { Waits.push_back(text); }
    void HideWait() override { Waits.push_back(""); }
    bool Message(TMessageKind kind, const std::string& text) override;
    bool TryOpenDocument(const std::string& pathOrUrl) override;
    std::vector<std::string> Texts(TMessageKind kind) const;
    std::vector<std::string> Errors() const { return Texts(TMessageKind::Error); }

protected:
    void ProgressChanged(const TProgressState& state) override { ProgressLog.push_back(state); }
};

// A draw record with the given number, digits and label.
inline TDrawRecord MakeDraw(int number, std::initializer_list<int> digits, const char* label = "03/07/2019 M") {
    TDrawRecord r;
    r.Number = number;
    int p = 0;
    for (int d : digits) r.Digits[p++] = static_cast<uint8_t>(d);
    r.SetDateLabel(label);
    return r;
}

// A fresh directory under the system's temporary folder, removed with everything in it.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const std::filesystem::path& Path() const { return FPath; }
    std::filesystem::path operator/(const std::string& name) const { return FPath / name; }

private:
    std::filesystem::path FPath;
};

// Sets an environment variable for the life of the object and puts the old value back.
class TEnvOverride {
public:
    TEnvOverride(const char* name, const std::string& value);
    ~TEnvOverride();
    TEnvOverride(const TEnvOverride&) = delete;
    TEnvOverride& operator=(const TEnvOverride&) = delete;

private:
    std::string FName;
    std::optional<std::string> FOld;
};

// The example archive of 13,788 real draws (data/examples); empty when it is not there.
std::filesystem::path RealArchiveCsv();
std::filesystem::path TestDataDir();

void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& path);

// Every file under dir (links as their targets' names, FIFOs and other specials by their kind),
// by path relative to dir: two snapshots are equal when nothing in the folder changed.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir);
// Names under dir that end with ".tmp" (temporary files of interrupted saves).
std::vector<std::string> TempFilesUnder(const std::filesystem::path& dir);

// Lowers the process's file size limit for a scope, so writes fail with EFBIG (as on a full disk)
// even for root, who ignores permissions.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(uint64_t bytes);
    ~TFileSizeLimit();
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    uint64_t FOldSoft;
};
// The golden file under the test data folder (name relative to it) and whether actual equals it.
// With QUADRIX_UPDATE_GOLDEN=1 in the environment the file is written from actual instead.
::testing::AssertionResult MatchesGolden(const std::string& name, const std::string& actual);

} // namespace qx::test

// Skips a test that needs the real archive when it is missing.
#define QX_REQUIRE_REAL_ARCHIVE()                                                  \
    do {                                                                           \
        if (::qx::test::RealArchiveCsv().empty()) GTEST_SKIP() << "no real archive"; \
    } while (0)
