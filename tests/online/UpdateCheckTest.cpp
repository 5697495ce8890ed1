#include <gtest/gtest.h>

#include "UpdateTestSupport.h"
#include "core/Text.h"
#include "online/UpdateAddress.h"
#include "online/UpdateVersion.h"

using namespace qx;
using namespace qx::test;

namespace {

const std::string kPackage = "#!/bin/sh\necho new > new.txt\n";

class UpdateCheck : public UpdateFixture {
protected:
    // The offer the check makes for a program section, or none.
    std::optional<TUpdateOffer> CheckSection(const std::string& section) {
        Server.SetConfig("[Quadrix_4d10]\n" + section);
        TSelfUpdater updater(Shell, Options);
        return updater.Check(ConfigUrl(), 1049);
    }
    bool Fetched() const {
        return std::filesystem::exists(Dir / "SelfUpdates.inf") || std::filesystem::exists(Dir / "UpdDescr_2.1.0.58.txt");
    }
};

} // namespace

TEST(UpdateVersion, TheBuildNumberIsTheFourthWord) {
    EXPECT_EQ(BuildNumber("2.1.0.57"), 57);
    EXPECT_EQ(BuildNumber("2,1-0_58"), 58);
    EXPECT_EQ(BuildNumber("2.1.0"), 0);
    EXPECT_EQ(BuildNumber("2.1.0.x"), 0);
    EXPECT_EQ(BuildNumber(ProgramVersion()), 0);  // "1.0.0.0": every offer looks newer
    EXPECT_TRUE(SafeVersionId("2.1.0.58-beta_1"));
    for (const char* bad : {"", ".hidden", "../x", "a/b", "a b", "2.1;0"}) EXPECT_FALSE(SafeVersionId(bad)) << bad;
}

TEST_F(UpdateCheck, OffersOnlyANewerBuildWithAPackage) {
    EXPECT_TRUE(CheckSection("VerId=2.1.0.58\nDownloadUrl=https://x/p.upd\n"));
    EXPECT_FALSE(CheckSection("VerId=3.0.0.12\nDownloadUrl=https://x/p.upd\n"));  // build 12 < 57
    EXPECT_FALSE(CheckSection("VerId=2.1.0\nDownloadUrl=https://x/p.upd\n"));     // build 0
    EXPECT_FALSE(CheckSection("VerId=2.1.0.58\nDownloadUrl=\n"));
    EXPECT_FALSE(CheckSection("DownloadUrl=https://x/p.upd\n"));  // no VerId: the running version
    // The section's name ignores letter case; another program's section is not read.
    Server.SetConfig("[quadrix_4D10]\nVerId=2.1.0.58\nDownloadUrl=https://x/p.upd\n[Other]\nVerId=9.9.9.99\n");
    EXPECT_TRUE(TSelfUpdater(Shell, Options).Check(ConfigUrl(), 1049));
}

TEST_F(UpdateCheck, DescriptionsAreTriedByLanguageNameLocaleThenVersionAndRemovedAfterwards) {
    Offer(kPackage);
    const std::vector<std::string> names = {"UpdDescr_RUS_2.1.0.58.txt", "UpdDescr_1049_2.1.0.58.txt",
                                            "UpdDescr_2.1.0.58.txt"};
    for (size_t i = names.size(); i-- > 0;) {
        Server.SetDescription(names[i], "Описание " + std::to_string(i) + "\n");
        EXPECT_EQ(Run(false), 0);
        ASSERT_TRUE(Offered);
        EXPECT_EQ(Offered->DescriptionText, "Описание " + std::to_string(i) + "\r\n");
        EXPECT_EQ(Offered->Data.Description, "Версия 58");
        EXPECT_EQ(Offered->CurrentVersion, "2.1.0.57");
        EXPECT_FALSE(Fetched());
    }
    // The first name that arrives wins; the later ones are not asked for.
    const auto paths = Server.Paths();
    EXPECT_EQ(paths.back(), "/files/autoupdates/UpdDescr/UpdDescr_RUS_2.1.0.58.txt");
}

TEST_F(UpdateCheck, WithoutADescriptionThePlaceholderIsShown) {
    Offer(kPackage);
    EXPECT_EQ(Run(false), 0);
    ASSERT_TRUE(Offered);
    EXPECT_EQ(Offered->DescriptionText, "< Описание обновления не доступно >");
    EXPECT_TRUE(Shell.Errors().empty());
    EXPECT_FALSE(Fetched());
}

TEST_F(UpdateCheck, NothingNewerIsReportedUnlessQuiet) {
    Server.SetConfig("[Quadrix_4d10]\nVerId=2.1.0.57\nDownloadUrl=https://x/p.upd\n");
    EXPECT_EQ(Run(true, false), 0);
    EXPECT_EQ(Shell.Texts(TMessageKind::Info), std::vector<std::string>{"Обновлений не найдено!"});
    EXPECT_EQ(Run(true, true), 0);
    EXPECT_EQ(Shell.Messages.size(), 1u);
    EXPECT_FALSE(Offered);
    EXPECT_FALSE(Fetched());
    // The check's progress window had its five steps and closed.
    ASSERT_FALSE(Shell.ProgressLog.empty());
    EXPECT_EQ(Shell.ProgressLog.front().Text, "Поиск доступных обновлений...");
    EXPECT_EQ(Shell.ProgressLog.front().Steps, 5);
    EXPECT_FALSE(Shell.ProgressLog.back().Open);
}

