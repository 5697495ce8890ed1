#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "ViewsTestSupport.h"
#include "app/WorkspaceFixture.h"
#include "combs/FilterConditions.h"
#include "draws/DrawsFile.h"
#include "views/QtShell.h"
#include "views/dialogs/FormFilter.h"

using namespace qx;
using namespace qx::test;

namespace {

void Type(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(w, &press);
    }
}

template <class T> T* Control(QWidget* dialog, const char* name) {
    auto* w = dialog->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void PressOk(QWidget* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

class FilterDialog : public MainWindowFixture {
protected:
    void SetUp() override {
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", {MakeDraw(1, {1, 2, 3, 4}), MakeDraw(2, {5, 6, 7, 8})});
        Open();
    }
    bool Edit(TFilterItem& item) {
        return EditFilterItem(Window->Workspace(), Window->Shell(), Window.get(), item);
    }
};

} // namespace

TEST_F(FilterDialog, RefusesWhileTheInputIsUnsoundAndThenGivesTheDescription) {
    Modal.Then([](QWidget* w) {
        auto* d = dynamic_cast<TFormFilter*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), "Фильтр");
        EXPECT_EQ(Control<QComboBox>(d, "cbDrawsStatType")->currentText(), "{ num } Числа тиража [ N ]");
        EXPECT_EQ(Control<QComboBox>(d, "cbDrawsSortOrder")->count(), 20);
        EXPECT_EQ(Control<QComboBox>(d, "cbDrawsSortOrder")->currentText(), "Количество");
        EXPECT_EQ(Control<QComboBox>(d, "cbDirection")->currentText(), "Сверху-вниз");
        EXPECT_EQ(Control<QComboBox>(d, "cbFilterMode")->currentText(), "Удалить выделенные");
        EXPECT_EQ(Control<QComboBox>(d, "cbLevelMode")->count(), kConditionCount);
        EXPECT_EQ(Control<QComboBox>(d, "cbStopMode")->count(), kStopModeCount);
        EXPECT_EQ(Control<QSpinBox>(d, "edStopValue")->value(), 1);
        EXPECT_FALSE(Control<QGroupBox>(d, "gbWeights")->isEnabled()); // condition 0
        auto* lengths = Control<QLineEdit>(d, "edDrawsLen");
        EXPECT_EQ(lengths->text(), "1000"); // the tab's window length
        lengths->clear();
        Type(lengths, "1a0 ;5."); // only digits, "-", "," and ";" go in
        EXPECT_EQ(lengths->text(), "10;5");
        lengths->setText("0");
        PressOk(d);
    });
    Modal.ThenAnswer(QMessageBox::Ok);
    Modal.Then([](QWidget* w) {
        auto* d = dynamic_cast<TFormFilter*>(w);
        ASSERT_NE(d, nullptr); // still open after the refusal
        auto* lengths = Control<QLineEdit>(d, "edDrawsLen");
        EXPECT_EQ(d->focusWidget(), lengths);
        lengths->setText("10,20");
        Control<QCheckBox>(d, "cbMultiSelect")->setChecked(true);
        Control<QComboBox>(d, "cbStopMode")->setCurrentIndex(smCombsCount);
        PressOk(d);
    });
    Modal.ThenAnswer(QMessageBox::Ok);
    Modal.Then([](QWidget* w) {
        auto* d = dynamic_cast<TFormFilter*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->focusWidget(), Control<QComboBox>(d, "cbStopMode"));
        Control<QComboBox>(d, "cbStopMode")->setCurrentIndex(smSteps);
        // A condition on the weight opens the weight group; its fields follow the override box.
        Control<QComboBox>(d, "cbLevelMode")->setCurrentIndex(19);
        EXPECT_TRUE(Control<QGroupBox>(d, "gbWeights")->isEnabled());
        EXPECT_FALSE(Control<QLineEdit>(d, "edCoefCount")->isEnabled());
        Control<QCheckBox>(d, "cbCDLOverride")->setChecked(true);
        EXPECT_TRUE(Control<QLineEdit>(d, "edCoefCount")->isEnabled());
        EXPECT_EQ(Control<QLineEdit>(d, "edCoefDeviation")->text(), "-1.000"); // the engine's weights
        Control<QLineEdit>(d, "edCoefCount")->setText("0,5");
        PressOk(d); // the condition has no values yet
    });
    Modal.ThenAnswer(QMessageBox::Ok);
    Modal.Then([](QWidget* w) {
        auto* d = dynamic_cast<TFormFilter*>(w);
        ASSERT_NE(d, nullptr);
        auto* values = Control<QLineEdit>(d, "edLevelValue");
        EXPECT_EQ(d->focusWidget(), values);
        Type(values, "5");
        PressOk(d);
    });
    TFilterItem item;
    ASSERT_TRUE(Edit(item));
    EXPECT_TRUE(Modal.Done());
    ASSERT_EQ(Modal.Boxes.size(), 3u);
    EXPECT_EQ(Modal.Boxes[0].Caption, "Ошибка");
    EXPECT_EQ(Modal.Boxes[0].Text, "Введен некорректный диапазон значений!");
    EXPECT_EQ(Modal.Boxes[1].Text,
              "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может быть "
              "выполнена!\nВыберите другой способ останова.");
    EXPECT_EQ(Modal.Boxes[2].Text, "Введен некорректный диапазон значений!");
    EXPECT_EQ(FilterItemText(item), "TMD1#NUMS:10,20#WMV:5#ST:1#0.5:-1:1:0:0");
}

