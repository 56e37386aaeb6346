#include "network/EnetLink.h"

#include <enet/enet.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace {

constexpr size_t Channels = 2;
// The race notices a silent peer itself, after a few seconds without any message. ENet's own timeout is only
// for reliable messages, which a lossy network may hold up for seconds while the inputs flow: it waits long.
constexpr uint32_t PeerTimeoutLimit = 1u << 16;
constexpr uint32_t PeerTimeoutMinimum = 30000;
constexpr uint32_t PeerTimeoutMaximum = 30000;
// Sent with a goodbye, so that a peer that leaves is told from one that ENet lost.
constexpr uint32_t GoodbyeData = 1;
constexpr uint32_t PingIntervalMilliseconds = 250;

// ENet's global set-up, done once for the process.
void InitialiseEnet()
{
    static const bool initialised = [] {
        if (enet_initialize() != 0)
            throw ENetStartError(ENetStartError::NoConnection, "enet_initialize");
        std::atexit(enet_deinitialize);
        return true;
    }();
    (void)initialised;
}

} // namespace

uint16_t ParsePort(const std::string& text)
{
    if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw ENetStartError(ENetStartError::BadPort, text);
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value < 1 || value > 65535)
        throw ENetStartError(ENetStartError::BadPort, text);
    return static_cast<uint16_t>(value);
}

void SplitHostPort(const std::string& text, std::string& host, uint16_t& port)
{
    port = DefaultPort;
    host = text;
    const size_t colon = text.rfind(':');
    if (colon != std::string::npos) {
        host = text.substr(0, colon);
        port = ParsePort(text.substr(colon + 1));
    }
    if (host.empty() || host.find(':') != std::string::npos)
        throw ENetStartError(ENetStartError::BadAddress, text);
}

TEnetLink::TEnetLink(_ENetHost* host) : FHost(host)
{
    FHost->maximumPacketSize = MaxPacketSize;
    FHost->maximumWaitingData = 64 * MaxPacketSize;
}

TEnetLink::~TEnetLink()
{
    enet_host_destroy(FHost);
}

TNetPeer TEnetLink::Handle(const _ENetPeer* peer) const
{
    // The peer's place in the host's table, counted from 1.
    return static_cast<TNetPeer>(static_cast<uint32_t>(peer - FHost->peers) + 1);
}

_ENetPeer* TEnetLink::Find(TNetPeer peer) const
{
    const auto index = static_cast<uint32_t>(peer);
    return index >= 1 && index <= FHost->peerCount ? &FHost->peers[index - 1] : nullptr;
}

std::unique_ptr<TEnetLink> TEnetLink::Host(uint16_t port)
{
    InitialiseEnet();
    ENetAddress address{};
    address.host = ENET_HOST_ANY;
    address.port = port;
    // Places beyond the guest's are for callers proving the code, and to tell others that the race is full.
    ENetHost* host = enet_host_create(&address, MaxLinkPeers, Channels, 0, 0);
    if (host == nullptr)
        throw ENetStartError(ENetStartError::PortUnavailable, std::to_string(port));
    return std::unique_ptr<TEnetLink>(new TEnetLink(host));
}

std::unique_ptr<TEnetLink> TEnetLink::Join(const std::string& name, uint16_t port)
{
    InitialiseEnet();
    ENetAddress address{};
    if (enet_address_set_host(&address, name.c_str()) != 0)
        throw ENetStartError(ENetStartError::Unresolved, name);
    address.port = port;
    ENetHost* host = enet_host_create(nullptr, 1, Channels, 0, 0);
    if (host == nullptr)
        throw ENetStartError(ENetStartError::NoConnection, name);
    if (enet_host_connect(host, &address, Channels, 0) == nullptr) {
        enet_host_destroy(host);
        throw ENetStartError(ENetStartError::NoConnection, name);
    }
    return std::unique_ptr<TEnetLink>(new TEnetLink(host));
}

void TEnetLink::Service(const THandler& handler)
{
    ENetEvent event;
    while (enet_host_service(FHost, &event, 0) > 0) {
        switch (event.type) {
        case ENET_EVENT_TYPE_CONNECT:
            enet_peer_timeout(event.peer, PeerTimeoutLimit, PeerTimeoutMinimum, PeerTimeoutMaximum);
            enet_peer_ping_interval(event.peer, PingIntervalMilliseconds);
            FSeals.Forget(Handle(event.peer));
            if (handler.Connected)
                handler.Connected(Handle(event.peer));
            break;
        case ENET_EVENT_TYPE_RECEIVE: {
            const std::optional<TMessage> message =
                FSeals.Take(Handle(event.peer), event.packet->data, event.packet->dataLength);
            enet_packet_destroy(event.packet);
            if (message && handler.Received)
                handler.Received(Handle(event.peer), *message);
            break;
        }
        case ENET_EVENT_TYPE_DISCONNECT:
            FSeals.Forget(Handle(event.peer));
            if (handler.Disconnected)
                handler.Disconnected(Handle(event.peer), event.data == GoodbyeData);
            break;
        case ENET_EVENT_TYPE_NONE:
            break;
        }
    }
}

void TEnetLink::Send(TNetPeer to, const TMessage& message, bool reliable)
{
    ENetPeer* peer = Find(to);
    if (peer == nullptr)
        return;
    TPacketBytes bytes;
    const size_t size = FSeals.Pack(to, message, bytes);
    ENetPacket* packet = enet_packet_create(bytes.data(), size, reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
    if (packet == nullptr)
        return;
    if (enet_peer_send(peer, reliable ? 0 : 1, packet) != 0)
        enet_packet_destroy(packet);
    else
        FQueued = true;
}

void TEnetLink::Disconnect(TNetPeer to)
{
    if (ENetPeer* peer = Find(to))
        enet_peer_disconnect_later(peer, GoodbyeData);
}

void TEnetLink::DisconnectNow(TNetPeer to)
{
    ENetPeer* peer = Find(to);
    if (peer == nullptr)
        return;
    enet_peer_disconnect(peer, GoodbyeData);
    FQueued = true;
}

void TEnetLink::Flush()
{
    if (FQueued)
        enet_host_flush(FHost);
    FQueued = false;
}

void TEnetLink::Seal(TNetPeer peer, const TSessionKeys& keys)
{
    if (Find(peer) != nullptr)
        FSeals.Seal(peer, keys);
}

uint32_t TEnetLink::Address(TNetPeer to) const
{
    const ENetPeer* peer = Find(to);
    return peer != nullptr ? ENET_NET_TO_HOST_32(peer->address.host) : 0;
}

uint16_t TEnetLink::Port() const
{
    return FHost->address.port;
}

int64_t TEnetLink::BytesSent() const
{
    return static_cast<int64_t>(FHost->totalSentData);
}

int64_t TEnetLink::BytesReceived() const
{
    return static_cast<int64_t>(FHost->totalReceivedData);
}

int64_t TEnetLink::PacketsSent() const
{
    return static_cast<int64_t>(FHost->totalSentPackets);
}

int64_t TEnetLink::PacketsReceived() const
{
    return static_cast<int64_t>(FHost->totalReceivedPackets);
}
