#pragma once
// A started workspace over a temporary program directory, for the window benchmarks.
#include <QEventLoop>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "../BenchArchive.h"
#include "app/Workspace.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "draws/DrawsFile.h"

namespace qx::bench {

class TSilentShell : public TShell {
public:
    void ShowStatus(const std::string&) override {}
    bool Message(TMessageKind, const std::string&) override { return false; }
};

// count synthetic draws: digits cycling, labels alternating M and E.
inline TDrawsArray SyntheticDraws(int count) {
    TDrawsArray draws(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        TDrawRecord& r = draws[static_cast<size_t>(i)];
        r.Number = i + 1;
        for (int p = 0; p < 4; ++p) r.Digits[p] = static_cast<uint8_t>((i * 7 + p * 3) % 10);
        r.SetDateLabel(i % 2 ? "03/07/2019 E" : "03/07/2019 M");
    }
    return draws;
}

// The archive every benchmark reads (QUADRIX_ARCHIVE, else the real one); empty when it is not there.
inline TDrawsArray RealDraws() { return LoadArchive(); }

struct TArchiveDir {
    std::filesystem::path Dir;
    TSilentShell Shell;
    std::unique_ptr<TWorkspace> Ws;

    explicit TArchiveDir(int count) : TArchiveDir(SyntheticDraws(count)) {}
    explicit TArchiveDir(const TDrawsArray& draws) {
        static int serial = 0;
        Dir = std::filesystem::temp_directory_path() /
              ("quadrix-bench-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        std::filesystem::create_directories(Dir);
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", draws);
        TWorkspaceOptions o;
        o.ProgramDir = Dir;
        Ws = std::make_unique<TWorkspace>(Shell, o);
        Ws->StartFirstStage();
        Ws->StartSecondStage();
    }
    ~TArchiveDir() {
        Ws.reset();
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
};

inline void Pump() {
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace qx::bench
