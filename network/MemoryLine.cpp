#include "network/MemoryLine.h"

#include "platform/Clock.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

// What arrives early from a peer is kept up to this many bytes, as the ENet link bounds what waits; more is
// not acknowledged, so it comes again.
constexpr size_t MaxEarlyBytes = 64 * MaxPacketSize;
// Where the line's joiners call from unless told: 203.0.113.0/24.
constexpr uint32_t JoinerAddresses = 0xCB007100;

} // namespace

TMemoryLine::TMemoryLine(IClock& clock, TFaults faults, uint32_t seed)
    : FClock(clock), FLastReading(clock.Milliseconds()), FFaults(faults), FRandom(seed)
{
}

std::unique_ptr<TMemoryLink> TMemoryLine::Host(uint16_t port)
{
    return std::make_unique<TMemoryLink>(*this, true, port);
}

std::unique_ptr<TMemoryLink> TMemoryLine::Join(uint16_t port, uint32_t address)
{
    auto link = std::make_unique<TMemoryLink>(*this, false, port);
    link->FAddress = address != 0 ? address : JoinerAddresses | (link->FId & 0xFF);
    return link;
}

uint32_t TMemoryLine::AddressOf(uint32_t id) const
{
    for (const TAttached& a : FLinks)
        if (a.Id == id)
            return a.Link->FAddress;
    return 0;
}

int64_t TMemoryLine::Now()
{
    const uint32_t now = FClock.Milliseconds();
    FElapsed += now - FLastReading;
    FLastReading = now;
    return FElapsed;
}

uint32_t TMemoryLine::Attach(TMemoryLink* link, uint16_t& port)
{
    if (port != 0 && Listener(port) != 0)
        throw std::invalid_argument("port " + std::to_string(port) + " is taken");
    if (port == 0 && link != nullptr && link->FHost)
        while (Listener(port = FNextPort++) != 0) {
        }
    const uint32_t id = FNextId++;
    if (link != nullptr)
        FLinks.push_back({id, port, link});
    return id;
}

void TMemoryLine::Detach(uint32_t id)
{
    std::erase_if(FLinks, [id](const TAttached& a) { return a.Id == id; });
}

uint32_t TMemoryLine::Listener(uint16_t port) const
{
    for (const TAttached& a : FLinks)
        if (a.Port == port && a.Link->FHost)
            return a.Id;
    return 0;
}

void TMemoryLine::Carry(uint32_t to, TDatagram datagram)
{
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    const auto target = std::find_if(FLinks.begin(), FLinks.end(), [to](const TAttached& a) { return a.Id == to; });
    if (FCut || chance(FRandom) < FFaults.Drop || target == FLinks.end()) {
        ++FDropped;
        return;
    }
    std::uniform_int_distribution<int> jitter(-FFaults.JitterMilliseconds, FFaults.JitterMilliseconds);
    TMemoryLink& link = *target->Link;
    Deliver(link, datagram, FFaults.DelayMilliseconds + jitter(FRandom));
    if (chance(FRandom) < FFaults.Duplicate) {
        ++FDuplicated;
        Deliver(link, datagram, FFaults.DelayMilliseconds + jitter(FRandom));
    }
}

void TMemoryLine::Deliver(TMemoryLink& to, const TDatagram& datagram, int64_t delay)
{
    TDatagram copy = datagram;
    copy.Due = Now() + std::max<int64_t>(delay, 0);
    copy.Sequence = FSequence++;
    to.Arrive(copy);
}

TMemoryLink::TMemoryLink(TMemoryLine& line, bool host, uint16_t port)
    : FLine(line), FHost(host), FPort(0), FId(0)
{
    if (FHost) {
        FPort = port;
        FId = FLine.Attach(this, FPort);
        return;
    }
    uint32_t listener = FLine.Listener(port);
    FId = FLine.Attach(this, FPort);
    if (listener == 0)
        listener = FLine.Attach(nullptr, FPort); // nobody's: what goes there is lost
    TPeer peer;
    peer.Id = listener;
    peer.LastReceived = FLine.Now();
    FPeers.push_back(peer);
    TDatagram call;
    call.Kind = TDatagram::Connect;
    SendReliable(FPeers.back(), call);
}

