#include "platform/HeadlessApplication.h"
#include "platform/VirtualKeyCodes.h"
#include "ui/LeftCaptionCheckBox.h"
#include "ui/HostInvitation.h"
#include "ui/MainForm.h"
#include "ui/OnlineRace.h"
#include "ui/RegattaDialog.h"
#include "ui/RegattaTexts.h"
#include "ui/RxSpinEdit.h"
#include "ui/SetupForm.h"
#include "ui/SpeedButton.h"
#include "ui/Translations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

TEST(TranslationLanguage, FollowsTheDesktopsLanguagesAndKeepsGermanForCAndGerman)
{
    // Locale names and user interface languages as Qt reads them from LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
    const struct {
        const char* Name;
        QStringList UiLanguages;
        const char* Expected;
    } cases[] = {
        {"C", {"C"}, ""},
        // LANG=C LANGUAGE=fr: gettext ignores LANGUAGE in the C locale.
        {"C", {"fr", "fr-Latn-FR", "fr-FR"}, ""},
        {"de_DE", {"de-DE", "de-Latn-DE", "de"}, ""},
        {"de_AT", {"de-AT", "de-Latn-AT"}, ""},
        {"en_US", {"en-US", "en-Latn-US", "en"}, "en"},
        {"en_GB", {"en-GB", "en-Latn-GB"}, "en"},
        {"fr_CA", {"fr-CA", "fr-Latn-CA"}, "fr"},
        {"fr_BE", {"fr_BE"}, "fr"},
        {"nl_BE", {"nl-BE", "nl-Latn-BE"}, "nl"},
        // LANGUAGE=nl:de, and LANGUAGE=de:en: the first language the user names wins, German included.
        {"nl_NL", {"nl", "nl-Latn-NL", "nl-NL", "de", "de-Latn-DE", "de-DE"}, "nl"},
        {"de_DE", {"de", "de-Latn-DE", "de-DE", "en", "en-Latn-US", "en-US"}, ""},
        // Languages without a translation are passed over for the next one named, else German.
        {"es_ES", {"es-ES", "es-Latn-ES", "es"}, ""},
        {"es_ES", {"es", "es-Latn-ES", "fr", "fr-Latn-FR"}, "fr"},
        {"pt_BR", {"pt-BR", "pt-Latn-BR", "en"}, "en"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TranslationLanguage(QString::fromLatin1(c.Name), c.UiLanguages), QString::fromLatin1(c.Expected))
            << c.Name << " " << c.UiLanguages.join(',').toStdString();
}

TEST(ProgramTranslation, InstallsWhileItLivesAndOnlyForTranslatedLanguages)
{
    const QString german = QString::fromUtf8("Einstellungen");
    for (const char* locale : {"C", "de_DE", "de_CH", "es_ES"}) {
        const TProgramTranslation translation{QLocale(QString::fromLatin1(locale))};
        EXPECT_TRUE(translation.Language().isEmpty()) << locale;
        EXPECT_EQ(TMainForm::tr("Einstellungen"), german) << locale;
    }
    {
        const TProgramTranslation translation{QLocale(QStringLiteral("en_US"))};
        EXPECT_EQ(translation.Language(), "en");
        EXPECT_EQ(TMainForm::tr("Einstellungen"), "Settings");
    }
    EXPECT_EQ(TMainForm::tr("Einstellungen"), german);
}

// A text as the program shows it: where, in which font, and the room it has there.
struct TShownText {
    std::string Where;
    QString Text;
    QFont Font;
    int Width;
    int Height;
};

int Stretch(const QFont& font)
{
    return font.stretch() == QFont::AnyStretch ? 100 : font.stretch();
}

// Every caption, status text and dialog label of the two windows.
std::vector<TShownText> ShownTexts(const TMainForm& form, const TSetupForm& dialog)
{
    std::vector<TShownText> texts;
    for (const TSpeedButton* b : {form.SpeedButtonStart, form.SpeedButtonSetup, form.SpeedButtonStop,
                                  form.SpeedButtonPlay, form.SpeedButtonEnde, form.SpeedButtonRegatta}) {
        // The caption stands under the glyph, 2 pixels clear of the button's edges.
        texts.push_back({b->objectName().toStdString(), b->text(), b->font(), b->width() - 4, b->height() - 22});
    }
    for (const QLabel* panel : form.StatusBar1->findChildren<QLabel*>()) {
        const QRect inside = panel->contentsRect();
        texts.push_back(
            {panel->objectName().toStdString(), panel->text(), panel->font(), inside.width(), inside.height()});
    }
    for (const QLabel* label : {dialog.Label1, dialog.Label2, dialog.Label3}) {
        // Labels end before the fields' column at x 192.
        texts.push_back({label->objectName().toStdString(), label->text(), label->font(),
                         std::min(label->width(), 192 - label->x() - 1), label->height()});
    }
    const auto* box = static_cast<const TLeftCaptionCheckBox*>(dialog.CheckBoxWRandom);
    QStyleOptionButton option;
    option.initFrom(box);
    const int spacing = box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, box);
    texts.push_back(
        {"CheckBoxWRandom", box->text(), box->font(), box->IndicatorRect().left() - spacing, box->height()});
    option.initFrom(dialog.ButtonFertig);
    option.rect = dialog.ButtonFertig->rect();
    const QRect contents =
        dialog.ButtonFertig->style()->subElementRect(QStyle::SE_PushButtonContents, &option, dialog.ButtonFertig);
    QString caption = dialog.ButtonFertig->text();
    texts.push_back({"ButtonFertig", caption.remove(QLatin1Char('&')), dialog.ButtonFertig->font(), contents.width(),
                     contents.height()});
    texts.push_back({"SetupForm caption", dialog.windowTitle(), dialog.font(), INT_MAX, INT_MAX});

    const TRegattaDialog& regatta = *form.RegattaDialog;
    const int fieldsLeft = regatta.RxSpinEditLaps->x();
    for (const QLabel* label : {regatta.LabelLaps, regatta.LabelRules, regatta.LabelHelms[0], regatta.LabelHelms[1]})
        texts.push_back({"Regatta " + label->objectName().toStdString(), label->text(), label->font(),
                         fieldsLeft - label->x() - 1, label->height()});
    for (const QComboBox* combo : {regatta.ComboBoxRules, regatta.ComboBoxHelms[0], regatta.ComboBoxHelms[1]}) {
        // The arrow takes the combo's right end.
        for (int item = 0; item < combo->count(); ++item)
            texts.push_back({combo->objectName().toStdString(), combo->itemText(item), combo->font(),
                             combo->width() - 28, combo->height()});
    }
    for (const TButton* button : {regatta.ButtonFree, regatta.ButtonCancel, regatta.ButtonStart}) {
        option.initFrom(button);
        option.rect = button->rect();
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QString text = button->text();
        texts.push_back({button->objectName().toStdString(), text.remove(QLatin1Char('&')), button->font(),
                         room.width(), room.height()});
    }
    texts.push_back({"RegattaDialog caption", regatta.windowTitle(), regatta.font(), INT_MAX, INT_MAX});
    return texts;
}

