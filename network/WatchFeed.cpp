#include "network/WatchFeed.h"

#include <algorithm>

void TWatchFeed::Settled(const TTickRecord& green, const TTickRecord& red)
{
    FTicks.push_back({green, red});
}

TWatchFeed::TSpectator* TWatchFeed::Find(TNetPeer peer)
{
    const auto found = std::find_if(FSpectators.begin(), FSpectators.end(), [peer](const TSpectator& s) { return s.Peer == peer; });
    return found != FSpectators.end() ? &*found : nullptr;
}

void TWatchFeed::Add(TNetPeer peer, uint32_t now)
{
    FSpectators.push_back({peer, 0, 0, now, now});
}

void TWatchFeed::Remove(TNetPeer peer)
{
    std::erase_if(FSpectators, [peer](const TSpectator& s) { return s.Peer == peer; });
}

bool TWatchFeed::Has(TNetPeer peer) const
{
    return std::any_of(FSpectators.begin(), FSpectators.end(), [peer](const TSpectator& s) { return s.Peer == peer; });
}

void TWatchFeed::Acknowledged(TNetPeer peer, int64_t through, uint32_t now)
{
    TSpectator* s = Find(peer);
    if (s == nullptr || through < s->Acknowledged || through > Live())
        return;
    if (through == s->Acknowledged) {
        if (s->Sent > through && ++s->Repeats == RepeatsForGap)
            s->GapNamed = true;
        return;
    }
    s->Acknowledged = through;
    s->Sent = std::max(s->Sent, through);
    s->Progress = now;
    s->Repeats = 0;
}

void TWatchFeed::Send(INetLink& link, const TSpectator& spectator, int64_t first) const
{
    TWatchTicks m;
    m.FirstTick = static_cast<uint32_t>(first);
    m.Count = static_cast<uint8_t>(std::min<int64_t>(std::max(spectator.Sent, first) - first + 1, MaxWatchedTicksPerMessage));
    std::copy_n(FTicks.begin() + (first - 1), m.Count, m.Records.begin());
    m.Live = static_cast<uint32_t>(Live());
    link.Send(spectator.Peer, m, false);
}

void TWatchFeed::Heard(TNetPeer peer, uint32_t now)
{
    if (TSpectator* s = Find(peer))
        s->Heard = now;
}

std::vector<TNetPeer> TWatchFeed::Service(INetLink& link, uint32_t now, uint32_t silence)
{
    std::vector<TNetPeer> silent;
    for (TSpectator& s : FSpectators) {
        if (now - s.Heard > silence) {
            silent.push_back(s.Peer);
            continue;
        }
        if (s.GapNamed) {
            Send(link, s, s.Acknowledged + 1);
            s.GapNamed = false;
            s.Repeats = 0;
        }
        if (s.Sent > s.Acknowledged && now - s.Progress > ResendAfter) {
            s.Sent = s.Acknowledged;
            s.Progress = now;
        }
        while (s.Sent < Live() && s.Sent - s.Acknowledged < InFlight) {
            const int64_t count = std::min<int64_t>(Live() - s.Sent, MaxWatchedTicksPerMessage);
            s.Sent += count;
            Send(link, s, s.Sent - count + 1);
        }
    }
    for (const TNetPeer peer : silent)
        Remove(peer);
    return silent;
}

void TWatchFeed::DisconnectAll(INetLink& link)
{
    for (const TSpectator& s : FSpectators)
        link.DisconnectNow(s.Peer);
    FSpectators.clear();
}
