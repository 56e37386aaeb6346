#include "platform/HeadlessApplication.h"
#include "platform/HeadlessWindow.h"
#include "platform/ManualClock.h"
#include "simulation/FrameSize.h"
#include "simulation/Quibo.h"
#include "simulation/RaceSession.h"
#include "simulation/Rounding.h"
#include "simulation/headless/HeadlessGame.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// A session on bare platform fakes, shown or not, ticked by hand.
class RaceSessionTest : public ::testing::Test {
protected:
    RaceSessionTest() : Window(FrameWidth, FrameHeight), Session(Clock, Application, Window, false) {}

    // Idle passes a millisecond apart; how many ticks they processed.
    int64_t RunFor(int milliseconds)
    {
        const int64_t before = Session.Race.ProcessedTicks();
        for (int ms = 0; ms < milliseconds; ++ms) {
            Application.RunIdle();
            Clock.Advance(1);
        }
        return Session.Race.ProcessedTicks() - before;
    }

    TManualClock Clock;
    THeadlessApplication Application;
    THeadlessWindow Window;
    TRaceSession Session;
};

TEST_F(RaceSessionTest, TheRaceIsCreatedAtOnceAndTicksOnlyOnceShown)
{
    // Created: dinghies on the start line, buoys and rose placed, the wind at its defaults.
    ASSERT_NE(Session.Race.Dinghies[1], nullptr);
    ASSERT_NE(Session.Race.WindRose, nullptr);
    EXPECT_GT(Session.Race.Dinghies[0]->X, Session.Race.Dinghies[1]->X);
    EXPECT_EQ(Session.WindSettings(), (TWindSettings{360, 5, 15}));
    // Not shown: no back buffer, no ticks, and the probe reads nothing.
    EXPECT_EQ(Session.BackBuffer(), nullptr);
    EXPECT_EQ(Session.PixelAt(10, 10), 0u);
    EXPECT_EQ(RunFor(100), 0);

    Session.Show();
    ASSERT_NE(Session.BackBuffer(), nullptr);
    EXPECT_EQ(Session.BackBuffer()->Width(), FrameWidth);
    EXPECT_EQ(Session.BackBuffer()->Height(), FrameHeight);
    EXPECT_TRUE(Session.Running());
    EXPECT_GT(RunFor(100), 0);
    EXPECT_NE(Session.PixelAt(10, 10), 0u);
    EXPECT_EQ(Session.PixelAt(-1, 10), 0u);
    EXPECT_EQ(Session.PixelAt(FrameWidth, 10), 0u);
}

TEST_F(RaceSessionTest, PauseHoldsTheRaceAndFinalizingStopsItForGood)
{
    Session.Show();
    Session.Pause();
    EXPECT_FALSE(Session.Running());
    EXPECT_EQ(RunFor(200), 0);
    Session.Resume();
    EXPECT_GT(RunFor(100), 0);

    Session.Finalize();
    EXPECT_FALSE(Session.Running());
    EXPECT_EQ(Session.BackBuffer(), nullptr);
    EXPECT_EQ(RunFor(100), 0);
    // Finalising twice (the window closes, then the session goes) is harmless.
    Session.Finalize();
}

TEST(RaceSession, TillersReachTheirOwnDinghy)
{
    THeadlessGame game;
    const struct {
        TPlayer player;
        TTiller tiller;
        int32_t green, red;
    } steps[] = {
        {TPlayer::Green, TTiller::Port, 0, 1},
        {TPlayer::Red, TTiller::Starboard, 0, 2},
        {TPlayer::Green, TTiller::Amidships, 1, 2},
        {TPlayer::Red, TTiller::Port, 1, 0},
    };
    for (const auto& s : steps) {
        game.Session.SetTiller(s.player, s.tiller);
        EXPECT_EQ(game.Race().Dinghies[0]->Tiller, s.green);
        EXPECT_EQ(game.Race().Dinghies[1]->Tiller, s.red);
    }
    // A tiller over turns the dinghy: green to port turns clockwise, red to starboard anticlockwise.
    game.SetTillers(TTiller::Port, TTiller::Starboard);
    ASSERT_TRUE(game.Tick());
    EXPECT_GT(FoldDegrees(game.Race().Dinghies[0]->Heading + 180), 180);
    EXPECT_LT(FoldDegrees(game.Race().Dinghies[1]->Heading + 180), 180);
}

TEST(RaceSession, WindSettingsApplyAtOnceAndRestartTouchesOnlyTheDinghies)
{
    THeadlessGame game;
    game.SetTillers(TTiller::Port, TTiller::Port);
    for (int t = 0; t < 300; ++t)
        ASSERT_TRUE(game.Tick());
    game.Session.ApplyWindSettings({90, 30, 25});
    EXPECT_EQ(game.Session.WindSettings(), (TWindSettings{90, 30, 25}));
    EXPECT_EQ(game.Race().WindDirection, 90);
    EXPECT_EQ(game.Race().WindTarget, 90);

    const double greenX = game.Race().Dinghies[0]->X;
    const int64_t ticks = game.Race().ProcessedTicks();
    game.Session.Restart();
    EXPECT_NE(game.Race().Dinghies[0]->X, greenX);
    EXPECT_EQ(game.Race().Dinghies[0]->Heading, 360);
    EXPECT_EQ(game.Race().Dinghies[0]->Tiller, 1);
    EXPECT_EQ(game.Race().Dinghies[1]->Tiller, 1);
    EXPECT_EQ(game.Session.WindSettings(), (TWindSettings{90, 30, 25}));
    EXPECT_EQ(game.Race().ProcessedTicks(), ticks);
}

TEST(FoldDegrees, AnyWholeNumberLandsIn1To360)
{
    const struct {
        int32_t in, out;
    } cases[] = {{1, 1}, {360, 360}, {0, 360}, {361, 1}, {-1, 359}, {720, 360}, {-359, 1},
                 {std::numeric_limits<int32_t>::min(), 232}, {std::numeric_limits<int32_t>::max(), 127}};
    for (const auto& c : cases)
        EXPECT_EQ(FoldDegrees(c.in), c.out) << c.in;
}

} // namespace
