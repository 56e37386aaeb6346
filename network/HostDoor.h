#pragma once
#include "network/NetLink.h"
#include "network/RaceKeys.h"

#include <cstdint>
#include <string>
#include <vector>

// The host's door: a caller takes the seat only once it has proven the race code (with an open race, once it
// has said hello), and one that came to watch likewise takes one of MaxSpectators places. Several may be
// proving at once; one that has not within ProofTime is dropped, and an address that gave MaxWrongCodes wrong
// codes is ignored for BarTime. Everything the door is told about
// callers other than the guest comes here, and what is not part of proving is counted and dropped.
class THostDoor {
public:
    static constexpr uint32_t ProofTime = 3000;
    static constexpr int MaxWrongCodes = 5;
    static constexpr uint32_t BarTime = 60000;
    static constexpr size_t MaxSpectators = 8;

    // The link must outlive the door. timeOfDay and version go into the welcome.
    THostDoor(INetLink& link, const std::string& code, bool open, const std::string& version, uint32_t timeOfDay);

    enum class TOutcome { Nothing, Admitted, Spectator, WrongCode };

    void Connected(TNetPeer peer, uint32_t now);
    void Disconnected(TNetPeer peer);
    // Admitted: the caller proved the code, was welcomed and its messages are sealed from now on; it has the
    // seat, and every later caller is told that the race is full when it first speaks (or sent away silent).
    // Spectator: likewise, a caller that came to watch, while there are fewer than MaxSpectators.
    TOutcome Received(TNetPeer peer, const TMessage& message, uint32_t now);
    // A spectator went: its place is free again.
    void SpectatorLeft() { --FSpectators; }
    // Drops the callers that took too long and forgets bars that ran out; now is the clock's milliseconds.
    void Service(uint32_t now);

    // Messages from callers that were not part of proving the code.
    int64_t Ignored() const { return FIgnored; }
    size_t Proving() const { return FCallers.size(); }

private:
    struct TCaller {
        TNetPeer Peer;
        uint32_t Since;
        bool Challenged = false;
        bool Watch = false;
        TNonce HostNonce{};
        TNonce JoinerNonce{};
    };
    struct TWrongCodes {
        uint32_t Address;
        int Count;
        uint32_t Last;
        bool Barred;
    };

    TCaller* Find(TNetPeer peer);
    void Turn(TNetPeer peer, uint8_t reason);
    bool Barred(uint32_t address, uint32_t now) const;
    void CountWrongCode(uint32_t address, uint32_t now);

    INetLink& FLink;
    TRaceKey FKey;
    bool FOpen;
    std::string FVersion;
    uint32_t FTimeOfDay;
    bool FSeatTaken = false;
    size_t FSpectators = 0;
    std::vector<TCaller> FCallers;
    std::vector<TWrongCodes> FWrongCodes;
    int64_t FIgnored = 0;
};
