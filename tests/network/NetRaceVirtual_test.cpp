// Two machines of an online race in one process, over a memory line that loses, doubles, delays and reorders
// datagrams, in virtual time: the race must be the same on both, tick by tick, and faults must be told, within
// the times the player is promised. Deterministic: the line draws from a seed, and nothing reads the wall clock.
#include "simulation/Quibo.h"
#include "tests/network/NetSide.h"
#include "tools/ReplayScript.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <tuple>
#include <unistd.h>

namespace {

// A tiller that changes every few dozen ticks, different for each player.
TTiller ScriptedTiller(int64_t tick, int salt)
{
    return static_cast<TTiller>(((tick / (37 + 11 * salt)) * (5 + salt) + salt) % 3);
}

// What ended a race, for a failure's message.
std::string Told(const std::optional<TNetEnd>& end)
{
    if (!end)
        return "still racing";
    return "ended, kind " + std::to_string(end->Kind) + " at tick " + std::to_string(end->Tick);
}

std::string TempPath(const char* name)
{
    return testing::TempDir() + "/" + name + std::to_string(getpid());
}

// Host and guest on one line, the guest calling the host.
struct TTwoMachines {
    explicit TTwoMachines(TMemoryLine::TFaults faults = {}, uint32_t seed = 1, const std::string& guestVersion = "1.0",
                          const std::string& record = {})
        : Net(faults, seed), Host(Net.Now(), Net.Line.Host(), true, "1.0", record),
          Guest(Net.Now(), Net.Line.Join(Host.Net->Link().Port()), false, guestVersion)
    {
    }
    bool RunUntil(const std::function<bool()>& done, uint32_t milliseconds)
    {
        return Net.RunUntil({&Host, &Guest}, done, milliseconds);
    }
    void Run(uint32_t milliseconds) { Net.Run({&Host, &Guest}, milliseconds); }

