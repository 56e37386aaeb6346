#pragma once
// The tags on one link's messages: once a peer is sealed, what goes to it carries a tag keyed by the session's
// sending key, and what comes from it is taken only with a good tag under the receiving key.
#include "network/Messages.h"
#include "network/NetLink.h"

#include <optional>
#include <vector>

class TPeerSeals {
public:
    void Seal(TNetPeer peer, const TSessionKeys& keys);
    // The peer's slot may be given to another caller: it starts unsealed.
    void Forget(TNetPeer peer);

    // The packet for a message to the peer; returns how many bytes of out it used.
    size_t Pack(TNetPeer peer, const TMessage& message, TPacketBytes& out) const;

    enum class TOpened { Taken, Undecodable, BadTag };
    // The message in a packet from the peer, into message when Taken.
    TOpened Open(TNetPeer peer, const uint8_t* data, size_t size, std::optional<TMessage>& message) const;
    // The message in a packet from the peer, or nothing, counted as undecodable or rejected.
    std::optional<TMessage> Take(TNetPeer peer, const uint8_t* data, size_t size);
    int64_t Undecodable() const { return FUndecodable; }
    int64_t Rejected() const { return FRejected; }

private:
    const TSessionKeys* Find(TNetPeer peer) const;

    struct TSealed {
        TNetPeer Peer;
        TSessionKeys Keys;
    };
    std::vector<TSealed> FSealed;
    int64_t FUndecodable = 0;
    int64_t FRejected = 0;
};
