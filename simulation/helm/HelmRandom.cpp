#include "simulation/helm/HelmRandom.h"

uint32_t HelmSeed(uint32_t raceSeed, int32_t dinghy)
{
    // A finaliser's mix, so that neighbouring seeds and the two dinghies draw unrelated sequences.
    uint32_t x = raceSeed ^ (0x9E3779B9u * static_cast<uint32_t>(dinghy + 1));
    x ^= x >> 16;
    x *= 0x85EBCA6Bu;
    x ^= x >> 13;
    x *= 0xC2B2AE35u;
    x ^= x >> 16;
    return x;
}

uint32_t HelmRandom(uint32_t& state, uint32_t n)
{
    // A permuted congruential step: the low bits of a plain one repeat too soon for small ranges.
    state = state * 747796405u + 2891336453u;
    uint32_t word = ((state >> ((state >> 28u) + 4u)) ^ state) * 277803737u;
    word ^= word >> 22u;
    return static_cast<uint32_t>((static_cast<uint64_t>(word) * n) >> 32);
}

int32_t HelmSpread(uint32_t& state, int32_t spread)
{
    if (spread <= 0)
        return 0;
    return static_cast<int32_t>(HelmRandom(state, static_cast<uint32_t>(2 * spread + 1))) - spread;
}
