#pragma once
#include <cstdint>
#include <vector>

// Smooth deterministic noise in [0, 1): random values on a square lattice, blended between the nodes.
class TValueNoise {
public:
    TValueNoise(int32_t width, int32_t height, int32_t spacing, uint32_t seed);
    double At(double x, double y) const;

private:
    double Node(int32_t column, int32_t row) const;

    int32_t FColumns;
    int32_t FRows;
    int32_t FSpacing;
    std::vector<double> FNodes;
};
