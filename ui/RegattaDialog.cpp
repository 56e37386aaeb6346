#include "ui/RegattaDialog.h"

#include "platform/MessageBox.h"
#include "ui/ClassicFont.h"
#include "ui/RxSpinEdit.h"
#include "ui/SetupForm.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <cmath>

namespace {

const char* const LapsText = QT_TRANSLATE_NOOP("TRegattaDialog", "Runden:");
const char* const RulesText = QT_TRANSLATE_NOOP("TRegattaDialog", "Regeln:");
const char* const HelmTexts[] = {QT_TRANSLATE_NOOP("TRegattaDialog", "Grün steuert:"),
                                 QT_TRANSLATE_NOOP("TRegattaDialog", "Rot steuert:")};

// Labels start at x 16 and end before the fields' column.
constexpr int FieldsLeft = 120;
constexpr int LabelRoom = FieldsLeft - 16 - 4;
constexpr int FieldsWidth = 323 - FieldsLeft;

// The helms' list: the player first, then the computer from the weakest skill to the strongest.
QStringList HelmItems()
{
    QStringList items{TRegattaDialog::tr("Spieler"), TRegattaDialog::tr("Computer 1 (Anfänger)")};
    for (int skill = 2; skill < 5; ++skill)
        items.push_back(TRegattaDialog::tr("Computer %1").arg(skill));
    items.push_back(TRegattaDialog::tr("Computer 5 (Regattasegler)"));
    return items;
}

QFont DialogFont(int pixelsPerInch = 96)
{
    const QStringList labels{TRegattaDialog::tr(LapsText), TRegattaDialog::tr(RulesText),
                             TRegattaDialog::tr(HelmTexts[0]), TRegattaDialog::tr(HelmTexts[1])};
    return FittingFont(ClassicFont(), labels, LabelRoom * pixelsPerInch / 96);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const char* text, int top)
{
    auto* label = new QLabel(TRegattaDialog::tr(text), parent);
    label->setObjectName(name);
    label->move(16, top);
    label->adjustSize();
    return label;
}

QComboBox* MakeCombo(QWidget* parent, const QString& name, int top, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setGeometry(FieldsLeft, top, FieldsWidth, 21);
    return combo;
}

TButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int left, int width)
{
    auto* button = new TButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(left, 173, width, 20);
    return button;
}

} // namespace

TRegattaDialog::TRegattaDialog(IMessageBox& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
              | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("RegattaDialog"));
    setWindowTitle(tr("Quibo Trainer Regatta"));
    setFont(DialogFont());
    setFixedSize(331, 205);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, 16, 315, 137);

    LabelLaps = MakeLabel(this, QStringLiteral("LabelLaps"), LapsText, 32);
    RxSpinEditLaps = new TRxSpinEdit([&messages] { messages.Beep(); }, this);
    RxSpinEditLaps->setObjectName(QStringLiteral("RxSpinEditLaps"));
    RxSpinEditLaps->setGeometry(FieldsLeft, 28, 49, 21);
    RxSpinEditLaps->SetMinValue(TRegattaSettings::MinLaps);
    RxSpinEditLaps->SetMaxValue(TRegattaSettings::MaxLaps);
    RxSpinEditLaps->SetKeyDownHandler([this](int key) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            done(mrOk);
        else if (key == Qt::Key_Escape)
            done(mrCancel);
    });

    LabelRules = MakeLabel(this, QStringLiteral("LabelRules"), RulesText, 62);
    // The racing rules first, as the default.
    ComboBoxRules = MakeCombo(this, QStringLiteral("ComboBoxRules"), 58,
                              {tr("Strafdrehungen"), tr("Klassisch (Explosion)")});
    for (size_t d = 0; d < 2; ++d) {
        const int top = 88 + static_cast<int>(d) * 30;
        LabelHelms[d] = MakeLabel(this, QStringLiteral("LabelHelm%1").arg(d), HelmTexts[d], top + 4);
        ComboBoxHelms[d] = MakeCombo(this, QStringLiteral("ComboBoxHelm%1").arg(d), top, HelmItems());
    }

    ButtonFree = MakeButton(this, QStringLiteral("ButtonFree"), tr("Freies Segeln"), 8, 100);
    ButtonCancel = MakeButton(this, QStringLiteral("ButtonCancel"), tr("Abbrechen"), 168, 75);
    ButtonStart = MakeButton(this, QStringLiteral("ButtonStart"), tr("&Start"), 248, 75);
    QFont bold = font();
    bold.setBold(true);
    ButtonStart->setFont(bold);
    connect(ButtonFree, &QPushButton::clicked, this, [this] { done(mrLeave); });
    connect(ButtonCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(ButtonStart, &QPushButton::clicked, this, [this] { done(mrOk); });

    setTabOrder(RxSpinEditLaps, ComboBoxRules);
    setTabOrder(ComboBoxRules, ComboBoxHelms[0]);
    setTabOrder(ComboBoxHelms[0], ComboBoxHelms[1]);
    setTabOrder(ComboBoxHelms[1], ButtonStart);
    setTabOrder(ButtonStart, ButtonCancel);
    setTabOrder(ButtonCancel, ButtonFree);
    Show(FSettings);
}

