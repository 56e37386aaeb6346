// What the host sends its spectators, with a link that only keeps what was sent.
#include "network/WatchFeed.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TSentTicks final : INetLink {
    void Service(const THandler&) override {}
    void Send(TNetPeer, const TMessage& message, bool) override
    {
        if (const auto* ticks = std::get_if<TWatchTicks>(&message))
            Firsts.push_back(ticks->FirstTick);
    }
    void Disconnect(TNetPeer) override {}
    void DisconnectNow(TNetPeer) override {}
    void Flush() override {}
    void Seal(TNetPeer, const TSessionKeys&) override {}
    uint32_t Address(TNetPeer) const override { return 0; }
    uint16_t Port() const override { return 0; }
    int64_t Dropped() const override { return 0; }
    int64_t Rejected() const override { return 0; }
    int64_t BytesSent() const override { return 0; }
    int64_t BytesReceived() const override { return 0; }
    int64_t PacketsSent() const override { return 0; }
    int64_t PacketsReceived() const override { return 0; }
    // The first tick of every stretch sent, in order.
    std::vector<uint32_t> Firsts;
};

constexpr auto Spectator = static_cast<TNetPeer>(3);
constexpr uint32_t Silence = 5000;

TEST(WatchFeed, AStretchBeyondTheAcknowledgementAtATimeAndAGapFilledOnceNamed)
{
    TWatchFeed feed;
    TSentTicks link;
    for (int64_t t = 0; t < 3 * TWatchFeed::InFlight; ++t)
        feed.Settled({}, {});
    feed.Add(Spectator, 0);
    feed.Service(link, 1, Silence);
    // From the race's start, no further than the bound ahead of what the spectator has.
    ASSERT_EQ(link.Firsts.size(), static_cast<size_t>(TWatchFeed::InFlight / MaxWatchedTicksPerMessage));
    EXPECT_EQ(link.Firsts.front(), 1u);

    // The second message went missing: the spectator says it has the first sixteen, again and again.
    link.Firsts.clear();
    feed.Acknowledged(Spectator, 16, 2);
    feed.Service(link, 3, Silence);
    EXPECT_EQ(link.Firsts, (std::vector<uint32_t>{static_cast<uint32_t>(TWatchFeed::InFlight + 1)}));
    link.Firsts.clear();
    for (int i = 0; i < TWatchFeed::RepeatsForGap; ++i)
        feed.Acknowledged(Spectator, 16, 4);
    // An acknowledgement of ticks never settled is nobody's.
    feed.Acknowledged(Spectator, 5 * TWatchFeed::InFlight, 4);
    feed.Service(link, 5, Silence);
    EXPECT_EQ(link.Firsts, (std::vector<uint32_t>{17}));

    // Nothing acknowledged for a while: all beyond the acknowledgement goes again.
    link.Firsts.clear();
    feed.Service(link, 6 + TWatchFeed::ResendAfter, Silence);
    ASSERT_FALSE(link.Firsts.empty());
    EXPECT_EQ(link.Firsts.front(), 17u);

    // A spectator silent too long is let go.
    EXPECT_EQ(feed.Service(link, 10 + Silence, Silence), std::vector<TNetPeer>{Spectator});
    EXPECT_EQ(feed.Count(), 0u);
}

} // namespace
