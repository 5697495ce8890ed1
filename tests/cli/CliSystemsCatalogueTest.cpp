#include <gtest/gtest.h>

#include "FakeCatalogue.h"
#include "cli/CliTestSupport.h"
#include "core/IniFile.h"

using namespace qx;
using namespace qx::test;

TEST(CliSystemsCatalogue, ListsAndFetchesWithTabSeparatedRows) {
    fake::TFakeCatalogue fake;
    fake::TFakeSystem s;
    s.Id = 12;
    s.Nums = 6;
    s.Olap = 1;
    s.CSize = 2;
    s.Title = "Шесть\tчисел";
    s.Author = "Автор";
    s.Mail = "a@example.org";
    s.Created = 1700000000;
    s.Content = "01 02 03 04\r\n06 05 04 03";
    fake.AddSystem(s);
    TTempDir dir;
    TIniFile ini;
    ini.WriteString("ONLINE", "CatalogueUrl", fake.BaseUrl());
    ini.Save(dir / "Quadrix_4d10.ini");

    TCliRun run = Cli(dir, {"systems", "catalogue"});
    ASSERT_EQ(run.Code, 0) << run.Err;
    std::vector<std::string> lines = OutputLines(run.Out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("12\tШесть чисел\tАвтор\t6\t1\t2\t", 0), 0u) << lines[0];

    run = Cli(dir, {"systems", "fetch", "12"});
    ASSERT_EQ(run.Code, 0) << run.Err;
    lines = OutputLines(run.Out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("\tЗагружена\t"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "Systems" / "4-06-1_0012.dat"), "01 02 03 04\r\n06 05 04 03\r\n");

    // An id the catalogue lacks, a bad id, a failing server: exit code 1 and a message.
    for (const std::vector<std::string>& args : {std::vector<std::string>{"systems", "fetch", "13"},
                                                 std::vector<std::string>{"systems", "fetch", "x"}}) {
        run = Cli(dir, args);
        EXPECT_EQ(run.Code, 1);
        EXPECT_FALSE(run.Err.empty());
    }
    fake.SetFault(fake::TCatalogueFault::ExtraLine);
    run = Cli(dir, {"systems", "fetch", "12"});
    EXPECT_EQ(run.Code, 1);
    EXPECT_NE(run.Err.find("Ошибка загрузки системы #12!"), std::string::npos) << run.Err;
    fake.SetFault(fake::TCatalogueFault::ServerError);
    EXPECT_EQ(Cli(dir, {"systems", "catalogue"}).Code, 1);
}
