#include "ui/DiagonalSpinButton.h"
#include "ui/RxSpinEdit.h"
#include "tests/platform/qt/TestSupport.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

class RxSpinEditTest : public testing::Test {
protected:
    void SetUp() override
    {
        Window.resize(200, 100);
        Field = new TRxSpinEdit([this] { ++Beeps; }, &Window);
        Field->setGeometry(10, 10, 49, 21);
        Field->SetMinValue(1);
        Field->SetMaxValue(360);
        Field->SetValue(10);
        Other = new TRxSpinEdit([this] { ++Beeps; }, &Window);
        Other->setGeometry(10, 50, 49, 21);
        Window.show();
        Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
    }

    QWidget Window;
    TRxSpinEdit* Field = nullptr;
    TRxSpinEdit* Other = nullptr;
    int Beeps = 0;
};

struct TReadCase {
    const char* Text;
    double Min;
    double Max;
    double Expected;
};

class RxSpinEditRead : public RxSpinEditTest, public testing::WithParamInterface<TReadCase> {};

TEST_P(RxSpinEditRead, TextReadsAsAWholeNumberWithinTheBoundsOrAsMinValue)
{
    const TReadCase& c = GetParam();
    Field->SetMinValue(c.Min);
    Field->SetMaxValue(c.Max);
    Field->setText(QString::fromUtf8(c.Text));
    EXPECT_EQ(Field->Value(), c.Expected) << '"' << c.Text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, RxSpinEditRead,
    testing::Values(TReadCase{"12", 1, 360, 12}, TReadCase{"+12", 1, 360, 12}, TReadCase{"007", 1, 360, 7},
        TReadCase{"400", 1, 360, 360}, TReadCase{"0", 1, 360, 1}, TReadCase{"-5", 1, 360, 1},
        TReadCase{"", 1, 360, 1}, TReadCase{"+", 1, 360, 1}, TReadCase{"-", 1, 360, 1}, TReadCase{"1-2", 1, 360, 1},
        TReadCase{"12+", 1, 360, 1}, TReadCase{"+-3", 1, 360, 1}, TReadCase{" 5", 1, 360, 1},
        TReadCase{"2147483647", 1, 360, 360}, TReadCase{"2147483648", 1, 360, 1},
        TReadCase{"-2147483648", 0, 45, 0}, TReadCase{"-2147483649", 0, 45, 0}, TReadCase{"99999999999", 0, 45, 0},
        TReadCase{"", 0, 45, 0}, TReadCase{"46", 0, 45, 45}, TReadCase{"-1", 0, 45, 0},
        // Equal bounds switch clamping off.
        TReadCase{"-2147483648", 0, 0, -2147483648.0}, TReadCase{"x", 7, 7, 7}));

struct TWriteCase {
    double Min;
    double Max;
    double Value;
    const char* Text;
};

class RxSpinEditWrite : public RxSpinEditTest, public testing::WithParamInterface<TWriteCase> {};

TEST_P(RxSpinEditWrite, WrittenValueIsClampedRoundedHalfToEvenAndShownInDecimal)
{
    const TWriteCase& c = GetParam();
    Field->SetMinValue(c.Min);
    Field->SetMaxValue(c.Max);
    Field->SetValue(c.Value);
    EXPECT_EQ(Field->text(), QString::fromUtf8(c.Text)) << c.Value;
}

INSTANTIATE_TEST_SUITE_P(Values, RxSpinEditWrite,
    testing::Values(TWriteCase{1, 360, 10, "10"}, TWriteCase{1, 360, 361, "360"}, TWriteCase{1, 360, 0, "1"},
        TWriteCase{1, 360, 2.5, "2"}, TWriteCase{1, 360, 3.5, "4"}, TWriteCase{1, 360, 359.5, "360"},
        TWriteCase{1, 360, 1e12, "360"}, TWriteCase{-45, 45, -0.4, "0"}, TWriteCase{-45, 45, -2.5, "-2"},
        TWriteCase{0, 0, 123456, "123456"}, TWriteCase{0, 0, -7.5, "-8"}));

