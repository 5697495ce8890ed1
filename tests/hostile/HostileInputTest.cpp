// Hostile input, one table per reader: every case names the message the program must give, and
// the program's files must come out byte for byte as they went in.
#include <gtest/gtest.h>

#include <cstring>

#include "core/Game.h"
#include "draws/DrawsFile.h"
#include "hostile/HostileSupport.h"
#include "stats/FullSetFile.h"

using namespace qx;
using namespace qx::test;
namespace fs = std::filesystem;

namespace {

// Plants a file with these bytes at name (in the program directory, or the inputs with "{in}/").
std::function<void(const TProgramDir&)> Put(std::string name, std::string bytes) {
    return [=](const TProgramDir& p) {
        const bool input = name.starts_with("{in}/");
        WriteBytes(input ? p.Input(name.substr(5)) : p.File(name), bytes);
    };
}

const std::string kGoodCsv = "41;\"02/10/2019 M\";1;2;3;4\r\n";
constexpr const char* kNotRegular = "не является обычным файлом";
constexpr const char* kReadError = "Ошибка чтения файла тиражей!";

std::vector<std::string> Import() {
    return {"draws", "import", "{in}/x.csv"};
}

} // namespace

TEST(Hostile, CsvImport) {
    CheckHostileCases({
        {"random bytes", Put("{in}/x.csv", RandomBytes(1 << 20, 1, true)), Import(), "двоичные данные"},
        {"random bytes without NUL", Put("{in}/x.csv", RandomBytes(1 << 20, 2, false)), Import(),
         "нет ни одного тиража"},
        {"letters for digits",
         Put("{in}/x.csv", "41;\"02/10/2019 M\";a;b;c;d\r\n\"02/10/2019 E\";x;y;z;w\r\n"), Import(),
         "Пропущено строк с числами вне диапазона 0..9: 2"},
        {"four fields", Put("{in}/x.csv", "a;b;c;d\r\n"), Import(), "Пропущено строк неверного формата: 1"},
        {"digit beyond 32 bits", Put("{in}/x.csv", "41;\"02/10/2019 M\";99999999999;1;2;3\r\n"), Import(),
         "Пропущено строк с числами вне диапазона 0..9: 1"},
        {"digit 10 and -1",
         Put("{in}/x.csv", "41;\"02/10/2019 M\";10;1;2;3\r\n42;\"02/10/2019 E\";-1;1;2;3\r\n"), Import(),
         "вне диапазона 0..9: 2"},
        {"number beyond 32 bits", Put("{in}/x.csv", "99999999999;\"02/10/2019 M\";1;2;3;4\r\n"), Import(),
         "Пропущено строк с некорректным номером тиража: 1"},
        {"largest number", Put("{in}/x.csv", "2147483647;\"02/10/2019 M\";1;2;3;4\r\n"), Import(),
         "некорректным номером тиража: 1"},
        {"number 0 and letters",
         Put("{in}/x.csv", "0;\"02/10/2019 M\";1;2;3;4\r\nx;\"02/10/2019 M\";1;2;3;4\r\n"), Import(),
         "некорректным номером тиража: 2"},
        {"labels that are no dates",
         Put("{in}/x.csv",
             "41;\"13/45/2019 M\";1;2;3;4\r\n42;\"02/30/2019 M\";1;2;3;4\r\n43;\"\";1;2;3;4\r\n"),
         Import(), "Пропущено строк с некорректной датой тиража: 3"},
        {"UTF-16",
         Put("{in}/x.csv", std::string("\xFF\xFE"
                                       "4\0"
                                       "1\0",
                                       6)),
         Import(), "UTF-16"},
        {"NUL inside a line", Put("{in}/x.csv", std::string("41;\"02/10/2019 M\";1;2\0;3;4\r\n", 28)),
         Import(), "двоичные данные"},
        {"FIFO", [](const TProgramDir& p) { MakeFifo(p.Input("x.csv")); }, Import(), kNotRegular},
        {"directory", nullptr, {"draws", "import", "{in}"}, kNotRegular},
        {"character device", nullptr, {"draws", "import", "/dev/zero"}, kNotRegular},
        {"257 MiB", [](const TProgramDir& p) { MakeSparseFile(p.Input("x.csv"), 257u << 20); }, Import(),
         "слишком велик"},
        {"missing", nullptr, Import(), std::strerror(ENOENT)},
    });
}