struct TLanguage {
    const char* Locale;
    const char* Language;
    // The texts that read as in German.
    std::set<std::string> SameAsGerman;
};

void PrintTo(const TLanguage& language, std::ostream* out)
{
    *out << language.Locale;
}

class TranslatedWindows : public ::testing::TestWithParam<TLanguage> {
protected:
    // The windows as built under a translation, or under none.
    struct TWindows {
        explicit TWindows(IApplication& application)
            : Form(application, false), Dialog(Form.Clock, Form.Messages, &Form)
        {
        }
        TMainForm Form;
        TSetupForm Dialog;
    };

    THeadlessApplication Application;
};

TEST_P(TranslatedWindows, EveryTextIsTranslatedAndFitsWhereTheGermanStands)
{
    const TLanguage& language = GetParam();
    std::vector<TShownText> german;
    {
        const TWindows windows(Application);
        german = ShownTexts(windows.Form, windows.Dialog);
    }
    int narrowestGerman = 100;
    for (const TShownText& t : german)
        narrowestGerman = std::min(narrowestGerman, Stretch(t.Font));

    const TProgramTranslation translation{QLocale(QString::fromLatin1(language.Locale))};
    ASSERT_EQ(translation.Language(), QString::fromLatin1(language.Language));
    const TWindows windows(Application);
    const std::vector<TShownText> shown = ShownTexts(windows.Form, windows.Dialog);
    ASSERT_EQ(shown.size(), german.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        const TShownText& t = shown[i];
        const bool same =
            translation.Language().isEmpty() || language.SameAsGerman.count(german[i].Text.toStdString()) > 0;
        EXPECT_EQ(t.Text == german[i].Text, same) << t.Where << ": " << t.Text.toStdString();
        const QFontMetrics metrics(t.Font);
        EXPECT_LE(metrics.horizontalAdvance(t.Text), t.Width) << t.Where << ": " << t.Text.toStdString();
        EXPECT_LE(metrics.height(), t.Height) << t.Where << ": " << t.Text.toStdString();
        // No text is squeezed narrower than the German ones are.
        EXPECT_GE(Stretch(t.Font), narrowestGerman) << t.Where << ": " << t.Text.toStdString();
    }
    // The debug probe's box.
    EXPECT_EQ(TMainForm::tr("Information") == QLatin1String("Information"),
              translation.Language().isEmpty() || language.SameAsGerman.count("Information") > 0);
}

