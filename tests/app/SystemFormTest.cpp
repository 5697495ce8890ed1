#include <gtest/gtest.h>

#include "app/SystemForm.h"
#include "core/Text.h"
#include "online/CatalogueText.h"

using namespace qx;

TEST(SystemForm, LeavingTheContentRewritesItsLines) {
    // Three typed lines: two of four numbers stay in the stored form, the short one goes.
    TSystemContent c = RewriteSystemContent("1,2,3,4\n  2;3;4;9 \n5 6 7\n");
    EXPECT_EQ(c.Lines, (std::vector<std::string>{"01 02 03 04", "02 03 04 09"}));
    EXPECT_EQ(c.Nums, 9);
    // Every separator of system files; words that are not numbers drop the line; N counts from
    // the smallest number.
    c = RewriteSystemContent("3*4+5.6\r\n4/5:6=7\r\n5\\6_7|8~\r\na b c d\r\n1 2 3 4 5\r\n");
    EXPECT_EQ(c.Lines, (std::vector<std::string>{"03 04 05 06", "04 05 06 07", "05 06 07 08"}));
    EXPECT_EQ(c.Nums, 6);
    c = RewriteSystemContent("no lines\n\n");
    EXPECT_TRUE(c.Lines.empty());
    EXPECT_EQ(c.Nums, 0);
}

TEST(SystemForm, OkChecksTheFieldsInOrder) {
    TSystemFormFields good;
    good.Title = " Семёрка ";
    good.Nums = "7";
    good.Block = "2";
    good.Author = " Автор ";
    good.Description = "Описание";
    good.Content = "01 02 03 04\n05 06 07 01";
    good.CSize = "2";
    struct TCase {
        void (*Break)(TSystemFormFields&);
        TSystemField Field;
        const char* Message;
    };
    const TCase cases[] = {
        {[](TSystemFormFields& f) { f.Title = "   "; }, TSystemField::Title,
         "Название системы должно быть указано обязательно!"},
        {[](TSystemFormFields& f) { f.Nums = "4"; }, TSystemField::Nums,
         "Указано недопустмое количество используемых чисел!"},
        {[](TSystemFormFields& f) { f.Nums = "11"; }, TSystemField::Nums,
         "Указано недопустмое количество используемых чисел!"},
        {[](TSystemFormFields& f) { f.Nums = ""; }, TSystemField::Nums,
         "Указано недопустмое количество используемых чисел!"},
        {[](TSystemFormFields& f) { f.Block = "4"; }, TSystemField::Block,
         "Указан недопустмый размер блока!"},
        {[](TSystemFormFields& f) { f.Author = ""; }, TSystemField::Author,
         "Имя автора должно быть указано обязательно!"},
        {[](TSystemFormFields& f) { f.Description = " \n "; }, TSystemField::Description,
         "Описание системы должно быть указано обязательно!"},
        {[](TSystemFormFields& f) { f.Content = "\n"; }, TSystemField::Content,
         "Содержимое системы должно быть указано обязательно!"},
        // Two faults: the earlier field is named.
        {[](TSystemFormFields& f) { f.Block = "9", f.Title = ""; }, TSystemField::Title,
         "Название системы должно быть указано обязательно!"},
    };
    for (const TCase& c : cases) {
        TSystemFormFields f = good;
        c.Break(f);
        tSystemData data;
        data.Title = "unchanged";
        const TSystemFormResult r = AcceptSystemForm(f, data);
        EXPECT_EQ(r.Field, c.Field) << c.Message;
        EXPECT_EQ(r.Message, c.Message);
        EXPECT_EQ(data.Title, "unchanged");
    }
}

TEST(SystemForm, ResultKeepsIdAndMailAndTakesTheFields) {
    tSystemData data;
    data.Id = 42;
    data.AuthorEmail = "me@example.org";
    data.Author = "old";
    TSystemFormFields f = SystemFormFields(data);
    EXPECT_EQ(f.Created, ""); // zero shows empty
    f.Title = " Семёрка ";
    f.Nums = "7";
    f.Block = "1";
    f.Author = "Автор";
    f.Description = "Текст";
    f.Url = " http://example.org/s ";
    f.Content = "01 02 03 04\n05 06 07 01\n";
    f.CSize = "2";
    f.Downloads = "15";
    f.LastDownload = "2024-02-29 23:59:58";
    const TDateTime before = NowDateTime();
    ASSERT_TRUE(AcceptSystemForm(f, data));
    EXPECT_EQ(data.Id, 42);
    EXPECT_EQ(data.AuthorEmail, "me@example.org");
    EXPECT_EQ(data.Title, "Семёрка");
    EXPECT_EQ(data.Nums, 7);
    EXPECT_EQ(data.Block, 1);
    EXPECT_EQ(data.CombinationsCount, 2);
    EXPECT_EQ(data.Author, "Автор");
    EXPECT_EQ(data.Url, "http://example.org/s");
    EXPECT_EQ(data.Content, "01 02 03 04\r\n05 06 07 01");
    EXPECT_GE(data.Created, before - 1.0 / 86400); // empty "Создана:": now
    EXPECT_EQ(data.Downloads, 15);
    EXPECT_EQ(FormatCatalogueDate(data.LastDownload), "2024-02-29 23:59:58");

    // The created text is kept when there is one; the fields show the record back.
    f.Created = "2020-01-02 03:04:05";
    ASSERT_TRUE(AcceptSystemForm(f, data));
    const TSystemFormFields back = SystemFormFields(data);
    EXPECT_EQ(back.Created, "2020-01-02 03:04:05");
    EXPECT_EQ(back.Content, "01 02 03 04\n05 06 07 01");
    EXPECT_EQ(back.Nums, "7");
    EXPECT_EQ(CatalogueTimeOf("2020-02-30 00:00:00"), 0);
    EXPECT_EQ(CatalogueTimeOf("2020-01-02 03:04:05x"), 0);
}
