#pragma once
#include <cstdint>

class IClock;

// The program's one random generator: a 32-bit linear congruential sequence shared by the whole process.

// The generator's state; any value is a valid seed.
extern uint32_t RandSeed;

// Seeds the generator from the UTC time of day in milliseconds.
void Randomize(IClock& clock);

// Steps the generator and returns a whole number from 0 to n - 1 (0 for n = 0).
uint32_t Random(uint32_t n);
