#pragma once
#include "network/Messages.h"

#include <cstdint>
#include <functional>

// The other end of a connection, as the link names it; None is no connection. Only the link that gave it
// out knows what it stands for.
enum class TNetPeer : uint32_t { None = 0 };

// A host's callers at once: the guest, the spectators, and others still proving the race code or being
// turned away.
constexpr size_t MaxLinkPeers = 16;

// One end of an online race's connection: a host that takes up to MaxLinkPeers callers (the guest, the
// spectators, and others that only prove the race code or are turned away) or a joiner with one. Everything
// runs on the caller's thread, when Service is called; every message goes through EncodeMessage on the way
// out and DecodeMessage on the way in, with its tag once the peer is sealed.
class INetLink {
public:
    struct THandler {
        std::function<void(TNetPeer)> Connected;
        std::function<void(TNetPeer, const TMessage&)> Received;
        // left: the other said goodbye; otherwise the link gave up on it.
        std::function<void(TNetPeer, bool left)> Disconnected;
    };

    virtual ~INetLink() = default;

    // Delivers what has arrived and sends what is queued; never waits.
    virtual void Service(const THandler& handler) = 0;
    // Reliable messages arrive once each and in order; the others may be lost.
    virtual void Send(TNetPeer peer, const TMessage& message, bool reliable) = 0;
    // Says goodbye once what is queued has gone out (a refusal before the door closes).
    virtual void Disconnect(TNetPeer peer) = 0;
    // Says goodbye with the next flush, dropping what is still queued: the program may end right after.
    virtual void DisconnectNow(TNetPeer peer) = 0;
    // Sends now what Send queued since the last flush.
    virtual void Flush() = 0;
    // From now on every message to and from the peer carries a tag under these keys; one without a good tag
    // is dropped and counted as rejected.
    virtual void Seal(TNetPeer peer, const TSessionKeys& keys) = 0;
    // The peer's IPv4 address, in host order; 0 when unknown.
    virtual uint32_t Address(TNetPeer peer) const = 0;

    // The local port: where a host listens.
    virtual uint16_t Port() const = 0;
    // Packets dropped because they did not decode.
    virtual int64_t Dropped() const = 0;
    // Packets from a sealed peer dropped because their tag was missing or wrong.
    virtual int64_t Rejected() const = 0;
    // Datagrams and their bytes as they went over the line, with the link's own headers and control traffic.
    virtual int64_t BytesSent() const = 0;
    virtual int64_t BytesReceived() const = 0;
    virtual int64_t PacketsSent() const = 0;
    virtual int64_t PacketsReceived() const = 0;
};
