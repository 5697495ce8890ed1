#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <unistd.h>

#include "UpdateTestSupport.h"
#include "online/FileReplacement.h"

using namespace qx;
using namespace qx::test;
using fake::JournalHelper;
using fake::PackageScript;
using fake::TFakePackage;
using fake::TPackageFile;
namespace fs = std::filesystem;

namespace {

using TFault = TFakePackage::TFault;

const std::string kSimple = PackageScript({{"new.txt", "new"}});
const std::string kWithExe = PackageScript({{"Quadrix_4d10", "#!/bin/sh\necho new\n", 0755}, {"new.txt", "new"}});

TFakePackage Corrupt(int fetches) {
    TFakePackage p;
    p.CorruptFirst = fetches;
    return p;
}
TFakePackage Faulty(TFault fault, int fetches = 1000) {
    TFakePackage p;
    p.Fault = fault;
    p.FaultFetches = fetches;
    return p;
}

class UpdateInstall : public UpdateFixture {
protected:
    // Installs and expects a failure whose reason contains the text; the program directory and
    // the file outside stay as they were.
    void ExpectRefused(const std::string& reason) {
        const auto before = Snapshot(Dir.Path());
        EXPECT_EQ(Run(), 2);
        ASSERT_EQ(Shell.Errors().size(), 1u) << Errors();
        EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка установки обновления!\r\r", 0), 0u) << Errors();
        EXPECT_NE(Shell.Errors()[0].find(reason), std::string::npos) << Errors();
        EXPECT_EQ(Snapshot(Dir.Path()), before);
        EXPECT_EQ(ReadBytes(Outside / "keep.txt"), "outside");
        EXPECT_TRUE(Shell.Texts(TMessageKind::Warning).empty());
        Shell.Messages.clear();
    }
    void ExpectInstalled() {
        EXPECT_EQ(Run(), 1) << Errors();
        EXPECT_EQ(ReadBytes(Dir / "new.txt"), "new");
        EXPECT_FALSE(fs::exists(Dir / "SelfUpdate"));
    }
};

// The state of a process: 'Z' for a zombie, 0 when it is gone.
char ProcessState(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return 0;
    const auto close = line.rfind(')');
    return close + 2 < line.size() ? line[close + 2] : 0;
}

} // namespace

