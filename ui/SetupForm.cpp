#include "ui/SetupForm.h"

#include "simulation/WindSettings.h"

#include "simulation/Random.h"
#include "platform/MessageBox.h"
#include "ui/Button.h"
#include "ui/ClassicFont.h"
#include "ui/LeftCaptionCheckBox.h"
#include "ui/RxSpinEdit.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>


namespace {

const char* const Label1Text = QT_TRANSLATE_NOOP("TSetupForm", "Windrichtung in Grad:");
const char* const Label2Text = QT_TRANSLATE_NOOP("TSetupForm", "Windgeschwindigkeit in Knoten:");
const char* const Label3Text = QT_TRANSLATE_NOOP("TSetupForm", "Zufällige Windabweichung in Grad:");

// Labels start at x 16 and must end before the fields' column at x 192.
constexpr int LabelRoom = 192 - 16 - 4;

QFont DialogFont(int pixelsPerInch = 96)
{
    const QStringList labels{TSetupForm::tr(Label1Text), TSetupForm::tr(Label2Text), TSetupForm::tr(Label3Text)};
    return FittingFont(ClassicFont(), labels, LabelRoom * pixelsPerInch / 96);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, int left, int top)
{
    auto* label = new QLabel(TSetupForm::tr(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

TRxSpinEdit* MakeField(QWidget* parent, IMessageBox& messages, const char* name, int top, double minValue,
    double maxValue, double value)
{
    auto* field = new TRxSpinEdit([&messages] { messages.Beep(); }, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(192, top, 49, 21);
    field->SetMinValue(minValue);
    field->SetMaxValue(maxValue);
    field->SetValue(value);
    return field;
}

} // namespace

TSetupForm::TSetupForm(IClock& clock, IMessageBox& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
              | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , FClock(clock)
{
    setObjectName(QStringLiteral("SetupForm"));
    setWindowTitle(tr("Quibo Trainer Einstellungen"));
    setFont(DialogFont());
    setFixedSize(259, 205);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, 16, 241, 137);

    Label1 = MakeLabel(this, "Label1", Label1Text, 16, 56);
    Label2 = MakeLabel(this, "Label2", Label2Text, 16, 128);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 160, 33, 33);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label3 = MakeLabel(this, "Label3", Label3Text, 16, 88);

    ButtonFertig = new TButton(tr("&Fertig"), this);
    ButtonFertig->setObjectName(QStringLiteral("ButtonFertig"));
    ButtonFertig->setGeometry(176, 173, 75, 20);
    QFont bold = font();
    bold.setBold(true);
    ButtonFertig->setFont(bold);
    connect(ButtonFertig, &QPushButton::clicked, this, [this] { done(mrOk); });

    RxSpinEditWGrad = MakeField(this, messages, "RxSpinEditWGrad", 48, TWindSettings::MinDirection,
                                TWindSettings::MaxDirection, 360);
    RxSpinEditWSpeed = MakeField(this, messages, "RxSpinEditWSpeed", 118, TWindSettings::MinSpeed,
                                 TWindSettings::MaxSpeed, 10);
    RxSpinEditWAbw = MakeField(this, messages, "RxSpinEditWAbw", 80, TWindSettings::MinVariation,
                               TWindSettings::MaxVariation, 5);
    for (TRxSpinEdit* field : {RxSpinEditWGrad, RxSpinEditWSpeed, RxSpinEditWAbw})
        field->SetKeyDownHandler([this](int key) { RxSpinEditKeyDown(key); });

    CheckBoxWRandom = new TLeftCaptionCheckBox(tr("Zufällige Windrichtung:"), this);
    CheckBoxWRandom->setObjectName(QStringLiteral("CheckBoxWRandom"));
    CheckBoxWRandom->setGeometry(16, 24, 190, 17);
    connect(CheckBoxWRandom, &QCheckBox::toggled, this, [this] { CheckBoxWRandomClick(); });

    setTabOrder(RxSpinEditWSpeed, CheckBoxWRandom);
    setTabOrder(CheckBoxWRandom, RxSpinEditWGrad);
    setTabOrder(RxSpinEditWGrad, RxSpinEditWAbw);
    setTabOrder(RxSpinEditWAbw, ButtonFertig);
    RxSpinEditWSpeed->setFocus();
}

void TSetupForm::SetIcon(const QPixmap& icon)
{
    Image1->setPixmap(icon);
}

void TSetupForm::CheckBoxWRandomClick()
{
    RxSpinEditWGrad->setEnabled(!CheckBoxWRandom->isChecked());
}

void TSetupForm::RxSpinEditKeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        done(mrOk);
    else if (key == Qt::Key_Escape)
        done(mrCancel);
}

void TSetupForm::FormClose()
{
    if (!CheckBoxWRandom->isChecked())
        return;
    Randomize(FClock);
    RxSpinEditWGrad->SetValue(Random(359) + 1);
}

void TSetupForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TSetupForm::reject()
{
    done(mrCancel);
}

void TSetupForm::accept()
{
    done(mrOk);
}

void TSetupForm::keyPressEvent(QKeyEvent* event)
{
    // No default and no cancel button: Enter and Esc that reach the dialog itself do nothing.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TSetupForm::FollowDensity(int pixelsPerInch)
{
    // The layout is stored for 96 dpi; its text grows with the screen's density, and so does all around it.
    const auto scaled = [pixelsPerInch](int length) { return length * pixelsPerInch / 96; };
    setFont(DialogFont(pixelsPerInch));
    QFont bold = font();
    bold.setBold(true);
    ButtonFertig->setFont(bold);
    setFixedSize(scaled(width()), scaled(height()));
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect r = child->geometry();
        child->setGeometry(scaled(r.left()), scaled(r.top()), scaled(r.width()), scaled(r.height()));
        if (auto* label = qobject_cast<QLabel*>(child); label != nullptr && label != Image1)
            label->adjustSize();
    }
}

void TSetupForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QScreen* own = screen();
    if (const int ppi = own != nullptr ? qRound(own->logicalDotsPerInch()) : 96; !FScaled && ppi > 96) {
        FollowDensity(ppi);
        FScaled = true;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}
