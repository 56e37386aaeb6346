#pragma once
// Asks the router in front of this machine to forward the host's UDP port, so that a friend on the internet
// can reach it: PCP/NAT-PMP first, then UPnP IGD. The asking runs on a thread of its own with short bounds on
// each wait, so the window never waits for a router; the mapping is renewed before its lease runs out and
// removed when the mapper goes.
#include <cstdint>
#include <memory>
#include <string>

struct TPortMappingState {
    enum TKind {
        Asking,   // no answer yet
        Mapped,   // the router forwards ExternalPort to the local port
        NoRouter, // no router answered, or none would forward: the player forwards LocalPort by hand
    } Kind = Asking;
    enum TProtocol { None, NatPmp, Upnp } Protocol = None;
    // The router's address on the internet, dotted, when it told it; with ExternalPort what a friend joins.
    std::string ExternalAddress;
    uint16_t ExternalPort = 0;
    uint16_t LocalPort = 0;
    friend bool operator==(const TPortMappingState&, const TPortMappingState&) = default;
};

struct TPortMapperOptions {
    // The NAT-PMP server's IPv4 address, dotted; empty: the default route's gateway. Tests answer on loopback.
    std::string NatPmpGateway;
    // Ask by UPnP when NAT-PMP finds nothing.
    bool Upnp = true;
};

class TPortMapper {
public:
    // Starts asking for a mapping of the UDP port at once.
    explicit TPortMapper(uint16_t localPort, TPortMapperOptions options = {});
    // Removes the mapping, waiting at most about a second for the router.
    ~TPortMapper();
    TPortMapper(const TPortMapper&) = delete;
    TPortMapper& operator=(const TPortMapper&) = delete;

    // What is known now; safe to call from any thread.
    TPortMappingState State() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};
