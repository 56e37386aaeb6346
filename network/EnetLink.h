#pragma once
#include "network/NetLink.h"
#include "network/PeerSeals.h"

#include <cstdint>
#include <memory>
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

// A link over UDP on ENet. Packets are cut to the largest message, and what waits to be delivered is
// bounded, so nothing received allocates more than a fixed amount.
class TEnetLink final : public INetLink {
public:
    // Raise ENetStartError with a message for the player.
    static std::unique_ptr<TEnetLink> Host(uint16_t port);
    static std::unique_ptr<TEnetLink> Join(const std::string& host, uint16_t port);
    ~TEnetLink() override;
    TEnetLink(const TEnetLink&) = delete;
    TEnetLink& operator=(const TEnetLink&) = delete;

    void Service(const THandler& handler) override;
    // Channel 0 carries reliable messages in order; inputs go on channel 1, unreliable.
    void Send(TNetPeer peer, const TMessage& message, bool reliable) override;
    void Disconnect(TNetPeer peer) override;
    void DisconnectNow(TNetPeer peer) override;
    // Acknowledgements alone wait for the next Service.
    void Flush() override;
    void Seal(TNetPeer peer, const TSessionKeys& keys) override;
    uint32_t Address(TNetPeer peer) const override;

    uint16_t Port() const override;
    int64_t Dropped() const override { return FSeals.Undecodable(); }
    int64_t Rejected() const override { return FSeals.Rejected(); }
    // With ENet's own headers, acknowledgements and pings.
    int64_t BytesSent() const override;
    int64_t BytesReceived() const override;
    int64_t PacketsSent() const override;
    int64_t PacketsReceived() const override;

private:
    explicit TEnetLink(_ENetHost* host);
    TNetPeer Handle(const _ENetPeer* peer) const;
    _ENetPeer* Find(TNetPeer peer) const;

    _ENetHost* FHost;
    TPeerSeals FSeals;
    bool FQueued = false;
};

// "HOST" or "HOST:PORT" into name and port (DefaultPort if none); raises ENetStartError for a bad one.
void SplitHostPort(const std::string& text, std::string& host, uint16_t& port);
// A port number 1..65535 from text; raises ENetStartError otherwise.
uint16_t ParsePort(const std::string& text);
