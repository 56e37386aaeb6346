#pragma once
#include <array>
#include <cstdint>

// Cosines of the 256 rotation steps of a full turn, entry k = cos(k / 256 of a turn). The entries are computed
// in extended precision from the extended-precision pi, so the quarter turns hold tiny non-zero values.
const std::array<double, 256>& CosTable();

// Only the low 8 bits of an angle count.
inline double CosOfAngle(int32_t angle)
{
    return CosTable()[static_cast<uint32_t>(angle) & 255u];
}
inline double SinOfAngle(int32_t angle)
{
    return CosTable()[(static_cast<uint32_t>(angle) + 192u) & 255u];
}
