#include "platform/ManualClock.h"
#include "platform/MessageBox.h"
#include "simulation/Random.h"
#include "ui/LeftCaptionCheckBox.h"
#include "ui/RxSpinEdit.h"
#include "ui/SetupForm.h"
#include "tests/platform/qt/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

class TCountingMessages : public IMessageBox {
public:
    void ShowInformation(const std::string&, const std::string&) override { ++Shown; }
    void Beep() override { ++Beeps; }
    int Shown = 0;
    int Beeps = 0;
};

class SetupFormTest : public testing::Test {
protected:
    void ShowForm()
    {
        Form.show();
        Form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
    }

    // Replaces a field's text the way a user does: into the field, select everything, type.
    void Type(TRxSpinEdit* field, const char* text)
    {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, QString::fromUtf8(text));
    }

    TManualClock Clock;
    TCountingMessages Messages;
    TSetupForm Form{Clock, Messages};
};

TEST_F(SetupFormTest, WindowHasItsCaptionAndFixedSize)
{
    EXPECT_EQ(Form.windowTitle(), QString::fromUtf8("Quibo Trainer Einstellungen"));
    EXPECT_EQ(Form.minimumSize(), QSize(259, 205));
    EXPECT_EQ(Form.maximumSize(), QSize(259, 205));
    EXPECT_FALSE(Form.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(Form.windowFlags() & Qt::WindowCloseButtonHint);
}

struct TPlace {
    const char* Name;
    QRect Geometry; // an empty size: only the place is fixed, the size follows the text
    const char* Text;
};

class SetupFormLayout : public SetupFormTest, public testing::WithParamInterface<TPlace> {};

TEST_P(SetupFormLayout, ControlSitsInItsPlaceWithItsText)
{
    const TPlace& place = GetParam();
    auto* control = Form.findChild<QWidget*>(QString::fromLatin1(place.Name));
    ASSERT_NE(control, nullptr) << place.Name;
    if (place.Geometry.isEmpty())
        EXPECT_EQ(control->pos(), place.Geometry.topLeft()) << place.Name;
    else
        EXPECT_EQ(control->geometry(), place.Geometry) << place.Name;
    QString text;
    if (auto* label = qobject_cast<QLabel*>(control))
        text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        text = button->text();
    else if (auto* field = qobject_cast<QLineEdit*>(control))
        text = field->text();
    EXPECT_EQ(text, QString::fromUtf8(place.Text)) << place.Name;
}

INSTANTIATE_TEST_SUITE_P(Controls, SetupFormLayout,
    testing::Values(TPlace{"Bevel1", QRect(8, 16, 241, 137), ""},
        TPlace{"Label1", QRect(16, 56, 0, 0), "Windrichtung in Grad:"},
        TPlace{"Label2", QRect(16, 128, 0, 0), "Windgeschwindigkeit in Knoten:"},
        TPlace{"Image1", QRect(8, 160, 33, 33), ""},
        TPlace{"Label3", QRect(16, 88, 0, 0), "Zufällige Windabweichung in Grad:"},
        TPlace{"ButtonFertig", QRect(176, 173, 75, 20), "&Fertig"},
        TPlace{"RxSpinEditWGrad", QRect(192, 48, 49, 21), "360"},
        TPlace{"RxSpinEditWSpeed", QRect(192, 118, 49, 21), "10"},
        TPlace{"RxSpinEditWAbw", QRect(192, 80, 49, 21), "5"},
        TPlace{"CheckBoxWRandom", QRect(16, 24, 190, 17), "Zufällige Windrichtung:"}),
    [](const testing::TestParamInfo<TPlace>& param) { return std::string(param.param.Name); });

TEST_F(SetupFormTest, LabelsEndBeforeTheFieldsAndTheSquareSitsInTheFieldsColumn)
{
    for (QLabel* label : {Form.Label1, Form.Label2, Form.Label3})
        EXPECT_LT(label->geometry().right(), 192) << label->text().toStdString();
    const auto* box = static_cast<TLeftCaptionCheckBox*>(Form.CheckBoxWRandom);
    const QRect square = box->IndicatorRect().translated(box->pos());
    EXPECT_GE(square.left(), 190);
    EXPECT_EQ(square.right(), box->geometry().right());
    EXPECT_FALSE(box->isChecked());
}

// Runs at 120 and 144 dpi with Qt's scaling off (see CMakeLists.txt): the dialog grows as the main window does.
TEST_F(SetupFormTest, DensityGrowsTheDialogAndEveryControlWithIt)
{
    ShowForm();
    const int ppi = qRound(Form.screen()->logicalDotsPerInch());
    if (ppi <= 96)
        GTEST_SKIP() << "runs on screens above 96 dpi";
    const auto scaled = [ppi](int length) { return length * ppi / 96; };
    EXPECT_EQ(Form.size(), QSize(scaled(259), scaled(205)));
    EXPECT_EQ(Form.RxSpinEditWGrad->geometry(), QRect(scaled(192), scaled(48), scaled(49), scaled(21)));
    EXPECT_EQ(Form.ButtonFertig->geometry(), QRect(scaled(176), scaled(173), scaled(75), scaled(20)));
    for (QLabel* label : {Form.Label1, Form.Label2, Form.Label3}) {
        EXPECT_LT(label->geometry().right(), scaled(192)) << label->text().toStdString();
        EXPECT_GE(label->width(), QFontMetrics(label->font()).horizontalAdvance(label->text()));
    }
    // The text has grown too, not only the room around it.
    EXPECT_GT(QFontMetrics(Form.Label2->font()).horizontalAdvance(Form.Label2->text()), 150 * ppi / 120);
}

TEST_F(SetupFormTest, OnlyTheButtonIsBoldAndTheFieldsHaveTheirBounds)
{
    EXPECT_TRUE(Form.ButtonFertig->font().bold());
    EXPECT_FALSE(Form.Label1->font().bold());
    EXPECT_EQ(Form.ButtonFertig->font().pointSize(), 8);
    EXPECT_EQ(Form.Label1->font().pointSize(), 8);
    EXPECT_EQ(Form.RxSpinEditWGrad->MinValue(), 1);
    EXPECT_EQ(Form.RxSpinEditWGrad->MaxValue(), 360);
    EXPECT_EQ(Form.RxSpinEditWSpeed->MinValue(), 1);
    EXPECT_EQ(Form.RxSpinEditWSpeed->MaxValue(), 360);
    EXPECT_EQ(Form.RxSpinEditWAbw->MinValue(), 0);
    EXPECT_EQ(Form.RxSpinEditWAbw->MaxValue(), 45);
}

TEST_F(SetupFormTest, SpeedFieldHasTheFocusFirstAndTabWalksTheOrder)
{
    ShowForm();
    EXPECT_EQ(QApplication::focusWidget(), Form.RxSpinEditWSpeed);
    const std::vector<QWidget*> order = {Form.CheckBoxWRandom, Form.RxSpinEditWGrad, Form.RxSpinEditWAbw,
        Form.ButtonFertig, Form.RxSpinEditWSpeed};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
}

// How the dialog is closed, and what it answers; 0: it stays open.
struct TCloseCase {
    const char* Name;
    std::function<void(TSetupForm&)> Act;
    int Result;
};

class SetupFormClose : public SetupFormTest, public testing::WithParamInterface<TCloseCase> {};

TEST_P(SetupFormClose, EachWayGivesItsResult)
{
    ShowForm();
    GetParam().Act(Form);
    // A mnemonic presses its button with a short visible delay.
    const bool closed = WaitFor([this] { return !Form.isVisible(); }, GetParam().Result == 0 ? 200 : 2000);
    if (GetParam().Result == 0) {
        EXPECT_FALSE(closed);
    } else {
        EXPECT_TRUE(closed);
        EXPECT_EQ(Form.result(), GetParam().Result);
    }
}

void KeyIn(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    widget->setFocus(Qt::TabFocusReason);
    QTest::keyClick(widget, key, modifiers);
}

INSTANTIATE_TEST_SUITE_P(Ways, SetupFormClose,
    testing::Values(
        TCloseCase{"FertigClicked", [](TSetupForm& f) { QTest::mouseClick(f.ButtonFertig, Qt::LeftButton); }, mrOk},
        TCloseCase{"SpaceOnFertig", [](TSetupForm& f) { KeyIn(f.ButtonFertig, Qt::Key_Space); }, mrOk},
        TCloseCase{"EnterOnFertig", [](TSetupForm& f) { KeyIn(f.ButtonFertig, Qt::Key_Return); }, mrOk},
        TCloseCase{"AltF", [](TSetupForm& f) { KeyIn(f.RxSpinEditWSpeed, Qt::Key_F, Qt::AltModifier); }, mrOk},
        TCloseCase{"EnterInDirection", [](TSetupForm& f) { KeyIn(f.RxSpinEditWGrad, Qt::Key_Return); }, mrOk},
        TCloseCase{"KeypadEnterInSpeed", [](TSetupForm& f) { KeyIn(f.RxSpinEditWSpeed, Qt::Key_Enter); }, mrOk},
        TCloseCase{"EnterInDeviation", [](TSetupForm& f) { KeyIn(f.RxSpinEditWAbw, Qt::Key_Return); }, mrOk},
        TCloseCase{"EscInDirection", [](TSetupForm& f) { KeyIn(f.RxSpinEditWGrad, Qt::Key_Escape); }, mrCancel},
        TCloseCase{"EscInSpeed", [](TSetupForm& f) { KeyIn(f.RxSpinEditWSpeed, Qt::Key_Escape); }, mrCancel},
        TCloseCase{"EscInDeviation", [](TSetupForm& f) { KeyIn(f.RxSpinEditWAbw, Qt::Key_Escape); }, mrCancel},
        TCloseCase{"CloseBox", [](TSetupForm& f) { f.close(); }, mrCancel},
        TCloseCase{"EscOnCheckBox", [](TSetupForm& f) { KeyIn(f.CheckBoxWRandom, Qt::Key_Escape); }, 0},
        TCloseCase{"EnterOnCheckBox", [](TSetupForm& f) { KeyIn(f.CheckBoxWRandom, Qt::Key_Return); }, 0},
        TCloseCase{"EscOnFertig", [](TSetupForm& f) { KeyIn(f.ButtonFertig, Qt::Key_Escape); }, 0}),
    [](const testing::TestParamInfo<TCloseCase>& param) { return std::string(param.param.Name); });

TEST_F(SetupFormTest, ModalShowingReturnsTheResult)
{
    for (const auto& [key, expected] : {std::pair{Qt::Key_Return, mrOk}, std::pair{Qt::Key_Escape, mrCancel}}) {
        QTimer::singleShot(0, [this, key = key] {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
            QTest::keyClick(Form.RxSpinEditWSpeed, key);
        });
        EXPECT_EQ(Form.exec(), expected);
    }
}

struct TEnterCase {
    const char* Field;
    const char* Typed;
    double Value;
};

class SetupFormEnter : public SetupFormTest, public testing::WithParamInterface<TEnterCase> {};

TEST_P(SetupFormEnter, TypedNumberConfirmedWithEnterReadsWithinTheBounds)
{
    ShowForm();
    auto* field = Form.findChild<TRxSpinEdit*>(QString::fromLatin1(GetParam().Field));
    ASSERT_NE(field, nullptr);
    Type(field, GetParam().Typed);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Form.result(), mrOk);
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(field->Value(), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Fields, SetupFormEnter,
    testing::Values(TEnterCase{"RxSpinEditWGrad", "400", 360}, TEnterCase{"RxSpinEditWGrad", "0", 1},
        TEnterCase{"RxSpinEditWGrad", "123", 123}, TEnterCase{"RxSpinEditWAbw", "", 0},
        TEnterCase{"RxSpinEditWAbw", "46", 45}, TEnterCase{"RxSpinEditWAbw", "1-2", 0},
        TEnterCase{"RxSpinEditWSpeed", "", 1}, TEnterCase{"RxSpinEditWSpeed", "-", 1}));

TEST_F(SetupFormTest, ArrowKeysStopAtEachFieldsBounds)
{
    ShowForm();
    struct {
        TRxSpinEdit* Field;
        double Start;
        Qt::Key Key;
        double Value;
    } cases[] = {{Form.RxSpinEditWGrad, 360, Qt::Key_Up, 360}, {Form.RxSpinEditWGrad, 1, Qt::Key_Down, 1},
        {Form.RxSpinEditWSpeed, 360, Qt::Key_Up, 360}, {Form.RxSpinEditWSpeed, 1, Qt::Key_Down, 1},
        {Form.RxSpinEditWAbw, 45, Qt::Key_Up, 45}, {Form.RxSpinEditWAbw, 0, Qt::Key_Down, 0},
        {Form.RxSpinEditWAbw, 5, Qt::Key_Down, 4}};
    for (const auto& c : cases) {
        c.Field->SetValue(c.Start);
        KeyIn(c.Field, c.Key);
        EXPECT_EQ(c.Field->Value(), c.Value) << c.Field->objectName().toStdString() << ' ' << c.Start;
        EXPECT_TRUE(Form.isVisible());
    }
}

TEST_F(SetupFormTest, LetterInAFieldBeepsAndInsertsNothing)
{
    ShowForm();
    Type(Form.RxSpinEditWAbw, "1");
    QTest::keyClicks(Form.RxSpinEditWAbw, "k2");
    EXPECT_EQ(Form.RxSpinEditWAbw->text(), "12");
    EXPECT_EQ(Messages.Beeps, 1);
}

TEST_F(SetupFormTest, CheckBoxGreysTheDirectionFieldAndUncheckingEnablesIt)
{
    ShowForm();
    // Anywhere on the box toggles it, the caption as well as the square.
    QTest::mouseClick(Form.CheckBoxWRandom, Qt::LeftButton, Qt::NoModifier, QPoint(5, 8));
    EXPECT_TRUE(Form.CheckBoxWRandom->isChecked());
    EXPECT_FALSE(Form.RxSpinEditWGrad->isEnabled());
    EXPECT_TRUE(Form.RxSpinEditWAbw->isEnabled());
    EXPECT_TRUE(Form.RxSpinEditWSpeed->isEnabled());
    KeyIn(Form.CheckBoxWRandom, Qt::Key_Space);
    EXPECT_FALSE(Form.CheckBoxWRandom->isChecked());
    EXPECT_TRUE(Form.RxSpinEditWGrad->isEnabled());
}

TEST_F(SetupFormTest, CheckedBoxDrawsADirectionFromOneTo359OnEveryClose)
{
    Form.CheckBoxWRandom->setChecked(true);
    std::set<double> drawn;
    for (uint32_t run = 0; run < 400; ++run) {
        const uint32_t time = run * 215999u + 7u; // spread over the day
        Clock.SetMillisecondsOfDay(time);
        ShowForm();
        Form.RxSpinEditWGrad->SetValue(360);
        if (run % 2 == 0)
            QTest::mouseClick(Form.ButtonFertig, Qt::LeftButton);
        else
            Form.close();
        ASSERT_FALSE(Form.isVisible());
        const double direction = Form.RxSpinEditWGrad->Value();
        ASSERT_GE(direction, 1);
        ASSERT_LE(direction, 359);
        // Reseeded from the clock, then stepped once by the draw.
        ASSERT_EQ(RandSeed, time * 134775813u + 1u);
        drawn.insert(direction);
    }
    EXPECT_GT(drawn.size(), 200u);
}

TEST_F(SetupFormTest, SameTimeOfDayDrawsTheSameDirection)
{
    Form.CheckBoxWRandom->setChecked(true);
    Clock.SetMillisecondsOfDay(45296789);
    Form.done(mrOk);
    const double first = Form.RxSpinEditWGrad->Value();
    RandSeed = 99;
    Form.RxSpinEditWGrad->SetValue(360);
    Form.done(mrCancel);
    EXPECT_EQ(Form.RxSpinEditWGrad->Value(), first);
}

TEST_F(SetupFormTest, UncheckedBoxLeavesDirectionAndGeneratorAlone)
{
    ShowForm();
    Form.RxSpinEditWGrad->SetValue(360);
    RandSeed = 12345;
    QTest::mouseClick(Form.ButtonFertig, Qt::LeftButton);
    EXPECT_EQ(Form.RxSpinEditWGrad->text(), "360");
    EXPECT_EQ(RandSeed, 12345u);
}

TEST_F(SetupFormTest, DeviationTextCheckBoxAndFocusCarryOverToTheNextShowing)
{
    ShowForm();
    Type(Form.RxSpinEditWAbw, "17");
    Form.CheckBoxWRandom->setChecked(true);
    Form.RxSpinEditWAbw->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Form.RxSpinEditWAbw, Qt::Key_Escape);
    ASSERT_EQ(Form.result(), mrCancel);

    ShowForm();
    EXPECT_EQ(Form.RxSpinEditWAbw->text(), "17");
    EXPECT_TRUE(Form.CheckBoxWRandom->isChecked());
    EXPECT_FALSE(Form.RxSpinEditWGrad->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), Form.RxSpinEditWAbw);
}

