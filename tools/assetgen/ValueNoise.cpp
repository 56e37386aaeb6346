#include "tools/assetgen/ValueNoise.h"

#include <algorithm>

namespace {

double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }

} // namespace

TValueNoise::TValueNoise(int32_t width, int32_t height, int32_t spacing, uint32_t seed)
    : FColumns(width / spacing + 2), FRows(height / spacing + 2), FSpacing(spacing)
{
    FNodes.resize(static_cast<size_t>(FColumns) * static_cast<size_t>(FRows));
    for (double& node : FNodes) {
        seed = seed * 1664525u + 1013904223u;
        node = static_cast<double>(seed >> 8) / 16777216.0;
    }
}

double TValueNoise::Node(int32_t column, int32_t row) const
{
    column = std::clamp(column, 0, FColumns - 1);
    row = std::clamp(row, 0, FRows - 1);
    return FNodes[static_cast<size_t>(row) * static_cast<size_t>(FColumns) + static_cast<size_t>(column)];
}

double TValueNoise::At(double x, double y) const
{
    const double gx = x / FSpacing;
    const double gy = y / FSpacing;
    const auto column = static_cast<int32_t>(gx);
    const auto row = static_cast<int32_t>(gy);
    const double tx = Smooth(gx - column);
    const double ty = Smooth(gy - row);
    const double top = Node(column, row) + (Node(column + 1, row) - Node(column, row)) * tx;
    const double bottom = Node(column, row + 1) + (Node(column + 1, row + 1) - Node(column, row + 1)) * tx;
    return top + (bottom - top) * ty;
}
