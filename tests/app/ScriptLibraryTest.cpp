// The online script library through the workspace, against the fake catalogue.
#include <gtest/gtest.h>

#include <cstdlib>

#include "FakeCatalogue.h"
#include "app/ScriptPublicForm.h"
#include "app/WorkspaceFixture.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "core/Text.h"
#include "online/CatalogueText.h"
#include "online/OnlineSettings.h"

namespace qx::test {
namespace {

using fake::TCatalogueFault;

const char* kMail = "user@example.org";

std::string FileBytes(const std::filesystem::path& p) {
    return std::filesystem::exists(p) ? ReadFileBytes(p) : std::string("<none>");
}

class ScriptLibrary : public WorkspaceFixture {
protected:
    fake::TFakeCatalogue Fake;

    void StartWith(const std::string& url) {
        UpdateIniFile(Dir / "Quadrix_4d10.ini", [&](TIniFile& ini) {
            ini.WriteString(kOnlineSection, "CatalogueUrl", url);
            ini.WriteString(kOnlineSection, "UserName", "Пользователь");
            ini.WriteString(kOnlineSection, "UserMail", kMail);
        });
        Start();
        Ws->HttpOptions().ConnectTimeoutMs = 1000;
        Ws->HttpOptions().ReadTimeoutMs = 300;
    }
    void SetUp() override { StartWith(Fake.BaseUrl()); }

