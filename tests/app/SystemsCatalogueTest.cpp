#include "app/WorkspaceFixture.h"

#include "app/MemorySystemsServer.h"
#include "app/SystemForm.h"
#include "core/IniFile.h"
#include "online/CatalogueText.h"
#include "stakes/SystemFiles.h"

using namespace qx;
using namespace qx::test;

namespace {

tSystemInfo Entry(int32_t id, int nums, int count, const char* mail, TDateTime created = 45000.25) {
    tSystemInfo info;
    info.Id = id;
    info.Nums = static_cast<uint8_t>(nums);
    info.CombinationsCount = count;
    info.Title = "Система " + std::to_string(id);
    info.Author = "Автор";
    info.AuthorEmail = mail;
    info.Created = created;
    return info;
}

std::string Content(int lines, const char* line = "01 02 03 04") {
    std::string text;
    for (int i = 0; i < lines; ++i) text += std::string(line) + "\r\n";
    return text;
}

} // namespace

class SystemsCatalogue : public WorkspaceFixture {
protected:
    TMemorySystems Store;

    void StartWithUser(const char* mail = "Me@Example.org") {
        TIniFile ini;
        ini.WriteString("ONLINE", "UserName", "Я");
        ini.WriteString("ONLINE", "UserMail", mail);
        ini.Save(Dir / "Quadrix_4d10.ini");
        Start();
        Ws->SetSystemsServer([this] { return MemoryServer(Store); });
    }
    const std::vector<TSystemRow>& Rows() const { return Ws->SystemsCatalogue().Rows(); }
    size_t RowOf(int32_t id) const {
        for (size_t i = 0; i < Rows().size(); ++i)
            if (Rows()[i].Info.Id == id) return i;
        return SIZE_MAX;
    }
};

TEST_F(SystemsCatalogue, EmptyAnswerGivesThePlaceholderAndNoServerSendsNothing) {
    Start();
    EXPECT_FALSE(Ws->SystemsLoad());
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0], "Ошибка загрузки списка систем!\r\rАдрес сервера не задан");
    EXPECT_TRUE(Rows().empty());

    Ws->SetSystemsServer([this] { return MemoryServer(Store); });
    ASSERT_TRUE(Ws->SystemsLoad());
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_TRUE(Rows()[0].Placeholder());
    EXPECT_EQ(Rows()[0].Info.Title, "Список систем не доступен!");
    EXPECT_TRUE(Ws->SystemsDownload({0})); // nothing to fetch for the placeholder
    EXPECT_TRUE(Store.ContentAsked.empty());
    EXPECT_FALSE(std::filesystem::exists(Ws->SystemsDir()));

    // A failing list shows its message and leaves the list empty; hiding the tab clears it.
    Store.Failure = "Сервер сообщил об ошибке: нет";
    EXPECT_FALSE(Ws->SystemsLoad());
    EXPECT_EQ(Shell.Errors().back(), "Ошибка загрузки списка систем!\r\rСервер сообщил об ошибке: нет");
    EXPECT_TRUE(Rows().empty());
}

TEST_F(SystemsCatalogue, FetchReplacesTheOtherCopyOfTheSameN) {
    StartWithUser();
    Store.Add(Entry(3, 7, 2, ""), Content(2));
    Store.Add(Entry(4, 7, 1, ""), Content(1, "07 06 05 04"));
    Store.Add(Entry(5, 8, 1, ""), Content(1, "08 06 05 04"));
    ASSERT_TRUE(Ws->SystemsLoad());
    ASSERT_TRUE(Ws->SystemsDownload({RowOf(3), RowOf(5)}));
    EXPECT_TRUE(Rows()[RowOf(3)].Loaded);
    EXPECT_TRUE(Rows()[RowOf(5)].Loaded);
    EXPECT_EQ(Shell.Statuses.back(), "");
    EXPECT_NE(std::find(Shell.Statuses.begin(), Shell.Statuses.end(), "Загрузка \"Система 3\"..."),
              Shell.Statuses.end());

    ASSERT_TRUE(Ws->SystemsDownload({RowOf(4)}));
    EXPECT_TRUE(Rows()[RowOf(4)].Loaded);
    EXPECT_FALSE(Rows()[RowOf(3)].Loaded); // its "Загружена" is cleared
    EXPECT_TRUE(Rows()[RowOf(5)].Loaded);
    EXPECT_FALSE(std::filesystem::exists(Ws->SystemsDir() / "4-07-0_0003.dat"));
    EXPECT_EQ(ReadBytes(Ws->SystemsDir() / "4-07-0_0004.dat"), "07 06 05 04\r\n");
    EXPECT_TRUE(Shell.Errors().empty());
}