void TRegattaDialog::Show(const TRegattaSettings& settings)
{
    RxSpinEditLaps->SetValue(settings.Laps);
    ComboBoxRules->setCurrentIndex(settings.Rules == TRegattaRules::Penalties ? 0 : 1);
}

THelms TRegattaDialog::ChosenHelms() const
{
    THelms helms{};
    for (size_t d = 0; d < helms.size(); ++d)
        if (const int index = ComboBoxHelms[d]->currentIndex(); index > 0)
            helms[d] = index;
    return helms;
}

TRegattaSettings TRegattaDialog::Chosen() const
{
    TRegattaSettings settings;
    settings.Laps = static_cast<int32_t>(std::lrint(RxSpinEditLaps->Value()));
    settings.Rules = ComboBoxRules->currentIndex() == 0 ? TRegattaRules::Penalties : TRegattaRules::Classic;
    return settings;
}

int TRegattaDialog::Open(const THelms& steering, bool computerAllowed)
{
    // What was changed and then cancelled is not shown again.
    Show(FSettings);
    FHelms = steering;
    for (size_t d = 0; d < FHelms.size(); ++d) {
        ComboBoxHelms[d]->setCurrentIndex(computerAllowed && FHelms[d] ? *FHelms[d] : 0);
        ComboBoxHelms[d]->setEnabled(computerAllowed);
    }
    RxSpinEditLaps->setFocus();
    return exec();
}

void TRegattaDialog::done(int result)
{
    if (result == mrOk)
        FSettings = Chosen();
    if (result == mrOk || result == mrLeave)
        FHelms = ChosenHelms();
    QDialog::done(result);
}

void TRegattaDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter starts wherever the focus is, except on a button (which it presses); Esc cancels.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        done(mrOk);
        return;
    case Qt::Key_Escape:
        done(mrCancel);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TRegattaDialog::FollowDensity(int pixelsPerInch)
{
    // As the settings dialog: the 96-dpi layout grows with the screen's density.
    const auto scaled = [pixelsPerInch](int length) { return length * pixelsPerInch / 96; };
    setFont(DialogFont(pixelsPerInch));
    QFont bold = font();
    bold.setBold(true);
    ButtonStart->setFont(bold);
    setFixedSize(scaled(width()), scaled(height()));
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect r = child->geometry();
        child->setGeometry(scaled(r.left()), scaled(r.top()), scaled(r.width()), scaled(r.height()));
        if (auto* label = qobject_cast<QLabel*>(child))
            label->adjustSize();
    }
}

void TRegattaDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QScreen* own = screen();
    if (const int ppi = own != nullptr ? qRound(own->logicalDotsPerInch()) : 96; !FScaled && ppi > 96) {
        FollowDensity(ppi);
        FScaled = true;
    }
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect area = primary->availableGeometry();
        move(area.center() - rect().center());
    }
}
