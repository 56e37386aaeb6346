// Two machines of an online race in one process, over loopback, through a proxy that loses, doubles, delays
// and reorders packets: the race must be the same on both, tick by tick, and faults must be told.
#include "tools/LossyProxy.h"
#include "tests/network/NetSide.h"
#include "simulation/Quibo.h"
#include "tools/ReplayScript.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

// Pumps the proxy and both sides until done() or the time is up; false on time out.
bool RunUntil(TLossyProxy* proxy, std::vector<TNetSide*> sides, const std::function<bool()>& done,
              std::chrono::seconds limit)
{
    const auto end = TClock::now() + limit;
    while (!done()) {
        if (TClock::now() > end)
            return false;
        if (proxy != nullptr)
            proxy->Pump();
        for (TNetSide* side : sides)
            side->Step();
    }
    return true;
}

// A tiller that changes every few dozen ticks, different for each player.
int32_t ScriptedTiller(int64_t tick, int salt)
{
    return static_cast<int32_t>(((tick / (37 + 11 * salt)) * (5 + salt) + salt) % 3);
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

TEST(NetRace, TwoMachinesRaceTheSameRaceThroughABadNetwork)
{
    constexpr int64_t Ticks = 10000;
    const std::string record = TempPath("online-race-");
    TNetSide host(TEnetLink::Host(0), true, "1.0", record);
    TLossyProxy proxy(host.Net->Link().Port(), {}, 7);
    TNetSide guest(TEnetLink::Join("127.0.0.1", proxy.Port()), false);

    bool paused = false;
    auto lastTick = std::make_pair<int64_t, int64_t>(0, 0);
    TClock::time_point pausedAt;
    const auto drive = [&] {
        // Each player steers by its own script; commands come from either side.
        for (auto [side, salt, last] : {std::tuple{&host, 0, &lastTick.first}, std::tuple{&guest, 1, &lastTick.second}}) {
            const int64_t tick = side->Ticks();
            if (tick == *last)
                continue;
            *last = tick;
            side->Net->SetLocalTiller(ScriptedTiller(tick, salt));
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
            pausedAt = TClock::now();
        }
        if (paused && TClock::now() - pausedAt > 300ms) {
            paused = false;
            guest.Net->Resume();
        }
        return host.Ticks() >= Ticks && guest.Ticks() >= Ticks;
    };
    ASSERT_TRUE(RunUntil(&proxy, {&host, &guest}, drive, 1200s))
        << "host at " << host.Ticks() << ", guest at " << guest.Ticks();

    EXPECT_FALSE(host.Ended.has_value()) << "host " << Told(host.Ended);
    EXPECT_FALSE(guest.Ended.has_value()) << "guest " << Told(guest.Ended);
    ASSERT_GE(host.Digests.size(), static_cast<size_t>(Ticks));
    ASSERT_GE(guest.Digests.size(), static_cast<size_t>(Ticks));
    for (size_t t = 0; t < static_cast<size_t>(Ticks); ++t) {
        ASSERT_EQ(host.Digests[t].first, guest.Digests[t].first) << "race state differs after tick " << t + 1;
        ASSERT_EQ(host.Digests[t].second, guest.Digests[t].second) << "frame differs after tick " << t + 1;
    }
    // The once-a-second digests agreed too, and the network was as bad as promised.
    EXPECT_GE(host.Net->Digests().Matched(), Ticks / 60 - 2);
    EXPECT_GT(proxy.Dropped(), 0);
    EXPECT_GT(proxy.Duplicated(), 0);
    EXPECT_GT(proxy.Reordered(), 0);
    EXPECT_GE(host.Net->Delay(), 6) << "round trip " << host.Net->RoundTrip() << " ms";

    // The recorded race replays to the same states and frames.
    host.Net->Leave();
    host.Net.reset();
    THeadlessGame replay(false, 0);
    std::vector<std::pair<uint64_t, uint64_t>> replayed;
    TReplayPlayer player(replay, [&] {
        replayed.emplace_back(RaceStateDigest(replay.Race()), FrameDigest(replay.BackBuffer()));
    });
    std::ifstream script(record);
    for (std::string line; std::getline(script, line);)
        ASSERT_TRUE(player.Play(ParseReplayLine(line))) << line;
    std::remove(record.c_str());
    ASSERT_EQ(replayed.size(), host.Digests.size());
    for (size_t t = 0; t < replayed.size(); ++t)
        ASSERT_EQ(replayed[t], host.Digests[t]) << "the replay differs after tick " << t + 1;
}

// Reliable messages can be held up for seconds on such a line while the inputs still flow: that is no reason
// to give up on the other machine.
TEST(NetRace, ANetworkThatLosesAThirdOfThePacketsStillCarriesTheRace)
{
    constexpr int64_t Ticks = 3000;
    TNetSide host(TEnetLink::Host(0), true);
    TLossyProxy proxy(host.Net->Link().Port(), {0.30, 0.05, 80, 30}, 3);
    TNetSide guest(TEnetLink::Join("127.0.0.1", proxy.Port()), false);
    const bool done = RunUntil(&proxy, {&host, &guest}, [&] {
        return (host.Ticks() >= Ticks && guest.Ticks() >= Ticks) || host.Ended || guest.Ended;
    }, 600s);
    ASSERT_TRUE(done) << "host at " << host.Ticks() << ", guest at " << guest.Ticks();
    ASSERT_FALSE(host.Ended.has_value()) << "host " << Told(host.Ended) << " after " << host.Ticks() << " ticks";
    ASSERT_FALSE(guest.Ended.has_value()) << "guest " << Told(guest.Ended) << " after " << guest.Ticks() << " ticks";
    ASSERT_GE(guest.Digests.size(), static_cast<size_t>(Ticks));
    for (size_t t = 0; t < static_cast<size_t>(Ticks); ++t)
        ASSERT_EQ(host.Digests[t], guest.Digests[t]) << "the race differs after tick " << t + 1;
}

TEST(NetRace, AnOtherMachineThatFallsSilentIsNoticedWithinSixSeconds)
{
    TNetSide host(TEnetLink::Host(0), true);
    TLossyProxy proxy(host.Net->Link().Port(), {0, 0, 5, 0}, 1);
    TNetSide guest(TEnetLink::Join("127.0.0.1", proxy.Port()), false);
    ASSERT_TRUE(RunUntil(&proxy, {&host, &guest}, [&] { return host.Ticks() >= 300; }, 60s));

    proxy.Cut();
    const auto cut = TClock::now();
    ASSERT_TRUE(RunUntil(&proxy, {&host, &guest}, [&] { return host.Ended && guest.Ended; }, 10s));
    EXPECT_LE(TClock::now() - cut, 6s);
    EXPECT_EQ(host.Ended->Kind, TNetEnd::PeerLost);
    EXPECT_EQ(guest.Ended->Kind, TNetEnd::PeerLost);

    // The race goes on here alone, no longer waiting for the other machine.
    const int64_t before = host.Ticks();
    ASSERT_TRUE(RunUntil(nullptr, {&host}, [&] { return host.Ticks() >= before + 60; }, 10s));
    EXPECT_FALSE(host.Net->Online());
}

TEST(NetRace, AWindowThatLosesTheFocusHoldsTheRaceOnBoth)
{
    TNetSide host(TEnetLink::Host(0), true);
    TNetSide guest(TEnetLink::Join("127.0.0.1", host.Net->Link().Port()), false);
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest}, [&] { return host.Ticks() >= 100; }, 30s));
    guest.Game.Application.SetActive(false);
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest}, [&] {
        return !host.Statuses.empty() && host.Statuses.back() == TNetStatus::PeerInactive;
    }, 5s));
    // The host runs on at most its delay past the guest, then waits.
    const int64_t guestAt = guest.Ticks();
    RunUntil(nullptr, {&host, &guest}, [] { return false; }, 1s);
    EXPECT_EQ(guest.Ticks(), guestAt);
    EXPECT_LE(host.Ticks(), guestAt + TLockstep::MaxDelay);
    const int64_t hostAt = host.Ticks();
    RunUntil(nullptr, {&host, &guest}, [] { return false; }, 1s);
    EXPECT_EQ(host.Ticks(), hostAt);

    guest.Game.Application.SetActive(true);
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest}, [&] { return host.Ticks() >= hostAt + 60; }, 10s));
    EXPECT_EQ(host.Statuses.back(), TNetStatus::None);
    EXPECT_FALSE(host.Ended.has_value());
}