TEST(Hostile, DrawsFile) {
    auto unreadable = [](const TProgramDir& p) {
        fs::remove(p.File("Quadrix_4d10.ldr"));
        fs::create_directory(p.File("Quadrix_4d10.ldr"));
        WriteBytes(p.Input("x.csv"), kGoodCsv);
    };
    auto oversized = [](const TProgramDir& p) {
        MakeSparseFile(p.File("Quadrix_4d10.ldr"), (64u << 20) + 24);
        WriteBytes(p.Input("x.csv"), kGoodCsv);
    };
    auto largestNumber = [](const TProgramDir& p) {
        TDrawRecord d;
        d.Number = kDrawNumberLimit;
        WriteDrawsFile(p.File("Quadrix_4d10.ldr"), {d});
    };
    CheckHostileCases({
        // Writing commands refuse with the load error instead of replacing the archive.
        {"unreadable, import", unreadable, Import(), kReadError},
        {"unreadable, add", unreadable, {"draws", "add", "41", "1;2;3;4", "02/10/2019 M"}, kReadError},
        {"unreadable, delete", unreadable, {"draws", "delete", "1"}, kReadError},
        {"oversized, info", oversized, {"info"}, "слишком велик"},
        {"oversized, import", oversized, Import(), "слишком велик"},
        {"FIFO",
         [](const TProgramDir& p) {
             fs::remove(p.File("Quadrix_4d10.ldr"));
             MakeFifo(p.File("Quadrix_4d10.ldr"));
         },
         {"info"},
         kNotRegular},
        {"random bytes",
         Put("Quadrix_4d10.ldr", RandomBytes(1 << 20, 3, true)),
         {"info"},
         "некорректные записи (номер тиража не больше 0 или число больше 9): ",
         0},
        {"largest number", largestNumber, {"info"}, "Следующий тираж: 2147483648\n", 0},
        {"incomplete tail", Put("Quadrix_4d10.ldr", std::string(24 * 3 + 5, '\1')), {"draws", "list"}, "", 0},
    });
}

TEST(Hostile, ConfigurationFile) {
    const std::string ini = "Quadrix_4d10.ini";
    auto mode4 = [&](std::string file) {
        return "[GLOBAL]\r\nCombsGenerateMode=4\r\nCombsGenerateParameters=" + file + "\r\n";
    };
    CheckHostileCases({
        {"huge numbers",
         Put(ini, "[STAKES]\r\nCost=1e300\r\nProfits=2147483647\r\nProfit_0_Profit=-1e400\r\n"
                  "[GLOBAL]\r\nMatrixCols=-2147483648\r\nChannelSize=0\r\n[CDL]\r\nCount=nan\r\n"),
         {"stat", "--method", "NUMS"},
         "",
         0},
        {"not a number",
         Put(ini, "[STAKES]\r\nCost=nan\r\n[GLOBAL]\r\nCombsGenerateMode=99\r\n"),
         {"info"},
         "",
         0},
        // Commands without the working list do not build it from a stored list file.
        {"list file missing", Put(ini, mode4("missing.lcv")), {"draws", "list", "--limit", "1"}, "40\t", 0},
        {"list file is /dev/zero", Put(ini, mode4("/dev/zero")), {"info"}, "Архив тиражей: 40", 0},
        {"list file is /dev/zero, used",
         Put(ini, mode4("/dev/zero")),
         {"combs", "gen", "--out", "{in}/o.lcv"},
         kNotRegular},
        {"FIFO",
         [&](const TProgramDir& p) { MakeFifo(p.File(ini)); },
         {"info"},
         "Ошибка чтения файла конфигурации!"},
        {"binary", Put(ini, RandomBytes(4096, 4, true)), {"info"}, "", 0},
        {"17 MiB",
         [&](const TProgramDir& p) { MakeSparseFile(p.File(ini), 17u << 20); },
         {"info"},
         "слишком велик"},
    });
}

