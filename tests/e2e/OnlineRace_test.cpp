// The real program twice, each on a display of its own as two machines would be, racing online over
// loopback: both windows show the same frame, and leaving on one is told on the other.
#include "GameWindow.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

namespace {

std::string FreePort()
{
    return std::to_string(30000 + getpid() % 20000);
}

// The message box an online race shows carries the bare program name as its caption.
bool MessageBoxShown(const TVirtualDisplay& display)
{
    return !RunCommand(display.Env() + " xdotool search --name '^QuiboTrainer$' 2>/dev/null").empty();
}

TEST(OnlineRace, BothWindowsShowTheSameFrameAndLeavingIsToldOnTheOther)
{
    TVirtualDisplay hostDisplay;
    TVirtualDisplay guestDisplay;
    const std::string port = FreePort();
    // Never the machine's router: the race is on loopback.
    TGameWindow host(hostDisplay, {"--host", port, "--code", "K7P-2QX", "--no-port-mapping"});
    ASSERT_TRUE(host.Found());
    TGameWindow guest(guestDisplay, {"--join", "127.0.0.1:" + port, "--code", "K7P-2QX"});
    ASSERT_TRUE(guest.Found());
    // The race runs once the host draws it too.
    WaitFor([&] { return CountColor(host.DrawingArea(), 0x008080) > 0; }, 5000);
    const QImage early = host.DrawingArea();

    // Each player steers with either pair of keys; the host's dinghy is green, the guest's red.
    host.Keys("keydown Left");
    guest.Keys("keydown x");
    SleepMs(700);
    host.Keys("keyup Left");
    guest.Keys("keyup x");
    SleepMs(300);
    host.Keys("key Pause");
    // Both stop after the same tick: once the pause has crossed, both pictures stand still and agree.
    QImage hostFrame;
    QImage guestFrame;
    WaitFor(
        [&] {
            hostFrame = host.StillDrawingArea(1000);
            guestFrame = guest.StillDrawingArea(1000);
            return hostFrame == guestFrame;
        },
        5000);
    hostFrame.save("/tmp/quibo-e2e-online-host.png");
    guestFrame.save("/tmp/quibo-e2e-online-guest.png");
    ASSERT_FALSE(hostFrame.isNull());
    ASSERT_EQ(hostFrame.size(), guestFrame.size());
    EXPECT_TRUE(hostFrame == guestFrame) << "the two machines show different frames after the pause";
    // And the race did run in between.
    EXPECT_FALSE(hostFrame == early);
    EXPECT_GT(CountColor(hostFrame, 0x008080), 300);

    // Still paused a moment later: nothing moved on either.
    SleepMs(500);
    EXPECT_TRUE(host.DrawingArea() == hostFrame);
    EXPECT_TRUE(guest.DrawingArea() == guestFrame);

    guest.Keys("key Escape");
    EXPECT_EQ(guest.Process().WaitExit(5000), 0);
    bool told = false;
    for (int i = 0; i < 50 && !told; ++i) {
        SleepMs(100);
        told = MessageBoxShown(hostDisplay);
    }
    EXPECT_TRUE(told) << "the host was not told that the guest left";
    EXPECT_TRUE(host.Process().Running());
}

TEST(OnlineRace, AHostThatCannotOpenItsPortEndsWithStatusTwo)
{
    TVirtualDisplay display;
    const std::string port = FreePort();
    TGameWindow first(display, {"--host", port, "--no-port-mapping"});
    ASSERT_TRUE(first.Found());
    // Without a screen of its own the second host tells only standard error.
    TChildProcess second({QUIBO_BINARY, "--host", port}, {"QT_QPA_PLATFORM=offscreen"});
    EXPECT_EQ(second.WaitExit(10000), 2);
    EXPECT_TRUE(first.Process().Running());
}

TEST(OnlineRace, BadArgumentsEndWithStatusTwo)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--host", "70000"},
                                                 std::vector<std::string>{"--join", "127.0.0.1:x"},
                                                 std::vector<std::string>{"--record", "/tmp/x"}}) {
        std::vector<std::string> argv{QUIBO_BINARY};
        argv.insert(argv.end(), args.begin(), args.end());
        // Without a display the message goes to standard error only, and the status stays the same.
        TChildProcess game(argv, {"QT_QPA_PLATFORM=offscreen"});
        EXPECT_EQ(game.WaitExit(10000), 2) << args[0] << " " << args[1];
    }
}

} // namespace