TEST_F(SystemsCatalogue, BadContentWritesNothingAndNamesTheSystem) {
    StartWithUser();
    Store.Add(Entry(3, 10, 1, ""), Content(1));
    Store.Add(Entry(7, 10, 119, ""), Content(120));
    Store.Add(Entry(8, 10, 1, ""), Content(1, "01 02 03 11"));
    ASSERT_TRUE(Ws->SystemsLoad());
    ASSERT_TRUE(Ws->SystemsDownload({RowOf(3)}));
    const std::string old = ReadBytes(Ws->SystemsDir() / "4-10-0_0003.dat");

    EXPECT_FALSE(Ws->SystemsDownload({RowOf(7), RowOf(8)}));
    ASSERT_EQ(Shell.Errors().size(), 2u);
    EXPECT_EQ(Shell.Errors()[0], "Ошибка загрузки системы #7!\r\rКоличество скачанных комбинаций ( 120 ) "
                                 "отличается от ожидаемого значения ( 119 )");
    EXPECT_EQ(Shell.Errors()[1].rfind("Ошибка загрузки системы #8!\r\r", 0), 0u);
    EXPECT_EQ(ReadBytes(Ws->SystemsDir() / "4-10-0_0003.dat"), old);
    EXPECT_TRUE(Rows()[RowOf(3)].Loaded);
    EXPECT_FALSE(Rows()[RowOf(7)].Loaded);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Ws->SystemsDir()), {}), 1);
}

TEST_F(SystemsCatalogue, LoadingRefetchesOnlyStaleCopies) {
    StartWithUser();
    Store.Add(Entry(3, 6, 1, ""), Content(1));
    Store.Add(Entry(4, 9, 1, ""), Content(1));
    ASSERT_TRUE(Ws->SystemsLoad());
    ASSERT_TRUE(Ws->SystemsDownload({RowOf(3), RowOf(4)}));
    Store.ContentAsked.clear();

    // System 4 changed on the server (new time and content); system 3 did not.
    Store.Add(Entry(4, 9, 2, "", 45001.5), Content(2, "09 08 07 06"));
    ASSERT_TRUE(Ws->SystemsLoad());
    EXPECT_EQ(Store.ContentAsked, std::vector<int32_t>{4});
    EXPECT_EQ(ReadBytes(Ws->SystemsDir() / "4-09-0_0004.dat"), Content(2, "09 08 07 06"));
    EXPECT_FALSE(SystemFileStale(Ws->SystemsDir(), Rows()[RowOf(4)].Info,
                                 LocalToUnixTime(Rows()[RowOf(4)].Info.Created)));
    EXPECT_TRUE(Rows()[RowOf(3)].Loaded && Rows()[RowOf(4)].Loaded);

    // A refresh that fails keeps the old copy and the list.
    Store.ContentAsked.clear();
    Store.Add(Entry(3, 6, 5, "", 45002.5), Content(1));
    ASSERT_TRUE(Ws->SystemsLoad());
    EXPECT_EQ(Store.ContentAsked, std::vector<int32_t>{3});
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка загрузки системы #3!\r\r", 0), 0u);
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_TRUE(Rows()[RowOf(3)].Loaded);
}