TEST_F(UpdateInstall, ListsRunInOrderAndTheProgramDirectoryGetsTheNewFiles) {
    // Each helper notes whether a file is there when it runs: old.txt is gone before the first
    // one (deletes come first), new.txt arrives between the before and after helpers, and
    // gone.txt is deleted only after the last one.
    const std::string package = PackageScript({
        {"Quadrix_4d10", "#!/bin/sh\necho new\n", 0755},
        {"new.txt", "new"},
        {"docs/help/readme.txt", "help", 0600},
        JournalHelper("gb.sh", Journal(), "../old.txt"),
        JournalHelper("sb.sh", Journal(), "../new.txt"),
        JournalHelper("ga.sh", Journal(), "../new.txt"),
        JournalHelper("sa.sh", Journal(), "../gone.txt"),
    });
    WriteBytes(Dir / "gone.txt", "removed after");
    WriteBytes(Dir / "sub.txt", "removed before");
    fs::create_directory(Dir / "SelfUpdate");  // left by an interrupted installation
    WriteBytes(Dir / "SelfUpdate" / "stale.txt", "stale");
    Offer(package, "DeleteBefore=sub.txt\nExecBefore=sb.sh\nExecAfter=sa.sh\nDeleteAfter=gone.txt\n",
          "DeleteBefore=old.txt;missing.txt\nExecBefore=gb.sh;absent.sh\nExecAfter=ga.sh\n");

    TSelfUpdater updater(Shell, Options);
    updater.Consent = [](const TUpdateOffer&) { return true; };
    EXPECT_EQ(updater.SelfUpdate(ConfigUrl(), false, 1049), 1) << Errors();
    EXPECT_EQ(JournalText(), "gb.sh\nsb.sh\nga.sh probe\nsa.sh probe\n");
    EXPECT_EQ(updater.Report().Deleted, (std::vector<std::string>{"old.txt", "sub.txt", "gone.txt"}));
    EXPECT_EQ(updater.Report().Run, (std::vector<std::string>{"setup.sh", "gb.sh", "sb.sh", "ga.sh", "sa.sh"}));
    EXPECT_EQ(Shell.Texts(TMessageKind::Warning),
              std::vector<std::string>{"Установка обновления \"Версия 58\" успешно выполнена.\r\rДля завершения "
                                       "установки необходимо перезапустить программу!"});

    EXPECT_EQ(ReadBytes(Dir / "Quadrix_4d10"), "#!/bin/sh\necho new\n");
    EXPECT_EQ(ModeOf(Dir / "Quadrix_4d10"), 0755);
    EXPECT_EQ(ReadBytes(Dir / "docs/help/readme.txt"), "help");
    EXPECT_EQ(ModeOf(Dir / "docs/help/readme.txt"), 0600);
    EXPECT_FALSE(fs::exists(Dir / "old.txt"));
    EXPECT_FALSE(fs::exists(Dir / "gone.txt"));
    EXPECT_FALSE(fs::exists(Dir / "SelfUpdate"));
    EXPECT_FALSE(fs::exists(Dir / "stale.txt"));
    EXPECT_FALSE(fs::exists(Dir / "SelfUpdates.inf"));
    // The replaced and removed files wait beside their places until the next start.
    EXPECT_EQ(ReadBytes(Dir / "Quadrix_4d10.~old"), "#!/bin/sh\necho old\n");
    EXPECT_EQ(ReadBytes(Dir / "old.txt.~old"), "old data");
    EXPECT_EQ(ReadBytes(Dir / "gone.txt.~old"), "removed after");
    // Fourteen steps of progress, closed at the end.
    bool sawInstall = false;
    for (const TProgressState& p : Shell.ProgressLog)
        if (p.Text == "Загрузка и установка обновления \"2.1.0.58\"...") {
            sawInstall = true;
            EXPECT_EQ(p.Steps, 14);
            EXPECT_LE(p.Position, 14);
        }
    EXPECT_TRUE(sawInstall);
    EXPECT_FALSE(Shell.ProgressLog.back().Open);

    RemoveOldFiles(Dir.Path());
    EXPECT_FALSE(fs::exists(Dir / "Quadrix_4d10.~old"));
    EXPECT_FALSE(fs::exists(Dir / "gone.txt.~old"));
    EXPECT_TRUE(fs::exists(Dir / "Quadrix_4d10"));
}

TEST_F(UpdateInstall, ARestartThatFailsPutsTheOldFilesBack) {
    const auto before = Snapshot(Dir.Path());
    Offer(kWithExe, "DeleteBefore=old.txt\n");
    TSelfUpdater updater(Shell, Options);
    updater.Consent = [](const TUpdateOffer&) { return true; };
    ASSERT_EQ(updater.SelfUpdate(ConfigUrl(), false, 1049), 1) << Errors();
    EXPECT_EQ(ReadBytes(Dir / "Quadrix_4d10"), "#!/bin/sh\necho new\n");
    updater.RollBack();
    EXPECT_EQ(Snapshot(Dir.Path()), before);
}

TEST_F(UpdateInstall, RefusalChangesNothing) {
    const auto before = Snapshot(Dir.Path());
    Offer(kSimple);
    EXPECT_EQ(Run(false), 0);
    EXPECT_EQ(Server.Fetches("p.upd"), 0);
    EXPECT_EQ(Snapshot(Dir.Path()), before);
    EXPECT_TRUE(Shell.Messages.empty());
}

