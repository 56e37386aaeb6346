// The memory line the online race is tested on: it must behave as the race relies on ENet to behave, or the
// races run on it prove nothing.
#include "network/MemoryLine.h"
#include "platform/ManualClock.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace {

// What one link told.
struct THeard {
    std::vector<TNetPeer> Connected;
    std::vector<std::pair<uint32_t, uint32_t>> Pings; // stamp, the line's time
    std::vector<std::pair<TNetPeer, bool>> Disconnected;
    INetLink::THandler Handler(TManualClock& clock)
    {
        return {[this](TNetPeer p) { Connected.push_back(p); },
                [this, &clock](TNetPeer, const TMessage& m) {
                    if (const TPing* ping = std::get_if<TPing>(&m))
                        Pings.emplace_back(ping->Stamp, clock.Milliseconds());
                },
                [this](TNetPeer p, bool left) { Disconnected.emplace_back(p, left); }};
    }
    std::vector<uint32_t> Stamps() const
    {
        std::vector<uint32_t> stamps;
        for (const auto& [stamp, at] : Pings)
            stamps.push_back(stamp);
        return stamps;
    }
};

struct TLinks {
    explicit TLinks(TMemoryLine::TFaults faults = {}, uint32_t seed = 1)
        : Line(Clock, faults, seed), Host(Line.Host()), Joiner(Line.Join(Host->Port())),
          HostHandler(HostHeard.Handler(Clock)), JoinerHandler(JoinerHeard.Handler(Clock))
    {
    }
    void Run(uint32_t milliseconds)
    {
        for (uint32_t t = 0; t < milliseconds; ++t) {
            if (Host)
                Host->Service(HostHandler);
            if (Joiner)
                Joiner->Service(JoinerHandler);
            Clock.Advance(1);
        }
    }
    // Until both are connected; the peers each knows the other by.
    void Connect()
    {
        for (int t = 0; t < 60000 && (HostHeard.Connected.empty() || JoinerHeard.Connected.empty()); ++t)
            Run(1);
        ASSERT_EQ(HostHeard.Connected.size(), 1u);
        ASSERT_EQ(JoinerHeard.Connected.size(), 1u);
        ToJoiner = HostHeard.Connected[0];
        ToHost = JoinerHeard.Connected[0];
    }

    TManualClock Clock;
    TMemoryLine Line;
    std::unique_ptr<TMemoryLink> Host;
    std::unique_ptr<TMemoryLink> Joiner;
    TNetPeer ToJoiner = TNetPeer::None;
    TNetPeer ToHost = TNetPeer::None;
    THeard HostHeard;
    THeard JoinerHeard;
    INetLink::THandler HostHandler;
    INetLink::THandler JoinerHandler;
};

TEST(MemoryLine, ReliableMessagesArriveOnceEachAndInOrderAndLossDelaysThem)
{
    struct TCase {
        TMemoryLine::TFaults Faults;
        const char* Name;
    };
    const TCase cases[] = {
        {{0, 0, 20, 0}, "a clean line"},
        {{0, 0.5, 20, 15}, "doubled and reordered"},
        {{0.2, 0.1, 80, 30}, "a fifth lost"},
        {{0.4, 0, 10, 5}, "two fifths lost"},
    };
    constexpr uint32_t Count = 50;
    std::vector<uint32_t> expected(Count);
    for (uint32_t i = 0; i < Count; ++i)
        expected[i] = i;
    std::vector<uint32_t> lastArrivals;
    for (const TCase& c : cases) {
        TLinks links(c.Faults, 9);
        links.Connect();
        const uint32_t start = links.Clock.Milliseconds();
        for (uint32_t i = 0; i < Count; ++i) {
            links.Host->Send(links.ToJoiner, TPing{i}, true);
            links.Run(5);
        }
        for (int t = 0; t < 60000 && links.JoinerHeard.Pings.size() < Count; ++t)
            links.Run(1);
        EXPECT_EQ(links.JoinerHeard.Stamps(), expected) << c.Name;
        EXPECT_TRUE(links.HostHeard.Disconnected.empty()) << c.Name;
        EXPECT_TRUE(links.JoinerHeard.Disconnected.empty()) << c.Name;
        lastArrivals.push_back(links.JoinerHeard.Pings.empty() ? 0 : links.JoinerHeard.Pings.back().second - start);
    }
    // The last of them arrives later the more is lost: each loss waits for a resend, and each resend longer.
    EXPECT_LT(lastArrivals[0], 5 * Count + 30);
    EXPECT_GT(lastArrivals[2], lastArrivals[0] + 500);
    EXPECT_GT(lastArrivals[3], lastArrivals[2]);
}

