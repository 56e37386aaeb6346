#include "network/HostDoor.h"

#include <algorithm>

namespace {

// Addresses remembered for their wrong codes; past this the longest quiet one is forgotten.
constexpr size_t MaxRemembered = 256;

} // namespace

THostDoor::THostDoor(INetLink& link, const std::string& code, bool open, const std::string& version,
                     uint32_t timeOfDay)
    : FLink(link), FKey(open ? std::string() : code), FOpen(open), FVersion(version), FTimeOfDay(timeOfDay)
{
}

THostDoor::TCaller* THostDoor::Find(TNetPeer peer)
{
    const auto found = std::find_if(FCallers.begin(), FCallers.end(), [peer](const TCaller& c) { return c.Peer == peer; });
    return found != FCallers.end() ? &*found : nullptr;
}

void THostDoor::Turn(TNetPeer peer, uint8_t reason)
{
    FLink.Send(peer, TRefusal{static_cast<TRefusal::TReason>(reason), MakeVersionText(FVersion)}, true);
    FLink.Disconnect(peer);
    Disconnected(peer);
}

void THostDoor::Connected(TNetPeer peer, uint32_t now)
{
    if (Barred(FLink.Address(peer), now)) {
        FLink.DisconnectNow(peer);
        return;
    }
    // Once the seat is taken, a caller is told so when it first speaks, so that what it said is counted.
    Disconnected(peer);
    FCallers.push_back({peer, now});
}

void THostDoor::Disconnected(TNetPeer peer)
{
    std::erase_if(FCallers, [peer](const TCaller& c) { return c.Peer == peer; });
}

THostDoor::TOutcome THostDoor::Received(TNetPeer peer, const TMessage& message, uint32_t now)
{
    TCaller* caller = Find(peer);
    const auto* hello = std::get_if<THello>(&message);
    const bool watching = caller != nullptr && (caller->Challenged ? caller->Watch : hello != nullptr && hello->Watch);
    if (caller != nullptr && FSeatTaken && !watching) {
        Turn(peer, TRefusal::RaceFull);
    } else if (caller != nullptr && !caller->Challenged) {
        if (hello != nullptr) {
            if (hello->Protocol != ProtocolVersion || VersionString(hello->Version) != FVersion) {
                Turn(peer, TRefusal::OtherVersion);
                return TOutcome::Nothing;
            }
            caller->Challenged = true;
            caller->Watch = hello->Watch;
            caller->HostNonce = NewNonce();
            caller->JoinerNonce = hello->Nonce;
            FLink.Send(peer, TChallenge{caller->HostNonce, !FOpen}, true);
            return TOutcome::Nothing;
        }
    } else if (caller != nullptr) {
        if (const auto* proof = std::get_if<TProofOfCode>(&message)) {
            const TCaller proving = *caller;
            if (!SameProof(proof->Proof, FKey.JoinerProof(proving.HostNonce, proving.JoinerNonce))) {
                CountWrongCode(FLink.Address(peer), now);
                Turn(peer, TRefusal::WrongCode);
                return TOutcome::WrongCode;
            }
            if (proving.Watch && FSpectators >= MaxSpectators) {
                Turn(peer, TRefusal::EnoughSpectators);
                return TOutcome::Nothing;
            }
            const TProof hostProof = FKey.HostProof(proving.HostNonce, proving.JoinerNonce);
            FLink.Send(peer, TWelcome{FTimeOfDay, MakeVersionText(FVersion), hostProof}, true);
            FLink.Seal(peer, FKey.Keys(true, proving.HostNonce, proving.JoinerNonce));
            Disconnected(peer);
            if (proving.Watch) {
                ++FSpectators;
                return TOutcome::Spectator;
            }
            FSeatTaken = true;
            // The others proving at the same moment lose the race for the seat.
            for (const TCaller& other : std::vector<TCaller>(FCallers))
                if (!other.Watch)
                    Turn(other.Peer, TRefusal::RaceFull);
            return TOutcome::Admitted;
        }
    }
    ++FIgnored;
    return TOutcome::Nothing;
}

void THostDoor::Service(uint32_t now)
{
    for (const TCaller& caller : std::vector<TCaller>(FCallers))
        if (now - caller.Since > ProofTime) {
            FLink.DisconnectNow(caller.Peer);
            Disconnected(caller.Peer);
        }
    std::erase_if(FWrongCodes, [now](const TWrongCodes& w) { return now - w.Last > BarTime; });
}

bool THostDoor::Barred(uint32_t address, uint32_t now) const
{
    return std::any_of(FWrongCodes.begin(), FWrongCodes.end(), [address, now](const TWrongCodes& w) {
        return w.Address == address && w.Barred && now - w.Last <= BarTime;
    });
}

void THostDoor::CountWrongCode(uint32_t address, uint32_t now)
{
    auto found = std::find_if(FWrongCodes.begin(), FWrongCodes.end(),
                              [address](const TWrongCodes& w) { return w.Address == address; });
    if (found == FWrongCodes.end()) {
        if (FWrongCodes.size() >= MaxRemembered)
            FWrongCodes.erase(std::min_element(FWrongCodes.begin(), FWrongCodes.end(),
                [now](const TWrongCodes& a, const TWrongCodes& b) { return now - a.Last > now - b.Last; }));
        FWrongCodes.push_back({address, 0, now, false});
        found = FWrongCodes.end() - 1;
    }
    found->Last = now;
    found->Barred = ++found->Count >= MaxWrongCodes;
}
