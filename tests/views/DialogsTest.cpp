#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "ViewsTestSupport.h"
#include "app/Workspace.h"
#include "core/IniFile.h"
#include "views/Commands.h"
#include "views/dialogs/FormConfig.h"
#include "views/dialogs/FormFirstRun.h"
#include "views/draws/DrawsModel.h"
#include "views/draws/DrawsPage.h"

using namespace qx;
using namespace qx::test;

using Dialogs = MainWindowFixture;

namespace {

void Press(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

} // namespace

TEST_F(Dialogs, ConfigurationDialogChecksSegmentsAndSavesWhatWasEdited) {
    WriteBytes(Dir / "Quadrix_4d10.ini", "[STAKES]\r\nCost=1.2345\r\nProfits=1\r\nProfit_0_Overlap=4\r\n"
                                         "Profit_0_Profit=5000\r\n[CDL]\r\nLevel=0.12345\r\n");
    TDrawRecord draw;
    draw.Number = 1;
    draw.Digits[0] = 2;
    WriteBytes(Dir / "Quadrix_4d10.ldr", std::string(reinterpret_cast<const char*>(&draw), sizeof draw));
    Open();
    Modal.Then([&](QWidget* w) {
        auto* dialog = dynamic_cast<TFormConfig*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Параметры системы");
        EXPECT_FALSE(dialog->MatrixCols()->isEnabled());
        EXPECT_EQ(dialog->Segments()->columnCount(), 3);
        EXPECT_EQ(dialog->Segments()->rowCount(), 10);
        EXPECT_EQ(dialog->Cost()->text(), "1.23");
        EXPECT_EQ(dialog->Weight(2)->text(), "0.123");
        ASSERT_EQ(dialog->Profits()->rowCount(), 5);
        EXPECT_EQ(dialog->Profits()->item(0, 1)->text(), "5000.00");
        EXPECT_EQ(dialog->Profits()->item(4, 0)->text(), "4");
        // A segment value outside 1..9 is refused and the cell becomes 1.
        dialog->Segments()->item(4, 1)->setText("12");
    });
    Modal.ThenAnswer(QMessageBox::Ok);
    Modal.Then([&](QWidget* w) {
        auto* dialog = dynamic_cast<TFormConfig*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->Segments()->item(4, 1)->text(), "1");
        dialog->Segments()->item(5, 2)->setText("7");
        dialog->Segments()->item(6, 0)->setText(""); // an empty cell saves as 1
        dialog->ChannelSize()->setValue(3);
        dialog->Profits()->item(4, 1)->setText("2500,5");
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("EditConfig"));
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Text, "Некорректное значение: 12!\n\nУкажите любое число от 1 до 9");

    const TConfigData& c = Window->Workspace().Config();
    EXPECT_EQ(c.ChannelSize, 3);
    EXPECT_EQ(c.Cost, 12345); // untouched fields keep their exact value
    EXPECT_EQ(c.Weights.Level, 0.12345L);
    ASSERT_EQ(c.Profits.size(), 5u);
    EXPECT_EQ(c.Profits[0].Overlap, 0);
    EXPECT_EQ(c.Profits[0].Profit, 50000000);
    EXPECT_EQ(c.Profits[4].Profit, 25005000);
    // Block 2 (the third column), digit 5; the refused and the emptied cells hold 1.
    std::string segments(40, '1');
    segments[25] = '7';
    EXPECT_EQ(c.MatrixSegmentsText(), segments);
    TIniFile ini = TIniFile::Load(Dir / "Quadrix_4d10.ini");
    EXPECT_EQ(ini.ReadString("GLOBAL", "ChannelSize", ""), "3");
    EXPECT_EQ(ini.ReadString("STAKES", "Profits", ""), "5");
    // The draws list repaints in the new channel colours: digit 2 is in channel 1 of width 3.
    TDrawsModel* model = Window->DrawsPage()->Model();
    EXPECT_EQ(
        model->data(model->index(0, TDrawsModel::ColDigit1), Qt::BackgroundRole).value<QBrush>().color(),
        QColor(170, 255, 170));
}

TEST_F(Dialogs, CancellingTheConfigurationChangesNothing) {
    Open();
    Modal.Then([](QWidget* w) {
        dynamic_cast<TFormConfig*>(w)->ChannelSize()->setValue(5);
        Press(w, QDialogButtonBox::Cancel);
    });
    ASSERT_TRUE(Window->Commands().Trigger("EditConfig"));
    EXPECT_EQ(Window->Workspace().Config().ChannelSize, 2);
    EXPECT_FALSE(std::filesystem::exists(Dir / "Quadrix_4d10.ini"));
}

TEST_F(Dialogs, FirstRunDialogOffersHelpAndLinksAndCanBeSwitchedOff) {
    std::filesystem::create_directories(Dir / "help");
    WriteBytes(Dir / "help" / "Plexa_RUS.chm", "help");
    WriteBytes(Dir / "Quadrix_4d10.frm", "[TFormMain]\r\nFirstRun=1\r\n");
    WriteBytes(Dir / "Quadrix_4d10.ini", "[LINKS]\r\nurlBlog=blog.example.org\r\n");
    Modal.Then([](QWidget* w) {
        ASSERT_NE(dynamic_cast<TFormFirstRun*>(w), nullptr);
        EXPECT_EQ(w->windowTitle(), "Справочная информация");
        EXPECT_TRUE(w->findChild<QPushButton*>("btnHelp")->isEnabled());
        EXPECT_TRUE(w->findChild<QPushButton*>("btnBlog")->isEnabled());
        EXPECT_FALSE(w->findChild<QPushButton*>("btnTelegram")->isEnabled()); // no address set
        EXPECT_EQ(w->findChild<QPushButton*>("btnVK")->text(), "Группа в соцсети \"В Контакте\"");
        w->findChild<QCheckBox*>("cbDontShow")->setChecked(true);
        Press(w, QDialogButtonBox::Close);
    });
    Open();
    EXPECT_TRUE(Modal.Done());
    EXPECT_TRUE(Action("GetHelp")->isEnabled());
    EXPECT_TRUE(Action("urlBlog")->isEnabled());
    EXPECT_FALSE(Action("urlTG")->isEnabled());
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "FirstRun", ""), "0");
}

TEST_F(Dialogs, AboutShowsTitleAndVersion) {
    Open();
    Modal.Then([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "О программе");
        EXPECT_EQ(w->findChild<QLabel*>("lblTitle")->text(), "Анализ статистики лотереи \"Pick 4\"");
        EXPECT_EQ(w->findChild<QLabel*>("lblVersion")->text(), QUADRIX_VERSION);
        Press(w, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("About"));
    EXPECT_TRUE(Modal.Done());
}
