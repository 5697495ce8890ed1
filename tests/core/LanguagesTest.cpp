#include <gtest/gtest.h>

#include "core/HelpFile.h"
#include "core/Languages.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

TEST(Languages, ModulesAreFoundBesideTheExecutableUnderTheirAbbreviation) {
    TTempDir dir;
    const auto exe = dir / "Quadrix_4d10";
    EXPECT_EQ(LanguageModulePath(exe, "ENU"), dir / "Quadrix_4d10_ENU.lng");
    EXPECT_EQ(LanguageModulePath(dir / "Quadrix_4d10.exe", "DEU"), dir / "Quadrix_4d10_DEU.lng");
    EXPECT_EQ(AvailableLanguages(exe), std::vector<int>{kBuiltInLanguage});
    WriteBytes(dir / "Quadrix_4d10_UKR.lng", "x");
    WriteBytes(dir / "Quadrix_4d10_ENU.lng", "x");
    WriteBytes(dir / "Quadrix_4d10_RUS.lng", "x"); // the built-in language is listed once
    WriteBytes(dir / "Quadrix_4d10_XYZ.lng", "x"); // an abbreviation no locale has
    EXPECT_EQ(AvailableLanguages(exe), (std::vector<int>{1049, 1033, 1058}));
}

TEST(Languages, TableAndPrimaryLanguages) {
    ASSERT_NE(FindLanguage(1049), nullptr);
    EXPECT_STREQ(FindLanguage(1049)->Abbr, "RUS");
    EXPECT_STREQ(FindLanguage(1033)->Abbr, "ENU");
    EXPECT_EQ(FindLanguage(12345), nullptr);
    EXPECT_TRUE(SamePrimaryLanguage(1033, 2057));
    EXPECT_FALSE(SamePrimaryLanguage(1033, 1049));
    EXPECT_EQ(RequestedLanguage(1033, false), 1033);
    EXPECT_EQ(RequestedLanguage(1033, true), kBuiltInLanguage);
    for (const auto& l : KnownLanguages()) {
        EXPECT_EQ(std::string(l.Abbr).size(), 3u) << l.Lcid;
        EXPECT_EQ(FindLanguage(l.Lcid), &l) << "twice: " << l.Lcid;
    }
}

TEST(HelpFile, LookedForInTheProgramDirectoryThenInBothHelpFolders) {
    TTempDir root;
    const auto program = root / "program";
    std::filesystem::create_directories(program / "help");
    std::filesystem::create_directories(root / "help");
    THelpLocation none = LocateHelpFile(program, "RUS");
    EXPECT_FALSE(none.Exists);
    EXPECT_EQ(none.Path, root / "help" / "Plexa_RUS.chm"); // the last place looked at

    WriteBytes(root / "help" / "Plexa_RUS.chm", "x");
    EXPECT_EQ(LocateHelpFile(program, "RUS").Path, root / "help" / "Plexa_RUS.chm");
    WriteBytes(program / "help" / "Plexa_RUS.chm", "x");
    EXPECT_EQ(LocateHelpFile(program, "RUS").Path, program / "help" / "Plexa_RUS.chm");
    WriteBytes(program / "Plexa_RUS.chm", "x");
    THelpLocation first = LocateHelpFile(program, "RUS");
    EXPECT_TRUE(first.Exists);
    EXPECT_EQ(first.Path, program / "Plexa_RUS.chm");
    EXPECT_FALSE(LocateHelpFile(program, "ENU").Exists);
}
