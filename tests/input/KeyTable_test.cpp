#include "input/KeyTable.h"

#include "platform/VirtualKeyCodes.h"

#include <gtest/gtest.h>

namespace {

constexpr int VK_A = 'A';
constexpr int VK_Z = 'Z';
constexpr int VK_N = 'N';
constexpr int VK_F5 = 116;
constexpr int VK_UP = 38;

TEST(KeyTable, EachKeyDoesOneThingGoingDownAndSteeringKeysCentreTheTillerComingUp)
{
    using A = TKeyAction;
    const TKeyAction none{};
    const struct {
        int Key;
        TKeyAction Down;
        TKeyAction Up;
    } cases[] = {
        {VK_LEFT, {A::Steer, TPlayer::Green, TTiller::Port}, {A::Steer, TPlayer::Green, TTiller::Amidships}},
        {VK_RIGHT, {A::Steer, TPlayer::Green, TTiller::Starboard}, {A::Steer, TPlayer::Green, TTiller::Amidships}},
        {VK_Y, {A::Steer, TPlayer::Red, TTiller::Port}, {A::Steer, TPlayer::Red, TTiller::Amidships}},
        {VK_X, {A::Steer, TPlayer::Red, TTiller::Starboard}, {A::Steer, TPlayer::Red, TTiller::Amidships}},
        {VK_F3, {A::Restart}, none},
        {VK_PAUSE, {A::PauseOrResume}, none},
        {VK_ESCAPE, {A::Quit}, none},
        {VK_M, {A::ToggleSound}, none},
        // Keys the game does not use, also neighbours of its own.
        {VK_UP, none, none},
        {VK_Z, none, none},
        {VK_A, none, none},
        {VK_N, none, none},
        {VK_F5, none, none},
        {0, none, none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyDownAction(c.Key), c.Down) << "key " << c.Key << " down";
        EXPECT_EQ(KeyUpAction(c.Key), c.Up) << "key " << c.Key << " up";
    }
}

} // namespace