TEST_F(UpdateInstall, EachDownloadIsVerifiedAndRetriedThreeTimes) {
    // Damaged twice, then sound: installed on the third fetch.
    Offer(kSimple, "", "", Corrupt(2));
    ExpectInstalled();
    EXPECT_EQ(Server.Fetches("p.upd"), 3);
    Shell.Messages.clear();
    fs::remove(Dir / "new.txt");

    // Three damaged fetches: refused, the program directory as it was.
    Offer(kSimple, "", "", Corrupt(3));
    ExpectRefused("Неверная контрольная сумма скачанного файла.");
    EXPECT_EQ(Server.Fetches("p.upd"), 3);

    // Only the CRC-32 wrong (the SHA-256 fits), and a lower-case CRC-32 that fits.
    const std::string url = Server.AddPackage("p.upd", {kSimple});
    const std::string keys = fake::PackageKeys("2.1.0.58", url, kSimple);
    auto withCrc = [&](const std::string& crc) {
        std::string k = keys;
        const auto at = k.find("ChecksumCRC32=") + 14;
        k.replace(at, 8, crc);
        Server.SetConfig("[Quadrix_4d10]\n" + k);
    };
    withCrc("00000000");
    ExpectRefused("Неверная контрольная сумма скачанного файла.");
    std::string lower = fake::Crc32Hex(kSimple);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    withCrc(lower);
    ExpectInstalled();
}

TEST_F(UpdateInstall, SizeAndSha256AreRequiredAndEnforced) {
    const std::string url = Server.AddPackage("p.upd", {kSimple});
    const std::string keys = fake::PackageKeys("2.1.0.58", url, kSimple);
    auto without = [&](const std::string& key, const std::string& value = "") {
        std::string k = keys;
        const auto at = k.find(key + "=");
        k.replace(at, k.find("\r\n", at) - at, value.empty() ? "" : key + "=" + value);
        Server.SetConfig("[Quadrix_4d10]\n" + k);
    };
    for (const char* key : {"DownloadSize", "ChecksumSHA256"}) {
        without(key);
        ExpectRefused("Неверная контрольная сумма скачанного файла.");
        EXPECT_EQ(Server.Fetches("p.upd"), 0);  // refused before anything was fetched
    }
    without("ChecksumSHA256", std::string(64, 'g'));
    ExpectRefused("Неверная контрольная сумма скачанного файла.");
    without("DownloadSize", std::to_string(kSimple.size() + 1));
    ExpectRefused("Неверная контрольная сумма скачанного файла.");
    without("ChecksumCRC32");  // an empty CRC-32 is no check
    ExpectInstalled();
}

TEST_F(UpdateInstall, TransfersThatFailAreFailedAttemptsAndGzipOrRedirectStillInstall) {
    struct TCase {
        TFault Fault;
        const char* Reason;
    };
    for (const TCase& c : {TCase{TFault::CutShort, ""}, TCase{TFault::Oversized, "larger"},
                           TCase{TFault::ServerError, "500"}, TCase{TFault::NotFound, "404"},
                           TCase{TFault::Stall, ""}}) {
        Offer(kSimple, "", "", Faulty(c.Fault));
        ExpectRefused(c.Reason);
        EXPECT_EQ(Server.Fetches("p.upd"), 3) << static_cast<int>(c.Fault);
    }
    // A failed first fetch, then a sound one.
    Offer(kSimple, "", "", Faulty(TFault::CutShort, 1));
    ExpectInstalled();
    Shell.Messages.clear();

    TFakePackage gzip;
    gzip.Gzip = true;
    Offer(kSimple, "", "", gzip);
    ExpectInstalled();
    Shell.Messages.clear();

    Server.AddPackage("p.upd", {kSimple});
    Server.SetConfig("[Quadrix_4d10]\n" + fake::PackageKeys("2.1.0.58", Server.PackageRedirect("p.upd"), kSimple));
    ExpectInstalled();
}