TEST_F(FilterDialog, ADescriptionIsShownAndCancelLeavesItAlone) {
    TFilterItem item = ParseFilterItem("BSF8#EVEN:30#WDV:1,2#SP:7#2:0:1:1:1", Window->Workspace().Stats());
    const TFilterItem before = item;
    Modal.Then([](QWidget* w) {
        auto* d = dynamic_cast<TFormFilter*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(Control<QComboBox>(d, "cbDrawsStatType")
                      ->currentText()
                      .toStdString()
                      .rfind("{ num } Количество четных", 0),
                  0u);
        EXPECT_EQ(Control<QLineEdit>(d, "edDrawsLen")->text(), "30");
        EXPECT_EQ(Control<QComboBox>(d, "cbDrawsSortOrder")->currentText(), "Вес");
        EXPECT_EQ(Control<QComboBox>(d, "cbDirection")->currentText(), "Снизу-вверх");
        EXPECT_EQ(Control<QComboBox>(d, "cbFilterMode")->currentText(), "Оставить выделенные");
        EXPECT_EQ(Control<QComboBox>(d, "cbLevelMode")->currentText(),
                  "\"Вес\": из заданного списка значений");
        EXPECT_EQ(Control<QLineEdit>(d, "edLevelValue")->text(), "1,2");
        EXPECT_EQ(Control<QComboBox>(d, "cbStopMode")->currentText(),
                  "Процентному соотношению в списке статистики");
        EXPECT_EQ(Control<QSpinBox>(d, "edStopValue")->value(), 7);
        EXPECT_TRUE(Control<QCheckBox>(d, "cbCDLOverride")->isChecked());
        EXPECT_EQ(Control<QLineEdit>(d, "edCoefCount")->text(), "2.000");
        EXPECT_TRUE(Control<QCheckBox>(d, "cbCoefPercents")->isChecked());
        EXPECT_TRUE(Control<QCheckBox>(d, "cbCoefAbs")->isChecked());
        Control<QLineEdit>(d, "edDrawsLen")->setText("99");
        d->reject();
    });
    EXPECT_FALSE(Edit(item));
    EXPECT_EQ(FilterItemText(item), FilterItemText(before));
}

TEST_F(FilterDialog, ThePreviewLineFollowsTheWindowLengthAndAppliesNothing) {
    TWorkspace& ws = Window->Workspace();
    // Keep what holds a digit drawn at least once in the window; the newest draw is 5678.
    TFilterItem item = ParseFilterItem("TMF1#NUMS:1#CMV:1#SF:1", ws.Stats());
    const int window = ws.StatTab().WindowLength();
    Modal.Then([](QWidget* w) {
        auto* d = dynamic_cast<TFormFilter*>(w);
        ASSERT_NE(d, nullptr);
        auto* line = Control<QLineEdit>(d, "edFilterPreview");
        EXPECT_TRUE(line->isReadOnly());
        auto shows = [line](const QString& text) { return WaitUntil([&] { return line->text() == text; }); };
        EXPECT_TRUE(shows("Останется комбинаций: 8704")) << line->text().toStdString();
        Control<QLineEdit>(d, "edDrawsLen")->setText("2");  // 1234 too: only 9 and 0 are missing
        EXPECT_EQ(line->text(), "Останется комбинаций: 8704");  // not before the pause
        EXPECT_TRUE(shows("Останется комбинаций: 9984")) << line->text().toStdString();
        Control<QLineEdit>(d, "edDrawsLen")->clear();
        EXPECT_TRUE(shows("Ошибка: Введен некорректный диапазон значений!")) << line->text().toStdString();
        d->reject();
    });
    EXPECT_FALSE(Edit(item));
    EXPECT_TRUE(Modal.Done());
    EXPECT_EQ(ws.Combs().Count(), 10000);
    EXPECT_TRUE(ws.Combs().Journal().empty());
    EXPECT_EQ(ws.StatTab().WindowLength(), window);
}