TEST(Hostile, WindowStateFile) {
    const std::string frm = "Quadrix_4d10.frm";
    CheckHostileCases({
        {"largest window",
         Put(frm, "[TFormMain]\r\nDrawsStatLen=2147483647\r\n"),
         {"stat", "--method", "NUMS"},
         "",
         0},
        {"negative window",
         Put(frm, "[TFormMain]\r\nDrawsStatLen=-5\r\n"),
         {"stat", "--method", "NUMS"},
         "Некорректное значение параметра --window"},
        // A reading command computes missing norms without building files.
        {"comparison on, no files",
         Put(frm, "[TFormMain]\r\nPrefetchsEnabled=1\r\nPrefetchsInit=1\r\n"),
         {"stat", "--method", "NUMS", "--fullset"},
         "",
         0},
        {"FIFO",
         [&](const TProgramDir& p) {
             fs::remove(p.File(frm));
             MakeFifo(p.File(frm));
         },
         {"info"},
         "Ошибка загрузки параметров программы!"},
        {"binary", Put(frm, RandomBytes(4096, 5, false)), {"info"}, "", 0},
    });
}

namespace {
// The NUMS full-set file as built, and a damaged copy of it.
std::string GoodNums() {
    TProgramDir p;
    EXPECT_EQ(RunTool(p.Dir(), {"fullset", "build", "--force"}).Code, 0);
    return ReadBytes(p.File("Prefetchs/Quadrix_4d10_NUMS.dfc"));
}

std::string Damaged(std::string bytes, size_t at, const std::string& part) {
    bytes.replace(at, part.size(), part);
    return bytes;
}

std::string Int32(int32_t v) {
    return std::string(reinterpret_cast<const char*>(&v), 4);
}
} // namespace

TEST(Hostile, FullSetFiles) {
    const std::string good = GoodNums();
    ASSERT_EQ(good.size(), 11 * kFullSetRecordSize); // ten digits and the trailer
    const std::vector<std::string> stat = {"stat", "--method", "NUMS", "--fullset"};
    TProgramDir reference;
    const std::string expected = RunTool(reference.Dir(), stat).Out;
    const std::string dfc = "Prefetchs/Quadrix_4d10_NUMS.dfc";
    auto put = [&](std::string bytes) {
        return [=](const TProgramDir& p) {
            fs::create_directories(p.File("Prefetchs"));
            WriteBytes(p.File(dfc), bytes);
        };
    };
    const size_t trailer = good.size() - kFullSetRecordSize;
    // Each gives the norms of the full set, computed, and the file stays for a writing run to mend.
    std::vector<THostileCase> cases = {
        {"count 0", put(Damaged(good, 8, Int32(0))), stat, "", 0},
        {"negative count", put(Damaged(good, 20, Int32(-396))), stat, "", 0},
        {"largest count", put(Damaged(good, 32, Int32(INT32_MAX))), stat, "", 0},
        {"key out of range", put(Damaged(good, 0, std::string("\x30\x75", 2))), stat, "", 0},
        {"repeated key", put(Damaged(good, 12, good.substr(0, 12))), stat, "", 0},
        {"zeroed trailer", put(Damaged(good, trailer, std::string(12, '\0'))), stat, "", 0},
        {"truncated", put(good.substr(0, good.size() - 5)), stat, "", 0},
        {"empty", put(""), stat, "", 0},
    };
    cases.push_back({"FIFO",
                     [&](const TProgramDir& p) {
                         fs::create_directories(p.File("Prefetchs"));
                         MakeFifo(p.File(dfc));
                     },
                     stat, "Ошибка открытия файла данных для полного набора вариантов!"});
    cases.push_back({"17 MiB",
                     [&](const TProgramDir& p) {
                         fs::create_directories(p.File("Prefetchs"));
                         MakeSparseFile(p.File(dfc), 17u << 20);
                     },
                     stat, "слишком велик"});
    CheckHostileCases(cases);
    for (size_t i = 0; i + 2 < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].Name);
        TProgramDir p;
        cases[i].Plant(p);
        EXPECT_EQ(RunTool(p.Dir(), stat).Out, expected);
    }
}

TEST(Hostile, CombinationFiles) {
    auto gen = [](std::string params) {
        return std::vector<std::string>{"combs",    "gen",  "--mode", "4",
                                        "--params", params, "--out",  "{in}/o.lcv"};
    };
    CheckHostileCases({
        {"letters", Put("{in}/x.lcv", "a;b;c;d\r\n1;x;3;4\r\n"), gen("{in}/x.lcv"), "Комбинаций: 0\n", 0},
        {"out of range", Put("{in}/x.lcv", "12;1;2;3\r\n99999999999;1;2;3\r\n-1;1;2;3\r\n"),
         gen("{in}/x.lcv"), "Комбинаций: 0\n", 0},
        {"binary", Put("{in}/x.lcv", RandomBytes(4096, 6, true)), gen("{in}/x.lcv"), "двоичные данные"},
        {"FIFO", [](const TProgramDir& p) { MakeFifo(p.Input("x.lcv")); }, gen("{in}/x.lcv"), kNotRegular},
        {"17 MiB", [](const TProgramDir& p) { MakeSparseFile(p.Input("x.lcv"), 17u << 20); },
         gen("{in}/x.lcv"), "слишком велик"},
        {"saved over the archive",
         nullptr,
         {"combs", "gen", "--out", "{dir}/Quadrix_4d10.ldr"},
         "является файлом данных программы"},
    });
}

