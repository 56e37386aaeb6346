// The online race over real ENet on loopback, through a proxy that loses, doubles, delays and reorders: a short
// race in real time, to show that the link over UDP carries what the memory line stands in for.
#include "network/EnetLink.h"
#include "tests/network/NetSide.h"
#include "tools/LossyProxy.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(NetRaceLoopback, TwoMachinesRaceOverEnetThroughALossyProxyAndLeavingIsTold)
{
    constexpr int64_t Ticks = 300;
    // The wall clock's milliseconds since the test began: the proxy's and the pace of both games' clocks.
    using TWall = std::chrono::steady_clock;
    const TWall::time_point began = TWall::now();
    TManualClock wall;
    const auto run = [&](const std::vector<TNetSide*>& sides, TLossyProxy& proxy, const std::function<bool()>& done,
                         std::chrono::seconds limit) {
        const TWall::time_point end = TWall::now() + limit;
        while (!done() && TWall::now() < end) {
            wall.SetMilliseconds(static_cast<uint32_t>(
                std::chrono::duration_cast<std::chrono::milliseconds>(TWall::now() - began).count()));
            proxy.Pump();
            for (TNetSide* side : sides)
                side->RunTo(wall.Milliseconds());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    };

    TNetSide host(wall.Milliseconds(), TEnetLink::Host(0), true);
    TLossyProxy proxy(wall, host.Net->Link().Port(), {0.10, 0.05, 40, 10}, 7);
    TNetSide guest(wall.Milliseconds(), TEnetLink::Join("127.0.0.1", proxy.Port()), false);
    guest.Net->SetTiller(guest.Net->LocalPlayer(), TTiller::Starboard);
    ASSERT_TRUE(run({&host, &guest}, proxy, [&] { return host.Settled() >= Ticks && guest.Settled() >= Ticks; },
                    std::chrono::seconds(15)))
        << "host at " << host.Ticks() << ", guest at " << guest.Ticks();
    ASSERT_FALSE(host.Ended.has_value());
    for (size_t t = 0; t < static_cast<size_t>(Ticks); ++t)
        ASSERT_EQ(host.Digests[t], guest.Digests[t]) << "the race differs after tick " << t + 1;
    EXPECT_GT(proxy.Dropped(), 0);
    EXPECT_GT(proxy.Forwarded(), 0);
    // ENet's counters: its own headers and acknowledgements make more than the messages alone.
    EXPECT_GT(host.Net->Link().PacketsReceived(), 0);
    EXPECT_GT(host.Net->Link().BytesSent(), host.Net->Link().PacketsSent() * 4);
    EXPECT_EQ(host.Net->Link().Dropped(), 0);

    // ENet carries the goodbye's mark: told as left, not as lost.
    guest.Net->Leave();
    ASSERT_TRUE(run({&host, &guest}, proxy, [&] { return host.Ended.has_value(); }, std::chrono::seconds(3)));
    EXPECT_EQ(host.Ended->Kind, TNetEnd::PeerLeft);
}

} // namespace