TEST_F(UpdateCheck, AFailedSearchIsAnErrorUnlessQuiet) {
    for (int status : {404, 500}) {
        Server.SetConfigStatus(status);
        Shell.Messages.clear();
        EXPECT_EQ(Run(true, false), 2);
        ASSERT_EQ(Shell.Errors().size(), 1u);
        EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка поиска обновлений!\r\r", 0), 0u) << Shell.Errors()[0];
        EXPECT_NE(Shell.Errors()[0].find(std::to_string(status)), std::string::npos);
        EXPECT_EQ(Run(true, true), 2);
        EXPECT_EQ(Shell.Messages.size(), 1u);
        EXPECT_FALSE(Fetched());
    }
}

TEST_F(UpdateCheck, LeftoverTildeFilesGoAtTheCheck) {
    WriteBytes(Dir / "Quadrix_4d10.~old", "old");
    WriteBytes(Dir / "data.~tmp", "tmp");
    std::filesystem::create_directory(Dir / "keep.~dir");
    Server.SetConfig("[Quadrix_4d10]\n");
    EXPECT_EQ(Run(), 0);
    EXPECT_FALSE(std::filesystem::exists(Dir / "Quadrix_4d10.~old"));
    EXPECT_FALSE(std::filesystem::exists(Dir / "data.~tmp"));
    EXPECT_TRUE(std::filesystem::exists(Dir / "keep.~dir"));
    EXPECT_TRUE(std::filesystem::exists(Dir / "old.txt"));
}

TEST_F(UpdateCheck, AnUnsafeVersionOrAddressFailsTheSearch) {
    Server.SetConfig("[Quadrix_4d10]\nVerId=../x.58\nDownloadUrl=https://x/p.upd\n");
    EXPECT_EQ(Run(), 2);
    ASSERT_EQ(Shell.Errors().size(), 1u);
    EXPECT_EQ(Shell.Errors()[0], "Ошибка поиска обновлений!\r\rНедопустимое имя файла в описании обновления: \"../x.58\"");

    // Plain http and local paths only with the local switch, and http only on this machine.
    const auto refused = [&](const std::string& address, bool local) {
        try {
            ParseUpdateSource(address, local, Dir.Path());
        } catch (const TAppError& e) {
            return std::string(e.what()) == "Недопустимый адрес обновления: \"" + address + "\"";
        }
        return false;
    };
    EXPECT_TRUE(refused("http://127.0.0.1:8/a", false));
    EXPECT_TRUE(refused("http://example.com/a", true));
    EXPECT_TRUE(refused("/srv/mirror/a.cfg", false));
    EXPECT_TRUE(refused("ftp://127.0.0.1/a", true));
    EXPECT_TRUE(refused("https://user@host/a", false));
    EXPECT_TRUE(refused("https://host/a b", false));
    EXPECT_FALSE(refused("HTTPS://host:8443/a", false));
    for (const char* ok : {"http://127.0.0.1:8/a", "http://localhost/a", "http://[::1]:9/a", "mirror/a.cfg"})
        EXPECT_FALSE(refused(ok, true)) << ok;
}

TEST_F(UpdateCheck, AMirrorOnDiskServesEverythingWhenLocalSourcesAreAllowed) {
    // The configuration, its description folder and the package all as local paths.
    const auto mirror = Outside / "mirror";
    std::filesystem::create_directories(mirror / "UpdDescr");
    WriteBytes(mirror / "p.upd", kPackage);
    WriteBytes(mirror / "UpdDescr" / "UpdDescr_2.1.0.58.txt", Utf8ToCp1251("С диска"));
    WriteBytes(mirror / "Plexa_AU.cfg", "[Quadrix_4d10]\r\nDescription=58\r\n" +
                                            fake::PackageKeys("2.1.0.58", (mirror / "p.upd").string(), kPackage));
    Options.AllowLocal = true;
    TSelfUpdater updater(Shell, Options);
    updater.Consent = [&](const TUpdateOffer& offer) {
        Offered = offer;
        return true;
    };
    EXPECT_EQ(updater.SelfUpdate((mirror / "Plexa_AU.cfg").string(), false, 1049), 1) << Errors();
    EXPECT_EQ(Offered->DescriptionText, "С диска");
    EXPECT_EQ(ReadBytes(Dir / "new.txt"), "new\n");

    // Without the switch the same configuration is refused before it is read.
    Options.AllowLocal = false;
    Shell.Messages.clear();
    EXPECT_EQ(TSelfUpdater(Shell, Options).SelfUpdate((mirror / "Plexa_AU.cfg").string(), false, 1049), 2);
    EXPECT_NE(Errors().find("Недопустимый адрес обновления"), std::string::npos);
}
