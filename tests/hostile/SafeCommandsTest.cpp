// What the tool does with realistic but awkward inputs it accepts: the right draws in the right
// order, results printed only once saved, nothing written by reading commands, a lock that holds.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>

#include "app/Workspace.h"
#include "draws/DrawsFile.h"
#include "hostile/HostileSupport.h"

using namespace qx;
using namespace qx::test;
namespace fs = std::filesystem;

namespace {
ino_t Inode(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

std::vector<int32_t> Numbers(const fs::path& archive) {
    std::vector<int32_t> numbers;
    for (const auto& d : ReadDrawsFile(archive).Draws) numbers.push_back(d.Number);
    return numbers;
}
} // namespace

TEST(SafeCommands, NewestFirstListsAreAppendedOldestFirstAndSaid) {
    TProgramDir p;
    // A published list: newest first, UTF-8 with its mark, one line no draw.
    WriteBytes(p.Input("x.csv"), "\xEF\xBB\xBF"
                                 "43;\"02/12/2019 M\";3;3;3;3\r\n42;\"02/11/2019 M\";2;2;2;2\r\n"
                                 "41;\"02/10/2019 M\";1;1;1;x\r\n40;\"02/09/2019 M\";0;0;0;0\r\n");
    TCliResult r = RunTool(p.Dir(), {"draws", "import", p.Input("x.csv").string()});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "Добавлено тиражей: 2\nПропущено строк с числами вне диапазона 0..9: 1\n"
                     "Строки файла шли от новых тиражей к старым: тиражи добавлены по возрастанию номеров\n");
    std::vector<int32_t> numbers = Numbers(p.File("Quadrix_4d10.ldr"));
    EXPECT_EQ(std::vector<int32_t>(numbers.end() - 3, numbers.end()), (std::vector<int32_t>{40, 42, 43}));
    EXPECT_NE(RunTool(p.Dir(), {"info"}).Out.find("Следующий тираж: 44"), std::string::npos);

    // Ascending files and the five-field form keep their order; nothing new, nothing written.
    WriteBytes(
        p.Input("y.csv"),
        "45;\"02/14/2019 M\";1;2;3;4\r\n44;\"02/13/2019 M\";1;2;3;4\r\n46;\"02/15/2019 M\";1;2;3;4\r\n");
    EXPECT_EQ(RunTool(p.Dir(), {"draws", "import", p.Input("y.csv").string()}).Code, 0);
    numbers = Numbers(p.File("Quadrix_4d10.ldr"));
    EXPECT_EQ(std::vector<int32_t>(numbers.end() - 3, numbers.end()), (std::vector<int32_t>{45, 44, 46}));
    const ino_t before = Inode(p.File("Quadrix_4d10.ldr"));
    r = RunTool(p.Dir(), {"draws", "import", p.Input("y.csv").string()});
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out, "Добавлено тиражей: 0\n");
    EXPECT_EQ(Inode(p.File("Quadrix_4d10.ldr")), before);
}

TEST(SafeCommands, AFailedSaveReportsNoSuccess) {
    TProgramDir p;
    std::string csv;
    for (int i = 41; i < 141; ++i) csv += std::to_string(i) + ";\"02/10/2019 M\";1;2;3;4\r\n";
    WriteBytes(p.Input("x.csv"), csv);
    const std::string before = ReadBytes(p.File("Quadrix_4d10.ldr"));
    TCliResult r;
    {
        TFileSizeLimit limit(2000); // the archive of 140 draws does not fit
        r = RunTool(p.Dir(), {"draws", "import", p.Input("x.csv").string()});
    }
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_NE(r.Err.find("Ошибка записи в файл тиражей!"), std::string::npos);
    EXPECT_EQ(ReadBytes(p.File("Quadrix_4d10.ldr")), before);
    EXPECT_TRUE(TempFilesUnder(p.Dir()).empty());
}

TEST(SafeCommands, ReadingCommandsCreateNothing) {
    TTempDir empty, out;
    WriteBytes(empty / "Quadrix_4d10.frm", "[TFormMain]\r\nPrefetchsEnabled=1\r\n");
    const auto before = Snapshot(empty.Path());
    for (std::vector<std::string> args : {std::vector<std::string>{"info"},
                                          {"methods"},
                                          {"draws", "list"},
                                          {"stat", "--method", "NUMS", "--fullset"},
                                          {"draws", "export", (out / "x.csv").string()},
                                          {"combs", "gen", "--out", (out / "x.lcv").string()}}) {
        SCOPED_TRACE(args[0]);
        TCliResult r = RunTool(empty.Path(), args);
        EXPECT_EQ(r.Code, 0) << r.Err;
        EXPECT_TRUE(Snapshot(empty.Path()) == before);
    }
}