TEST_F(SetupFormTest, FertigIsNoDefaultButtonAndShowsItsFocus)
{
    ShowForm();
    TButton* fertig = Form.ButtonFertig;
    EXPECT_FALSE(fertig->isDefault());
    EXPECT_FALSE(fertig->autoDefault());
    // Pixels of the caption's colour on the row three pixels inside the button's top edge.
    const auto frameDots = [fertig] {
        const QImage image = fertig->grab().toImage();
        const QRgb ink = fertig->palette().color(QPalette::ButtonText).rgb() & 0xFFFFFF;
        int dots = 0;
        for (int x = 4; x < image.width() - 4; ++x)
            dots += (image.pixel(x, 3) & 0xFFFFFF) == ink;
        return dots;
    };
    EXPECT_EQ(frameDots(), 0);
    fertig->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(fertig->hasFocus());
    // Taking the focus does not make it a default button either, and the focus is drawn: a dotted line.
    EXPECT_FALSE(fertig->isDefault());
    const int dots = frameDots();
    EXPECT_GT(dots, (fertig->width() - 8) / 3);
    EXPECT_LT(dots, fertig->width() - 8);
    // Enter while it has the focus still presses it.
    QTest::keyClick(fertig, Qt::Key_Return);
    EXPECT_EQ(Form.result(), mrOk);
}

} // namespace
