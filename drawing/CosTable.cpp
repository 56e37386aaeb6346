#include "drawing/CosTable.h"

#include <cmath>
#include <numbers>

namespace {

std::array<double, 256> BuildCosTable()
{
    std::array<double, 256> table{};
    const long double pi = std::numbers::pi_v<long double>;
    for (int k = 0; k < 256; ++k)
        table[static_cast<size_t>(k)] = static_cast<double>(std::cos(static_cast<long double>(k) / 256 * 2 * pi));
    return table;
}

} // namespace

const std::array<double, 256>& CosTable()
{
    static const std::array<double, 256> table = BuildCosTable();
    return table;
}
