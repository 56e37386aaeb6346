#pragma once
// Surfaces on a device for the drawing tests, filled with recognisable pixels.
#include "drawing/Device.h"
#include "drawing/Surface.h"

#include <cstdint>
#include <vector>

// Pattern pixel (i, j): column and row in the low bytes, never the background or a key used in the tests.
constexpr uint32_t PatternPixel(int32_t i, int32_t j)
{
    return 0x400000u | (static_cast<uint32_t>(j) << 8) | static_cast<uint32_t>(i);
}

constexpr uint32_t kBackground = 0x123456;

inline TSurfaceHandle MakeSurface(TDirectDraw& device, int32_t w, int32_t h, uint32_t fill = kBackground)
{
    TSurfaceHandle surface = device.CreateSurface();
    surface->Resize(w, h);
    surface->FillSolid(fill);
    return surface;
}

inline TSurfaceHandle MakePattern(TDirectDraw& device, int32_t w, int32_t h)
{
    auto surface = MakeSurface(device, w, h);
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i)
            surface->WritePixel(i, j, PatternPixel(i, j));
    return surface;
}

// Every pixel, row by row; nothing for a surface that cannot be locked.
inline std::vector<uint32_t> Snapshot(TDirectDrawSurface& surface)
{
    std::vector<uint32_t> pixels;
    const TSurfaceReadLock lock(&surface);
    if (!lock.Locked())
        return pixels;
    for (int32_t y = 0; y < lock.Pixels().Height; ++y)
        pixels.insert(pixels.end(), lock.Row(y), lock.Row(y) + lock.Pixels().Width);
    return pixels;
}

inline int CountNot(TDirectDrawSurface& surface, uint32_t value)
{
    int count = 0;
    for (const uint32_t pixel : Snapshot(surface))
        count += pixel != value ? 1 : 0;
    return count;
}
