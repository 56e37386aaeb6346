// The online race as the window's race commands: before the other machine is there and after it has gone they
// act on this machine at once; while both race, every command takes effect on the same tick on both.
#include "tests/network/NetSide.h"

#include "simulation/Quibo.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(NetRaceCommands, WithoutTheOtherMachineTheyActHereAtOnce)
{
    TVirtualLine net;
    TNetSide host(net.Now(), net.Line.Host(), true);
    IRaceCommands& commands = *host.Net;
    TRace& race = host.Game.Race();

    commands.SetTiller(TPlayer::Red, TTiller::Port);
    EXPECT_EQ(race.Dinghies[1]->Tiller, 0) << "both players steer their own dinghies on this keyboard";
    race.Dinghies[0]->X = 100;
    commands.Restart();
    EXPECT_DOUBLE_EQ(race.Dinghies[0]->X, 628);
    commands.ApplyWindSettings({400, 50, 0});
    EXPECT_EQ(host.Game.Session.WindSettings(), (TWindSettings{360, 45, 1}));

    commands.StartRegatta({12, TRegattaRules::Classic});
    ASSERT_NE(host.Game.Session.Regatta(), nullptr);
    EXPECT_EQ(host.Game.Session.Regatta()->Settings(), (TRegattaSettings{9, TRegattaRules::Classic}));
    commands.LeaveRegatta();
    EXPECT_EQ(host.Game.Session.Regatta(), nullptr);

    commands.Pause();
    EXPECT_TRUE(commands.Paused());
    EXPECT_TRUE(host.Paused) << "the window's buttons are told";
    EXPECT_FALSE(host.Game.Session.Running());
    commands.Resume();
    EXPECT_FALSE(commands.Paused());
    EXPECT_FALSE(host.Paused);
    EXPECT_TRUE(host.Game.Session.Running());
}

class NetRaceCommandsRacing : public testing::Test {
protected:
    NetRaceCommandsRacing()
        : Host(Net.Now(), Net.Line.Host(), true), Guest(Net.Now(), Net.Line.Join(Host.Net->Link().Port()), false)
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(Run([this] { return Host.Ticks() >= 30 && Guest.Ticks() >= 30; }));
    }
    bool Run(const std::function<bool()>& done) { return Net.RunUntil({&Host, &Guest}, done, 10'000); }

    TVirtualLine Net{{0, 0, 30, 10}, 3};
    TNetSide Host;
    TNetSide Guest;
};

TEST_F(NetRaceCommandsRacing, EitherTillerSteersThisMachinesDinghyOnBoth)
{
    // The host steers green whichever pair of keys it uses, the guest red.
    Host.Net->SetTiller(TPlayer::Red, TTiller::Port);
    Guest.Net->SetTiller(TPlayer::Green, TTiller::Starboard);
    ASSERT_TRUE(Run([this] {
        return Host.Game.Race().Dinghies[0]->Tiller == 0 && Guest.Game.Race().Dinghies[1]->Tiller == 2;
    }));
    // Each has run the tick where its own record took effect; the other machine runs it too.
    const int64_t both = std::max(Host.Ticks(), Guest.Ticks());
    ASSERT_TRUE(Run([this, both] { return Host.Ticks() >= both && Guest.Ticks() >= both; }));
    for (TNetSide* side : {&Host, &Guest}) {
        EXPECT_EQ(side->Game.Race().Dinghies[0]->Tiller, 0);
        EXPECT_EQ(side->Game.Race().Dinghies[1]->Tiller, 2);
    }
}

TEST_F(NetRaceCommandsRacing, APauseComesAfterTheSameTickOnBothAndEitherResumes)
{
    Guest.Net->Pause();
    EXPECT_FALSE(Guest.Net->Paused()) << "paused only once the pause has come round";
    ASSERT_TRUE(Run([this] { return Host.Net->Paused() && Guest.Net->Paused(); }));
    Net.Run({&Host, &Guest}, 500);
    EXPECT_EQ(Host.Ticks(), Guest.Ticks());
    EXPECT_TRUE(Host.Paused && Guest.Paused);

    const int64_t at = Host.Ticks();
    Host.Net->Resume();
    ASSERT_TRUE(Run([this, at] { return Host.Ticks() > at + 10 && Guest.Ticks() > at + 10; }));
    EXPECT_FALSE(Host.Net->Paused());
    EXPECT_FALSE(Guest.Net->Paused());
}

TEST_F(NetRaceCommandsRacing, WindBeyondTheLimitsReachesBothWithinThem)
{
    Guest.Net->ApplyWindSettings({0, 99, 999});
    const TWindSettings limited{1, 45, 360};
    ASSERT_TRUE(Run([&] {
        return Host.Game.Session.WindSettings() == limited && Guest.Game.Session.WindSettings() == limited;
    }));
}

TEST_F(NetRaceCommandsRacing, ARegattaStartsAndEndsOnTheSameTickOnBoth)
{
    Guest.Net->StartRegatta({0, TRegattaRules::Penalties});
    EXPECT_EQ(Guest.Game.Session.Regatta(), nullptr) << "only once the command has come round";
    ASSERT_TRUE(Run([this] { return Host.Game.Session.Regatta() && Guest.Game.Session.Regatta(); }));
    const int64_t both = std::max(Host.Ticks(), Guest.Ticks()) + 5;
    ASSERT_TRUE(Run([this, both] { return Host.Ticks() >= both && Guest.Ticks() >= both; }));
    EXPECT_EQ(Host.Digests[static_cast<size_t>(both) - 1], Guest.Digests[static_cast<size_t>(both) - 1]);
    for (TNetSide* side : {&Host, &Guest})
        EXPECT_EQ(side->Game.Session.Regatta()->Settings(), (TRegattaSettings{1, TRegattaRules::Penalties}));

    Host.Net->LeaveRegatta();
    ASSERT_TRUE(Run([this] { return !Host.Game.Session.Regatta() && !Guest.Game.Session.Regatta(); }));
}

TEST_F(NetRaceCommandsRacing, APauseLeftByTheOtherMachineIsResumedHere)
{
    Host.Net->Pause();
    ASSERT_TRUE(Run([this] { return Host.Net->Paused() && Guest.Net->Paused(); }));
    Guest.Net->Leave();
    ASSERT_TRUE(Net.RunUntil({&Host, &Guest}, [this] { return Host.Ended.has_value(); }, 5000));
    EXPECT_TRUE(Host.Net->Paused());

    Host.Net->Resume();
    EXPECT_FALSE(Host.Net->Paused());
    EXPECT_TRUE(Host.Game.Session.Running());
    Host.Net->SetTiller(TPlayer::Red, TTiller::Starboard);
    EXPECT_EQ(Host.Game.Race().Dinghies[1]->Tiller, 2) << "alone again, both dinghies are this keyboard's";
}

} // namespace