TEST(MemoryLine, UnreliableMessagesComeLostDoubledAndOutOfOrderAsTheFaultsSay)
{
    struct TCase {
        TMemoryLine::TFaults Faults;
        bool Lost, Doubled, Reordered;
    };
    const TCase cases[] = {
        {{0, 0, 30, 0}, false, false, false},
        {{0.2, 0, 30, 0}, true, false, false},
        {{0, 0.2, 30, 0}, false, true, false},
        {{0, 0, 30, 20}, false, false, true},
    };
    for (const TCase& c : cases) {
        TLinks links(c.Faults, 4);
        links.Connect();
        for (uint32_t i = 0; i < 300; ++i) {
            links.Joiner->Send(links.ToHost, TPing{i}, false);
            links.Run(2);
        }
        links.Run(200);
        const std::vector<uint32_t> stamps = links.HostHeard.Stamps();
        std::vector<bool> seen(300, false);
        bool doubled = false;
        bool reordered = false;
        for (size_t i = 0; i < stamps.size(); ++i) {
            doubled = doubled || seen[stamps[i]];
            seen[stamps[i]] = true;
            reordered = reordered || (i > 0 && stamps[i] < stamps[i - 1] && !doubled);
        }
        const bool lost = std::count(seen.begin(), seen.end(), false) > 0;
        EXPECT_EQ(lost, c.Lost) << "drop " << c.Faults.Drop;
        EXPECT_EQ(doubled, c.Doubled) << "duplicate " << c.Faults.Duplicate;
        EXPECT_EQ(reordered, c.Reordered) << "jitter " << c.Faults.JitterMilliseconds;
        EXPECT_EQ(links.Line.Reordered() > 0, c.Reordered);
    }
}

TEST(MemoryLine, AFullHostLeavesTheNextCallerUnansweredUntilItGivesUp)
{
    TLinks links({0, 0, 10, 0});
    links.Connect();
    std::vector<std::unique_ptr<TMemoryLink>> callers;
    std::vector<THeard> heard(MaxLinkPeers);
    std::vector<INetLink::THandler> handlers;
    for (size_t i = 1; i <= MaxLinkPeers; ++i) {
        callers.push_back(links.Line.Join(links.Host->Port()));
        handlers.push_back(heard[i - 1].Handler(links.Clock));
    }
    const uint32_t called = links.Clock.Milliseconds();
    for (uint32_t t = 0; t < 31000 && heard.back().Disconnected.empty(); ++t) {
        for (size_t i = 0; i < callers.size(); ++i)
            callers[i]->Service(handlers[i]);
        links.Run(1);
    }
    EXPECT_EQ(links.HostHeard.Connected.size(), MaxLinkPeers);
    EXPECT_EQ(heard.front().Connected.size(), 1u);
    EXPECT_TRUE(heard.back().Connected.empty());
    ASSERT_EQ(heard.back().Disconnected.size(), 1u);
    EXPECT_FALSE(heard.back().Disconnected[0].second);
    EXPECT_GE(links.Clock.Milliseconds() - called, 30000u);
    EXPECT_EQ(links.Host->PeerCount(), MaxLinkPeers);
}