// The online race's notices stand in the status bar's wide panel: translated, and fitting there, the host's
// waiting notice with the longest address and port it can name.
TEST_P(TranslatedWindows, OnlineNoticesAreTranslatedAndFitTheStatusBar)
{
    THostInvitation mapped{65535, "K7P-2QX", true, {}};
    mapped.Mapping = {TPortMappingState::Mapped, TPortMappingState::Upnp, "203.0.113.255", 65535, 65535};
    const THostInvitation unmapped{65535, "K7P-2QX", false, {}};
    const THostInvitation open{65535, "", false, {}};
    const auto notices = [&] {
        std::vector<QString> texts;
        for (const THostInvitation& host : {mapped, unmapped, open})
            texts.push_back(TOnlineRace::StatusText(TNetStatus::WaitingForGuest, host, "boat.example.org"));
        for (TNetStatus status : {TNetStatus::Connecting, TNetStatus::WaitingForPeer, TNetStatus::PeerInactive})
            texts.push_back(TOnlineRace::StatusText(status, {}, "boat.example.org"));
        // A spectator minutes behind, and the host's full house.
        texts.push_back(TOnlineRace::StatusText(TNetStatus::Watching, {}, "boat.example.org", 60 * 599));
        texts.push_back(TOnlineRace::SpectatorsText(8));
        texts.push_back(TOnlineRace::WrongCodeText());
        // The messages a joiner or a spectator is refused with.
        for (const TNetEnd::TKind kind : {TNetEnd::PeerLeft, TNetEnd::NoAnswer, TNetEnd::WrongCode,
                                          TNetEnd::EnoughSpectators})
            texts.push_back(TOnlineRace::EndText({kind, 0, {}, {}}, "boat.example.org"));
        return texts;
    };
    const std::vector<QString> german = notices();
    const TProgramTranslation translation{QLocale(QString::fromLatin1(GetParam().Locale))};
    TWindows windows(Application);
    auto* panel = windows.Form.findChild<QLabel*>("Panel1");
    ASSERT_NE(panel, nullptr);
    const QString usual = panel->text();
    const std::vector<QString> shown = notices();
    ASSERT_EQ(shown.size(), german.size());
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i] == german[i], translation.Language().isEmpty()) << shown[i].toStdString();
    // All but the four messages stand in the status bar.
    for (size_t i = 0; i + 4 < shown.size(); ++i) {
        const QString& text = shown[i];
        windows.Form.ShowNetStatus(text);
        EXPECT_EQ(panel->text(), text);
        EXPECT_LE(QFontMetrics(panel->font()).horizontalAdvance(text), panel->contentsRect().width())
            << text.toStdString();
    }
    EXPECT_TRUE(shown[0].contains("203.0.113.255:65535") && shown[0].contains("K7P-2QX")) << shown[0].toStdString();
    EXPECT_TRUE(shown[1].contains("65535") && shown[1].contains("K7P-2QX")) << shown[1].toStdString();
    windows.Form.ShowNetStatus({});
    EXPECT_EQ(panel->text(), usual) << "the usual text comes back";
}

