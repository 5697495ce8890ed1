#include <gtest/gtest.h>
#include <unistd.h>

#include "core/Text.h"
#include "stakes/Systems.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

TCombCode Code(const char* d) {
    return MakeCode(d[0] - '0', d[1] - '0', d[2] - '0', d[3] - '0');
}

TCombsArray Codes(std::initializer_list<const char*> texts) {
    TCombsArray list;
    for (const char* t : texts) list.push_back(Code(t));
    return list;
}

std::string Digits(const TByteArray& map) {
    std::string s;
    for (uint8_t d : map) s += char('0' + d);
    return s;
}

class SystemsFixture : public ::testing::Test {
protected:
    TTempDir Dir;
    TRecordingShell Shell;
    std::filesystem::path Systems() const { return Dir.Path() / kSystemsFolder; }
    void Put(const std::string& name, const std::string& bytes) {
        std::filesystem::create_directories(Systems());
        WriteBytes(Systems() / name, bytes);
    }
    // Loads through SystemLoad; the error box, if any, goes to Error.
    bool Load(const TByteArray& map, std::vector<TCombCode>& combs, std::string& fileName) {
        Shell.Messages.clear();
        return SystemLoad(Shell, Systems(), map, combs, fileName);
    }
    std::string Error() const { return Shell.Errors().empty() ? "" : Shell.Errors().front(); }
};

} // namespace

TEST(SystemNumbers, FirstAppearanceInListOrderStoppingAtTen) {
    EXPECT_EQ(Digits(SystemNumbers(Codes({"1234", "5678", "9012"}))), "1234567890");
    EXPECT_EQ(Digits(SystemNumbers(Codes({"3377"}))), "37");
    EXPECT_EQ(Digits(SystemNumbers(Codes({"5182", "9999", "5555"}))), "51829");
    EXPECT_TRUE(SystemNumbers({}).empty());
    // Ten digits end the walk: later combinations add nothing.
    TCombsArray all = Codes({"0123", "4567", "8901", "9876"});
    EXPECT_EQ(Digits(SystemNumbers(all)), "0123456789");
}

TEST(SystemFiles, NamesAndTheFirstFileInNameOrder) {
    tSystemInfo info;
    info.Id = 123;
    info.Nums = 7;
    info.Block = 2;
    EXPECT_EQ(SystemFileName(info), "4-07-2_0123.dat");
    info.Id = 45678;
    info.Nums = 10;
    EXPECT_EQ(SystemFileName(info), "4-10-2_45678.dat");

    TTempDir dir;
    EXPECT_FALSE(FindSystemFile(dir.Path() / "none", 5));
    WriteBytes(dir / "4-05-1_0200.dat", "01 02 03 04\r\n");
    WriteBytes(dir / "4-05-0_0300.dat", "01 02 03 05\r\n");
    WriteBytes(dir / "4-06-0_0001.dat", "");
    WriteBytes(dir / "4-05-0_0001.txt", "");
    WriteBytes(dir / "4-05-0.dat", "");
    ASSERT_TRUE(FindSystemFile(dir.Path(), 5));
    EXPECT_EQ(FindSystemFile(dir.Path(), 5)->filename(), "4-05-0_0300.dat");
    EXPECT_EQ(FindSystemFile(dir.Path(), 6)->filename(), "4-06-0_0001.dat");
    EXPECT_FALSE(FindSystemFile(dir.Path(), 7));
    EXPECT_EQ(SystemTitle((dir / "4-05-0_0300.dat").string()), "4-05-0_0300");
}

TEST_F(SystemsFixture, MapsLinesOntoTheListDigits) {
    // Map 5,1,8,2,9: the line 05 01 03 02 is 9;5;8;1, staked as 1;5;8;9.
    Put("4-05-0_0001.dat", "05 01 03 02\r\n01 02 03 04\r\n");
    const TByteArray map = SystemNumbers(Codes({"5182", "9999"}));
    std::vector<TCombCode> combs;
    std::string name;
    ASSERT_TRUE(Load(map, combs, name)) << Error();
    ASSERT_EQ(combs.size(), 2u);
    EXPECT_EQ(combs[0], Code("9581"));
    EXPECT_EQ(SortedDigits(combs[0]), Code("1589"));
    EXPECT_EQ(combs[1], Code("5182"));
    EXPECT_EQ(SystemTitle(name), "4-05-0_0001");
    EXPECT_EQ(SystemPlayComment(TSystemPlayMode::WholeSystem, 5, name),
              "Системная игра для 5 чисел [вся система]: 4-05-0_0001");
    EXPECT_EQ(SystemPlayComment(TSystemPlayMode::ListedOnly, 5, name),
              "Системная игра для 5 чисел [комбинации]: 4-05-0_0001");
}