    TVirtualLine Net;
    TNetSide Host;
    TNetSide Guest;
};

TEST(NetRace, TwoMachinesRaceTheSameRaceThroughABadNetwork)
{
    constexpr int64_t Ticks = 10000;
    const std::string record = TempPath("online-race-");
    TTwoMachines m({0.10, 0.05, 80, 30}, 7, "1.0", record);
    TNetSide& host = m.Host;
    TNetSide& guest = m.Guest;

    bool paused = false;
    auto lastTick = std::make_pair<int64_t, int64_t>(0, 0);
    uint32_t pausedAt = 0;
    const auto drive = [&] {
        // Each player steers by its own script; commands come from either side.
        for (auto [side, salt, last] : {std::tuple{&host, 0, &lastTick.first}, std::tuple{&guest, 1, &lastTick.second}}) {
            const int64_t tick = side->Ticks();
            if (tick == *last)
                continue;
            *last = tick;
            side->Net->SetTiller(side->Net->LocalPlayer(), ScriptedTiller(tick, salt));
            if (side == &host && tick % 2500 == 1200)
                side->Net->Restart();
            if (side == &guest && tick % 3000 == 700)
                side->Net->ApplyWindSettings({static_cast<int32_t>(tick % 360) + 1, 20, 30});
            if (side == &host && (tick == 4000 || tick == 8000))
                side->Net->Pause();
        }
        // The guest resumes what the host paused, once both stand still for a while.
        if (host.Paused && guest.Paused && !paused) {
            paused = true;
            pausedAt = m.Net.Now();
        }
        if (paused && m.Net.Now() - pausedAt > 300) {
            paused = false;
            guest.Net->Resume();
        }
        return host.Settled() >= Ticks && guest.Settled() >= Ticks;
    };
    // 10,000 ticks are 167 s at 60 a second; the lockstep keeps close to that pace through this line.
    ASSERT_TRUE(m.RunUntil(drive, 200'000)) << "host at " << host.Ticks() << ", guest at " << guest.Ticks();
    RecordProperty("virtual_milliseconds", static_cast<int>(m.Net.Now()));

    EXPECT_FALSE(host.Ended.has_value()) << "host " << Told(host.Ended);
    EXPECT_FALSE(guest.Ended.has_value()) << "guest " << Told(guest.Ended);
    ASSERT_GE(host.Digests.size(), static_cast<size_t>(Ticks));
    ASSERT_GE(guest.Digests.size(), static_cast<size_t>(Ticks));
    for (size_t t = 0; t < static_cast<size_t>(Ticks); ++t) {
        ASSERT_EQ(host.Digests[t].first, guest.Digests[t].first) << "race state differs after tick " << t + 1;
        ASSERT_EQ(host.Digests[t].second, guest.Digests[t].second) << "frame differs after tick " << t + 1;
        ASSERT_EQ(host.Digests[t].second != 0, (t + 1) % 10 == 0) << "no frame compared after tick " << t + 1;
    }
    // The once-a-second digests agreed too, and the network was as bad as promised.
    EXPECT_GE(host.Net->Digests().Matched(), Ticks / 60 - 2);
    EXPECT_GT(m.Net.Line.Dropped(), 0);
    EXPECT_GT(m.Net.Line.Duplicated(), 0);
    EXPECT_GT(m.Net.Line.Reordered(), 0);
    // A round trip of about 160 ms is carried by the fixed delay and guesses, corrected now and then.
    EXPECT_GE(host.Net->RoundTrip(), 140);
    for (const TNetSide* side : {&host, &guest}) {
        EXPECT_EQ(side->Net->Delay(), TTickRecords::DefaultDelay);
        const TRollbackCount& rollbacks = side->Net->Rollbacks();
        EXPECT_GT(rollbacks.Rollbacks, 0);
        EXPECT_LE(rollbacks.Longest, TGuessedTicks::Window);
        std::printf("%s: %lld rollbacks, %.2f ticks on average, the longest %lld; %lld ticks yielded\n",
                    side == &host ? "host" : "guest", static_cast<long long>(rollbacks.Rollbacks), rollbacks.Mean(),
                    static_cast<long long>(rollbacks.Longest), static_cast<long long>(rollbacks.TicksYielded));
    }
    RecordProperty("longest_rollback", static_cast<int>(std::max(host.Net->Rollbacks().Longest, guest.Net->Rollbacks().Longest)));

    // The recorded race replays to the same states and frames.
    host.Net->Leave();
    host.Net.reset();
    THeadlessGame replay(false, 0);
    std::vector<std::pair<uint64_t, uint64_t>> replayed;
    TReplayPlayer player(replay, [&] { replayed.push_back(TickDigests(replay)); });
    std::ifstream script(record);
    for (std::string line; std::getline(script, line);)
        ASSERT_TRUE(player.Play(ParseReplayLine(line))) << line;
    std::remove(record.c_str());
    ASSERT_EQ(replayed.size(), host.Digests.size());
    for (size_t t = 0; t < replayed.size(); ++t)
        ASSERT_EQ(replayed[t], host.Digests[t]) << "the replay differs after tick " << t + 1;
}

// A regatta started from either side runs the same on both machines, tick by tick, through the bad line: its
// countdown, penalties and all are in the race state compared after every tick, and the record replays it.
TEST(NetRace, TwoMachinesSailTheSameRegattaThroughABadNetwork)
{
    constexpr int64_t Ticks = 4000;
    const std::string record = TempPath("online-regatta-");
    TTwoMachines m({0.10, 0.05, 80, 30}, 11, "1.0", record);
    auto lastTick = std::make_pair<int64_t, int64_t>(0, 0);
    const auto drive = [&] {
        for (auto [side, salt, last] :
             {std::tuple{&m.Host, 0, &lastTick.first}, std::tuple{&m.Guest, 1, &lastTick.second}}) {
            const int64_t tick = side->Ticks();
            if (tick == *last)
                continue;
            *last = tick;
            side->Net->SetTiller(side->Net->LocalPlayer(), ScriptedTiller(tick, salt));
            if (side == &m.Guest && tick == 100)
                side->Net->StartRegatta({2, TRegattaRules::Penalties});
            if (side == &m.Host && tick == 1900)
                side->Net->Restart();
            if (side == &m.Host && tick == 3600)
                side->Net->StartRegatta({1, TRegattaRules::Classic});
        }
        return m.Host.Settled() >= Ticks && m.Guest.Settled() >= Ticks;
    };
    ASSERT_TRUE(m.RunUntil(drive, 100'000)) << "host at " << m.Host.Ticks() << ", guest at " << m.Guest.Ticks();
    EXPECT_FALSE(m.Host.Ended.has_value()) << "host " << Told(m.Host.Ended);
    for (size_t t = 0; t < static_cast<size_t>(Ticks); ++t)
        ASSERT_EQ(m.Host.Digests[t], m.Guest.Digests[t]) << "the regatta differs after tick " << t + 1;
    // Both heard the same signals, each once and only once its tick had settled, though the guesses were
    // corrected hundreds of times.
    EXPECT_GT(m.Guest.Net->Rollbacks().Rollbacks + m.Host.Net->Rollbacks().Rollbacks, 50);
    EXPECT_GT(m.Host.Events.size(), 10u);
    const auto settledEvents = [&](const TNetSide& side) {
        std::vector<std::tuple<int, int, int32_t, int64_t>> events;
        for (const auto& e : side.Events)
            if (std::get<3>(e) <= Ticks)
                events.push_back(e);
        return events;
    };
    EXPECT_EQ(settledEvents(m.Host), settledEvents(m.Guest));
    EXPECT_EQ(m.Host.EventsBeforeSettled, 0);
    EXPECT_EQ(m.Guest.EventsBeforeSettled, 0);
    for (TNetSide* side : {&m.Host, &m.Guest}) {
        const TRegatta* regatta = side->Game.Session.Regatta();
        ASSERT_NE(regatta, nullptr);
        EXPECT_EQ(regatta->Settings(), (TRegattaSettings{1, TRegattaRules::Classic}));
    }

    m.Host.Net->Leave();
    m.Host.Net.reset();
    THeadlessGame replay(false, 0);
    std::vector<std::pair<uint64_t, uint64_t>> replayed;
    TReplayPlayer player(replay, [&] { replayed.push_back(TickDigests(replay)); });
    std::ifstream script(record);
    for (std::string line; std::getline(script, line);)
        ASSERT_TRUE(player.Play(ParseReplayLine(line))) << line;
    std::remove(record.c_str());
    ASSERT_EQ(replayed.size(), m.Host.Digests.size());
    for (size_t t = 0; t < replayed.size(); ++t)
        ASSERT_EQ(replayed[t], m.Host.Digests[t]) << "the replay differs after tick " << t + 1;
}

// Reliable messages can be held up for seconds on such a line while the inputs still flow: that is no reason
// to give up on the other machine.
TEST(NetRace, ANetworkThatLosesAThirdOfThePacketsStillCarriesTheRace)
{
    constexpr int64_t Ticks = 3000;
    TTwoMachines m({0.30, 0.05, 80, 30}, 3);
    const bool done = m.RunUntil([&] {
        return (m.Host.Settled() >= Ticks && m.Guest.Settled() >= Ticks) || m.Host.Ended || m.Guest.Ended;
    }, 600'000);
    ASSERT_TRUE(done) << "host at " << m.Host.Ticks() << ", guest at " << m.Guest.Ticks();
    ASSERT_FALSE(m.Host.Ended.has_value()) << "host " << Told(m.Host.Ended) << " after " << m.Host.Ticks() << " ticks";
    ASSERT_FALSE(m.Guest.Ended.has_value()) << "guest " << Told(m.Guest.Ended) << " after " << m.Guest.Ticks() << " ticks";
    ASSERT_GE(m.Guest.Digests.size(), static_cast<size_t>(Ticks));
    for (size_t t = 0; t < static_cast<size_t>(Ticks); ++t)
        ASSERT_EQ(m.Host.Digests[t], m.Guest.Digests[t]) << "the race differs after tick " << t + 1;
    EXPECT_GT(m.Net.Line.Dropped(), m.Net.Line.Forwarded() / 4);
}

TEST(NetRace, AnOtherMachineThatFallsSilentIsNoticedWithinSixSeconds)
{
    TTwoMachines m({0, 0, 5, 0});
    ASSERT_TRUE(m.RunUntil([&] { return m.Host.Ticks() >= 300; }, 60'000));

    m.Net.Line.Cut();
    const uint32_t cut = m.Net.Now();
    ASSERT_TRUE(m.RunUntil([&] { return m.Host.Ended && m.Guest.Ended; }, 10'000));
    EXPECT_LE(m.Net.Now() - cut, 6000u);
    EXPECT_EQ(m.Host.Ended->Kind, TNetEnd::PeerLost);
    EXPECT_EQ(m.Guest.Ended->Kind, TNetEnd::PeerLost);

    // The race goes on here alone, no longer waiting for the other machine.
    const int64_t before = m.Host.Ticks();
    ASSERT_TRUE(m.Net.RunUntil({&m.Host}, [&] { return m.Host.Ticks() >= before + 60; }, 10'000));
    EXPECT_FALSE(m.Host.Net->Online());
}

// As a program that was killed or hangs: no goodbye, nothing more from it.
TEST(NetRace, AnOtherMachineThatStopsIsToldAsLostWhileTheLineStillWorks)
{
    TTwoMachines m({0.05, 0, 20, 5}, 11);
    ASSERT_TRUE(m.RunUntil([&] { return m.Guest.Ticks() >= 600; }, 60'000));
    const uint32_t stopped = m.Net.Now();
    ASSERT_TRUE(m.Net.RunUntil({&m.Host}, [&] { return m.Host.Ended.has_value(); }, 10'000));
    EXPECT_EQ(m.Host.Ended->Kind, TNetEnd::PeerLost);
    EXPECT_GE(m.Net.Now() - stopped, 5000u) << "silence is told only after 5 s";
    EXPECT_LE(m.Net.Now() - stopped, 6000u);
    EXPECT_LE(m.Host.Ticks(), 600 + TTickRecords::DefaultDelay + TGuessedTicks::Window) << "the host ran on past its guesses";
}

TEST(NetRace, AWindowThatLosesTheFocusHoldsTheRaceOnBoth)
{
    TTwoMachines m;
    ASSERT_TRUE(m.RunUntil([&] { return m.Host.Ticks() >= 100; }, 30'000));
    m.Guest.Game.Application.SetActive(false);
    ASSERT_TRUE(m.RunUntil([&] {
        return !m.Host.Statuses.empty() && m.Host.Statuses.back() == TNetStatus::PeerInactive;
    }, 5000));
    // The host runs on at most its delay and its guesses past the guest, then waits.
    const int64_t guestAt = m.Guest.Ticks();
    m.Run(1000);
    EXPECT_EQ(m.Guest.Ticks(), guestAt);
    EXPECT_LE(m.Host.Ticks(), guestAt + TTickRecords::DefaultDelay + TGuessedTicks::Window);
    const int64_t hostAt = m.Host.Ticks();
    m.Run(1000);
    EXPECT_EQ(m.Host.Ticks(), hostAt);

    m.Guest.Game.Application.SetActive(true);
    ASSERT_TRUE(m.RunUntil([&] { return m.Host.Ticks() >= hostAt + 60; }, 10'000));
    EXPECT_EQ(m.Host.Statuses.back(), TNetStatus::None);
    EXPECT_FALSE(m.Host.Ended.has_value());
}

TEST(NetRace, LeavingIsToldAtOnceAndTheRaceGoesOnAlone)
{
    TTwoMachines m({0, 0, 40, 0});
    ASSERT_TRUE(m.RunUntil([&] { return m.Guest.Ticks() >= 100; }, 30'000));
    m.Guest.Net->Leave();
    const uint32_t left = m.Net.Now();
    ASSERT_TRUE(m.RunUntil([&] { return m.Host.Ended.has_value(); }, 2000));
    EXPECT_EQ(m.Host.Ended->Kind, TNetEnd::PeerLeft);
    EXPECT_LE(m.Net.Now() - left, 50u) << "told as the goodbye arrives";
    const int64_t before = m.Guest.Ticks();
    ASSERT_TRUE(m.RunUntil([&] { return m.Guest.Ticks() >= before + 60; }, 10'000));
    EXPECT_FALSE(m.Guest.Ended.has_value()) << "who leaves is not told that the other left";
}

// The window's own way out: the race is destroyed at once, its goodbye the last thing it sends.
TEST(NetRace, AMachineThatClosesSaysGoodbyeOnItsWay)
{
    TTwoMachines m({0, 0, 40, 0});
    ASSERT_TRUE(m.RunUntil([&] { return m.Guest.Ticks() >= 100; }, 30'000));
    m.Guest.Net.reset();
    ASSERT_TRUE(m.Net.RunUntil({&m.Host}, [&] { return m.Host.Ended.has_value(); }, 2000));
    EXPECT_EQ(m.Host.Ended->Kind, TNetEnd::PeerLeft);
}

TEST(NetRace, AThirdPlayerIsTurnedAwayAndTheRaceGoesOn)
{
    TTwoMachines m({0.05, 0, 30, 10}, 5);
    ASSERT_TRUE(m.RunUntil([&] { return m.Host.Ticks() >= 30; }, 30'000));
    TNetSide third(m.Net.Now(), m.Net.Line.Join(m.Host.Net->Link().Port()), false);
    ASSERT_TRUE(m.Net.RunUntil({&m.Host, &m.Guest, &third}, [&] { return third.Ended.has_value(); }, 5000));
    EXPECT_EQ(third.Ended->Kind, TNetEnd::RaceFull);
    const int64_t before = m.Guest.Ticks();
    ASSERT_TRUE(m.Net.RunUntil({&m.Host, &m.Guest, &third}, [&] { return m.Guest.Ticks() >= before + 60; }, 10'000));
    EXPECT_FALSE(m.Host.Ended.has_value());
}

TEST(NetRace, AnotherVersionIsRefusedWithBothVersionsNamed)
{
    TTwoMachines m({}, 1, "1.1-beta");
    ASSERT_TRUE(m.RunUntil([&] { return m.Guest.Ended.has_value(); }, 5000));
    EXPECT_EQ(m.Guest.Ended->Kind, TNetEnd::OtherVersion);
    EXPECT_EQ(m.Guest.Ended->HostVersion, "1.0");
    EXPECT_EQ(m.Guest.Ended->GuestVersion, "1.1-beta");
    m.Run(1000);
    EXPECT_FALSE(m.Host.Ended.has_value()) << "the host waits on for a joiner of its own version";
    EXPECT_EQ(m.Host.Ticks(), 0);

    // And takes the next one.
    TNetSide next(m.Net.Now(), m.Net.Line.Join(m.Host.Net->Link().Port()), false);
    ASSERT_TRUE(m.Net.RunUntil({&m.Host, &next}, [&] { return next.Ticks() >= 60 && m.Host.Ticks() >= 60; }, 10'000));
    EXPECT_FALSE(next.Ended.has_value()) << Told(next.Ended);
}

TEST(NetRace, ARaceThatDriftsApartStopsNamingTheTick)
{
    TTwoMachines m({0, 0, 10, 0});
    ASSERT_TRUE(m.RunUntil([&] { return m.Guest.Ticks() >= 70; }, 30'000));
    // As a machine with other arithmetic would: the guest's dinghy a pixel off.
    m.Guest.Game.Race().Dinghies[0]->X += 1;
    ASSERT_TRUE(m.RunUntil([&] { return m.Host.Ended && m.Guest.Ended; }, 10'000));
    EXPECT_EQ(m.Host.Ended->Kind, TNetEnd::Desync);
    EXPECT_EQ(m.Host.Ended->Tick, 120);
    EXPECT_EQ(m.Guest.Ended->Tick, 120);
    EXPECT_FALSE(m.Host.Game.Session.Running());
}

TEST(NetRace, NoAnswerFromTheHostIsToldAfterFiveSeconds)
{
    TVirtualLine net;
    // A host that never takes its calls.
    const std::unique_ptr<TMemoryLink> silent = net.Line.Host();
    TNetSide guest(net.Now(), net.Line.Join(silent->Port()), false);
    const uint32_t start = net.Now();
    ASSERT_TRUE(net.RunUntil({&guest}, [&] { return guest.Ended.has_value(); }, 10'000));
    EXPECT_EQ(guest.Ended->Kind, TNetEnd::NoAnswer);
    EXPECT_GE(net.Now() - start, 5000u);
    EXPECT_LE(net.Now() - start, 5100u);
}

TEST(NetRace, TheSameSeedRacesTheSameRace)
{
    const auto race = [] {
        TTwoMachines m({0.10, 0.05, 80, 30}, 21);
        m.Guest.Net->SetTiller(m.Guest.Net->LocalPlayer(), TTiller::Starboard);
        m.RunUntil([&] { return m.Guest.Ticks() >= 600; }, 60'000);
        return std::tuple{m.Net.Now(), m.Host.Ticks(), m.Host.Net->Delay(), m.Net.Line.Dropped(), m.Guest.Digests};
    };
    EXPECT_EQ(race(), race());
}

} // namespace
