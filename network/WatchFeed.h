#pragma once
#include "network/NetLink.h"

#include <array>
#include <cstdint>
#include <vector>

// The host's spectators and what they are sent: every settled tick of the race from its start, both players'
// records, so that one who comes late catches up by running them all. Only settled ticks go out, so a
// spectator never holds up the players. Each spectator acknowledges how far it has the ticks without a gap,
// and is sent a bounded stretch beyond that at a time. The same acknowledgement three times over names a gap,
// whose message goes again at once; without progress for a while, all beyond the acknowledgement goes again.
class TWatchFeed {
public:
    // Ticks sent beyond a spectator's acknowledgement before it is waited for.
    static constexpr int64_t InFlight = 1024;
    // Without progress for this long (milliseconds), what was not acknowledged goes again.
    static constexpr uint32_t ResendAfter = 200;
    // The same acknowledgement this many times over while more was sent: the message after it was lost.
    static constexpr int RepeatsForGap = 3;

    // The next settled tick's records, green's first.
    void Settled(const TTickRecord& green, const TTickRecord& red);
    int64_t Live() const { return static_cast<int64_t>(FTicks.size()); }

    void Add(TNetPeer peer, uint32_t now);
    void Remove(TNetPeer peer);
    bool Has(TNetPeer peer) const;
    size_t Count() const { return FSpectators.size(); }
    // What a spectator said: it has the ticks up to this one.
    void Acknowledged(TNetPeer peer, int64_t through, uint32_t now);
    // Heard from the spectator at all.
    void Heard(TNetPeer peer, uint32_t now);
    // Sends each spectator what it lacks; returns the spectators silent for longer than silence, who are
    // dropped from the feed (the caller says goodbye).
    std::vector<TNetPeer> Service(INetLink& link, uint32_t now, uint32_t silence);
    // The race is over: every spectator is told goodbye.
    void DisconnectAll(INetLink& link);

private:
    struct TSpectator {
        TNetPeer Peer;
        int64_t Acknowledged = 0;
        int64_t Sent = 0;
        uint32_t Progress = 0;
        uint32_t Heard = 0;
        int Repeats = 0;
        bool GapNamed = false;
    };
    TSpectator* Find(TNetPeer peer);
    // The ticks from first on, as many as one message holds and were sent.
    void Send(INetLink& link, const TSpectator& spectator, int64_t first) const;

    std::vector<std::array<TTickRecord, 2>> FTicks;
    std::vector<TSpectator> FSpectators;
};