TEST_F(SystemsFixture, SeparatorsRunsAndBlankLines) {
    Put("4-10-0_0001.dat",
        "\r\n  01*02+03,04 \r\n\r\n05-06.07/08\n09:10;01=02\r\n03\\04_05|06\r\n07~~08  ,09 - 10\r\n   \r\n");
    const TByteArray map = SystemNumbers(Codes({"1234", "5678", "9012"})); // 1..9, 0
    std::vector<TCombCode> combs;
    std::string name;
    ASSERT_TRUE(Load(map, combs, name)) << Error();
    EXPECT_EQ(combs, Codes({"1234", "5678", "9012", "3456", "7890"}));
}

TEST_F(SystemsFixture, MissingSystemGivesBothTexts) {
    // One combination 3;3;7;7 maps two numbers; no system exists for them.
    const TByteArray map = SystemNumbers(Codes({"3377"}));
    ASSERT_EQ(map.size(), 2u);
    Put("4-05-0_0001.dat", "01 02 03 04\r\n");
    std::vector<TCombCode> combs{1, 2};
    std::string name;
    EXPECT_FALSE(Load(map, combs, name));
    EXPECT_TRUE(combs.empty());
    EXPECT_EQ(name, "Система для 2 чисел не найдена или не загружена на компьютер!");
    EXPECT_EQ(Error(),
              "Система для 2 чисел не найдена или не загружена на компьютер!\r\rПеред системной игрой "
              "необходимо предварительно загрузить системы на Ваш компьютер через меню \"Системы\" - "
              "\"Загрузить\".");
}

TEST_F(SystemsFixture, BadLinesFailTheWholeSystem) {
    const TByteArray map = SystemNumbers(Codes({"1234", "5000"})); // N = 6: 1,2,3,4,5,0
    ASSERT_EQ(map.size(), 6u);
    struct {
        const char* Content;
        const char* Reason; // part of the message
    } cases[] = {
        {"01 02 03 04\r\n00 01 02 03\r\n", "Строка 2: число 0 вне диапазона 1-6"},
        {"01 02 03 06\r\n01 02 03 07\r\n", "Строка 2: число 7 вне диапазона 1-6"},
        {"11 01 02 03\r\n", "Строка 1: число 11 вне диапазона 1-6"},
        {"01 02 03\r\n", "Строка 1: нужно четыре числа, а не 3"},
        {"01 02 03 04 05\r\n", "Строка 1: нужно четыре числа, а не 5"},
        {"01 02 0x 04\r\n", "Строка 1: \"0x\" не число"},
        {"01 02 03 04\r\n01\t02 03 04\r\n", "Строка 2:"},
        {"\r\n  \r\n", "нет ни одной комбинации"},
        {"", "нет ни одной комбинации"},
        {"99999999999 01 02 03\r\n", "не число"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Content);
        Put("4-06-0_0001.dat", c.Content);
        std::vector<TCombCode> combs;
        std::string name;
        EXPECT_FALSE(Load(map, combs, name));
        EXPECT_TRUE(combs.empty());
        const std::string error = Error();
        EXPECT_EQ(error.rfind("Ошибка загрузки комбинаций системы!\r\r", 0), 0u) << error;
        EXPECT_NE(error.find(c.Reason), std::string::npos) << error;
    }
    // N = 6 takes 06 as its last digit.
    Put("4-06-0_0001.dat", "06 05 01 02\r\n");
    std::vector<TCombCode> combs;
    std::string name;
    ASSERT_TRUE(Load(map, combs, name)) << Error();
    EXPECT_EQ(combs, Codes({"0512"}));
}

TEST_F(SystemsFixture, UnreadableFileFails) {
    std::filesystem::create_directories(Systems() / "4-05-0_0001.dat"); // a folder, not a file
    std::vector<TCombCode> combs;
    std::string name;
    EXPECT_FALSE(Load(SystemNumbers(Codes({"1234", "5555"})), combs, name));
    EXPECT_NE(Error().find("Система для 5 чисел не найдена"), std::string::npos);
    Put("4-05-0_0002.dat", "01 02 03 04\r\n");
    std::filesystem::permissions(Systems() / "4-05-0_0002.dat", std::filesystem::perms::none);
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    EXPECT_FALSE(Load(SystemNumbers(Codes({"1234", "5555"})), combs, name));
    EXPECT_EQ(Error().rfind("Ошибка загрузки комбинаций системы!\r\r", 0), 0u) << Error();
}
