// The golden race once more, steered by two virtual pads instead of the keys' tillers: the race's state after
// every tick must be the recorded one.
#include "simulation/Random.h"
#include "simulation/RaceDigest.h"
#include "simulation/headless/HeadlessGame.h"
#include "tools/ReplayScript.h"
#include "platform/sdl/GamePads.h"
#include "input/PadSteering.h"

#include "tests/simulation/GoldenFiles.h"
#include "VirtualPad.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// What the window does with a pad's actions, on a headless game.
class THeadlessPadActions : public IPadActions {
public:
    explicit THeadlessPadActions(THeadlessGame& game) : FGame(game) {}
    IRaceCommands& Commands() override { return FGame.Commands; }
    void PadTaken(TPlayer) override { ++Taken; }
    void PadDropped(TPlayer) override {}

    int Taken = 0;

private:
    THeadlessGame& FGame;
};

// One player's hand on a pad: holds the tiller over with the d-pad, a shoulder button or the stick, taking
// turns from one stretch to the next.
class THand {
public:
    explicit THand(TVirtualPad& pad) : FPad(pad) {}
    void LetGo()
    {
        for (SDL_GameControllerButton button :
             {SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
              SDL_CONTROLLER_BUTTON_RIGHTSHOULDER})
            FPad.Button(button, false);
        FPad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    }
    void Hold(TTiller tiller, long stretch)
    {
        if (tiller == TTiller::Amidships)
            return;
        const bool port = tiller == TTiller::Port;
        switch (stretch % 3) {
        case 0:
            FPad.Button(port ? SDL_CONTROLLER_BUTTON_DPAD_LEFT : SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
            break;
        case 1:
            FPad.Button(port ? SDL_CONTROLLER_BUTTON_LEFTSHOULDER : SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
            break;
        default:
            FPad.Axis(SDL_CONTROLLER_AXIS_LEFTX, port ? -20000 : 32767);
            break;
        }
    }

private:
    TVirtualPad& FPad;
};

} // namespace

TEST(PadRace, TheGoldenRaceSteeredByPadsIsTheRecordedRace)
{
    const std::vector<std::string> recorded = ReadGoldenLines("race-plain.digests");
    const std::vector<std::string> script = ReadGoldenLines("race.script");
    ASSERT_GE(recorded.size(), 20000u);

    RandSeed = 0;
    THeadlessGame game(false, GoldenSeed());
    THeadlessPadActions actions(game);
    TPadSteering steering(actions);
    TGamePads pads(steering);
    TVirtualPad greenPad;
    TVirtualPad redPad;
    pads.Poll();
    ASSERT_EQ(actions.Taken, 2);
    THand green(greenPad);
    THand red(redPad);
    const auto tap = [&pads](TVirtualPad& pad, SDL_GameControllerButton button) {
        pad.Button(button, true);
        pads.Poll();
        pad.Button(button, false);
        pads.Poll();
    };

    size_t tick = 0;
    std::string firstDifference;
    const auto onTick = [&] {
        // The race's state is what the players steer; the frames follow from it, and hashing them would
        // make this the slowest test by far.
        char line[40];
        std::snprintf(line, sizeof line, "%zu %016" PRIx64 " ", tick + 1, RaceStateDigest(game.Race()));
        const std::string expected = tick < recorded.size() ? recorded[tick] : "";
        if (firstDifference.empty() && expected.rfind(line, 0) != 0)
            firstDifference = "tick " + std::to_string(tick + 1) + ": recorded '" + expected + "', played '" +
                              line + "'";
        ++tick;
    };
    TReplayPlayer player(game, onTick);
    long stretch = 0;
    for (const std::string& text : script) {
        const TReplayLine line = ParseReplayLine(text);
        switch (line.Kind) {
        case TReplayLine::Stretch:
            // Let go first: a side let go after the other is taken brings the tiller amidships, as with keys.
            green.LetGo();
            red.LetGo();
            pads.Poll();
            green.Hold(line.Green, stretch);
            red.Hold(line.Red, stretch + 1);
            pads.Poll();
            ++stretch;
            for (long t = 0; t < line.Ticks; ++t) {
                ASSERT_TRUE(game.Tick()) << text;
                onTick();
            }
            break;
        case TReplayLine::Restart:
            tap(greenPad, SDL_CONTROLLER_BUTTON_BACK);
            break;
        case TReplayLine::Pause:
        case TReplayLine::Resume:
            tap(redPad, SDL_CONTROLLER_BUTTON_START);
            break;
        default:
            ASSERT_TRUE(player.Play(line)) << text;
            break;
        }
        ASSERT_TRUE(firstDifference.empty()) << "the race left its recording at " << firstDifference;
    }
    EXPECT_EQ(tick, recorded.size());
}