TEST(MemoryLine, AGoodbyeIsToldAsLeftAfterWhatWasUnderWayAndASilentLineAsLostAfterThirtySeconds)
{
    {
        // Disconnect lets what is under way arrive first, even through loss.
        TLinks links({0.3, 0, 20, 0}, 2);
        links.Connect();
        links.Joiner->Send(links.ToHost, TPing{7}, true);
        links.Joiner->Disconnect(links.ToHost);
        links.Joiner->Send(links.ToHost, TPing{8}, true);
        links.Run(20000);
        EXPECT_EQ(links.HostHeard.Stamps(), std::vector<uint32_t>{7}) << "nothing goes after a disconnect";
        ASSERT_EQ(links.HostHeard.Disconnected.size(), 1u);
        EXPECT_TRUE(links.HostHeard.Disconnected[0].second);
        // The side that said goodbye hears of it once it is acknowledged, as ENet tells it: without the mark.
        ASSERT_EQ(links.JoinerHeard.Disconnected.size(), 1u);
        EXPECT_FALSE(links.JoinerHeard.Disconnected[0].second);
    }
    {
        // DisconnectNow drops what is under way.
        TLinks links({0, 0, 20, 0});
        links.Connect();
        links.Host->Send(links.ToJoiner, TPing{1}, true);
        links.Host->DisconnectNow(links.ToJoiner);
        links.Host->Flush();
        links.Host.reset();
        links.Run(1000);
        EXPECT_TRUE(links.JoinerHeard.Pings.empty());
        ASSERT_EQ(links.JoinerHeard.Disconnected.size(), 1u);
        EXPECT_TRUE(links.JoinerHeard.Disconnected[0].second);
    }
    for (const bool vanish : {false, true}) {
        // A cut line, or the other end gone without a word: keep-alives go unanswered until ENet would give up.
        TLinks links({0, 0, 20, 0});
        links.Connect();
        links.Run(3000);
        EXPECT_TRUE(links.HostHeard.Disconnected.empty()) << "keep-alives hold an idle connection";
        if (vanish)
            links.Joiner.reset();
        else
            links.Line.Cut();
        const uint32_t cut = links.Clock.Milliseconds();
        links.Run(29500);
        EXPECT_TRUE(links.HostHeard.Disconnected.empty());
        links.Run(2000);
        ASSERT_EQ(links.HostHeard.Disconnected.size(), 1u) << "vanished " << vanish;
        EXPECT_FALSE(links.HostHeard.Disconnected[0].second);
        EXPECT_LE(links.Clock.Milliseconds() - cut, 31500u);
        if (!vanish) {
            ASSERT_EQ(links.JoinerHeard.Disconnected.size(), 1u);
            EXPECT_FALSE(links.JoinerHeard.Disconnected[0].second);
        }
    }
}

TEST(MemoryLine, WhatDoesNotDecodeIsCountedAndNotHandedOn)
{
    TLinks links;
    links.Connect();
    const uint8_t garbage[] = {0xee, 1, 2, 3};
    links.Joiner->SendBytes(links.ToHost, garbage, sizeof garbage, false);
    links.Joiner->SendBytes(links.ToHost, garbage, sizeof garbage, true);
    links.Joiner->Send(links.ToHost, TPing{5}, true);
    links.Run(100);
    EXPECT_EQ(links.Host->Dropped(), 2);
    EXPECT_EQ(links.HostHeard.Stamps(), std::vector<uint32_t>{5}) << "a reliable message after garbage still arrives";
}

TEST(MemoryLine, CountersAgreeOnACleanLineAndTheSameSeedGivesTheSameArrivals)
{
    const auto run = [](uint32_t seed) {
        TLinks links({0.2, 0.1, 50, 40}, seed);
        links.Connect();
        for (uint32_t i = 0; i < 200; ++i) {
            links.Host->Send(links.ToJoiner, TPing{i}, i % 3 == 0);
            links.Run(3);
        }
        links.Run(3000);
        return links.JoinerHeard.Pings;
    };
    EXPECT_EQ(run(5), run(5));
    EXPECT_NE(run(5), run(6));

    TLinks links;
    links.Connect();
    for (uint32_t i = 0; i < 20; ++i)
        links.Joiner->Send(links.ToHost, TInputs{}, i % 2 == 0);
    links.Run(1000);
    EXPECT_EQ(links.Joiner->PacketsSent(), links.Host->PacketsReceived());
    EXPECT_EQ(links.Host->PacketsSent(), links.Joiner->PacketsReceived());
    EXPECT_EQ(links.Joiner->BytesSent(), links.Host->BytesReceived());
    // The messages, and a header on each datagram, acknowledgements and the call included.
    EXPECT_GT(links.Joiner->BytesSent(), 20 * static_cast<int64_t>(1 + 4 + 1 + 4));
    EXPECT_EQ(links.Line.Dropped(), 0);
    EXPECT_EQ(links.Line.Forwarded(), links.Joiner->PacketsSent() + links.Host->PacketsSent());
}

} // namespace