TMemoryLink::~TMemoryLink()
{
    FLine.Detach(FId);
}

TMemoryLink::TPeer* TMemoryLink::Find(uint32_t id)
{
    const auto it = std::find_if(FPeers.begin(), FPeers.end(), [id](const TPeer& p) { return p.Id == id; });
    return it != FPeers.end() ? &*it : nullptr;
}

void TMemoryLink::Remove(uint32_t id)
{
    std::erase_if(FPeers, [id](const TPeer& p) { return p.Id == id; });
    FSeals.Forget(static_cast<TNetPeer>(id));
}

void TMemoryLink::Seal(TNetPeer peer, const TSessionKeys& keys)
{
    if (Find(static_cast<uint32_t>(peer)) != nullptr)
        FSeals.Seal(peer, keys);
}

void TMemoryLink::Transmit(uint32_t to, TDatagram datagram)
{
    datagram.From = FId;
    FQueue.emplace_back(to, datagram);
}

void TMemoryLink::Flush()
{
    for (const auto& [to, datagram] : FQueue) {
        ++FPacketsSent;
        FBytesSent += TMemoryLine::HeaderBytes + datagram.Size;
        FLine.Carry(to, datagram);
    }
    FQueue.clear();
}

void TMemoryLink::SendReliable(TPeer& peer, TDatagram datagram)
{
    datagram.Reliable = true;
    datagram.Number = peer.NextNumber++;
    const int64_t now = FLine.Now();
    peer.Unacknowledged.push_back({datagram, now, peer.RoundTrip + 4 * peer.Variance, false});
    Transmit(peer.Id, datagram);
}

void TMemoryLink::SendGoodbye(TPeer& peer)
{
    peer.State = TPeer::Leaving;
    peer.GoodbyeDue = false;
    TDatagram goodbye;
    goodbye.Kind = TDatagram::Goodbye;
    SendReliable(peer, goodbye);
}

void TMemoryLink::Send(TNetPeer to, const TMessage& message, bool reliable)
{
    TDatagram datagram;
    datagram.Size = static_cast<uint16_t>(FSeals.Pack(to, message, datagram.Bytes));
    Post(to, datagram, reliable);
}

void TMemoryLink::SendBytes(TNetPeer to, const uint8_t* bytes, size_t size, bool reliable)
{
    TDatagram datagram;
    datagram.Size = static_cast<uint16_t>(std::min(size, datagram.Bytes.size()));
    std::copy_n(bytes, datagram.Size, datagram.Bytes.begin());
    Post(to, datagram, reliable);
}

void TMemoryLink::Post(TNetPeer to, TDatagram datagram, bool reliable)
{
    TPeer* peer = Find(static_cast<uint32_t>(to));
    if (peer == nullptr || peer->State != TPeer::Open || peer->GoodbyeDue)
        return;
    if (!reliable) {
        Transmit(peer->Id, datagram);
        return;
    }
    datagram.Order = peer->NextOrder++;
    SendReliable(*peer, datagram);
}

void TMemoryLink::Disconnect(TNetPeer to)
{
    TPeer* peer = Find(static_cast<uint32_t>(to));
    if (peer == nullptr)
        return;
    if (peer->State == TPeer::Open)
        peer->GoodbyeDue = true;
    else if (peer->State == TPeer::Connecting)
        DisconnectNow(to);
}

