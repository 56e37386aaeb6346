#pragma once
#include "network/Messages.h"
#include "simulation/RaceSnapshot.h"

#include <array>
#include <cstdint>

// The ticks an online race ran on a guess of the other player's record, not yet settled: for each, the race
// as it was before it, the guess, and its digests after it. A fixed ring: the race never runs more than
// Window ticks past the last settled one.
class TGuessedTicks {
public:
    static constexpr int64_t Window = 8;

    struct TTick {
        TRaceSnapshot Before;
        TTickRecord Guess;
        TDigest After;
    };
    TTick& operator[](int64_t tick) { return FTicks[static_cast<size_t>(tick % Window)]; }

private:
    std::array<TTick, Window> FTicks{};
};

// How much an online race had to correct: the rollbacks, the ticks they ran again and the longest.
struct TRollbackCount {
    int64_t Rollbacks = 0;
    int64_t TicksRunAgain = 0;
    int64_t Longest = 0;
    // Ticks held back so that the other machine could catch up.
    int64_t TicksYielded = 0;
    double Mean() const { return Rollbacks > 0 ? static_cast<double>(TicksRunAgain) / static_cast<double>(Rollbacks) : 0; }
};
