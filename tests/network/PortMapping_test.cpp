// The port mapper against a NAT-PMP server of the test's own, on loopback in a network namespace of the
// test's own (so nothing else on the machine hears it; skipped where namespaces cannot be made). The routers
// themselves, miniupnpd's NAT-PMP and UPnP, are tried by tests/netns.
#include "network/PortMapping.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

using TWall = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr uint16_t LocalPort = 29750;

// Runs body on a thread of its own in a new network namespace holding only loopback. False when the
// namespace could not be made.
bool InOwnNetwork(const std::function<void()>& body)
{
    bool made = false;
    std::thread([&] {
        if (unshare(CLONE_NEWNET) != 0)
            return;
        const int s = socket(AF_INET, SOCK_DGRAM, 0);
        ifreq request{};
        std::strcpy(request.ifr_name, "lo");
        made = s >= 0 && ioctl(s, SIOCGIFFLAGS, &request) == 0;
        request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
        made = made && ioctl(s, SIOCSIFFLAGS, &request) == 0;
        close(s);
        if (made)
            body();
    }).join();
    return made;
}

// A NAT-PMP server on 127.0.0.1: it tells 198.51.100.7 as its public address and grants each mapping the
// port and lifetime it was made with, or refuses, or never answers.
class TFakeNatPmp {
public:
    enum TManner { Grants, Refuses, Silent };
    struct TRequest {
        uint16_t PrivatePort, PublicPort;
        uint32_t Lifetime;
    };