void TMemoryLink::DisconnectNow(TNetPeer to)
{
    TPeer* peer = Find(static_cast<uint32_t>(to));
    if (peer == nullptr || peer->State == TPeer::Leaving)
        return;
    if (peer->State == TPeer::Connecting) {
        // Not yet connected: one goodbye, not waited for.
        TDatagram goodbye;
        goodbye.Kind = TDatagram::Goodbye;
        Transmit(peer->Id, goodbye);
        Remove(peer->Id);
        return;
    }
    const uint32_t id = peer->Id;
    std::erase_if(FQueue, [id](const auto& queued) { return queued.first == id; });
    peer->Unacknowledged.clear();
    peer->Early.clear();
    peer->EarlyBytes = 0;
    SendGoodbye(*peer);
}

void TMemoryLink::Service(const THandler& handler)
{
    const int64_t now = FLine.Now();
    while (!FInbound.empty() && FInbound.top().Due <= now) {
        const TDatagram datagram = FInbound.top();
        FInbound.pop();
        ++FPacketsReceived;
        FBytesReceived += TMemoryLine::HeaderBytes + datagram.Size;
        ++FLine.FForwarded;
        if (datagram.Sequence < FLastSequence)
            ++FLine.FReordered;
        FLastSequence = std::max(FLastSequence, datagram.Sequence);
        Take(datagram, handler);
    }
    while (Tend(handler)) {
    }
    Flush();
}

void TMemoryLink::Take(const TDatagram& datagram, const THandler& handler)
{
    const int64_t now = FLine.Now();
    const uint32_t from = datagram.From;
    TPeer* peer = Find(from);
    if (peer != nullptr)
        peer->LastReceived = now;
    TDatagram ack;
    ack.Kind = TDatagram::Ack;
    ack.Number = datagram.Number;
    switch (datagram.Kind) {
    case TDatagram::Connect:
        if (!FHost)
            return;
        if (peer == nullptr) {
            // A full host does not answer.
            if (FPeers.size() >= MaxLinkPeers)
                return;
            TPeer caller;
            caller.Id = from;
            caller.LastReceived = now;
            FPeers.push_back(caller);
            peer = &FPeers.back();
        }
        if (peer->State == TPeer::Connecting && peer->Unacknowledged.empty()) {
            TDatagram accept;
            accept.Kind = TDatagram::Accept;
            SendReliable(*peer, accept);
        }
        return;
    case TDatagram::Accept:
        if (peer == nullptr || FHost)
            return;
        Transmit(from, ack);
        if (peer->State != TPeer::Connecting)
            return;
        peer->Unacknowledged.clear();
        peer->OverdueSince = -1;
        peer->State = TPeer::Open;
        if (handler.Connected)
            handler.Connected(static_cast<TNetPeer>(from));
        return;
    case TDatagram::Ack:
        if (peer != nullptr)
            Acknowledged(*peer, datagram.Number, handler);
        return;
    case TDatagram::KeepAlive:
        if (peer != nullptr && peer->State == TPeer::Open)
            Transmit(from, ack);
        return;
    case TDatagram::Goodbye:
        // Acknowledged even when the peer is gone, so that its resending stops.
        if (datagram.Reliable)
            Transmit(from, ack);
        if (peer == nullptr)
            return;
        Remove(from);
        if (handler.Disconnected)
            handler.Disconnected(static_cast<TNetPeer>(from), true);
        return;
    case TDatagram::Data:
        // What is not taken is not acknowledged: it comes again.
        if (peer == nullptr || peer->State == TPeer::Connecting)
            return;
        if (datagram.Reliable && datagram.Order > peer->ExpectedOrder && !peer->Early.contains(datagram.Order) &&
            peer->EarlyBytes + datagram.Size > MaxEarlyBytes)
            return;
        if (datagram.Reliable)
            Transmit(from, ack);
        if (peer->State == TPeer::Leaving)
            return;
        TakeData(*peer, datagram, handler);
        return;
    }
}