TEST_F(RxSpinEditTest, RefusedCharactersBeepAndInsertNothing)
{
    Field->setFocus(Qt::TabFocusReason);
    Field->setText("5");
    Field->end(false);
    QTest::keyClicks(Field, "a.x ,e");
    EXPECT_EQ(Field->text(), "5");
    EXPECT_EQ(Beeps, 6);
    QTest::keyClicks(Field, "-+09");
    EXPECT_EQ(Field->text(), "5-+09");
    EXPECT_EQ(Beeps, 6);
    QTest::keyClick(Field, Qt::Key_Backspace);
    EXPECT_EQ(Field->text(), "5-+0");
    // Shortcuts with a modifier are not typing.
    QTest::keyClick(Field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Field->selectedText(), "5-+0");
    EXPECT_EQ(Beeps, 6);
}

struct TStepCase {
    double Min;
    double Max;
    double Start;
    Qt::Key Key;
    const char* After;
};

class RxSpinEditArrows : public RxSpinEditTest, public testing::WithParamInterface<TStepCase> {};

TEST_P(RxSpinEditArrows, UpAndDownStepByOneWithinTheBoundsAndAreConsumed)
{
    const TStepCase& c = GetParam();
    Field->SetMinValue(c.Min);
    Field->SetMaxValue(c.Max);
    Field->SetValue(c.Start);
    Field->setFocus(Qt::TabFocusReason);
    QKeyEvent press(QEvent::KeyPress, c.Key, Qt::NoModifier);
    QCoreApplication::sendEvent(Field, &press);
    EXPECT_TRUE(press.isAccepted());
    EXPECT_EQ(Field->text(), QString::fromUtf8(c.After));
}

INSTANTIATE_TEST_SUITE_P(Bounds, RxSpinEditArrows,
    testing::Values(TStepCase{1, 360, 360, Qt::Key_Up, "360"}, TStepCase{1, 360, 359, Qt::Key_Up, "360"},
        TStepCase{1, 360, 1, Qt::Key_Down, "1"}, TStepCase{1, 360, 2, Qt::Key_Down, "1"},
        TStepCase{0, 45, 45, Qt::Key_Up, "45"}, TStepCase{0, 45, 0, Qt::Key_Down, "0"},
        TStepCase{0, 45, 0, Qt::Key_Up, "1"}));

TEST_F(RxSpinEditTest, ArrowOnATextThatIsNoNumberStepsFromMinValue)
{
    Field->setFocus(Qt::TabFocusReason);
    Field->setText("1-2");
    QTest::keyClick(Field, Qt::Key_Up);
    EXPECT_EQ(Field->text(), "2");
}

TEST_F(RxSpinEditTest, EnterAndEscapeAreReportedButNeitherInsertedNorConsumed)
{
    std::vector<int> keys;
    Field->SetKeyDownHandler([&](int key) { keys.push_back(key); });
    Field->setFocus(Qt::TabFocusReason);
    Field->setText("12");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Escape ? "\x1b" : "\r");
        QCoreApplication::sendEvent(Field, &press);
        EXPECT_FALSE(press.isAccepted()) << key;
    }
    QTest::keyClick(Field, Qt::Key_Up);
    EXPECT_EQ(Field->text(), "13");
    EXPECT_EQ(keys, (std::vector<int>{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Up}));
    EXPECT_EQ(Beeps, 0);
}

struct TLeaveCase {
    const char* Typed;
    const char* AfterLeaving;
};

class RxSpinEditLeave : public RxSpinEditTest, public testing::WithParamInterface<TLeaveCase> {};

TEST_P(RxSpinEditLeave, LeavingClampsANumberOutOfBoundsButKeepsOtherText)
{
    Field->setFocus(Qt::TabFocusReason);
    Field->setText(QString::fromUtf8(GetParam().Typed));
    Other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Field->text(), QString::fromUtf8(GetParam().AfterLeaving));
}

