#pragma once
#include "network/NetLink.h"
#include "network/PeerSeals.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <queue>
#include <random>
#include <utility>
#include <vector>

class IClock;
class TMemoryLink;

// A bad line in memory, on a clock that moves only when told: it loses, doubles and delays datagrams (with a
// jitter that reorders them), drawn from a seed, and can be cut. The same seed and the same calls give the
// same race. Its links (TMemoryLink) speak over it much as ENet does over UDP; see there.
class TMemoryLine {
public:
    struct TFaults {
        double Drop = 0;
        double Duplicate = 0;
        int DelayMilliseconds = 0;
        int JitterMilliseconds = 0;
    };

    // The clock must outlive the line, and the line its links.
    TMemoryLine(IClock& clock, TFaults faults, uint32_t seed);
    TMemoryLine(const TMemoryLine&) = delete;
    TMemoryLine& operator=(const TMemoryLine&) = delete;

    // A host listening on the port, which must be free; 0 takes the next free one.
    std::unique_ptr<TMemoryLink> Host(uint16_t port = 0);
    // A joiner calling the port (nobody need listen there), from the IPv4 address given (host order; 0: one
    // of its own in 203.0.113.0/24).
    std::unique_ptr<TMemoryLink> Join(uint16_t port, uint32_t address = 0);

    // From now on nothing gets through either way, until mended.
    void Cut() { FCut = true; }
    void Mend() { FCut = false; }
    void SetFaults(const TFaults& faults) { FFaults = faults; }

    // Datagrams delivered, lost (also on a cut line), doubled, and delivered after a later one.
    int64_t Forwarded() const { return FForwarded; }
    int64_t Dropped() const { return FDropped; }
    int64_t Duplicated() const { return FDuplicated; }
    int64_t Reordered() const { return FReordered; }

    // What travels between two links; the header fields stand in for ENet's.
    struct TDatagram {
        enum TKind : uint8_t { Connect, Accept, Ack, Data, Goodbye, KeepAlive };
        int64_t Due = 0;
        int64_t Sequence = 0;
        uint32_t From = 0;
        TKind Kind = Data;
        bool Reliable = false;
        // Reliable datagrams: each its own number, acknowledged by it; reliable data also its place in order.
        uint32_t Number = 0;
        uint32_t Order = 0;
        uint16_t Size = 0;
        TPacketBytes Bytes{};
        bool operator>(const TDatagram& other) const
        {
            return Due != other.Due ? Due > other.Due : Sequence > other.Sequence;
        }
    };
    static constexpr int64_t HeaderBytes = 1 + 1 + 4 + 4;

private:
    friend class TMemoryLink;
    // Milliseconds since the line began, read from the clock modulo 2^32.
    int64_t Now();
    // A new link's id; a host's port 0 becomes the next free one.
    uint32_t Attach(TMemoryLink* link, uint16_t& port);
    void Detach(uint32_t id);
    uint32_t Listener(uint16_t port) const;
    uint32_t AddressOf(uint32_t id) const;
    // Puts a datagram on the line towards the link with that id, through the faults.
    void Carry(uint32_t to, TDatagram datagram);
    void Deliver(TMemoryLink& to, const TDatagram& datagram, int64_t delay);

    IClock& FClock;
    uint32_t FLastReading;
    int64_t FElapsed = 0;
    TFaults FFaults;
    std::mt19937 FRandom;
    bool FCut = false;
    uint32_t FNextId = 1;
    uint16_t FNextPort = 40000;
    struct TAttached {
        uint32_t Id;
        uint16_t Port;
        TMemoryLink* Link;
    };
    std::vector<TAttached> FLinks;
    int64_t FSequence = 0;
    int64_t FForwarded = 0;
    int64_t FDropped = 0;
    int64_t FDuplicated = 0;
    int64_t FReordered = 0;
};

// One end of a connection over a TMemoryLine, behaving as the race relies on ENet to behave:
// - A joiner calls until the host answers. The joiner is connected when the answer comes, the host when the joiner
//   acknowledges it; until then the host takes no data from it.
// - Reliable messages arrive once each and in order. Each is resent until acknowledged, first after the
//   measured round trip plus four times its variance (500 ms before any is measured), then after twice the
//   previous wait, so loss delays them. Unreliable messages are sent once; unlike ENet, which drops a stale or
//   doubled one on arrival, the line hands them over lost, doubled and out of order as they come.
// - Nothing heard for 250 ms while nothing reliable is under way sends a keep-alive that must be acknowledged.
//   As ENet with its timeouts at 30 s, a peer is given up when 30 s have passed, with nothing acknowledged,
//   since an overdue datagram was last sent: "lost", on that side only (a caller the host answered but never
//   heard from again is dropped without a word). A call nobody answers is given up the same way.
// - A goodbye is told as "left"; the side that said it hears "lost" once it is acknowledged (ENet's event
//   carries no data then). Disconnect waits for what is under way first and sends nothing more;
//   DisconnectNow drops it. A link that is destroyed vanishes without a word.
// - A host takes at most MaxLinkPeers callers and ignores more, whose calls go unanswered.
// - Not modelled: ENet's send windows, its throttle and bandwidth limits.
// Events are told as the datagrams are taken in, when Service is called. What is sent goes on the line with
// the next Flush or at the end of Service.
class TMemoryLink final : public INetLink {
public:
    // port: where a host listens (0: the next free port), or what a joiner calls.
    TMemoryLink(TMemoryLine& line, bool host, uint16_t port);
    ~TMemoryLink() override;
    TMemoryLink(const TMemoryLink&) = delete;
    TMemoryLink& operator=(const TMemoryLink&) = delete;

