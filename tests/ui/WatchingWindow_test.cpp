// A spectator's window: it tells how far behind the host's race it is and changes nothing of the race.
#include "network/EnetLink.h"
#include "platform/HeadlessApplication.h"
#include "ui/MainForm.h"
#include "ui/OnlineRace.h"
#include "ui/SpeedButton.h"
#include "ui/Translations.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

TEST(WatchingTexts, TheLagInTenthsOfASecondWithTheLanguagesSeparator)
{
    const struct {
        const char* Locale;
        int64_t Behind;
        const char* Text;
    } cases[] = {
        {"de_DE", 0, "Du schaust zu – 0,0 s hinter dem Rennen"},
        // Whole tenths: 23 ticks are 0.38 s.
        {"de_DE", 23, "Du schaust zu – 0,3 s hinter dem Rennen"},
        {"de_DE", 60 * 75 + 6, "Du schaust zu – 75,1 s hinter dem Rennen"},
        {"en_US", 24, "You are watching – 0.4 s behind the race"},
        {"fr_FR", 126, "Tu regardes – 2,1\u00a0s de retard sur la course"},
    };
    for (const auto& c : cases) {
        const TProgramTranslation translation{QLocale(QString::fromLatin1(c.Locale))};
        EXPECT_EQ(TOnlineRace::StatusText(TNetStatus::Watching, {}, "boat.example.org", c.Behind).toStdString(),
                  c.Text);
    }
    EXPECT_TRUE(TOnlineRace::SpectatorsText(0).isEmpty());
    EXPECT_EQ(TOnlineRace::SpectatorsText(2), "Zuschauer: 2");
}

TEST(WatchingWindow, ASpectatorsRaceTurnsOffWhatWouldChangeTheRaceUntilItIsGone)
{
    THeadlessApplication application;
    TMainForm form(application, false);
    const auto enabled = [&form] {
        std::vector<bool> on;
        for (const TSpeedButton* b : {form.SpeedButtonStart, form.SpeedButtonSetup, form.SpeedButtonStop,
                                      form.SpeedButtonPlay, form.SpeedButtonRegatta, form.SpeedButtonEnde})
            on.push_back(b->isEnabled());
        return on;
    };
    // A host that never answers: the spectator stays connecting, which is watching already.
    const std::unique_ptr<TEnetLink> silentHost = TEnetLink::Host(0);
    TNetRace::TOptions options;
    options.Watch = true;
    auto online = std::make_unique<TOnlineRace>(form, application, TEnetLink::Join("127.0.0.1", silentHost->Port()),
                                                false, "127.0.0.1", options);
    ASSERT_TRUE(online->Net().Watching());
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false, false, false, true})) << "only Ende stays";
    online.reset();
    EXPECT_EQ(enabled(), std::vector<bool>(6, true));
}

} // namespace