TEST(Hostile, FilterTexts) {
    std::vector<std::string> eight = {"filter"};
    for (int i = 0; i < 8; ++i) eight.insert(eight.end(), {"--text", "TSD1#NUMS:1#LNO:#ST:1"});
    CheckHostileCases({
        {"garbage", nullptr, {"filter", "--text", "garbage"}, "Некорректное описание фильтра"},
        {"eight descriptions", nullptr, eight, "не более 7 описаний фильтров"},
        {"empty rows",
         nullptr,
         {"filter", "--method", "NUMS", "--rows", "", "--keep"},
         "Не указаны значения параметра --rows"},
        {"only commas", nullptr, {"filter", "--method", "NUMS", "--rows", ",,", "--keep"}, "--rows"},
        {"endless range",
         nullptr,
         {"filter", "--text", "TSD1#NUMS:1-2000000000;1#LNO:#ST:1"},
         "содержит более"},
        {"too many variants",
         nullptr,
         {"filter", "--text", "TSD1#NUMS:1-2000;1#LNO:#ST:1", "--text", "TSD1#NUMS:1-2000;1#LNO:#ST:1"},
         "превышает"},
    });
}

TEST(Hostile, CommandLineArguments) {
    CheckHostileCases({
        {"repeated option",
         nullptr,
         {"draws", "list", "--offset", "5", "--offset", "6"},
         "указан более одного раза"},
        {"repeated flag", nullptr, {"fullset", "build", "--force", "--force"}, "указан более одного раза"},
        {"largest offset and limit",
         nullptr,
         {"draws", "list", "--offset", "2147483647", "--limit", "2147483647"},
         "Тираж\t",
         0},
        {"limit beyond 32 bits", nullptr, {"draws", "list", "--limit", "99999999999"}, "параметра --limit"},
        {"largest draw number",
         nullptr,
         {"draws", "add", "2147483647", "1;2;3;4", "02/10/2019 M"},
         "Некорректный номер тиража"},
        {"letters for digits",
         nullptr,
         {"draws", "add", "41", "x;y;z;w", "02/10/2019 M"},
         "Введена некорректная комбинация!"},
        {"no date", nullptr, {"draws", "add", "41", "1;2;3;4", "garbage"}, "Некорректная дата тиража"},
        {"export over the archive",
         nullptr,
         {"draws", "export", "{dir}/Quadrix_4d10.ldr"},
         "является файлом данных программы"},
        {"export over a link to it",
         [](const TProgramDir& p) { fs::create_symlink(p.File("Quadrix_4d10.ldr"), p.Input("a.csv")); },
         {"draws", "export", "{in}/a.csv"},
         "является файлом данных программы"},
        {"export over the stakes backup", Put("Quadrix_4d10.lsk.bak", "old stakes"),
         {"draws", "export", "{dir}/Quadrix_4d10.lsk.bak"}, "является файлом данных программы"},
        {"ratings over a stake log", Put("Quadrix_4d10-4.log", "log"),
         {"ratings", "export", "{dir}/Quadrix_4d10-4.log"}, "является файлом данных программы"},
        {"export to a folder", nullptr, {"draws", "export", "{in}"}, std::strerror(EISDIR)},
        {"workbook over the archive", nullptr, {"export", "draws", "--out", "{dir}/Quadrix_4d10.ldr"},
         "является файлом данных программы"},
        {"two import files", nullptr, {"draws", "import", "a.csv", "b.csv"}, "Укажите файл для импорта"},
        {"unknown option", nullptr, {"draws", "list", "--bogus"}, "Неизвестный параметр: --bogus"},
        {"window 0", nullptr, {"stat", "--method", "NUMS", "--window", "0"}, "--window"},
        {"groups", nullptr, {"fullset", "build", "--force", "--groups", "99"}, "Некорректный список групп"},
    });
}
