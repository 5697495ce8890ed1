// quadrix_fake_server update: an update server offering a small package for Quadrix_4d10.
#include <cstdio>

#include "FakeModes.h"
#include "FakeUpdateServer.h"
#include "TestCa.h"

namespace qx::fake {
namespace {

int RunUpdate(std::vector<std::string>& args) {
    const int port = std::stoi(TakeOption(args, "port").value_or("0"));
    const std::string verId = TakeOption(args, "verid").value_or("1.0.0.1");
    if (!args.empty()) throw std::runtime_error("update [--port N] [--verid VERSION]");
    TFakeUpdateServer server(port);
    // It writes a note and a folder; the helper run after copying leaves its mark in the note's folder.
    const std::string package = PackageScript({
        {"UpdateNotes.txt", "Обновление " + verId + " установлено.\n"},
        {"update/readme.txt", "Файлы обновления " + verId + ".\n"},
        {"after.sh", "#!/bin/sh\ndate >> ../update/installed.log\n"},
    });
    const std::string url = server.AddPackage("quadrix-" + verId + ".upd", {package});
    server.SetConfig("[GlobalOptions]\nExecAfter=after.sh\nDeleteAfter=after.sh\n[Quadrix_4d10]\nDescription=Quadrix " +
                     verId + "\n" + PackageKeys(verId, url, package));
    server.SetDescription("UpdDescr_" + verId + ".txt", "Что нового в " + verId + ":\n- заметки об обновлении\n");
    std::printf("UpdateUrl=%s\nCaFile=%s\n", server.BaseUrl().c_str(), server.CaFile().c_str());
    std::printf("Ctrl+C stops the server.\n");
    std::fflush(stdout);
    WaitForStopSignal();
    return 0;
}

const TFakeModeRegistrar registrar({"update", "update [--port N] [--verid VERSION]", RunUpdate});

} // namespace
} // namespace qx::fake
