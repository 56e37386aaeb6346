#include "ReferenceRenderer.h"
#include "SurfaceFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

template <typename T, size_t N>
T Pick(std::mt19937& random, const T (&values)[N])
{
    return values[random() % N];
}

TEST(RotatedFuzz, AbsurdArgumentsNeverReachOutsideTheSurfacesAndMatchTheReference)
{
    const int32_t coordinates[] = {INT32_MIN, INT32_MIN + 1, -1000000, -17, -1, 0, 3, 8, 15, 16, 17, 1000000,
                                   INT32_MAX - 1, INT32_MAX};
    const int32_t sizes[] = {INT32_MIN, -1000000, -30, -1, 0, 1, 2, 7, 30, 65536, 1000000, INT32_MAX};
    const int32_t angles[] = {INT32_MIN, -65, -64, -1, 0, 1, 32, 63, 64, 128, 192, 255, 256, INT32_MAX};
    const int32_t rectEdges[] = {INT32_MIN, -1, 0, 1, 4, 7, 8, 9, INT32_MAX};
    const double inf = std::numeric_limits<double>::infinity();
    const double pivots[] = {0.0,  0.5,  1.0,    -1.0,  1e-300, 3e17, -5e17, 1e18, -1e18, 1.2e18, 3e18, 1e19, -1e19,
                             1e20, 1e300, -1e300, inf,   -inf,   std::numeric_limits<double>::quiet_NaN()};
    std::mt19937 random(99);
    TDirectDraw device;
    auto source = MakePattern(device, 8, 8);
    source->SetColorKey(PatternPixel(3, 3));
    for (int n = 0; n < 4000; ++n) {
        TRotatedCall call;
        call.X = Pick(random, coordinates);
        call.Y = Pick(random, coordinates);
        call.W = Pick(random, sizes);
        call.H = Pick(random, sizes);
        call.Angle = Pick(random, angles);
        call.PivotX = Pick(random, pivots);
        call.PivotY = Pick(random, pivots);
        call.Transparent = random() % 2 == 0;
        call.SrcRect = random() % 2 ? TRect{0, 0, 8, 8}
                                    : TRect{Pick(random, rectEdges), Pick(random, rectEdges),
                                            Pick(random, rectEdges), Pick(random, rectEdges)};
        auto fast = MakeSurface(device, 16, 16);
        auto slow = MakeSurface(device, 16, 16);
        fast->DrawSurfaceRotated(call.X, call.Y, call.W, call.H, call.SrcRect, source.Get(), call.PivotX,
                                 call.PivotY, call.Transparent, call.Angle);
        ReferenceDrawRotated(*slow, *source, call);
        ASSERT_EQ(Snapshot(*fast), Snapshot(*slow))
            << n << ": (" << call.X << "," << call.Y << ") " << call.W << "x" << call.H << " angle " << call.Angle
            << " pivot " << call.PivotX << "," << call.PivotY << " rect " << call.SrcRect.Left << ","
            << call.SrcRect.Top << "," << call.SrcRect.Right << "," << call.SrcRect.Bottom;
    }
}

TEST(RotatedFuzz, TheUnrotatedCopyCopesWithAbsurdArguments)
{
    const int32_t values[] = {INT32_MIN, INT32_MIN + 1, -9, -1, 0, 1, 9, 16, 17, INT32_MAX - 1, INT32_MAX};
    std::mt19937 random(5);
    TDirectDraw device;
    auto source = MakePattern(device, 8, 8);
    auto target = MakeSurface(device, 16, 16);
    int drawn = 0;
    for (int n = 0; n < 4000; ++n) {
        target->FillSolid(kBackground);
        const TRect rect{Pick(random, values), Pick(random, values), Pick(random, values), Pick(random, values)};
        target->DrawSurface(Pick(random, values), Pick(random, values), rect, source.Get(), random() % 2 == 0);
        for (const uint32_t pixel : Snapshot(*target))
            if (pixel != kBackground) {
                ASSERT_EQ(pixel & 0xFF0000u, 0x400000u);
                ++drawn;
            }
    }
    EXPECT_GT(drawn, 0);
}

} // namespace