TEST_F(UpdateInstall, HostileDescriptionsChangeNothing) {
    const auto name = [](const std::string& n) { return "Недопустимое имя файла в описании обновления: \"" + n + "\""; };
    fs::create_directory(Dir / "folder");
    WriteBytes(Dir / "folder" / "inside.txt", "inside");
    struct TCase {
        std::string Lines;
        std::string Reason;
    };
    const std::vector<TCase> cases = {
        {"DeleteBefore=" + (Outside / "keep.txt").string() + "\n", name((Outside / "keep.txt").string())},
        {"DeleteBefore=../outside.txt\n", name("../outside.txt")},
        {"DeleteBefore=a//b\n", name("a//b")},
        {"DeleteAfter=old.txt;folder\n", name("folder")},
        {"ExecAfter=../../bin/sh\n", name("../../bin/sh")},
        {"ExecBefore=a\\b.sh\n", name("a\\b.sh")},
    };
    for (const TCase& c : cases) {
        Offer(kSimple, c.Lines);
        ExpectRefused(c.Reason);
        EXPECT_EQ(Server.Fetches("p.upd"), 0) << c.Lines;
    }
    for (const char* original : {"../../evil", "a/b", ".."}) {
        const std::string url = Server.AddPackage("p.upd", {kSimple});
        Server.SetConfig("[Quadrix_4d10]\n" + fake::PackageKeys("2.1.0.58", url, kSimple, original));
        ExpectRefused(name(original));
    }
    // A link inside the program directory leading out is not a way out either.
    fs::create_directory_symlink(Outside.Path(), Dir / "out");
    Offer(kSimple, "DeleteBefore=out/keep.txt\n");
    ExpectRefused(name("out/keep.txt"));
    fs::remove(Dir / "out");

    // Addresses: plain http, and a local path without the local switch.
    Server.SetConfig("[Quadrix_4d10]\n" + fake::PackageKeys("2.1.0.58", "http://127.0.0.1:1/p.upd", kSimple));
    ExpectRefused("Недопустимый адрес обновления: \"http://127.0.0.1:1/p.upd\"");
    WriteBytes(Outside / "p.upd", kSimple);
    Server.SetConfig("[Quadrix_4d10]\n" + fake::PackageKeys("2.1.0.58", (Outside / "p.upd").string(), kSimple));
    ExpectRefused("Недопустимый адрес обновления");

    // A package that leaves a link to a file outside.
    Offer(PackageScript({{"new.txt", "new"}}, "ln -s " + (Outside / "keep.txt").string() + " link.txt\n"));
    ExpectRefused(name("link.txt"));
}

TEST_F(UpdateInstall, AFailureWhileStagingOrSwappingLeavesTheOldFiles) {
    const std::string package = PackageScript({{"Quadrix_4d10", "#!/bin/sh\necho new\n", 0755},
                                               {"old.txt", "new data"},
                                               {"new.txt", "new"},
                                               {"sub/added.txt", "added"}});
    for (const char* step : {"stage", "swap"}) {
        for (const char* victim : {"new.txt", "old.txt"}) {
            Offer(package);
            const auto before = Snapshot(Dir.Path());
            TSelfUpdater updater(Shell, Options);
            updater.Consent = [](const TUpdateOffer&) { return true; };
            updater.FaultHook = [&](std::string_view s, const fs::path& target) {
                if (s == step && target.filename() == victim) throw TAppError("injected");
            };
            EXPECT_EQ(updater.SelfUpdate(ConfigUrl(), false, 1049), 2) << step << " " << victim;
            EXPECT_EQ(Shell.Errors().back(), "Ошибка установки обновления!\r\rinjected");
            EXPECT_EQ(Snapshot(Dir.Path()), before) << step << " " << victim;
        }
    }
}

TEST_F(UpdateInstall, ProgramsThatFailAreNamedAndOverdueOnesEndWithTheirChildren) {
    Offer(PackageScript({{"new.txt", "new"}}, "exit 3\n"));
    ExpectRefused("\" завершился с кодом 3");

    Options.WaitLimitMs = 1500;
    const std::string sleeper =
        "#!/bin/sh\nsleep 30 &\necho $! > " + (Outside / "child.pid").string() + "\nsleep 30\n";
    Offer(sleeper);
    ExpectRefused("Ожидание завершения процесса (файла) \"" + (Dir / "SelfUpdate" / "setup.sh").string() +
                  "\" прервано в связи с превышением времени ожидания!");
    ASSERT_TRUE(fs::exists(Outside / "child.pid"));
    const pid_t child = std::stoi(ReadBytes(Outside / "child.pid"));
    for (int i = 0; i < 50 && ProcessState(child) != 0 && ProcessState(child) != 'Z'; ++i) usleep(20000);
    const char state = ProcessState(child);
    EXPECT_TRUE(state == 0 || state == 'Z') << state;

    Offer("#!/bin/sh\nexit 0\n");
    ExpectRefused("Файл \"" + (Dir / "SelfUpdate" / "*.*").string() + "\" не найден!");
}
