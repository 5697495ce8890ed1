#include "app/WorkspaceFixture.h"

#include <thread>

#include "app/ShreddingForm.h"
#include "core/Error.h"
#include "core/IniFile.h"
#include "core/Text.h"
#include "stats/StatBases.h"

using namespace qx;
using namespace qx::test;

namespace {

class Favourites : public WorkspaceFixture {
protected:
    std::filesystem::path NamesFile() const { return Dir.Path() / "Quadrix_4d10.flt"; }
    int Method(const char* code) { return Ws->Stats().IndexOfCode(code); }
    std::vector<std::string> Offered() {
        std::vector<std::string> codes;
        for (const TMethodEntry& e : Ws->StatTab().Chooser().Entries()) codes.push_back(Ws->Stats().Items(e.Method).Code());
        return codes;
    }
    TFavouriteNode& Node(TFavouritesForm& form, const char* code) {
        for (auto& g : form.Groups)
            for (auto& n : g.Methods)
                if (n.Method == Method(code)) return n;
        throw std::runtime_error(code);
    }
};

} // namespace

// What the file says is offered from start-up on; a change through the manager survives a restart.
TEST_F(Favourites, TheManagersChoiceIsOfferedAndSurvivesARestart) {
    WriteBytes(NamesFile(), Utf8ToCp1251("[FILTERS]\r\nFavorites=NUMS,SUMS\r\n[STRINGS_1049]\r\nSUMS=Суммы %d\r\n"));
    Start(DigitDraws({"1234", "5678", "9012"}));
    EXPECT_EQ(Offered(), (std::vector<std::string>{"NUMS", "SUMS"}));
    EXPECT_EQ(Ws->StatTab().Chooser().Entries()[1].Text, "{ sum } Суммы %d [ NG ]");

    TFavouritesForm form = FavouritesFormOf(Ws->Stats());
    EXPECT_EQ(form.CountText(), "всего " + std::to_string(Ws->Stats().Count()) + " методов");
    EXPECT_EQ(form.Groups[0].Title, GroupLongName(0));
    EXPECT_TRUE(Node(form, "NUMS").Ticked);
    EXPECT_FALSE(Node(form, "DIGS").Ticked);
    Node(form, "SHR2").Ticked = true;
    Node(form, "SUMS").Ticked = false;
    Node(form, "NUMS").Text = "Мои числа";
    // The own name in another letter case (Cyrillic too) is no custom name.
    Node(form, "SUMS").Text = LowerText(Ws->Stats().Items(Method("SUMS")).StatClass->Name(0));
    form.ShowGroupName = false;
    Ws->ApplyFavourites(form);
    EXPECT_EQ(Offered(), (std::vector<std::string>{"NUMS", "SHR2"}));
    EXPECT_EQ(Ws->StatTab().Chooser().Entries()[0].Text, "Мои числа [ N ]");
    EXPECT_EQ(Ws->Stats().Items(Method("SUMS")).CustomName, "");

    Restart();
    EXPECT_EQ(Offered(), (std::vector<std::string>{"NUMS", "SHR2"}));
    EXPECT_EQ(Ws->StatTab().Chooser().Entries()[0].Text, "Мои числа [ N ]");
    EXPECT_FALSE(Ws->Stats().ShowGroupName);

    Ws->ResetFavourites();
    EXPECT_EQ(int(Offered().size()), Ws->Stats().Count());
    EXPECT_NE(Cp1251ToUtf8(ReadBytes(NamesFile())).find("Favorites=\r\n"), std::string::npos);
}

// An unwritable file: the choice is in force and offered, the error shown, the file untouched.
TEST_F(Favourites, AFailedWriteKeepsTheFileAndTheChoiceInForce) {
    Start();
    const std::string big = "[FILTERS]\r\n" + std::string(size_t(17) << 20, ';');
    WriteBytes(NamesFile(), big);
    TFavouritesForm form = FavouritesFormOf(Ws->Stats());
    form.TickAll(false);
    Node(form, "DIGS").Ticked = true;
    EXPECT_THROW(Ws->ApplyFavourites(form), TAppError);
    EXPECT_EQ(Offered(), (std::vector<std::string>{"DIGS"}));
    EXPECT_TRUE(ReadBytes(NamesFile()) == big);
}

// Export writes every name of the tree without changing the registry; import reads a set at once.
TEST_F(Favourites, ExportAndImportOfNameSets) {
    Start();
    TFavouritesForm form = FavouritesFormOf(Ws->Stats());
    Node(form, "DIGS").Text = "Цифры из дерева";
    const auto exported = Dir.Path() / "set.flt";
    Ws->ExportNames(exported, &form);
    EXPECT_EQ(TIniFile::Load(exported).ReadString("STRINGS_1049", "DIGS", ""), "Цифры из дерева");
    EXPECT_EQ(Ws->Stats().Items(Method("DIGS")).CustomName, "");
    Ws->ImportNames(exported);
    EXPECT_EQ(Ws->Stats().Items(Method("DIGS")).CustomName, "Цифры из дерева");
}

// The formula dialog's OK: new names at once, the configuration written, only the shredding
// methods' full-set files built again, the next table computed with the new formula.
TEST_F(Favourites, NewFormulasRenameRebuildAndRecompute) {
    WriteBytes(Dir / "Quadrix_4d10.frm", "[TFormMain]\r\nPrefetchsInit=1\r\nPrefetchsEnabled=1\r\n");
    Start(DigitDraws({"1234", "5678", "9012", "3456"}));
    const auto stamp = [&](const char* code) { return std::filesystem::last_write_time(Ws->FullSetFile(Method(code))); };
    const auto nums = stamp("NUMS"), shr1 = stamp("SHR1");
    ASSERT_TRUE(Ws->StatTab().Chooser().SelectMethod(Method("SHR1")));
    const int selected = Ws->StatTab().Chooser().Selected();
    const uint64_t revision = Ws->ConfigRevision();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    TShreddingFormulas f = Ws->Shredding();
    f.Formula[0] = "(n1*p1+t3)/7";
    f.Digits[0] = 4;
    Ws->ChangeFormulas(f);
    EXPECT_GT(Ws->ConfigRevision(), revision);
    EXPECT_EQ(stamp("NUMS"), nums);
    EXPECT_GT(stamp("SHR1"), shr1);
    EXPECT_EQ(Ws->StatTab().Chooser().Selected(), selected);
    EXPECT_NE(Ws->StatTab().Chooser().SelectedText().find("(n1*p1+t3)/7"), std::string::npos);
    const TIniFile ini = TIniFile::Load(Dir / "Quadrix_4d10.ini");
    EXPECT_EQ(ini.ReadString("SHREDDING", "Formula1", ""), "(n1*p1+t3)/7");
    EXPECT_EQ(ini.ReadInteger("SHREDDING", "Formula1Digits", 0), 4);
    auto stat = Ws->Stats().CreateStat(Method("SHR1"));
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*stat).DrawValue(3, 3, false), 8571);  // (3*9+7)/7 = 4.857142
    Restart();
    EXPECT_EQ(Ws->Shredding().Formula[0], "(n1*p1+t3)/7");
}

TEST(ShreddingFormPlaces, TheDialogShowsWhatTheMethodsUseWithinItsRange) {
    EXPECT_EQ(ShreddingPlacesShown(3), 3);
    EXPECT_EQ(ShreddingPlacesShown(0), 2);
    EXPECT_EQ(ShreddingPlacesShown(12), 2);
    EXPECT_EQ(ShreddingPlacesShown(7), 5);
}