// The regatta's reports stand in the same panel: every kind of event and every rule, translated and fitting.
TEST_P(TranslatedWindows, RegattaReportsAreTranslatedAndFitTheStatusBar)
{
    const auto event = [](TRaceEvent::TKind kind, int32_t value, TRule rule = TRule::None) {
        return TRaceEvent{kind, 0, rule, value, 36000 - 6, 0};
    };
    const std::vector<TRaceEvent> events{
        event(TRaceEvent::Countdown, 15), event(TRaceEvent::Start, 0), event(TRaceEvent::Early, 0),
        event(TRaceEvent::Started, 0), event(TRaceEvent::Rounded, 9), event(TRaceEvent::Lap, 9),
        event(TRaceEvent::Penalty, 1, TRule::Mark), event(TRaceEvent::Penalty, 2, TRule::PortStarboard),
        event(TRaceEvent::Penalty, 2, TRule::Windward), event(TRaceEvent::Penalty, 2, TRule::ClearAstern),
        event(TRaceEvent::Penalty, 2, TRule::Tacking), event(TRaceEvent::Cleared, 0), event(TRaceEvent::Out, 0),
        event(TRaceEvent::Finished, 2), event(TRaceEvent::Over, 0)};
    std::vector<QString> german;
    for (const TRaceEvent& e : events)
        german.push_back(TRegattaTexts::EventText(e));
    const QStringList germanResults = TRegattaTexts::Results({}, {});
    const TProgramTranslation translation{QLocale(QString::fromLatin1(GetParam().Locale))};
    TWindows windows(Application);
    auto* panel = windows.Form.findChild<QLabel*>("Panel1");
    ASSERT_NE(panel, nullptr);
    // The same in every language: the countdown's figures and the start.
    const std::set<std::string> alike =
        translation.Language() == "en"   ? std::set<std::string>{"Start in 15 s", "Start!"}
        : translation.Language() == "nl" ? std::set<std::string>{"Start!"}
                                         : std::set<std::string>{};
    for (size_t i = 0; i < events.size(); ++i) {
        const QString text = TRegattaTexts::EventText(events[i]);
        const bool same = translation.Language().isEmpty() || alike.count(german[i].toStdString()) > 0;
        EXPECT_EQ(text == german[i], same) << text.toStdString();
        EXPECT_LE(QFontMetrics(panel->font()).horizontalAdvance(text), panel->contentsRect().width())
            << text.toStdString();
    }
    const QStringList results = TRegattaTexts::Results({}, {});
    for (qsizetype i = 0; i < results.size(); ++i)
        EXPECT_EQ(results[i] == germanResults[i], translation.Language().isEmpty()) << results[i].toStdString();
}

// M's notices stand in the same panel: translated, fitting, and telling off from on.
TEST_P(TranslatedWindows, SoundNoticesAreTranslatedAndFitTheStatusBar)
{
    const TProgramTranslation translation{QLocale(QString::fromLatin1(GetParam().Locale))};
    TWindows windows(Application);
    auto* panel = windows.Form.findChild<QLabel*>("Panel1");
    ASSERT_NE(panel, nullptr);
    const char* const german[] = {"Ton aus", "Ton an"};
    QString shown[2];
    for (size_t i = 0; i < 2; ++i) {
        windows.Form.FormKeyDown(VK_M);
        shown[i] = panel->text();
        EXPECT_EQ(shown[i] == QString::fromUtf8(german[i]), translation.Language().isEmpty()) << shown[i].toStdString();
        EXPECT_LE(QFontMetrics(panel->font()).horizontalAdvance(shown[i]), panel->contentsRect().width())
            << shown[i].toStdString();
    }
    EXPECT_NE(shown[0], shown[1]);
}

// The demo's notice stands in the red player's panel while it runs: translated, fitting, and gone with it.
TEST_P(TranslatedWindows, DemoNoticeIsTranslatedAndFitsItsPanel)
{
    const TProgramTranslation translation{QLocale(QString::fromLatin1(GetParam().Locale))};
    TWindows windows(Application);
    auto* panel = windows.Form.findChild<QLabel*>("Panel0");
    ASSERT_NE(panel, nullptr);
    const QString usual = panel->text();
    windows.Form.StartDemo();
    const QString shown = panel->text();
    EXPECT_EQ(shown == QString::fromUtf8("Demo – eine Taste beendet sie"), translation.Language().isEmpty())
        << shown.toStdString();
    EXPECT_LE(QFontMetrics(panel->font()).horizontalAdvance(shown), panel->contentsRect().width())
        << shown.toStdString();
    windows.Form.DXDraw1MouseDown(10, 10);
    EXPECT_FALSE(windows.Form.DemoRunning());
    EXPECT_EQ(panel->text(), usual);
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslatedWindows,
    testing::Values(TLanguage{"de_DE", "", {}},
        TLanguage{"en_US", "en", {"Stop (Pause)", "Play (Pause)", "Information", "Regatta", "Start",
                                  "Quibo Trainer Regatta", "Computer 2", "Computer 3", "Computer 4"}},
        TLanguage{"fr_FR", "fr", {"Information"}},
        TLanguage{"nl_NL", "nl", {"Stop (Pause)", "Regatta", "Start", "Quibo Trainer Regatta", "Computer 2",
                                  "Computer 3", "Computer 4"}}),
    [](const testing::TestParamInfo<TLanguage>& param) { return std::string(param.param.Locale); });

} // namespace
