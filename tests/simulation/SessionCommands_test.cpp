#include "simulation/SessionCommands.h"

#include "simulation/Quibo.h"
#include "simulation/headless/HeadlessGame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(SessionCommands, PauseAndResumeAreToldOnlyWhenTheyChangeSomethingAndRestartKeepsThePause)
{
    THeadlessGame game;
    std::vector<bool> told;
    game.Commands.OnPausedChanged = [&told](bool paused) { told.push_back(paused); };

    game.Commands.Pause();
    game.Commands.Pause();
    EXPECT_TRUE(game.Commands.Paused());
    EXPECT_FALSE(game.Session.Running());
    game.Commands.Restart();
    EXPECT_TRUE(game.Commands.Paused());
    EXPECT_FALSE(game.Tick()) << "a restart while paused does not run the race";
    game.Commands.Resume();
    game.Commands.Resume();
    EXPECT_FALSE(game.Commands.Paused());
    EXPECT_TRUE(game.Tick());
    EXPECT_EQ(told, (std::vector<bool>{true, false}));
}

TEST(SessionCommands, ThePauseKeyResumesAPauseEvenWhileTheTimerRunsBehindIt)
{
    // As the debug probe leaves it: paused by the player, the timer running again behind the message box.
    THeadlessGame game;
    PauseOrResume(game.Commands);
    ASSERT_TRUE(game.Commands.Paused());
    game.Session.Resume();
    PauseOrResume(game.Commands);
    EXPECT_FALSE(game.Commands.Paused());
    EXPECT_TRUE(game.Session.Running());
    PauseOrResume(game.Commands);
    EXPECT_TRUE(game.Commands.Paused());
    EXPECT_FALSE(game.Session.Running());
}

TEST(SessionCommands, TillersGoToTheirOwnDinghyAndWindBeyondTheLimitsIsBroughtWithinThem)
{
    THeadlessGame game;
    game.Commands.SetTiller(TPlayer::Red, TTiller::Starboard);
    EXPECT_EQ(game.Race().Dinghies[1]->Tiller, 2);
    EXPECT_EQ(game.Race().Dinghies[0]->Tiller, 1);
    game.Commands.SetTiller(TPlayer::Green, TTiller::Port);
    EXPECT_EQ(game.Race().Dinghies[0]->Tiller, 0);

    const struct {
        TWindSettings Given;
        TWindSettings Applied;
    } cases[] = {
        {{90, 10, 20}, {90, 10, 20}},
        {{0, -1, 0}, {1, 0, 1}},
        {{361, 46, 361}, {360, 45, 360}},
        {{TWindSettings::MaxDirection, TWindSettings::MaxVariation, TWindSettings::MinSpeed},
         {TWindSettings::MaxDirection, TWindSettings::MaxVariation, TWindSettings::MinSpeed}},
    };
    for (const auto& c : cases) {
        game.Commands.ApplyWindSettings(c.Given);
        EXPECT_EQ(game.Session.WindSettings(), c.Applied);
        EXPECT_EQ(game.Race().WindDirection, c.Applied.Direction);
    }
}

} // namespace
