#pragma once
#include "network/Messages.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

struct _ENetHost;
struct _ENetPeer;

// Why an online race could not begin; Detail is the port or the name concerned, for the player's message.
class ENetStartError : public std::runtime_error {
public:
    enum TKind { BadPort, BadAddress, PortUnavailable, Unresolved, NoConnection };
    ENetStartError(TKind kind, const std::string& detail)
        : std::runtime_error(detail), Kind(kind), Detail(detail)
    {
    }
    TKind Kind;
    std::string Detail;
};

// The program's port unless the player names another.
constexpr uint16_t DefaultPort = 29750;

// One end of an online race's UDP connection, on ENet: a host that takes up to two callers (the second only
// to turn it away) or a joiner with one. Packets are cut to the largest message, and what waits to be
// delivered is bounded, so nothing received allocates more than a fixed amount. Everything runs on the
// caller's thread, when Service is called.
class TEnetLink {
public:
    using TPeer = _ENetPeer*;
    struct THandler {
        std::function<void(TPeer)> Connected;
        std::function<void(TPeer, const TMessage&)> Received;
        // left: the other said goodbye; otherwise ENet gave up on it.
        std::function<void(TPeer, bool left)> Disconnected;
    };

    // Raises ENetStartError with a message for the player.
    static TEnetLink Host(uint16_t port);
    static TEnetLink Join(const std::string& host, uint16_t port);
    TEnetLink(TEnetLink&& other) noexcept;
    TEnetLink& operator=(TEnetLink&&) = delete;
    TEnetLink(const TEnetLink&) = delete;
    ~TEnetLink();

    // Delivers what has arrived and sends what is queued; never waits.
    void Service(const THandler& handler);
    // Channel 0 carries reliable messages in order; inputs go on channel 1, unreliable.
    void Send(TPeer peer, const TMessage& message, bool reliable);
    // Says goodbye once what is queued has gone out (a refusal before the door closes).
    void Disconnect(TPeer peer);
    // Says goodbye with the next flush, dropping what is still queued: the program may end right after.
    void DisconnectNow(TPeer peer);
    // Sends now what Send queued since the last flush (acknowledgements alone wait for the next Service).
    void Flush();

    uint16_t Port() const;
    // Packets dropped because they did not decode.
    int64_t Dropped() const { return FDropped; }
    // UDP datagrams and their bytes as they went over the line, with ENet's own headers, acknowledgements
    // and pings.
    int64_t BytesSent() const;
    int64_t BytesReceived() const;
    int64_t PacketsSent() const;
    int64_t PacketsReceived() const;

private:
    explicit TEnetLink(_ENetHost* host);
    static void Configure(_ENetHost* host);

    _ENetHost* FHost;
    int64_t FDropped = 0;
    bool FQueued = false;
};

// "HOST" or "HOST:PORT" into name and port (DefaultPort if none); raises ENetStartError for a bad one.
void SplitHostPort(const std::string& text, std::string& host, uint16_t& port);
// A port number 1..65535 from text; raises ENetStartError otherwise.
uint16_t ParsePort(const std::string& text);