TEST_F(SystemsCatalogue, OwnSystemsArePublishedChangedAndDeleted) {
    StartWithUser();
    Store.Add(Entry(3, 7, 1, "other@example.org"), Content(1));
    Store.Add(Entry(4, 7, 1, ""), Content(1));
    ASSERT_TRUE(Ws->SystemsLoad());
    EXPECT_EQ(Ws->SystemsOwner(RowOf(3)), TSystemOwner::Other);
    EXPECT_EQ(Ws->SystemsOwner(RowOf(4)), TSystemOwner::Nobody);

    tSystemData data = Ws->SystemsNewData();
    EXPECT_EQ(data.Id, 0);
    EXPECT_EQ(data.Author, "Я");
    EXPECT_EQ(data.AuthorEmail, "Me@Example.org");
    data.Title = "Моя";
    data.Nums = 5;
    data.CombinationsCount = 1;
    data.Content = "01 02 03 05";
    data.Created = 45003.0;
    const std::optional<size_t> row = Ws->SystemsAdd(data);
    ASSERT_TRUE(row);
    EXPECT_EQ(Rows()[*row].Info.Id, 100);
    EXPECT_FALSE(Rows()[*row].Loaded);                    // published, not fetched
    EXPECT_EQ(Ws->SystemsOwner(*row), TSystemOwner::Own); // e-mail letter case ignored
    EXPECT_EQ(Store.Systems[100].Content, "01 02 03 05");

    // Properties: the content comes from the server; the change is stored under the row's id.
    std::optional<tSystemData> shown = Ws->SystemsData(*row);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->Content, "01 02 03 05");
    shown->Title = "Моя новая";
    ASSERT_TRUE(Ws->SystemsChange(*row, *shown));
    EXPECT_EQ(Rows()[*row].Info.Title, "Моя новая");
    EXPECT_EQ(Store.Systems[100].Title, "Моя новая");
    EXPECT_FALSE(Ws->SystemsChange(RowOf(3), *shown)); // another's system is never stored

    // Deleting: another's and nobody's refused without a request; No keeps the row.
    Store.Puts.clear();
    EXPECT_FALSE(Ws->SystemsDelete(RowOf(3)));
    EXPECT_FALSE(Ws->SystemsDelete(RowOf(4)));
    EXPECT_EQ(Shell.Errors(), (std::vector<std::string>{"Вы можете удалять только свои системы!",
                                                        "Вы можете удалять только свои системы!"}));
    Shell.Answers = {false};
    EXPECT_FALSE(Ws->SystemsDelete(*row));
    EXPECT_TRUE(Store.Puts.empty());
    EXPECT_EQ(Shell.Texts(TMessageKind::AskNo).back(),
              "Вы действительно хотите удалить систему \"Моя новая\"?");

    // An answer other than 0 keeps the row and the local copy.
    Store.Systems[100].Created = 45003.0;
    ASSERT_TRUE(Ws->SystemsDownload({*row}));
    Store.DeleteAnswer = 5;
    Shell.Answers = {true};
    EXPECT_FALSE(Ws->SystemsDelete(*row));
    EXPECT_EQ(Shell.Errors().back(), "Ошибка удаления системы!\r\rКод возврата: 5");
    EXPECT_TRUE(Rows()[*row].Loaded);

    Store.DeleteAnswer = 0;
    Shell.Answers = {true};
    ASSERT_TRUE(Ws->SystemsDelete(*row));
    EXPECT_EQ(RowOf(100), SIZE_MAX);
    EXPECT_EQ(Store.Systems.count(100), 0u);
    EXPECT_FALSE(std::filesystem::exists(Ws->SystemsDir() / "4-05-0_0100.dat"));
}

TEST_F(SystemsCatalogue, FailedPublishingNamesBothSteps) {
    StartWithUser();
    Store.Failure = "Код возврата: -1";
    tSystemData data = Ws->SystemsNewData();
    data.Title = "Моя";
    EXPECT_FALSE(Ws->SystemsAdd(data));
    EXPECT_EQ(Shell.Errors().back(),
              "Ошибка добавления системы!\r\rОшибка сохранения системы #0!\r\rКод возврата: -1");
    EXPECT_TRUE(Rows().empty());
}