    TFakeNatPmp(TManner manner, uint16_t grantedPort, uint32_t grantedLifetime)
        : FManner(manner), FGrantedPort(grantedPort), FGrantedLifetime(grantedLifetime)
    {
        FSocket = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(5351);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(bind(FSocket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        FThread = std::thread([this] { Serve(); });
    }
    ~TFakeNatPmp()
    {
        FStop = true;
        FThread.join();
        close(FSocket);
    }

    std::vector<TRequest> Mappings()
    {
        const std::lock_guard lock(FMutex);
        return FMappings;
    }

private:
    void Serve()
    {
        while (!FStop) {
            pollfd readable{FSocket, POLLIN, 0};
            if (poll(&readable, 1, 20) <= 0)
                continue;
            uint8_t in[16] = {};
            sockaddr_in from{};
            socklen_t fromSize = sizeof from;
            const ssize_t size = recvfrom(FSocket, in, sizeof in, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
            if (size < 2 || FManner == Silent)
                continue;
            uint8_t out[16] = {0, static_cast<uint8_t>(128 + in[1]), 0, static_cast<uint8_t>(FManner == Refuses ? 2 : 0),
                               0, 0, 0, 1};
            size_t outSize = 12;
            if (in[1] == 0) {
                const uint32_t address = htonl(0xC6336407); // 198.51.100.7
                std::memcpy(out + 8, &address, 4);
            } else if (in[1] == 1 && size == 12) {
                TRequest request{Read16(in + 4), Read16(in + 6), Read32(in + 8)};
                {
                    const std::lock_guard lock(FMutex);
                    FMappings.push_back(request);
                }
                const bool removal = request.Lifetime == 0;
                Write16(out + 8, request.PrivatePort);
                Write16(out + 10, removal ? 0 : FGrantedPort);
                Write32(out + 12, removal ? 0 : FGrantedLifetime);
                outSize = 16;
            } else {
                continue;
            }
            sendto(FSocket, out, outSize, 0, reinterpret_cast<sockaddr*>(&from), fromSize);
        }
    }
    static uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
    static uint32_t Read32(const uint8_t* p) { return uint32_t{Read16(p)} << 16 | Read16(p + 2); }
    static void Write16(uint8_t* p, uint16_t v) { p[0] = static_cast<uint8_t>(v >> 8); p[1] = static_cast<uint8_t>(v); }
    static void Write32(uint8_t* p, uint32_t v) { Write16(p, static_cast<uint16_t>(v >> 16)); Write16(p + 2, static_cast<uint16_t>(v)); }

    TManner FManner;
    uint16_t FGrantedPort;
    uint32_t FGrantedLifetime;
    int FSocket = -1;
    std::atomic<bool> FStop{false};
    std::mutex FMutex;
    std::vector<TRequest> FMappings;
    std::thread FThread;
};

// Polls until done() or the time is up.
bool Within(milliseconds limit, const std::function<bool()>& done)
{
    const TWall::time_point end = TWall::now() + limit;
    while (!done() && TWall::now() < end)
        std::this_thread::sleep_for(milliseconds(10));
    return done();
}

TPortMapperOptions OnLoopback() { return {"127.0.0.1", false}; }

TEST(PortMapper, MapsThroughNatPmpRenewsAtHalfTheLeaseAndRemovesTheMappingWhenItGoes)
{
    struct TCase {
        const char* Name;
        uint16_t GrantedPort; // another when the router's port is taken
    };
    for (const TCase& c : {TCase{"the same port", LocalPort}, TCase{"another port", 40123}}) {
        SCOPED_TRACE(c.Name);
        const bool made = InOwnNetwork([&] {
            TFakeNatPmp router(TFakeNatPmp::Grants, c.GrantedPort, 2);
            std::optional<TPortMapper> mapper(std::in_place, LocalPort, OnLoopback());
            ASSERT_TRUE(Within(milliseconds(2000), [&] { return mapper->State().Kind != TPortMappingState::Asking; }));
            EXPECT_EQ(mapper->State(), (TPortMappingState{TPortMappingState::Mapped, TPortMappingState::NatPmp,
                                                          "198.51.100.7", c.GrantedPort, LocalPort}));
            // Granted two seconds, it asks again after one, for the port it was given.
            ASSERT_TRUE(Within(milliseconds(2500), [&] { return router.Mappings().size() >= 2; }));
            EXPECT_EQ(router.Mappings()[1].PublicPort, c.GrantedPort);
            EXPECT_EQ(router.Mappings()[1].Lifetime, 3600u);
            EXPECT_EQ(mapper->State().Kind, TPortMappingState::Mapped);
            mapper.reset();
            const TFakeNatPmp::TRequest last = router.Mappings().back();
            EXPECT_EQ(last.PrivatePort, LocalPort);
            EXPECT_EQ(last.Lifetime, 0u) << "the mapping was not removed";
        });
        if (!made)
            GTEST_SKIP() << "a network namespace could not be made (needs root)";
    }
}

TEST(PortMapper, FindsNoRouterWhenNoneAnswersOrNoneWillAndGoesAtOnceWhileAsking)
{
    for (const TFakeNatPmp::TManner manner : {TFakeNatPmp::Silent, TFakeNatPmp::Refuses}) {
        SCOPED_TRACE(manner == TFakeNatPmp::Silent ? "silent" : "refuses");
        const bool made = InOwnNetwork([&] {
            TFakeNatPmp router(manner, LocalPort, 3600);
            // UPnP too: with loopback alone its search finds nobody.
            TPortMapper mapper(LocalPort, {"127.0.0.1", true});
            // NAT-PMP's two seconds, then UPnP's search of a second and a half.
            ASSERT_TRUE(Within(milliseconds(4500), [&] { return mapper.State().Kind != TPortMappingState::Asking; }));
            EXPECT_EQ(mapper.State(), (TPortMappingState{TPortMappingState::NoRouter, TPortMappingState::None, "", 0,
                                                         LocalPort}));
            EXPECT_TRUE(router.Mappings().empty());
        });
        if (!made)
            GTEST_SKIP() << "a network namespace could not be made (needs root)";
    }
    // Going while the router is still silent waits for no answer.
    InOwnNetwork([] {
        TFakeNatPmp router(TFakeNatPmp::Silent, LocalPort, 3600);
        std::optional<TPortMapper> mapper(std::in_place, LocalPort, OnLoopback());
        std::this_thread::sleep_for(milliseconds(100));
        const TWall::time_point before = TWall::now();
        mapper.reset();
        EXPECT_LT(TWall::now() - before, milliseconds(500));
    });
}

} // namespace
