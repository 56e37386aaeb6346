#pragma once
// One UDP port forwarded by the router, by whichever protocol it speaks, for TPortMapper's thread. Every call
// may wait for the router, each within a bound of its own.
#include <cstdint>
#include <memory>
#include <string>

struct TRouterLease {
    // Dotted; empty when the router did not tell.
    std::string ExternalAddress;
    uint16_t ExternalPort = 0;
    // As granted; 0: until removed.
    uint32_t Seconds = 0;
};

class IRouterMapping {
public:
    virtual ~IRouterMapping() = default;
    virtual const TRouterLease& Lease() const = 0;
    // Asks for the same mapping again before the lease runs out; false when the router no longer grants it.
    virtual bool Renew() = 0;
    // Takes the mapping back; gives up after about a second.
    virtual void Remove() = 0;
};

// The lease every mapping asks for, in seconds.
constexpr uint32_t RequestedLeaseSeconds = 3600;

// Asks the NAT-PMP server at gateway (dotted; empty: the default route's) to forward localPort, within about
// two seconds; gives up at once when wake, a descriptor, becomes readable. Nothing when none would.
std::unique_ptr<IRouterMapping> AskNatPmp(const std::string& gateway, uint16_t localPort, int wake);
// Looks for an Internet Gateway Device by UPnP (about a second and a half) and asks it to forward localPort,
// the same port outside if it is free, else another. Nothing when none would.
std::unique_ptr<IRouterMapping> AskUpnp(uint16_t localPort);