INSTANTIATE_TEST_SUITE_P(Texts, RxSpinEditLeave,
    testing::Values(TLeaveCase{"400", "360"}, TLeaveCase{"0", "1"}, TLeaveCase{"-7", "1"}, TLeaveCase{"+42", "+42"},
        TLeaveCase{"1-2", "1-2"}, TLeaveCase{"", ""}, TLeaveCase{"99999999999", "99999999999"}));

TEST_F(RxSpinEditTest, EnteringByKeyboardSelectsTheWholeTextButAMouseClickDoesNot)
{
    Field->SetValue(123);
    Other->setFocus(Qt::TabFocusReason);
    Field->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Field->selectedText(), "123");
    Other->setFocus(Qt::TabFocusReason);
    Field->deselect();
    QTest::mouseClick(Field, Qt::LeftButton, Qt::NoModifier, QPoint(5, 10));
    EXPECT_TRUE(Field->hasFocus());
    EXPECT_EQ(Field->selectedText(), "");
}

// Points inside either triangle of the spin button, including some close to the diagonal.
struct TSpinCase {
    double X; // fractions of the button's width and height
    double Y;
    const char* After;
};

class RxSpinEditButton : public RxSpinEditTest, public testing::WithParamInterface<TSpinCase> {};

TEST_P(RxSpinEditButton, PressOnAHalfStepsThatWayAndFocusesTheField)
{
    Other->setFocus(Qt::TabFocusReason);
    TDiagonalSpinButton* button = Field->Button();
    ASSERT_GT(button->width(), 8);
    const QPoint at(static_cast<int>(GetParam().X * button->width()), static_cast<int>(GetParam().Y * button->height()));
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(Field->text(), QString::fromUtf8(GetParam().After));
    EXPECT_TRUE(Field->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Points, RxSpinEditButton,
    testing::Values(TSpinCase{0.1, 0.1, "11"}, TSpinCase{0.8, 0.1, "11"}, TSpinCase{0.1, 0.8, "11"},
        TSpinCase{0.35, 0.35, "11"}, TSpinCase{0.9, 0.9, "9"}, TSpinCase{0.3, 0.9, "9"}, TSpinCase{0.9, 0.3, "9"},
        TSpinCase{0.65, 0.65, "9"}));

TEST_F(RxSpinEditTest, ButtonLiesInsideTheFieldAtItsRightEnd)
{
    const QRect button = Field->Button()->geometry();
    EXPECT_TRUE(Field->rect().contains(button));
    EXPECT_GE(button.right(), Field->width() - 4);
    EXPECT_EQ(button.width(), button.height());
}

TEST_F(RxSpinEditTest, HoldingTheButtonRepeatsAfterFourHundredThenEveryHundredMilliseconds)
{
    TDiagonalSpinButton* button = Field->Button();
    auto* repeat = button->findChild<QTimer*>();
    ASSERT_NE(repeat, nullptr);
    const QPoint up(2, 2);
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, up);
    EXPECT_EQ(Field->text(), "11");
    EXPECT_TRUE(repeat->isActive());
    EXPECT_EQ(repeat->interval(), TDiagonalSpinButton::FirstRepeatDelayMs);
    EXPECT_EQ(TDiagonalSpinButton::FirstRepeatDelayMs, 400);
    EXPECT_EQ(TDiagonalSpinButton::RepeatDelayMs, 100);

    QElapsedTimer held;
    held.start();
    ASSERT_TRUE(WaitFor([&] { return Field->text() == "12"; }));
    EXPECT_GE(held.elapsed(), 390);
    EXPECT_EQ(repeat->interval(), TDiagonalSpinButton::RepeatDelayMs);
    ASSERT_TRUE(WaitFor([&] { return Field->text() == "13"; }));

    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, up);
    EXPECT_FALSE(repeat->isActive());
    const QString released = Field->text();
    RunEventLoop(150);
    EXPECT_EQ(Field->text(), released);
}

TEST_F(RxSpinEditTest, DisabledFieldIgnoresTheButton)
{
    Field->setEnabled(false);
    QTest::mouseClick(Field->Button(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(Field->text(), "10");
    EXPECT_FALSE(Field->Button()->isEnabled());
}

} // namespace