TEST(SafeCommands, ReadingCommandsLeaveStakesAndRatingsAsTheyAre) {
    TProgramDir p;
    // A stake on a draw the archive then gets, checked: the stakes and ratings files hold rows.
    ASSERT_EQ(RunTool(p.Dir(), {"stakes", "add", "--draw", "41", "--digits", "1;2;3;4"}).Code, 0);
    ASSERT_EQ(RunTool(p.Dir(), {"draws", "add", "41", "1;2;3;4", "02/10/2019 M"}).Code, 0);
    ASSERT_EQ(RunTool(p.Dir(), {"stakes", "check"}).Code, 0);
    ASSERT_TRUE(fs::exists(p.File("Quadrix_4d10.lrt")));
    const auto before = Snapshot(p.Dir());
    TFileSizeLimit noWrites(1); // any save would fail and make the command fail
    for (std::vector<std::string> args :
         {std::vector<std::string>{"info"}, {"stakes", "list"}, {"ratings", "list", "--sort", "3:desc"},
          {"ratings", "export", p.Input("r.csv").string()}, {"view", "card"}, {"proxy", "show"}}) {
        SCOPED_TRACE(args[0] + " " + args[1 % args.size()]);
        TCliResult r = RunTool(p.Dir(), args);
        EXPECT_EQ(r.Code, args[1 % args.size()] == "export" ? 1 : 0) << r.Err; // the export itself is a write
        EXPECT_TRUE(Snapshot(p.Dir()) == before);
    }
    EXPECT_NE(RunTool(p.Dir(), {"stakes", "list"}).Out.find("\t41\t"), std::string::npos);
    // The ratings export never replaces one of the program's files.
    TCliResult r = RunTool(p.Dir(), {"ratings", "export", p.File("Quadrix_4d10.lrt").string()});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("является файлом данных программы"), std::string::npos);
    EXPECT_TRUE(Snapshot(p.Dir()) == before);
}

TEST(SafeCommands, TheLockHoldsWhenItsFileIsDeleted) {
    TProgramDir p;
    TRecordingShell shell;
    TWorkspaceOptions options;
    options.ProgramDir = p.Dir();
    TWorkspace window(shell, options);
    window.StartFirstStage();
    ASSERT_TRUE(window.StartSecondStage());
    fs::remove(p.File("Quadrix_4d10.lsk"));
    const std::string before = ReadBytes(p.File("Quadrix_4d10.ldr"));
    TCliResult r = RunTool(p.Dir(), {"draws", "add", "41", "1;2;3;4", "02/10/2019 M"});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("Невозможно получить монопольный доступ к файлам данных!"), std::string::npos);
    EXPECT_EQ(ReadBytes(p.File("Quadrix_4d10.ldr")), before);
    // Reading beside the running window is fine: every save replaces files whole.
    EXPECT_EQ(RunTool(p.Dir(), {"info"}).Code, 0);
}

TEST(SafeCommands, AStoredListFileIsTheProgramDirectorysAndOnlyItsUsersNeedIt) {
    TProgramDir p;
    WriteBytes(p.File("Quadrix_4d10.ini"),
               "[GLOBAL]\r\nCombsGenerateMode=4\r\nCombsGenerateParameters=my.lcv\r\n");
    TCliResult r = RunTool(p.Dir(), {"draws", "add", "41", "1;2;3;4", "02/10/2019 M"});
    EXPECT_EQ(r.Code, 0) << r.Err; // the list file is missing, and nobody asked for the list
    WriteBytes(p.File("my.lcv"), "1;2;3;4\r\n5;6;7;8\r\n");
    r = RunTool(p.Dir(), {"combs", "gen", "--out", p.Input("o.lcv").string()});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_NE(r.Out.find("Комбинаций: 2\n"), std::string::npos);
}

TEST(SafeCommands, ExportsGoIntoStreamsAndThroughLinks) {
    TProgramDir p;
    const fs::path fifo = p.Input("pipe");
    MakeFifo(fifo);
    std::string received;
    std::thread reader([&] { received = ReadBytes(fifo); });
    TCliResult r = RunTool(p.Dir(), {"draws", "export", fifo.string()});
    reader.join();
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(received.substr(0, 27), "1;\"01/02/2019 M\";7;0;3;6\r\n2");
    EXPECT_EQ(r.Out, ""); // the count goes beside the stream, not into it
    EXPECT_TRUE(fs::is_fifo(fifo));

    WriteBytes(p.Input("real.csv"), "old");
    fs::create_symlink(p.Input("real.csv"), p.Input("link.csv"));
    EXPECT_EQ(RunTool(p.Dir(), {"draws", "export", p.Input("link.csv").string()}).Code, 0);
    EXPECT_TRUE(fs::is_symlink(p.Input("link.csv")));
    EXPECT_EQ(ReadBytes(p.Input("real.csv")), received);
}
