#pragma once
#include <cstdint>

// Where a player holds the tiller. The values are what the dinghy's Tiller holds and what a tick record
// carries on the wire.
enum class TTiller : uint8_t { Port = 0, Amidships = 1, Starboard = 2 };

// The tiller for a number 0..2 as scripts and messages carry it; false for anything else.
constexpr bool TillerFromNumber(int64_t number, TTiller& tiller)
{
    if (number < 0 || number > 2)
        return false;
    tiller = static_cast<TTiller>(number);
    return true;
}
