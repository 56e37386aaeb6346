#pragma once
#include <array>

// Sines of whole degrees 0..450; the cosine of d is entry d + 90.
using TSinTable = std::array<double, 451>;

// Each entry is the double nearest to the exact sine, so sin 30 is exactly 0.5 and 58 x sin 30 truncates to 29.
void FillSinTable(TSinTable& table);