    int Seed(const std::string& title, const std::string& mail, bool universal, const std::string& guid,
             const std::string& script = "A|B\r\nC") {
        fake::TFakeScript s;
        s.Author = "Автор";
        s.AuthorMail = mail;
        s.Universal = universal;
        s.AppGuid = guid;
        s.Title = title;
        s.Script = script;
        return Fake.AddScript(s);
    }
    // The current script's lines, as opening a script file sets them.
    void SetLines(const std::vector<std::string>& lines) {
        WriteFileAtomic(Dir / "set.lsc", Utf8ToCp1251(JoinLinesCrLf(lines)));
        ASSERT_TRUE(Ws->ScriptOpen(Dir / "set.lsc"));
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> t;
        for (const auto& e : Ws->ScriptLibrary().Entries()) t.push_back(e.Title);
        return t;
    }
    bool SelectTitle(const std::string& title) {
        for (const auto& e : Ws->ScriptLibrary().Entries())
            if (e.Title == title) return Ws->ScriptLibrarySelectId(e.Id);
        return false;
    }
    std::string LastFltid() const {
        for (auto calls = Fake.Calls(); !calls.empty(); calls.pop_back())
            if (calls.back().Path == "/scripts/scr_getlist.php") return calls.back().Field("fltid");
        return "<none>";
    }
};

TEST_F(ScriptLibrary, PublishListDownloadRateHideReplaceDelete) {
    const std::vector<std::string> lines = {"SUMM;1000;1|0|1|2 \"кавычки\" ?", "back\\slash\tи табуляция", "", "конец"};
    SetLines(lines);
    tScriptData d = Ws->ScriptLibraryNewData();
    EXPECT_EQ(d.Id, -1);
    EXPECT_EQ(d.Author, "Пользователь");
    EXPECT_EQ(d.Language, 1049);
    EXPECT_TRUE(d.Public);
    EXPECT_FALSE(d.Universal);
    TScrPublicInput in{"  Пользователь ", 1049, " Сценарий \"№1\" ? \\ ", true, false, "Описание\r\nстроки"};
    ASSERT_TRUE(AcceptScriptPublic(d, in, [&](int32_t id, const std::string& t) { return Ws->ScriptLibraryTitleFree(id, t); }));
    EXPECT_EQ(d.Title, "Сценарий \"№1\" ? \\");
    ASSERT_TRUE(Ws->ScriptLibraryUpload(d));
    ASSERT_EQ(Fake.Scripts().size(), 1u);
    EXPECT_EQ(Fake.Scripts()[0].Script, "SUMM;1000;1|0|1|2 \"кавычки\" ?\r\nback\\slash\tи табуляция\r\n\r\nконец");
    EXPECT_EQ(Fake.Scripts()[0].Title, d.Title);
    const tScriptInfo* added = Ws->ScriptLibrary().Current();
    ASSERT_NE(added, nullptr);
    EXPECT_TRUE(added->Mine && added->Editable);
    EXPECT_EQ(added->AppName, "Quadrix_4d10");
    EXPECT_GT(added->Created, 0);

    // Listed back and downloaded into an emptied script.
    ASSERT_TRUE(Ws->ScriptLibraryLoad());
    EXPECT_EQ(LastFltid(), "1");
    EXPECT_EQ(Titles(), std::vector<std::string>{d.Title});
    EXPECT_EQ(Ws->ScriptLibrary().Selected(), 0);  // the selection survives the reload
    SetLines({"other"});
    ASSERT_TRUE(Ws->ScriptLibraryDownload());
    EXPECT_EQ(Ws->Script().Lines(), std::vector<std::string>(lines.begin(), lines.end()));
    EXPECT_EQ(FileBytes(Ws->Paths().ScriptFile()), Utf8ToCp1251(JoinLinesCrLf(lines)));

    // Rated with a comment, the rating removed, hidden: each reloads the list.
    ASSERT_TRUE(Ws->ScriptLibraryRate(4, "Неплохо, \"да\""));
    ASSERT_EQ(Fake.Ratings().size(), 1u);
    EXPECT_EQ(Fake.Ratings()[0].Notes, "Неплохо, \"да\"");
    EXPECT_EQ(Ws->ScriptLibrary().Current()->YourRating, 4);
    EXPECT_DOUBLE_EQ(Ws->ScriptLibrary().Current()->Rating, 4.0);
    ASSERT_TRUE(Ws->ScriptLibraryRate(0, "ignored"));
    EXPECT_TRUE(Fake.Ratings().empty());
    EXPECT_EQ(Fake.Calls().back().Path, "/scripts/scr_getlist.php");
    ASSERT_TRUE(Ws->ScriptLibraryRate(-1, ""));
    EXPECT_TRUE(Titles().empty());  // the default filter leaves hidden ones out
    Ws->SetFormKey("ScriptLibraryFilter", 0);
    ASSERT_TRUE(Ws->ScriptLibraryLoad());
    EXPECT_EQ(LastFltid(), "-1");
    ASSERT_EQ(Titles(), std::vector<std::string>{d.Title});
    ASSERT_TRUE(SelectTitle(d.Title));
    EXPECT_EQ(ScriptLibraryCells(*Ws->ScriptLibrary().Current())[9], "Скрытый");

    // Replaced under a new title, then deleted.
    SetLines({"new line"});
    tScriptData r = ScriptDataOf(*Ws->ScriptLibrary().Current());
    r.Title = "Новое название";
    ASSERT_TRUE(Ws->ScriptLibraryReplace(r));
    EXPECT_EQ(Fake.Scripts()[0].Script, "new line");
    EXPECT_EQ(Ws->ScriptLibrary().Current()->Title, "Новое название");
    Shell.Answers = {false};
    EXPECT_FALSE(Ws->ScriptLibraryDelete());
    EXPECT_EQ(Fake.Scripts().size(), 1u);
    Shell.Answers = {true};
    ASSERT_TRUE(Ws->ScriptLibraryDelete());
    EXPECT_TRUE(Fake.Scripts().empty());
    EXPECT_EQ(Ws->ScriptLibrary().Count(), 0);
    EXPECT_EQ(Shell.Messages.back().Kind, TMessageKind::AskNo);
    EXPECT_EQ(Shell.Messages.back().Text, "Вы действительно хотите удалить сценарий \"Новое название\"?");
    EXPECT_TRUE(Shell.Errors().empty()) << Shell.Errors().front();
}

TEST_F(ScriptLibrary, TitleChecksKeepTheDialogOpen) {
    const int id = Seed("Занято", "x@y.z", true, "");
    auto check = [&](int32_t i, const std::string& t) { return Ws->ScriptLibraryTitleFree(i, t); };
    tScriptData d = Ws->ScriptLibraryNewData();
    TScrPublicInput in{"Автор", 1049, "Занято", true, false, ""};
    EXPECT_EQ(AcceptScriptPublic(d, in, check).Message, kScrPublicTitleTaken);
    d.Id = id;  // its own title is free for the entry itself
    EXPECT_TRUE(AcceptScriptPublic(d, in, check));
    d.Id = -1;
    in.Title = "  ";
    EXPECT_EQ(AcceptScriptPublic(d, in, check).Message, kScrPublicNoTitle);
    in.Title = "Свободно";
    in.Author = " ";
    EXPECT_EQ(AcceptScriptPublic(d, in, check).Field, TScrPublicField::Author);
    Fake.SetFault(TCatalogueFault::ServerError);
    in.Author = "Автор";
    const TScrPublicResult failed = AcceptScriptPublic(d, in, check);
    EXPECT_EQ(failed.Field, TScrPublicField::Title);
    EXPECT_EQ(failed.Message.rfind("Ошибка проверки уникальности online-сценария!\r\r", 0), 0u);
}

TEST_F(ScriptLibrary, ForeignNonUniversalScriptsCannotBeDownloaded) {
    Seed("Чужой", "x@y.z", false, "{another-program}");
    Seed("Общий", "x@y.z", true, "{another-program}");
    SetLines({"keep"});
    ASSERT_TRUE(Ws->ScriptLibraryLoad());
    ASSERT_TRUE(SelectTitle("Чужой"));
    EXPECT_FALSE(ScriptLibraryEnabling(Ws->ScriptLibrary().Current(), false).Download);
    EXPECT_FALSE(Ws->ScriptLibraryDownload());
    EXPECT_EQ(Ws->Script().Lines(), std::vector<std::string>{"keep"});
    ASSERT_TRUE(SelectTitle("Общий"));
    const TScriptLibraryEnabling en = ScriptLibraryEnabling(Ws->ScriptLibrary().Current(), false);
    EXPECT_TRUE(en.Download);
    EXPECT_FALSE(en.Replace || en.Delete || en.Rate0);
    EXPECT_TRUE(Ws->ScriptLibraryDownload());
    EXPECT_EQ(Ws->Script().Lines(), (std::vector<std::string>{"A|B", "C"}));
}

TEST_F(ScriptLibrary, EveryFailureKeepsListScriptAndFiles) {
    Seed("Первый", kMail, true, "");
    ASSERT_TRUE(Ws->ScriptLibraryLoad());
    ASSERT_TRUE(SelectTitle("Первый"));
    SetLines({"mine"});
    ASSERT_TRUE(Ws->SaveCurrentScript());
    const std::string lss = FileBytes(Ws->Paths().ScriptFile());
    const std::string ini = FileBytes(Dir / "Quadrix_4d10.ini");
    const std::vector<std::string> titles = Titles();
    for (TCatalogueFault f : {TCatalogueFault::ServerError, TCatalogueFault::Stall, TCatalogueFault::Truncated,
                              TCatalogueFault::UnclosedTag, TCatalogueFault::ErrorRow, TCatalogueFault::BadBase64}) {
        Fake.SetFault(f);
        Shell.Messages.clear();
        EXPECT_FALSE(Ws->ScriptLibraryLoad());
        EXPECT_FALSE(Ws->ScriptLibraryDownload());
        // A rating answer carries no Base64: that fault cannot touch it.
        if (f != TCatalogueFault::BadBase64) {
            EXPECT_FALSE(Ws->ScriptLibraryRate(5, ""));
        }
        const auto errors = Shell.Errors();
        ASSERT_EQ(errors.size(), f != TCatalogueFault::BadBase64 ? 3u : 2u) << int(f);
        EXPECT_EQ(errors[0].rfind("Ошибка загрузки каталога online-сценариев!\r\r", 0), 0u) << errors[0];
        EXPECT_EQ(errors[1].rfind("Ошибка загрузки online-сценария!\r\r", 0), 0u) << errors[1];
        if (errors.size() > 2) {
            EXPECT_EQ(errors[2].rfind("Ошибка сохранения оценки online-сценария!\r\r", 0), 0u) << errors[2];
        }
        EXPECT_EQ(Titles(), titles);
        EXPECT_EQ(Ws->Script().Lines(), std::vector<std::string>{"mine"});
    }
    Fake.SetFault(TCatalogueFault::ErrorRow);
    Shell.Messages.clear();
    tScriptData d = Ws->ScriptLibraryNewData();
    d.Title = "T";
    EXPECT_FALSE(Ws->ScriptLibraryUpload(d));
    EXPECT_EQ(Shell.Errors().at(0), "Ошибка публикации online-сценария!\r\rОшибка сохранения online-сценария в базе "
                                    "данных!\r\rСервер сообщил об ошибке: Доступ запрещён");
    Shell.Answers = {true};
    EXPECT_FALSE(Ws->ScriptLibraryDelete());
    EXPECT_EQ(Shell.Errors().at(1).rfind("Ошибка публикации online-сценария!\r\rОшибка удаления online-сценария", 0), 0u);
    EXPECT_FALSE(Ws->ScriptLibraryRates());
    EXPECT_EQ(Shell.Errors().at(2).rfind("Ошибка просмотра оценок online-сценария!\r\r", 0), 0u);
    // No script row: the script stays, and nothing is reported as wrong.
    Fake.SetFault(TCatalogueFault::NoScriptRow);
    Shell.Messages.clear();
    EXPECT_FALSE(Ws->ScriptLibraryDownload());
    EXPECT_TRUE(Shell.Errors().empty());
    EXPECT_EQ(Titles(), titles);
    EXPECT_EQ(Ws->Script().Lines(), std::vector<std::string>{"mine"});
    EXPECT_EQ(FileBytes(Ws->Paths().ScriptFile()), lss);
    EXPECT_EQ(FileBytes(Dir / "Quadrix_4d10.ini"), ini);
}

TEST_F(ScriptLibrary, WithoutAServerNothingIsSent) {
    Ws.reset();
    Fake.ClearCalls();
    StartWith("");
    EXPECT_TRUE(Shell.Errors().empty());  // the start-up load stays silent
    EXPECT_FALSE(Ws->ScriptLibraryLoad());
    EXPECT_EQ(Shell.Errors().back(), "Ошибка загрузки каталога online-сценариев!\r\rАдрес сервера не задан");
    EXPECT_TRUE(Fake.Calls().empty());
}

TEST_F(ScriptLibrary, StartUpListsWhenThePanelIsShownAndHidingEmptiesIt) {
    Seed("Есть", "x@y.z", true, "");
    Restart();
    EXPECT_EQ(Titles(), std::vector<std::string>{"Есть"});
    Ws->ScriptLibraryToggle();
    EXPECT_FALSE(Ws->ScriptLibraryShown());
    EXPECT_TRUE(Titles().empty());
    Restart();
    EXPECT_TRUE(Titles().empty());
    EXPECT_FALSE(Ws->ScriptLibraryShown());
}

TEST(ScriptLibraryCellsTest, ColumnsAndDatesInTheLocalZone) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "UTC", 1);
    tzset();
    tScriptInfo e;
    e.Title = "T";
    e.Author = "A";
    e.AppName = "Prog";
    e.AppVersion = "1.2";
    e.Language = 1049;
    e.Created = CatalogueUtcToLocal("2024-05-01 22:00:00");
    e.Rating = 1234.5;
    e.Ratings = 3;
    e.Downloads = 7;
    auto cells = ScriptLibraryCells(e);
    EXPECT_EQ(cells, (std::vector<std::string>{"Общий", "T", "A", "Prog", "1.2", "RUS", "2024-05-01 22:00:00",
                                               "1 234.500", "3", "", "7", "", ""}));
    e.Mine = e.Universal = true;
    e.YourRating = 5;
    cells = ScriptLibraryCells(e);
    EXPECT_EQ(cells[0], "Мой");
    EXPECT_EQ(cells[3], "Универсальный");
    EXPECT_EQ(cells[9], "5");
    setenv("TZ", "MSK-3", 1);
    tzset();
    tScriptInfo shifted;
    shifted.Created = CatalogueUtcToLocal("2024-05-01 22:00:00");
    EXPECT_EQ(ScriptLibraryCells(shifted)[6], "2024-05-02 01:00:00");
    if (old) setenv("TZ", saved.c_str(), 1);
    else unsetenv("TZ");
    tzset();
    EXPECT_EQ(FormatGrouped(-0.0004, 3), "0.000");
    EXPECT_EQ(FormatGrouped(-1234567, 0), "-1 234 567");
}

TEST(ScriptLibraryCellsTest, ReceivedTextSplitsAtCrLfOrLf) {
    EXPECT_EQ(ScriptTextLines("a\r\nb\nc\r\n"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ScriptTextLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(ScriptTextLines("a\rb"), (std::vector<std::string>{"a\rb"}));
    EXPECT_TRUE(ScriptTextLines("").empty());
}

} // namespace
} // namespace qx::test
