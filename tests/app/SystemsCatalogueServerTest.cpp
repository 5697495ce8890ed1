// The systems tab's commands against the fake catalogue server: what the workspace sends and
// writes when the answers come over HTTP.
#include "app/WorkspaceFixture.h"

#include <sys/stat.h>

#include "FakeCatalogue.h"
#include "core/IniFile.h"

using namespace qx;
using namespace qx::test;
using fake::TCatalogueFault;
using fake::TFakeCatalogue;
using fake::TFakeSystem;

namespace {

TFakeSystem FakeSystem(int id, int nums, const char* title, const char* mail, const std::string& content,
                       int lines, long long created = 1700000000) {
    TFakeSystem s;
    s.Id = id;
    s.Nums = nums;
    s.CSize = lines;
    s.Title = title;
    s.Descr = "Описание";
    s.Author = "Автор";
    s.Mail = mail;
    s.Created = created;
    s.Content = content;
    return s;
}

time_t LastWrite(const std::filesystem::path& file) {
    struct stat st {};
    return ::stat(file.c_str(), &st) == 0 ? st.st_mtim.tv_sec : 0;
}

} // namespace

class SystemsCatalogueServer : public WorkspaceFixture {
protected:
    TFakeCatalogue Fake;

    void StartAgainstFake() {
        TIniFile ini;
        ini.WriteString("ONLINE", "CatalogueUrl", Fake.BaseUrl());
        ini.WriteString("ONLINE", "UserName", "Я");
        ini.WriteString("ONLINE", "UserMail", "me@example.org");
        ini.Save(Dir / "Quadrix_4d10.ini");
        Start();
    }
    const std::vector<TSystemRow>& Rows() const { return Ws->SystemsCatalogue().Rows(); }
    size_t RowOf(int32_t id) const {
        for (size_t i = 0; i < Rows().size(); ++i)
            if (Rows()[i].Info.Id == id) return i;
        return SIZE_MAX;
    }
    int GetDataCalls() const {
        int n = 0;
        for (const auto& call : Fake.Calls()) n += call.Path == "/scripts/sys_getdata.php";
        return n;
    }
};

TEST_F(SystemsCatalogueServer, FetchingRefreshingPublishingAndDeletingOverHttp) {
    Fake.AddSystem(FakeSystem(3, 7, "Семь «первая»", "me@example.org", "01 02 03 04\r\n05 06 07 01", 2));
    Fake.AddSystem(FakeSystem(4, 7, "Семь вторая", "other@example.org", "07 06 05 04", 1));
    StartAgainstFake();
    ASSERT_TRUE(Ws->SystemsLoad());
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Rows()[RowOf(3)].Info.Title, "Семь «первая»");
    EXPECT_EQ(Ws->SystemsOwner(RowOf(3)), TSystemOwner::Own);
    const auto calls = Fake.Calls(); // the start-up's library list comes first
    const auto list = std::find_if(calls.begin(), calls.end(),
                                   [](const auto& c) { return c.Path == "/scripts/sys_getlist.php"; });
    ASSERT_NE(list, calls.end());
    EXPECT_EQ(list->Field("comblen"), "4");
    EXPECT_EQ(list->Field("maxnums"), "10");

    ASSERT_TRUE(Ws->SystemsDownload({RowOf(3)}));
    const auto own = Ws->SystemsDir() / "4-07-0_0003.dat";
    EXPECT_EQ(ReadBytes(own), "01 02 03 04\r\n05 06 07 01\r\n");
    EXPECT_EQ(LastWrite(own), 1700000000);
    ASSERT_TRUE(Ws->SystemsDownload({RowOf(4)}));
    EXPECT_FALSE(std::filesystem::exists(own));
    EXPECT_FALSE(Rows()[RowOf(3)].Loaded);
    EXPECT_TRUE(Rows()[RowOf(4)].Loaded);

    // Loading again asks for no content while the copy is current; a newer system is refetched.
    Fake.ClearCalls();
    ASSERT_TRUE(Ws->SystemsLoad());
    EXPECT_EQ(GetDataCalls(), 0);
    Fake.AddSystem(FakeSystem(4, 7, "Семь вторая", "other@example.org", "07 06 05 03", 1, 1700000100));
    ASSERT_TRUE(Ws->SystemsLoad());
    EXPECT_EQ(GetDataCalls(), 1);
    EXPECT_EQ(ReadBytes(Ws->SystemsDir() / "4-07-0_0004.dat"), "07 06 05 03\r\n");
    EXPECT_EQ(LastWrite(Ws->SystemsDir() / "4-07-0_0004.dat"), 1700000100);

    // Publishing sends the author's identity and the escaped texts; the server keeps them as typed.
    tSystemData data = Ws->SystemsNewData();
    data.Title = "Моя \"девятка\" \\ ?";
    data.Description = "Строка 1\r\nСтрока 2";
    data.Nums = 9;
    data.Block = 2;
    data.CombinationsCount = 2;
    data.Url = "http://example.org/a?b=1&c=\"2\"";
    data.Content = "01 02 03 04\r\n02 03 04 09";
    const std::optional<size_t> row = Ws->SystemsAdd(data);
    ASSERT_TRUE(row) << (Shell.Errors().empty() ? "" : Shell.Errors().back());
    const int32_t id = Rows()[*row].Info.Id;
    const auto stored = Fake.Systems();
    const auto mine =
        std::find_if(stored.begin(), stored.end(), [id](const TFakeSystem& s) { return s.Id == id; });
    ASSERT_NE(mine, stored.end());
    EXPECT_EQ(mine->Title, data.Title);
    EXPECT_EQ(mine->Descr, data.Description);
    EXPECT_EQ(mine->Url, data.Url);
    EXPECT_EQ(mine->Content, data.Content);
    EXPECT_EQ(mine->Mail, "me@example.org");
    EXPECT_EQ(mine->Olap, 2);

    // Another's system is refused before anything is sent; the own one goes with its row.
    Fake.ClearCalls();
    EXPECT_FALSE(Ws->SystemsDelete(RowOf(4)));
    EXPECT_TRUE(Fake.Calls().empty());
    Shell.Answers = {true};
    ASSERT_TRUE(Ws->SystemsDelete(*row));
    EXPECT_EQ(RowOf(id), SIZE_MAX);
    EXPECT_EQ(Fake.Systems().size(), 2u);
    EXPECT_EQ(Shell.Errors(), std::vector<std::string>{"Вы можете удалять только свои системы!"});
}

