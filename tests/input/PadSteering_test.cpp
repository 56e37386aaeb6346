#include "input/PadSteering.h"

#include "RecordedPadActions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

TPadButton ButtonNamed(const std::string& name)
{
    if (name == "left")
        return TPadButton::DpadLeft;
    if (name == "right")
        return TPadButton::DpadRight;
    if (name == "lshoulder")
        return TPadButton::LeftShoulder;
    if (name == "rshoulder")
        return TPadButton::RightShoulder;
    if (name == "start")
        return TPadButton::Start;
    if (name == "back")
        return TPadButton::Back;
    return TPadButton::Other;
}

// One step: "plug <pad>", "unplug <pad>", "<pad> stick <x>", "<pad> <button>+" (down) or "<pad> <button>-" (up).
void Play(TPadSteering& steering, const std::string& step)
{
    std::istringstream in(step);
    std::string first, second;
    in >> first >> second;
    if (first == "plug")
        return steering.Connected(std::stoi(second));
    if (first == "unplug")
        return steering.Disconnected(std::stoi(second));
    const int32_t pad = std::stoi(first);
    if (second == "stick") {
        int32_t x = 0;
        in >> x;
        return steering.StickX(pad, x);
    }
    steering.Button(pad, ButtonNamed(second.substr(0, second.size() - 1)), second.back() == '+');
}

struct TCase {
    const char* Name;
    std::vector<std::string> Steps;
    std::vector<std::string> Expected;
};

const TCase Cases[] = {
    {"the first pad steers green, the second red",
     {"plug 7", "plug 3", "7 left+", "3 right+", "7 left-", "3 right-"},
     {"taken green", "taken red", "green 0", "red 2", "green 1", "red 1"}},
    {"shoulders steer as the d-pad does",
     {"plug 1", "1 lshoulder+", "1 lshoulder-", "1 rshoulder+", "1 rshoulder-"},
     {"taken green", "green 0", "green 1", "green 2", "green 1"}},
    {"the stick steers only beyond the dead zone",
     {"plug 1", "1 stick -13106", "1 stick 13106", "1 stick -13107", "1 stick -32768", "1 stick 0", "1 stick 13107",
      "1 stick 0"},
     {"taken green", "green 0", "green 1", "green 2", "green 1"}},
    {"the stick thrown across goes amidships, then over",
     {"plug 1", "1 stick -32768", "1 stick 32767"},
     {"taken green", "green 0", "green 1", "green 2"}},
    {"both sides held: the later wins, letting go of either is amidships",
     {"plug 1", "1 left+", "1 right+", "1 left-", "1 right-"},
     {"taken green", "green 0", "green 2", "green 1", "green 1"}},
    {"two controls to one side: the tiller comes back when both are let go",
     {"plug 1", "1 left+", "1 lshoulder+", "1 stick -20000", "1 left-", "1 lshoulder-", "1 stick 0"},
     {"taken green", "green 0", "green 1"}},
    {"start pauses, then resumes, and back restarts, on press only",
     {"plug 1", "plug 2", "1 start+", "1 start-", "2 back+", "2 back-", "2 start+"},
     {"taken green", "taken red", "pause", "restart", "resume"}},
    {"other buttons do nothing",
     {"plug 1", "1 other+", "1 other-"},
     {"taken green"}},
    {"a third pad waits and takes the dinghy whose pad is unplugged",
     {"plug 1", "plug 2", "plug 3", "3 left+", "3 left-", "3 start+", "unplug 1", "3 right+", "3 back+"},
     {"taken green", "taken red", "dropped green", "taken green", "green 2", "restart"}},
    {"a pad unplugged with its tiller over brings it amidships",
     {"plug 1", "plug 2", "2 stick 30000", "unplug 2"},
     {"taken green", "taken red", "red 2", "red 1", "dropped red"}},
    {"the green dinghy's pad unplugged leaves the red one's pad red; the next pad steers green",
     {"plug 1", "plug 2", "unplug 1", "2 left+", "plug 4", "4 right+"},
     {"taken green", "taken red", "dropped green", "red 0", "taken green", "green 2"}},
    {"unknown pads and repeated plugs change nothing",
     {"plug 1", "plug 1", "9 left+", "9 start+", "unplug 9", "unplug 1", "unplug 1", "1 left+"},
     {"taken green", "dropped green"}},
};

} // namespace

TEST(PadSteering, TurnsPadsIntoTheKeysActions)
{
    for (const TCase& c : Cases) {
        TRecordedPadActions actions;
        TPadSteering steering(actions);
        for (const std::string& step : c.Steps)
            Play(steering, step);
        EXPECT_EQ(actions.Take(), c.Expected) << c.Name;
    }
}

TEST(PadSteering, TellsWhichDinghyAPadSteers)
{
    TRecordedPadActions actions;
    TPadSteering steering(actions);
    steering.Connected(5);
    steering.Connected(6);
    steering.Connected(8);
    EXPECT_EQ(steering.PlayerOf(5), TPlayer::Green);
    EXPECT_EQ(steering.PlayerOf(6), TPlayer::Red);
    EXPECT_EQ(steering.PlayerOf(8), std::nullopt);
    steering.Disconnected(6);
    EXPECT_EQ(steering.PlayerOf(8), TPlayer::Red);
}
