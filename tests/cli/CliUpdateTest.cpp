#include <gtest/gtest.h>

#include "FakeUpdateServer.h"
#include "cli/CliRun.h"
#include "core/IniFile.h"

using namespace qx;
using namespace qx::fake;
using namespace qx::test;
namespace fs = std::filesystem;

namespace {

class CliUpdate : public ::testing::Test {
protected:
    TTempDir Dir;
    TFakeUpdateServer Server;

    void SetUp() override {
        WriteBytes(Dir / "Quadrix_4d10", "old program");
        UpdateIniFile(Dir / "Quadrix_4d10.ini", [&](TIniFile& ini) {
            ini.WriteString("ONLINE", "UpdateUrl", Server.BaseUrl());
            ini.WriteString("ONLINE", "CaFile", Server.CaFile());
        });
        // The running build is 0: any numbered build is newer.
        const std::string package = PackageScript({{"Quadrix_4d10", "new program", 0755}, {"docs/notes.txt", "notes"}});
        const std::string url = Server.AddPackage("p.upd", {package});
        Server.SetConfig("[Quadrix_4d10]\nDescription=Версия 7\n" + PackageKeys("1.0.0.7", url, package));
        Server.SetDescription("UpdDescr_1.0.0.7.txt", "Что нового\n");
    }
};

} // namespace

TEST_F(CliUpdate, CheckPrintsTheOfferAndInstallNeedsConsent) {
    TCliRun r = RunCliIn(Dir, {"update", "check"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "Текущая версия: 1.0.0.0\nНовая версия: Версия 7 (1.0.0.7)\nЧто нового\n");
    r = RunCliIn(Dir, {"update", "install"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(ReadBytes(Dir / "Quadrix_4d10"), "old program");
    EXPECT_EQ(Server.Fetches("p.upd"), 0);

    Server.SetConfig("[Quadrix_4d10]\nVerId=1.0.0\nDownloadUrl=https://x/p.upd\n");
    EXPECT_EQ(RunCliIn(Dir, {"update", "check"}).Out, "none\n");
}

TEST_F(CliUpdate, InstallReplacesTheProgramAndTheNextStartRemovesTheOldFiles) {
    TCliRun r = RunCliIn(Dir, {"update", "install", "--yes"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_NE(r.Out.find("Запущено: setup.sh\nСкопировано: Quadrix_4d10\nСкопировано: docs/notes.txt\n"),
              std::string::npos)
        << r.Out;
    EXPECT_NE(r.Out.find("Установка обновления \"Версия 7\" успешно выполнена."), std::string::npos);
    EXPECT_EQ(ReadBytes(Dir / "Quadrix_4d10"), "new program");
    EXPECT_EQ(ReadBytes(Dir / "docs/notes.txt"), "notes");
    EXPECT_EQ(ReadBytes(Dir / "Quadrix_4d10.~old"), "old program");
    EXPECT_FALSE(fs::exists(Dir / "SelfUpdate"));
    EXPECT_FALSE(fs::exists(Dir / "SelfUpdates.inf"));

    EXPECT_EQ(RunCliIn(Dir, {"info"}).Code, 0);
    EXPECT_FALSE(fs::exists(Dir / "Quadrix_4d10.~old"));
}

TEST_F(CliUpdate, FailuresExitWithTheReason) {
    UpdateIniFile(Dir / "Quadrix_4d10.ini", [&](TIniFile& ini) { ini.WriteString("ONLINE", "UpdateUrl", ""); });
    TCliRun r = RunCliIn(Dir, {"update", "check"});
    EXPECT_NE(r.Code, 0);
    EXPECT_NE(r.Err.find("Адрес сервера не задан"), std::string::npos) << r.Err;

    UpdateIniFile(Dir / "Quadrix_4d10.ini", [&](TIniFile& ini) { ini.WriteString("ONLINE", "UpdateUrl", Server.BaseUrl()); });
    Server.AddPackage("p.upd", {"damaged"});
    r = RunCliIn(Dir, {"update", "install", "--yes"});
    EXPECT_NE(r.Code, 0);
    EXPECT_NE(r.Err.find("Неверная контрольная сумма скачанного файла."), std::string::npos) << r.Err;
    EXPECT_EQ(ReadBytes(Dir / "Quadrix_4d10"), "old program");
}
