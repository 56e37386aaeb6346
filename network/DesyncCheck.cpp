#include "network/DesyncCheck.h"

void TDesyncCheck::Add(TRing& mine, TRing& theirs, const TDigest& digest)
{
    const size_t slot = digest.Tick % Slots;
    std::optional<TDigest>& partner = theirs[slot];
    if (partner && partner->Tick == digest.Tick) {
        if (partner->State != digest.State || partner->Frame != digest.Frame) {
            if (!FMismatch || *FMismatch > digest.Tick)
                FMismatch = digest.Tick;
        } else {
            ++FMatched;
        }
        partner.reset();
        return;
    }
    mine[slot] = digest;
}
