#include <gtest/gtest.h>

#include <algorithm>

#include "combs/FilterNames.h"
#include "core/Error.h"
#include "core/IniFile.h"
#include "core/Text.h"
#include "stats/StatList.h"
#include "support/TestSupport.h"

using namespace qx;

namespace {

constexpr int kRussian = 1049;

std::string FileText(const std::filesystem::path& path) { return Cp1251ToUtf8(test::ReadBytes(path)); }

std::string FailureOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const TAppError& e) {
        return e.what();
    }
    return "";
}

struct TNamesTest : ::testing::Test {
    test::TTempDir Dir;
    TStatList List;
    std::filesystem::path File() const { return Dir.Path() / "Quadrix_4d10.flt"; }
    void SetUp() override { List.Register(); }
    TStatMethod& Method(const char* code) { return List.Items(List.IndexOfCode(code)); }
};

// Names that look like formats stay as typed, through the file and back.
TEST_F(TNamesTest, FavouritesOptionsAndCustomNamesMakeTheRoundTrip) {
    List.SetFavourites("NUMS,SHR1");
    List.Ordered = true;
    List.ShowMethodFlags = false;
    Method("NUMS").CustomName = "Числа %d";
    Method("DIGS").CustomName = "%n и %s";
    Method("SHR1").CustomName = "50% %d %s";
    SaveNames(List, File(), true, false, kRussian);
    const std::string text = FileText(File());
    EXPECT_NE(text.find("[FILTERS]\r\nFavorites=NUMS,SHR1\r\nOrdered=1\r\nShowGroupName=1\r\nShowMethodFlags=0\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n[STRINGS_1049]\r\nNUMS=Числа %d\r\nDIGS=%n и %s\r\nSHR1=50% %d %s\r\n"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10) << text;  // two headers, four options, a gap, three names

    TStatList again;
    again.Register();
    LoadNames(again, File(), true, kRussian);
    EXPECT_EQ(again.FavouritesText(), "NUMS,SHR1");
    EXPECT_TRUE(again.Ordered);
    EXPECT_FALSE(again.ShowMethodFlags);
    const int shr1 = again.IndexOfCode("SHR1");
    EXPECT_EQ(again.Items(shr1).FullName(), "50% %d (n1+n2)/(n3+n4)");
    EXPECT_EQ(again.Items(again.IndexOfCode("DIGS")).FullName(), "%n и %s");
    EXPECT_EQ(again.Items(again.IndexOfCode("SUMS")).CustomName, "");
    // Without options only the names are read.
    TStatList third;
    third.Register();
    LoadNames(third, File(), false, kRussian);
    EXPECT_TRUE(third.AllFavourites);
    EXPECT_EQ(third.Items(third.IndexOfCode("NUMS")).CustomName, "Числа %d");
}

TEST_F(TNamesTest, AnExportListsEveryMethodByItsDisplayNameAndNoOptions) {
    Method("NUMS").CustomName = "Мои числа";
    const auto exported = Dir.Path() / "names.flt";
    SaveNames(List, exported, false, true, kRussian);
    const TIniFile ini = TIniFile::Load(exported);
    EXPECT_FALSE(ini.HasSection("FILTERS"));
    ASSERT_EQ(int(ini.Keys("STRINGS_1049").size()), List.Count());
    for (int i = 0; i < List.Count(); ++i)
        EXPECT_EQ(ini.ReadString("STRINGS_1049", List.Items(i).Code(), "?"), List.Items(i).BaseName());
    EXPECT_EQ(ini.ReadString("STRINGS_1049", "SHR1", ""), "Метод шинковки 1: %s");
}

// A damaged file loads what it can; its other languages and foreign lines stay when it is written.
TEST_F(TNamesTest, OtherLanguagesUnknownCodesAndGarbageSurvive) {
    test::WriteBytes(File(), Utf8ToCp1251("garbage before\r\n[STRINGS_1033]\r\nNUMS=Numbers\r\nnot a key\r\n"
                                          "[STRINGS_1049]\r\nZZZ9=Чужой\r\n  SUMS  =  Суммы  \r\n???\r\n"
                                          "[FILTERS]\r\nFavorites=NUMS,NOPE\r\nOrdered=x\r\n"));
    LoadNames(List, File(), true, kRussian);
    EXPECT_EQ(Method("SUMS").CustomName, "Суммы");
    EXPECT_EQ(Method("NUMS").CustomName, "");
    EXPECT_EQ(List.FavouritesText(), "NUMS");
    SaveNames(List, File(), true, false, kRussian);
    const std::string text = FileText(File());
    for (const char* kept : {"garbage before", "[STRINGS_1033]\r\nNUMS=Numbers\r\nnot a key"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
    EXPECT_EQ(text.find("ZZZ9"), std::string::npos);
    EXPECT_NE(text.find("SUMS=Суммы"), std::string::npos);
    // The English names are another language's.
    TStatList english;
    english.Register();
    LoadNames(english, File(), false, 1033);
    EXPECT_EQ(english.Items(english.IndexOfCode("NUMS")).CustomName, "Numbers");
}

TEST_F(TNamesTest, UntickingEveryMethodOffersThemAllAndWritesNoCodes) {
    for (int i = 0; i < List.Count(); ++i) List.Items(i).Favourite = false;
    List.NormalizeFavourites();
    EXPECT_TRUE(List.AllFavourites);
    EXPECT_TRUE(Method("NUMS").Favourite);
    SaveNames(List, File(), true, false, kRussian);
    EXPECT_NE(FileText(File()).find("Favorites=\r\n"), std::string::npos);
}

// A file that cannot be read: the registry keeps what it had and the file is left byte for byte.
TEST_F(TNamesTest, FailuresLeaveTheRegistryAndTheFileAsTheyWere) {
    const std::string big = "[FILTERS]\r\nFavorites=NUMS\r\n" + std::string(size_t(17) << 20, ';');
    test::WriteBytes(File(), big);
    Method("NUMS").CustomName = "Своё";
    const std::string load = FailureOf([&] { LoadNames(List, File(), true, kRussian); });
    EXPECT_EQ(load.rfind("Ошибка загрузки списка фильтров!\r\r", 0), 0u) << load;
    EXPECT_TRUE(List.AllFavourites);
    EXPECT_EQ(Method("NUMS").CustomName, "Своё");
    const std::string save = FailureOf([&] { SaveNames(List, File(), true, false, kRussian); });
    EXPECT_EQ(save.rfind("Ошибка сохранения списка фильтров!\r\r", 0), 0u) << save;
    EXPECT_TRUE(test::ReadBytes(File()) == big);
    // A folder that does not exist.
    EXPECT_NE(FailureOf([&] { SaveNames(List, Dir.Path() / "none" / "x.flt", false, true, kRussian); }), "");
}

} // namespace
