#include "SurfaceFixtures.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kKey = 0xFF00FF;

class SurfaceDraw : public ::testing::Test {
protected:
    TDirectDraw device;
    TSurfaceHandle target = MakeSurface(device, 50, 40);
    TSurfaceHandle source = MakePattern(device, 20, 16);

    // Checks that the destination shows source pixel (x - dx, y - dy) over rect and the background elsewhere.
    void ExpectCopy(const TRect& rect, int64_t dx, int64_t dy)
    {
        for (int32_t y = 0; y < target->Height(); ++y) {
            for (int32_t x = 0; x < target->Width(); ++x) {
                const bool inside = x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
                const uint32_t expected = inside ? PatternPixel(static_cast<int32_t>(x - dx), static_cast<int32_t>(y - dy)) : kBackground;
                ASSERT_EQ(target->ReadPixel(x, y), expected) << x << "," << y;
            }
        }
    }
};

struct TClipCase {
    const char* Name;
    int32_t X;
    int32_t Y;
    TRect Src;
    TRect Drawn;
};

class SurfaceDrawClipping : public SurfaceDraw, public ::testing::WithParamInterface<TClipCase> {};

TEST_P(SurfaceDrawClipping, CopiesOnlyWhatBothSurfacesHold)
{
    const TClipCase& c = GetParam();
    target->DrawSurface(c.X, c.Y, c.Src, source.Get(), false);
    ExpectCopy(c.Drawn, int64_t{c.X} - c.Src.Left, int64_t{c.Y} - c.Src.Top);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SurfaceDrawClipping,
    ::testing::Values(TClipCase{"Inside", 3, 4, {2, 3, 12, 9}, {3, 4, 13, 10}},
                      TClipCase{"LeftEdge", -5, 0, {2, 0, 12, 6}, {0, 0, 5, 6}},
                      TClipCase{"TopEdge", 1, -3, {0, 0, 4, 8}, {1, 0, 5, 5}},
                      TClipCase{"RightAndBottomEdge", 45, 36, {0, 0, 20, 16}, {45, 36, 50, 40}},
                      TClipCase{"SourceRectPastTheSource", 0, 0, {15, 10, 30, 30}, {0, 0, 5, 6}},
                      TClipCase{"SourceRectBeforeTheSource", 10, 10, {-4, -2, 6, 3}, {14, 12, 20, 15}},
                      TClipCase{"AtTheWidth", 50, 0, {0, 0, 20, 16}, {}},
                      TClipCase{"PastTheWidth", 51, 0, {0, 0, 20, 16}, {}},
                      TClipCase{"PastTheHeight", 0, 41, {0, 0, 20, 16}, {}},
                      TClipCase{"FarLeft", -25, 0, {0, 0, 20, 16}, {}},
                      TClipCase{"MirroredRect", 5, 5, {10, 0, 2, 16}, {}},
                      TClipCase{"ExtremeLeft", INT32_MIN, INT32_MIN, {0, 0, 20, 16}, {}},
                      TClipCase{"ExtremeRect", 0, 0, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {}},
                      TClipCase{"HugeRect", 0, 0, {0, 0, INT32_MAX, INT32_MAX}, {0, 0, 20, 16}}),
    [](const auto& c) { return std::string(c.param.Name); });

TEST_F(SurfaceDraw, ColumnZeroShowsTheColumnFivePastTheRectWhenDrawnAtMinusFive)
{
    target->DrawSurface(-5, 0, TRect{3, 0, 20, 16}, source.Get(), false);
    for (int32_t y = 0; y < 16; ++y)
        EXPECT_EQ(target->ReadPixel(0, y), PatternPixel(8, y));
}

TEST_F(SurfaceDraw, KeyedDrawsSkipKeyPixelsAndOpaqueDrawsCopyThem)
{
    source->WritePixel(1, 1, kKey);
    source->WritePixel(2, 1, 0xFF000000u | kKey);
    source->WritePixel(3, 1, 0x77008080u);
    source->SetColorKey(kKey);
    for (const bool transparent : {true, false}) {
        target->FillSolid(kBackground);
        target->DrawSurface(0, 0, source->ClientRect(), source.Get(), transparent);
        EXPECT_EQ(target->ReadPixel(1, 1), transparent ? kBackground : kKey);
        EXPECT_EQ(target->ReadPixel(2, 1), transparent ? kBackground : 0xFF000000u | kKey);
        EXPECT_EQ(target->ReadPixel(3, 1), transparent ? 0x008080u : 0x77008080u);
        EXPECT_EQ(target->ReadPixel(4, 1), PatternPixel(4, 1));
    }
}

TEST_F(SurfaceDraw, NothingHappensWithoutASource)
{
    TSurfaceHandle empty = device.CreateSurface();
    target->DrawSurface(0, 0, TRect{0, 0, 5, 5}, empty.Get(), false);
    target->DrawSurface(0, 0, TRect{0, 0, 5, 5}, nullptr, false);
    EXPECT_EQ(CountNot(*target, kBackground), 0);
}

TEST_F(SurfaceDraw, OverlappingCopiesWithinOneSurfaceReadTheOriginalPixels)
{
    for (const bool transparent : {false, true}) {
        for (const int32_t shift : {3, -3}) {
            auto surface = MakePattern(device, 16, 16);
            surface->DrawSurface(4 + shift, 4 + shift, TRect{4, 4, 12, 12}, surface.Get(), transparent);
            for (int32_t y = 4; y < 12; ++y)
                for (int32_t x = 4; x < 12; ++x)
                    ASSERT_EQ(surface->ReadPixel(x + shift, y + shift), PatternPixel(x, y))
                        << transparent << " " << shift << " " << x << "," << y;
        }
    }
}

} // namespace