TEST(NetRace, LeavingIsToldAtOnceAndTheRaceGoesOnAlone)
{
    TNetSide host(TEnetLink::Host(0), true);
    TNetSide guest(TEnetLink::Join("127.0.0.1", host.Net->Link().Port()), false);
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest}, [&] { return guest.Ticks() >= 100; }, 30s));
    guest.Net->Leave();
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest}, [&] { return host.Ended.has_value(); }, 2s));
    EXPECT_EQ(host.Ended->Kind, TNetEnd::PeerLeft);
    const int64_t before = guest.Ticks();
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest}, [&] { return guest.Ticks() >= before + 60; }, 10s));
    EXPECT_FALSE(guest.Ended.has_value()) << "who leaves is not told that the other left";
}

TEST(NetRace, AThirdPlayerIsTurnedAwayAndTheRaceGoesOn)
{
    TNetSide host(TEnetLink::Host(0), true);
    TNetSide guest(TEnetLink::Join("127.0.0.1", host.Net->Link().Port()), false);
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest}, [&] { return host.Ticks() >= 30; }, 30s));
    TNetSide third(TEnetLink::Join("127.0.0.1", host.Net->Link().Port()), false);
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest, &third}, [&] { return third.Ended.has_value(); }, 10s));
    EXPECT_EQ(third.Ended->Kind, TNetEnd::RaceFull);
    const int64_t before = guest.Ticks();
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest, &third}, [&] { return guest.Ticks() >= before + 60; }, 10s));
    EXPECT_FALSE(host.Ended.has_value());
}

