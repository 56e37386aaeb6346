#pragma once
#include <cstdint>

// A computer helm's own random numbers, apart from the race's generator so that the wind never changes
// because a computer steers. The state is a plain number, kept with the helm's memory.

// The state for a helm of the dinghy (0 green, 1 red) in a race whose generator stands at raceSeed.
uint32_t HelmSeed(uint32_t raceSeed, int32_t dinghy);

// Steps the state; a whole number 0..n - 1 (0 for n = 0).
uint32_t HelmRandom(uint32_t& state, uint32_t n);

// Steps the state; a whole number -spread..spread.
int32_t HelmSpread(uint32_t& state, int32_t spread);
