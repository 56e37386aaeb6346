// NAT-PMP (RFC 6886, which PCP servers answer too) through libnatpmp: a public-address request, then the
// mapping; libnatpmp resends on its own schedule, we only bound the wait.
#include "network/RouterMapping.h"

#include <natpmp.h>

#include <arpa/inet.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

using TClock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds AskBound{2000};
constexpr milliseconds RenewBound{1000};
// Long enough for libnatpmp's first resend, at 250 ms.
constexpr milliseconds RemoveBound{800};

class TNatPmpMapping final : public IRouterMapping {
public:
    TNatPmpMapping(const natpmp_t& natpmp, uint16_t localPort) : FNatPmp(natpmp), FLocalPort(localPort) {}
    ~TNatPmpMapping() override { closenatpmp(&FNatPmp); }
    TNatPmpMapping(const TNatPmpMapping&) = delete;
    TNatPmpMapping& operator=(const TNatPmpMapping&) = delete;

    bool Ask(int wake)
    {
        const TClock::time_point deadline = TClock::now() + AskBound;
        natpmpresp_t response{};
        if (sendpublicaddressrequest(&FNatPmp) < 0 || Await(response, deadline, wake) < 0 ||
            response.type != NATPMP_RESPTYPE_PUBLICADDRESS)
            return false;
        char address[INET_ADDRSTRLEN] = {};
        if (inet_ntop(AF_INET, &response.pnu.publicaddress.addr, address, sizeof address) != nullptr)
            FLease.ExternalAddress = address;
        return Map(FLocalPort, RequestedLeaseSeconds, deadline, wake);
    }

    const TRouterLease& Lease() const override { return FLease; }
    bool Renew() override { return Map(FLease.ExternalPort, RequestedLeaseSeconds, TClock::now() + RenewBound, -1); }
    void Remove() override { Map(FLease.ExternalPort, 0, TClock::now() + RemoveBound, -1); }

private:
    // Asks for the mapping with that lifetime (0 removes it); the router may grant another external port.
    bool Map(uint16_t externalPort, uint32_t lifetime, TClock::time_point deadline, int wake)
    {
        natpmpresp_t response{};
        if (sendnewportmappingrequest(&FNatPmp, NATPMP_PROTOCOL_UDP, FLocalPort, externalPort, lifetime) < 0 ||
            Await(response, deadline, wake) < 0 || response.type != NATPMP_RESPTYPE_UDPPORTMAPPING)
            return false;
        if (lifetime == 0)
            return true;
        FLease.ExternalPort = response.pnu.newportmapping.mappedpublicport;
        FLease.Seconds = response.pnu.newportmapping.lifetime;
        return FLease.ExternalPort != 0 && FLease.Seconds != 0;
    }

    // The answer to the pending request, or an error: NATPMP_TRYAGAIN when the deadline passed or wake became
    // readable first.
    int Await(natpmpresp_t& response, TClock::time_point deadline, int wake)
    {
        for (;;) {
            timeval resend{};
            if (getnatpmprequesttimeout(&FNatPmp, &resend) < 0)
                return NATPMP_ERR_NOPENDINGREQ;
            const auto left = std::chrono::duration_cast<milliseconds>(deadline - TClock::now()).count();
            if (left <= 0)
                return NATPMP_TRYAGAIN;
            const long untilResend = std::max<long>(0, resend.tv_sec * 1000 + resend.tv_usec / 1000);
            pollfd descriptors[2] = {{FNatPmp.s, POLLIN, 0}, {wake, POLLIN, 0}};
            const int ready = poll(descriptors, wake >= 0 ? 2 : 1, static_cast<int>(std::min<long>(left, untilResend)));
            if (ready < 0 && errno != EINTR)
                return NATPMP_ERR_SOCKETERROR;
            if (wake >= 0 && (descriptors[1].revents & POLLIN) != 0)
                return NATPMP_TRYAGAIN;
            // Reads the answer if one came, else resends when it is time: an error once it has tried enough.
            const int result = readnatpmpresponseorretry(&FNatPmp, &response);
            if (result != NATPMP_TRYAGAIN)
                return result;
        }
    }

    natpmp_t FNatPmp;
    uint16_t FLocalPort;
    TRouterLease FLease;
};

} // namespace

std::unique_ptr<IRouterMapping> AskNatPmp(const std::string& gateway, uint16_t localPort, int wake)
{
    in_addr forced{};
    if (!gateway.empty() && inet_pton(AF_INET, gateway.c_str(), &forced) != 1)
        return nullptr;
    natpmp_t natpmp{};
    // Fails without a default route: then there is no router to ask. libnatpmp keeps its socket then.
    if (initnatpmp(&natpmp, gateway.empty() ? 0 : 1, forced.s_addr) < 0) {
        if (natpmp.s > 0)
            close(natpmp.s);
        return nullptr;
    }
    auto mapping = std::make_unique<TNatPmpMapping>(natpmp, localPort);
    if (!mapping->Ask(wake))
        return nullptr;
    return mapping;
}