void TMemoryLink::TakeData(TPeer& peer, const TDatagram& datagram, const THandler& handler)
{
    if (!datagram.Reliable) {
        Hand(peer.Id, datagram, handler);
        return;
    }
    if (datagram.Order < peer.ExpectedOrder)
        return; // a copy
    if (datagram.Order > peer.ExpectedOrder) {
        if (peer.Early.emplace(datagram.Order, datagram).second)
            peer.EarlyBytes += datagram.Size;
        return;
    }
    ++peer.ExpectedOrder;
    const uint32_t id = peer.Id;
    Hand(id, datagram, handler);
    // The handler may have said goodbye or dropped the peer.
    for (TPeer* p = Find(id); p != nullptr && p->State == TPeer::Open; p = Find(id)) {
        const auto next = p->Early.find(p->ExpectedOrder);
        if (next == p->Early.end())
            return;
        const TDatagram waiting = next->second;
        p->Early.erase(next);
        p->EarlyBytes -= waiting.Size;
        ++p->ExpectedOrder;
        Hand(id, waiting, handler);
    }
}

void TMemoryLink::Hand(uint32_t from, const TDatagram& datagram, const THandler& handler)
{
    const std::optional<TMessage> message =
        FSeals.Take(static_cast<TNetPeer>(from), datagram.Bytes.data(), datagram.Size);
    if (message && handler.Received)
        handler.Received(static_cast<TNetPeer>(from), *message);
}

void TMemoryLink::Acknowledged(TPeer& peer, uint32_t number, const THandler& handler)
{
    peer.OverdueSince = -1;
    const auto it = std::find_if(peer.Unacknowledged.begin(), peer.Unacknowledged.end(),
                                 [number](const TOutgoing& o) { return o.Datagram.Number == number; });
    if (it == peer.Unacknowledged.end())
        return;
    if (!it->Resent) {
        // The smoothing ENet applies: the variance follows a quarter, the round trip an eighth of the change.
        const int64_t sample = FLine.Now() - it->LastSent;
        peer.Variance -= peer.Variance / 4;
        peer.Variance += std::abs(sample - peer.RoundTrip) / 4;
        peer.RoundTrip += (sample - peer.RoundTrip) / 8;
    }
    const TDatagram::TKind kind = it->Datagram.Kind;
    peer.Unacknowledged.erase(it);
    const uint32_t id = peer.Id;
    if (kind == TDatagram::Accept && peer.State == TPeer::Connecting) {
        peer.State = TPeer::Open;
        if (handler.Connected)
            handler.Connected(static_cast<TNetPeer>(id));
    } else if (kind == TDatagram::Goodbye) {
        Remove(id);
        if (handler.Disconnected)
            handler.Disconnected(static_cast<TNetPeer>(id), false);
    }
}

bool TMemoryLink::Tend(const THandler& handler)
{
    const int64_t now = FLine.Now();
    for (TPeer& peer : FPeers) {
        if (peer.OverdueSince >= 0 && now - peer.OverdueSince >= PeerTimeout) {
            const uint32_t id = peer.Id;
            // A caller the host answered but never heard from again goes without a word.
            const bool told = !(FHost && peer.State == TPeer::Connecting);
            Remove(id);
            if (told && handler.Disconnected)
                handler.Disconnected(static_cast<TNetPeer>(id), false);
            return true;
        }
        for (TOutgoing& out : peer.Unacknowledged) {
            if (now - out.LastSent < out.Wait)
                continue;
            if (peer.OverdueSince < 0 || out.LastSent < peer.OverdueSince)
                peer.OverdueSince = out.LastSent;
            out.LastSent = now;
            out.Wait *= 2;
            out.Resent = true;
            Transmit(peer.Id, out.Datagram);
        }
        if (peer.GoodbyeDue && peer.Unacknowledged.empty())
            SendGoodbye(peer);
        if (peer.State == TPeer::Open && !peer.GoodbyeDue && peer.Unacknowledged.empty() &&
            now - peer.LastReceived >= KeepAliveInterval) {
            TDatagram probe;
            probe.Kind = TDatagram::KeepAlive;
            SendReliable(peer, probe);
        }
    }
    return false;
}