    void Service(const THandler& handler) override;
    void Send(TNetPeer peer, const TMessage& message, bool reliable) override;
    void Disconnect(TNetPeer peer) override;
    void DisconnectNow(TNetPeer peer) override;
    void Flush() override;
    void Seal(TNetPeer peer, const TSessionKeys& keys) override;
    uint32_t Address(TNetPeer peer) const override { return FLine.AddressOf(static_cast<uint32_t>(peer)); }

    uint16_t Port() const override { return FPort; }
    int64_t Dropped() const override { return FSeals.Undecodable(); }
    int64_t Rejected() const override { return FSeals.Rejected(); }
    int64_t BytesSent() const override { return FBytesSent; }
    int64_t BytesReceived() const override { return FBytesReceived; }
    int64_t PacketsSent() const override { return FPacketsSent; }
    int64_t PacketsReceived() const override { return FPacketsReceived; }

    // Bytes as they would come from a peer that does not speak the messages, or from a third machine that
    // forges this link's datagrams: they must fail to decode, or be rejected.
    void SendBytes(TNetPeer peer, const uint8_t* bytes, size_t size, bool reliable);
    // The peers connected or being connected.
    size_t PeerCount() const { return FPeers.size(); }
    TNetPeer FirstPeer() const { return FPeers.empty() ? TNetPeer::None : static_cast<TNetPeer>(FPeers.front().Id); }

    static constexpr int64_t InitialRoundTrip = 500;
    static constexpr int64_t PeerTimeout = 30000;
    static constexpr int64_t KeepAliveInterval = 250;

private:
    friend class TMemoryLine;
    using TDatagram = TMemoryLine::TDatagram;
    struct TOutgoing {
        TDatagram Datagram;
        int64_t LastSent = 0;
        int64_t Wait = 0;
        bool Resent = false;
    };
    struct TPeer {
        uint32_t Id = 0;
        enum TState { Connecting, Open, Leaving } State = Connecting;
        // Disconnect: a goodbye once nothing is under way.
        bool GoodbyeDue = false;
        std::deque<TOutgoing> Unacknowledged;
        uint32_t NextNumber = 1;
        uint32_t NextOrder = 1;
        uint32_t ExpectedOrder = 1;
        std::map<uint32_t, TDatagram> Early;
        size_t EarlyBytes = 0;
        int64_t RoundTrip = InitialRoundTrip;
        int64_t Variance = 0;
        int64_t LastReceived = 0;
        // When the datagram found overdue first was last sent; -1 after any acknowledgement.
        int64_t OverdueSince = -1;
    };

    void Arrive(const TDatagram& datagram) { FInbound.push(datagram); }
    TPeer* Find(uint32_t id);
    void Remove(uint32_t id);
    void Take(const TDatagram& datagram, const THandler& handler);
    void TakeData(TPeer& peer, const TDatagram& datagram, const THandler& handler);
    void Acknowledged(TPeer& peer, uint32_t number, const THandler& handler);
    void Hand(uint32_t from, const TDatagram& datagram, const THandler& handler);
    // Resends, keep-alives, goodbyes due and peers given up; true when one was given up (the handler was
    // called and the peers changed).
    bool Tend(const THandler& handler);
    // Data to a connected peer, which takes nothing more once a goodbye is due.
    void Post(TNetPeer to, TDatagram datagram, bool reliable);
    void Transmit(uint32_t to, TDatagram datagram);
    void SendReliable(TPeer& peer, TDatagram datagram);
    void SendGoodbye(TPeer& peer);

    TMemoryLine& FLine;
    bool FHost;
    uint16_t FPort;
    uint32_t FId;
    uint32_t FAddress = 0;
    TPeerSeals FSeals;
    std::vector<TPeer> FPeers;
    std::priority_queue<TDatagram, std::vector<TDatagram>, std::greater<TDatagram>> FInbound;
    int64_t FLastSequence = -1;
    // Datagrams for the line at the next flush, with the link each goes to.
    std::vector<std::pair<uint32_t, TDatagram>> FQueue;
    int64_t FBytesSent = 0;
    int64_t FBytesReceived = 0;
    int64_t FPacketsSent = 0;
    int64_t FPacketsReceived = 0;
};