TEST(NetRace, AnotherVersionIsRefusedWithBothVersionsNamed)
{
    TNetSide host(TEnetLink::Host(0), true, "1.0");
    TNetSide guest(TEnetLink::Join("127.0.0.1", host.Net->Link().Port()), false, "1.1-beta");
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest}, [&] { return guest.Ended.has_value(); }, 10s));
    EXPECT_EQ(guest.Ended->Kind, TNetEnd::OtherVersion);
    EXPECT_EQ(guest.Ended->HostVersion, "1.0");
    EXPECT_EQ(guest.Ended->GuestVersion, "1.1-beta");
    EXPECT_FALSE(host.Ended.has_value()) << "the host waits on for a joiner of its own version";
    EXPECT_EQ(host.Ticks(), 0);
}

TEST(NetRace, ARaceThatDriftsApartStopsNamingTheTick)
{
    TNetSide host(TEnetLink::Host(0), true);
    TNetSide guest(TEnetLink::Join("127.0.0.1", host.Net->Link().Port()), false);
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest}, [&] { return guest.Ticks() >= 70; }, 30s));
    // As a machine with other arithmetic would: the guest's dinghy a pixel off.
    guest.Game.Race().Dinghies[0]->X += 1;
    ASSERT_TRUE(RunUntil(nullptr, {&host, &guest}, [&] { return host.Ended && guest.Ended; }, 10s));
    EXPECT_EQ(host.Ended->Kind, TNetEnd::Desync);
    EXPECT_EQ(host.Ended->Tick, 120);
    EXPECT_EQ(guest.Ended->Tick, 120);
    EXPECT_FALSE(host.Game.Session.Running());
}

TEST(NetRace, NoAnswerFromTheHostIsToldAfterFiveSeconds)
{
    // A port nobody listens on: bound here, never read.
    TEnetLink silent = TEnetLink::Host(0);
    TNetSide guest(TEnetLink::Join("127.0.0.1", silent.Port()), false);
    const auto start = TClock::now();
    ASSERT_TRUE(RunUntil(nullptr, {&guest}, [&] { return guest.Ended.has_value(); }, 10s));
    EXPECT_EQ(guest.Ended->Kind, TNetEnd::NoAnswer);
    EXPECT_GE(TClock::now() - start, 4s);
}

} // namespace