TEST_F(SystemsCatalogueServer, FaultyAnswersChangeNoFile) {
    Fake.AddSystem(FakeSystem(3, 10, "Десять", "", "01 02 03 04", 1));
    Fake.AddSystem(FakeSystem(4, 10, "Десять с 11", "", "01 02 03 11", 1));
    StartAgainstFake();
    ASSERT_TRUE(Ws->SystemsLoad());
    ASSERT_TRUE(Ws->SystemsDownload({RowOf(3)}));
    const auto copy = Ws->SystemsDir() / "4-10-0_0003.dat";
    const std::string before = ReadBytes(copy);

    EXPECT_FALSE(Ws->SystemsDownload({RowOf(4)}));
    EXPECT_EQ(Shell.Errors().back().rfind("Ошибка загрузки системы #4!\r\r", 0), 0u);
    Fake.SetFault(TCatalogueFault::ExtraLine);
    EXPECT_FALSE(Ws->SystemsDownload({RowOf(3)}));
    EXPECT_EQ(Shell.Errors().back(), "Ошибка загрузки системы #3!\r\rКоличество скачанных комбинаций ( 2 ) "
                                     "отличается от ожидаемого значения ( 1 )");
    for (TCatalogueFault fault : {TCatalogueFault::BadBase64, TCatalogueFault::ErrorRow,
                                  TCatalogueFault::Truncated, TCatalogueFault::ServerError}) {
        Fake.SetFault(fault, "/scripts/sys_getdata.php");
        EXPECT_FALSE(Ws->SystemsDownload({RowOf(3)}));
    }
    EXPECT_EQ(ReadBytes(copy), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Ws->SystemsDir()), {}), 1);

    // A list that fails keeps nothing; an empty result gives the placeholder.
    Fake.SetFault(TCatalogueFault::ErrorRow);
    EXPECT_FALSE(Ws->SystemsLoad());
    EXPECT_EQ(Shell.Errors().back().rfind("Ошибка загрузки списка систем!\r\rСервер сообщил об ошибке: ", 0),
              0u);
    EXPECT_TRUE(Rows().empty());
    Fake.SetFault(TCatalogueFault::EmptyResult);
    ASSERT_TRUE(Ws->SystemsLoad());
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0].Info.Title, "Список систем не доступен!");
    EXPECT_EQ(ReadBytes(copy), before);
}
