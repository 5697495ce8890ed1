#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "app/Workspace.h"
#include "draws/DrawsFile.h"
#include "support/TestSupport.h"

namespace qx::test {

// Draws numbered 1, 2, ... with the digits of each text ("0123").
inline TDrawsArray DigitDraws(std::initializer_list<const char*> rows) {
    TDrawsArray a;
    int n = 1;
    for (const char* r : rows) a.push_back(MakeDraw(n++, {r[0] - '0', r[1] - '0', r[2] - '0', r[3] - '0'}));
    return a;
}

// A started workspace over a temporary program directory.
class WorkspaceFixture : public ::testing::Test {
protected:
    TTempDir Dir;
    TRecordingShell Shell;
    std::unique_ptr<TWorkspace> Ws;

    void Start(const TDrawsArray& draws = {}) {
        if (!draws.empty()) WriteDrawsFile(Dir.Path() / "Quadrix_4d10.ldr", draws);
        TWorkspaceOptions o;
        o.ProgramDir = Dir.Path();
        Ws = std::make_unique<TWorkspace>(Shell, o);
        Ws->StartFirstStage();
        ASSERT_TRUE(Ws->StartSecondStage());
    }
    void Restart() {
        Ws.reset();
        Start();
    }
};

} // namespace qx::test
