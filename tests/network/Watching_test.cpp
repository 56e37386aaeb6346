// Spectators of an online race, and the race's time sync, on the memory line in virtual time.
#include "tests/network/NetSide.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A tiller that changes every few dozen ticks, different for each player.
TTiller Steering(int64_t tick, int salt)
{
    return static_cast<TTiller>((tick / (29 + 13 * salt) + salt) % 3);
}

struct TRace {
    explicit TRace(TMemoryLine::TFaults faults, uint32_t seed = 5)
        : Net(faults, seed), Host(Net.Now(), Net.Line.Host(), true), Guest(Net.Now(), Net.Line.Join(Host.Net->Link().Port()), false)
    {
    }
    std::unique_ptr<TNetSide> Spectator()
    {
        return std::make_unique<TNetSide>(Net.Now(), Net.Line.Join(Host.Net->Link().Port()), false, "1.0", "", "K7P-2QX",
                                          false, true);
    }
    // Both players steer by their scripts while the sides run.
    bool RunUntil(std::vector<TNetSide*> watching, const std::function<bool()>& done, uint32_t milliseconds)
    {
        watching.push_back(&Host);
        watching.push_back(&Guest);
        return Net.RunUntil(watching, [&] {
            Host.Net->SetTiller(TPlayer::Green, Steering(Host.Ticks(), 0));
            Guest.Net->SetTiller(TPlayer::Red, Steering(Guest.Ticks(), 1));
            return done();
        }, milliseconds);
    }
    TVirtualLine Net;
    TNetSide Host;
    TNetSide Guest;
};

// One who comes at tick 3,000 of a race on a bad line receives it from the start, runs it unseen until it is
// live within seconds, and from then on sees the same race as both players; its keys steer nothing.
TEST(Spectators, ALateSpectatorCatchesUpAndSeesTheSameRace)
{
    TRace race({0.10, 0.05, 80, 30});
    ASSERT_TRUE(race.RunUntil({}, [&] { return race.Host.Settled() >= 3000; }, 120'000));
    const std::unique_ptr<TNetSide> spectator = race.Spectator();
    const uint32_t came = race.Net.Now();
    ASSERT_TRUE(race.RunUntil({spectator.get()}, [&] {
        return spectator->Net->Watching() && spectator->Ticks() > 3000 && spectator->Net->Behind() <= 10;
    }, 5000)) << "at tick " << spectator->Ticks() << ", " << spectator->Net->Behind() << " behind";
    RecordProperty("catch_up_milliseconds", static_cast<int>(race.Net.Now() - came));
    EXPECT_EQ(spectator->Statuses.back(), TNetStatus::Watching);

    spectator->Net->SetTiller(TPlayer::Red, TTiller::Port);
    spectator->Net->Restart();
    spectator->Net->Pause();
    const int64_t until = spectator->Ticks() + 600;
    ASSERT_TRUE(race.RunUntil({spectator.get()}, [&] { return spectator->Settled() >= until; }, 30'000));
    EXPECT_FALSE(spectator->Ended.has_value());
    EXPECT_FALSE(race.Host.Ended.has_value());
    EXPECT_EQ(race.Host.Net->Spectators(), 1u);
    ASSERT_GE(race.Host.Digests.size(), static_cast<size_t>(until));
    for (size_t t = 0; t < static_cast<size_t>(until); ++t) {
        ASSERT_EQ(spectator->Digests[t], race.Host.Digests[t]) << "the spectator's race differs after tick " << t + 1;
        ASSERT_EQ(race.Guest.Digests[t], race.Host.Digests[t]) << "the guest's race differs after tick " << t + 1;
    }
}

// Eight may watch; the ninth is turned away by name while the race and the others go on, and a place that
// comes free is taken again.
TEST(Spectators, ANinthSpectatorIsToldThatThereIsNoRoom)
{
    TRace race({0, 0, 10, 0});
    std::vector<std::unique_ptr<TNetSide>> spectators;
    std::vector<TNetSide*> sides;
    for (size_t i = 0; i < THostDoor::MaxSpectators + 1; ++i) {
        spectators.push_back(race.Spectator());
        sides.push_back(spectators.back().get());
    }
    TNetSide& ninth = *spectators.back();
    ASSERT_TRUE(race.RunUntil(sides, [&] { return ninth.Ended.has_value() && race.Host.Settled() >= 120; }, 10'000));
    EXPECT_EQ(ninth.Ended->Kind, TNetEnd::EnoughSpectators);
    EXPECT_EQ(race.Host.Net->Spectators(), THostDoor::MaxSpectators);
    for (size_t i = 0; i + 1 < spectators.size(); ++i)
        EXPECT_TRUE(spectators[i]->Net->Watching()) << "spectator " << i + 1;

    spectators.front()->Net->Leave();
    spectators.front().reset();
    sides.erase(sides.begin());
    ASSERT_TRUE(race.RunUntil(sides, [&] { return race.Host.Net->Spectators() == THostDoor::MaxSpectators - 1; }, 2000));
    const std::unique_ptr<TNetSide> next = race.Spectator();
    sides.push_back(next.get());
    ASSERT_TRUE(race.RunUntil(sides, [&] { return next->Settled() >= race.Host.Settled() - 10 && next->Settled() > 0; }, 5000));
    EXPECT_FALSE(next->Ended.has_value());
    EXPECT_FALSE(race.Host.Ended.has_value());
}

// A machine whose program fell behind (it stood still for a moment) has the other run ahead on guesses; the
// one ahead lets ticks pass until the two are nearly even again, and only it does.
TEST(TimeSync, TheSideAheadLetsTicksPassUntilBothAreEven)
{
    TRace race({0, 0, 40, 0});
    ASSERT_TRUE(race.RunUntil({}, [&] { return race.Guest.Settled() >= 300; }, 20'000));
    // From here the host's program runs a tenth of a second late.
    race.Host.Offset -= 100;
    race.Net.Run({&race.Host, &race.Guest}, 1000);
    EXPECT_GE(race.Guest.Ticks() - race.Host.Ticks(), 4);
    race.Net.Run({&race.Host, &race.Guest}, 5000);
    EXPECT_GT(race.Guest.Net->Rollbacks().TicksYielded, 0);
    EXPECT_EQ(race.Host.Net->Rollbacks().TicksYielded, 0);
    EXPECT_LT(race.Guest.Ticks() - race.Host.Ticks(), 3);
    EXPECT_FALSE(race.Host.Ended.has_value());
}

} // namespace
