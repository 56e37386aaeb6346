#include "platform/sdl/GamePads.h"
#include "input/PadSteering.h"

#include "tests/input/RecordedPadActions.h"
#include "VirtualPad.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

int ThreadsOfThisProcess()
{
    int threads = 0;
    DIR* tasks = opendir("/proc/self/task");
    while (const dirent* entry = readdir(tasks))
        threads += entry->d_name[0] != '.';
    closedir(tasks);
    return threads;
}

class GamePadsTest : public testing::Test {
protected:
    TRecordedPadActions Actions;
    TPadSteering Steering{Actions};
};

} // namespace

TEST_F(GamePadsTest, StartsForControllersOnlyWithoutAThread)
{
    const int threads = ThreadsOfThisProcess();
    TGamePads pads(Steering);
    ASSERT_TRUE(pads.Available());
    TVirtualPad pad;
    pads.Poll();
    EXPECT_EQ(Actions.Take(), (TLog{"taken green"}));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_HAPTIC | SDL_INIT_SENSOR), 0u);
    EXPECT_EQ(ThreadsOfThisProcess(), threads);
}

TEST_F(GamePadsTest, ControlsOfAPadAsTheKeys)
{
    struct TControl {
        SDL_GameControllerButton Button;
        TLog Down;
        TLog Up;
    };
    const TControl controls[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {"green 0"}, {"green 1"}},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {"green 2"}, {"green 1"}},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, {"green 0"}, {"green 1"}},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, {"green 2"}, {"green 1"}},
        {SDL_CONTROLLER_BUTTON_START, {"pause"}, {}},
        {SDL_CONTROLLER_BUTTON_BACK, {"restart"}, {}},
        {SDL_CONTROLLER_BUTTON_A, {}, {}},
        {SDL_CONTROLLER_BUTTON_B, {}, {}},
        {SDL_CONTROLLER_BUTTON_GUIDE, {}, {}},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, {}, {}},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, {}, {}},
    };
    TGamePads pads(Steering);
    TVirtualPad pad;
    pads.Poll();
    Actions.Take();
    for (const TControl& control : controls) {
        pad.Button(control.Button, true);
        pads.Poll();
        EXPECT_EQ(Actions.Take(), control.Down) << SDL_GameControllerGetStringForButton(control.Button) << " down";
        pad.Button(control.Button, false);
        pads.Poll();
        EXPECT_EQ(Actions.Take(), control.Up) << SDL_GameControllerGetStringForButton(control.Button) << " up";
    }
}

TEST_F(GamePadsTest, LeftStickSidewaysOnly)
{
    struct TMove {
        SDL_GameControllerAxis Axis;
        int16_t Value;
        TLog Expected;
    };
    const TMove moves[] = {
        {SDL_CONTROLLER_AXIS_LEFTX, -13000, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, -32768, {"green 0"}},
        {SDL_CONTROLLER_AXIS_LEFTX, 0, {"green 1"}},
        {SDL_CONTROLLER_AXIS_LEFTX, 20000, {"green 2"}},
        {SDL_CONTROLLER_AXIS_LEFTX, 13000, {"green 1"}},
        {SDL_CONTROLLER_AXIS_LEFTY, -32768, {}},
        {SDL_CONTROLLER_AXIS_RIGHTX, 32767, {}},
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767, {}},
        {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767, {}},
    };
    TGamePads pads(Steering);
    TVirtualPad pad;
    pads.Poll();
    Actions.Take();
    for (const TMove& move : moves) {
        pad.Axis(move.Axis, move.Value);
        pads.Poll();
        EXPECT_EQ(Actions.Take(), move.Expected) << SDL_GameControllerGetStringForAxis(move.Axis) << " " << move.Value;
    }
}

TEST_F(GamePadsTest, PadsPluggedInAndOutWhileRunning)
{
    TGamePads pads(Steering);
    pads.Poll();
    EXPECT_TRUE(Actions.Take().empty());
    auto first = std::make_unique<TVirtualPad>();
    TVirtualPad second;
    pads.Poll();
    EXPECT_EQ(Actions.Take(), (TLog{"taken green", "taken red"}));

    first->Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    pads.Poll();
    first.reset();
    pads.Poll();
    EXPECT_EQ(Actions.Take(), (TLog{"green 2", "green 1", "dropped green"}));

    second.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pads.Poll();
    TVirtualPad third;
    pads.Poll();
    third.Button(SDL_CONTROLLER_BUTTON_START, true);
    pads.Poll();
    EXPECT_EQ(Actions.Take(), (TLog{"red 0", "taken green", "pause"}));
}

TEST_F(GamePadsTest, PadsPresentAtStartAreTakenOnce)
{
    TVirtualPad first;
    TVirtualPad second;
    TGamePads pads(Steering);
    pads.Poll();
    pads.Poll();
    EXPECT_EQ(Actions.Take(), (TLog{"taken green", "taken red"}));
}

TEST_F(GamePadsTest, AJoystickWithoutAMappingDoesNothing)
{
    TGamePads pads(Steering);
    TVirtualPad stick(false);
    ASSERT_TRUE(stick.Plugged());
    pads.Poll();
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        stick.Button(static_cast<SDL_GameControllerButton>(button), true);
        pads.Poll();
    }
    for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis) {
        stick.Axis(static_cast<SDL_GameControllerAxis>(axis), -32768);
        pads.Poll();
    }
    stick.Unplug();
    pads.Poll();
    EXPECT_TRUE(Actions.Take().empty());

    // It took no dinghy: the next pad steers green.
    TVirtualPad pad;
    pads.Poll();
    EXPECT_EQ(Actions.Take(), (TLog{"taken green"}));
}

TEST_F(GamePadsTest, WhatPadsDidWhileUnreadIsDroppedButHeldTillersFollow)
{
    TGamePads pads(Steering);
    TVirtualPad green;
    TVirtualPad red;
    pads.Poll();
    red.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pads.Poll();
    Actions.Take();

    // Away: green presses start and back and holds its stick over; red lets go.
    green.Button(SDL_CONTROLLER_BUTTON_START, true);
    green.Button(SDL_CONTROLLER_BUTTON_BACK, true);
    green.Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    red.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    pads.PollAfterAbsence();
    EXPECT_EQ(Actions.Take(), (TLog{"green 2", "red 1"}));
    green.Button(SDL_CONTROLLER_BUTTON_START, false);
    pads.Poll();
    EXPECT_TRUE(Actions.Take().empty());
}
