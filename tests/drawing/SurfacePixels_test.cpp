#include "SurfaceFixtures.h"

#include <gtest/gtest.h>

namespace {

struct TPoint {
    int32_t X;
    int32_t Y;
};

class SurfacePixels : public ::testing::TestWithParam<TPoint> {
protected:
    TDirectDraw device;
    TSurfaceHandle surface = MakeSurface(device, 40, 30, 0xABCDEF);
};

TEST_P(SurfacePixels, OutsideReadsZeroAndIgnoresWrites)
{
    const TPoint p = GetParam();
    EXPECT_EQ(surface->ReadPixel(p.X, p.Y), 0u);
    surface->WritePixel(p.X, p.Y, 0xFFFFFF);
    EXPECT_EQ(CountNot(*surface, 0xABCDEF), 0);
}

INSTANTIATE_TEST_SUITE_P(JustOutside, SurfacePixels,
                         ::testing::Values(TPoint{-1, 0}, TPoint{40, 0}, TPoint{0, -1}, TPoint{0, 30},
                                           TPoint{-1, -1}, TPoint{40, 29}, TPoint{39, 30},
                                           TPoint{INT32_MIN, 5}, TPoint{5, INT32_MAX}));

TEST(SurfacePixelAccess, WrittenPixelsReadBackAtTheCornersAndInside)
{
    TDirectDraw device;
    auto surface = MakeSurface(device, 40, 30, 0);
    const TPoint points[] = {{0, 0}, {39, 0}, {0, 29}, {39, 29}, {10, 20}};
    const uint32_t values[] = {0x008080, 0xFF0000, 0xFFFF00, 0xFF123456, 0xFFFFFF};
    for (int i = 0; i < 5; ++i)
        surface->WritePixel(points[i].X, points[i].Y, values[i]);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(surface->ReadPixel(points[i].X, points[i].Y), values[i]) << i;
    EXPECT_EQ(CountNot(*surface, 0), 5);
}

TEST(SurfacePixelAccess, WithoutStorageNothingIsReadOrWritten)
{
    TDirectDraw device;
    TSurfaceHandle surface = device.CreateSurface();
    surface->WritePixel(0, 0, 0xFFFFFF);
    surface->FillSolid(0xFFFFFF);
    EXPECT_EQ(surface->ReadPixel(0, 0), 0u);
    EXPECT_EQ(surface->ColorToPixel(clWhite), 0u);
    TLockedPixels pixels;
    EXPECT_FALSE(surface->LockForReading(pixels));
    bool called = false;
    const TWritten written = surface->Write([&](const TLockedPixels&) {
        called = true;
        return TWritten::Whole();
    });
    EXPECT_FALSE(called);
    EXPECT_FALSE(written.IsWhole());
    EXPECT_TRUE(surface->Changes().Empty());
}

TEST(SurfacePixelAccess, FillSolidSetsEveryPixel)
{
    TDirectDraw device;
    auto surface = MakeSurface(device, 7, 5, 0);
    surface->FillSolid(0x00FF7F);
    EXPECT_EQ(CountNot(*surface, 0x00FF7F), 0);
}

struct TColorCase {
    const char* Name;
    TColor Color;
    uint32_t Pixel;
};

class ColorConversion : public ::testing::TestWithParam<TColorCase> {};

TEST_P(ColorConversion, SwapsRedAndBlueAndResolvesSystemColours)
{
    TDirectDraw device;
    auto surface = MakeSurface(device, 2, 2, 0x777777);
    EXPECT_EQ(surface->ColorToPixel(GetParam().Color), GetParam().Pixel);
    EXPECT_EQ(ColorToRGBPixel(GetParam().Color), GetParam().Pixel);
    EXPECT_EQ(surface->ReadPixel(0, 0), 0x777777u);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ColorConversion,
    ::testing::Values(TColorCase{"Teal", clTeal, 0x008080}, TColorCase{"Fuchsia", clFuchsia, 0xFF00FF},
                      TColorCase{"Olive", clOlive, 0x808000}, TColorCase{"Black", clBlack, 0},
                      TColorCase{"White", clWhite, 0xFFFFFF}, TColorCase{"Red", 0x0000FF, 0xFF0000},
                      TColorCase{"Blue", 0xFF0000, 0x0000FF}, TColorCase{"BtnFace", clBtnFace, 0xF0F0F0},
                      TColorCase{"Window", 0x80000005, 0xFFFFFF},
                      TColorCase{"Highlight", 0x8000000D, 0x0078D7},
                      TColorCase{"UnknownSystemColour", 0x800000FF, 0}),
    [](const auto& c) { return std::string(c.param.Name); });

TEST(SurfaceLocking, NestedLocksAreCountedAndSeeTheSamePixels)
{
    TDirectDraw device;
    auto surface = MakeSurface(device, 6, 4, 0);
    TLockedPixels outer;
    ASSERT_TRUE(surface->LockForReading(outer));
    surface->Write([&](const TLockedPixels& inner) {
        EXPECT_EQ(outer.Bits, inner.Bits);
        EXPECT_EQ(inner.Width, 6);
        EXPECT_EQ(inner.Height, 4);
        inner.Bits[3 * inner.PitchPixels + 5] = 0x0A0B0C;
        return TWritten({5, 3, 6, 4});
    });
    EXPECT_EQ(outer.Bits[3 * outer.PitchPixels + 5], 0x0A0B0Cu);
    EXPECT_EQ(surface->ReadPixel(5, 3), 0x0A0B0Cu);
    surface->Unlock();
    EXPECT_EQ(surface->ReadPixel(5, 3), 0x0A0B0Cu);
}

TEST(SurfaceLosing, LostStorageDrawsNothingUntilRestored)
{
    TDirectDraw device;
    auto target = MakeSurface(device, 20, 20, 0);
    auto source = MakeSurface(device, 5, 5, 0xFFFFFF);
    device.LoseSurfaces();
    EXPECT_TRUE(target->IsLost());
    EXPECT_TRUE(source->IsLost());
    TLockedPixels pixels;
    EXPECT_FALSE(target->LockForReading(pixels));
    EXPECT_EQ(target->ReadPixel(1, 1), 0u);

    ASSERT_TRUE(target->Restore());
    target->FillSolid(0);
    target->DrawSurface(0, 0, source->ClientRect(), source.Get(), false);
    target->DrawSurfaceRotated(10, 10, 5, 5, source->ClientRect(), source.Get(), 0.5, 0.5, false, 0);
    EXPECT_EQ(CountNot(*target, 0), 0);

    ASSERT_TRUE(source->Restore());
    source->FillSolid(0xFFFFFF);
    target->DrawSurface(0, 0, source->ClientRect(), source.Get(), false);
    EXPECT_EQ(CountNot(*target, 0), 25);
}

TEST(SurfaceLosing, ASurfaceWithoutStorageHasNothingToLoseOrRestore)
{
    TDirectDraw device;
    TSurfaceHandle surface = device.CreateSurface();
    surface->MarkLost();
    EXPECT_FALSE(surface->IsLost());
    EXPECT_FALSE(surface->Restore());
}

} // namespace
