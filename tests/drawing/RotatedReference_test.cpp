#include "ReferenceRenderer.h"
#include "SurfaceFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

namespace {

std::string Describe(const TRotatedCall& c, int32_t dw, int32_t dh)
{
    std::ostringstream out;
    out.precision(17);
    out << "target " << dw << "x" << dh << " at (" << c.X << "," << c.Y << ") size " << c.W << "x" << c.H
        << " rect (" << c.SrcRect.Left << "," << c.SrcRect.Top << "," << c.SrcRect.Right << "," << c.SrcRect.Bottom
        << ") pivot (" << c.PivotX << "," << c.PivotY << ") angle " << c.Angle << " keyed " << c.Transparent;
    return out.str();
}

bool Covers(const TChangedArea& area, int32_t x, int32_t y)
{
    if (area.All())
        return true;
    for (const TRect& r : area.Rects())
        if (r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom)
            return true;
    return false;
}

// Draws the call with the renderer and with the reference onto two equal targets and compares every pixel;
// every pixel the draw changed must lie in the changes the target reports. Returns how many pixels the reference
// changed, and whether any of them is on the target's edge.
int CompareWithReference(TDirectDraw& device, TDirectDrawSurface& source, int32_t dw, int32_t dh,
                         const TRotatedCall& call, std::mt19937& random, bool* onEdge = nullptr)
{
    auto fast = MakeSurface(device, dw, dh);
    auto slow = MakeSurface(device, dw, dh);
    fast->Write([&](const TLockedPixels& a) {
        slow->Write([&](const TLockedPixels& b) {
            for (int32_t y = 0; y < dh; ++y)
                for (int32_t x = 0; x < dw; ++x)
                    a.Bits[y * a.PitchPixels + x] = b.Bits[y * b.PitchPixels + x] = static_cast<uint32_t>(random());
            return TWritten::Whole();
        });
        return TWritten::Whole();
    });
    const auto before = Snapshot(*slow);
    fast->ForgetChanges();
    fast->DrawSurfaceRotated(call.X, call.Y, call.W, call.H, call.SrcRect, &source, call.PivotX, call.PivotY,
                             call.Transparent, call.Angle);
    ReferenceDrawRotated(*slow, source, call);
    const auto expected = Snapshot(*slow);
    const auto actual = Snapshot(*fast);
    for (size_t i = 0; i < expected.size(); ++i) {
        if (actual[i] != expected[i]) {
            ADD_FAILURE() << Describe(call, dw, dh) << ": pixel (" << i % static_cast<size_t>(dw) << ","
                          << i / static_cast<size_t>(dw) << ") is " << std::hex << actual[i] << ", expected "
                          << expected[i];
            return -1;
        }
    }
    int changed = 0;
    bool edge = false;
    for (int32_t y = 0; y < dh; ++y) {
        for (int32_t x = 0; x < dw; ++x) {
            const size_t i = static_cast<size_t>(y) * static_cast<size_t>(dw) + static_cast<size_t>(x);
            if (expected[i] == before[i])
                continue;
            ++changed;
            edge = edge || x == 0 || y == 0 || x == dw - 1 || y == dh - 1;
            if (!Covers(fast->Changes(), x, y)) {
                ADD_FAILURE() << Describe(call, dw, dh) << ": pixel (" << x << "," << y
                              << ") changed outside the reported changes";
                return -1;
            }
        }
    }
    if (onEdge)
        *onEdge = edge;
    return changed;
}

// Source pixels from a small palette with random top bytes, so that keys and near-keys occur often.
TSurfaceHandle RandomSource(TDirectDraw& device, int32_t w, int32_t h, std::mt19937& random)
{
    const uint32_t palette[] = {0xFF00FF, 0x008080, 0xFF0000, 0xFFFF00, 0x000000, 0xFFFFFF};
    TSurfaceHandle source = MakeSurface(device, w, h);
    source->Write([&](const TLockedPixels& pixels) {
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                pixels.Bits[y * pixels.PitchPixels + x] =
                    static_cast<uint32_t>((random() % 2 ? palette[random() % 6] : random() & 0xFFFFFF) |
                                          (random() % 4 == 0 ? random() & 0xFF000000u : 0));
        return TWritten::Whole();
    });
    source->SetColorKey(palette[0] | (random() % 2 ? 0xFF000000u : 0));
    return source;
}

int32_t Between(std::mt19937& random, int32_t low, int32_t high)
{
    return std::uniform_int_distribution<int32_t>(low, high)(random);
}

double Pivot(std::mt19937& random)
{
    const double nice[] = {0.0, 0.5, 1.0, 0.25};
    return random() % 2 ? nice[random() % 4] : std::uniform_real_distribution<double>(-0.5, 1.5)(random);
}

int32_t Size(std::mt19937& random, int32_t natural)
{
    switch (random() % 5) {
    case 0:
        return -Between(random, 1, 60);
    case 1:
    case 2:
        return Between(random, 1, 80);
    default:
        return natural;
    }
}

TEST(RotatedReference, RandomDrawsMatchPixelForPixel)
{
    std::mt19937 random(20240611);
    TDirectDraw device;
    int drawing = 0;
    for (int n = 0; n < 3000; ++n) {
        const int32_t sw = Between(random, 1, 40);
        const int32_t sh = Between(random, 1, 40);
        auto source = RandomSource(device, sw, sh, random);
        TRotatedCall call;
        call.SrcRect.Left = Between(random, 0, sw / 2);
        call.SrcRect.Right = Between(random, std::max(call.SrcRect.Left + 1, sw / 2), sw);
        call.SrcRect.Top = Between(random, 0, sh / 2);
        call.SrcRect.Bottom = Between(random, std::max(call.SrcRect.Top + 1, sh / 2), sh);
        call.W = Size(random, call.SrcRect.Width());
        call.H = Size(random, call.SrcRect.Height());
        call.PivotX = Pivot(random);
        call.PivotY = Pivot(random);
        call.Angle = random() % 3 == 0 ? 64 * Between(random, -8, 8) : Between(random, -1000, 1000);
        call.Transparent = random() % 2 == 0;
        const int32_t dw = Between(random, 1, 64);
        const int32_t dh = Between(random, 1, 64);
        call.X = Between(random, -10, dw + 10);
        call.Y = Between(random, -10, dh + 10);
        const int changed = CompareWithReference(device, *source, dw, dh, call, random);
        if (changed < 0)
            return;
        drawing += changed > 0 ? 1 : 0;
    }
    // The cases must mostly reach the target, or the comparison proves little.
    EXPECT_GT(drawing, 1200) << drawing;
}

TEST(RotatedReference, GameSizedDrawsMatchPixelForPixel)
{
    std::mt19937 random(7);
    TDirectDraw device;
    auto source = RandomSource(device, 30, 57 * 4, random);
    for (int n = 0; n < 40; ++n) {
        TRotatedCall call;
        const int32_t pattern = Between(random, 0, 3);
        call.SrcRect = {0, 57 * pattern, 30, 57 * (pattern + 1)};
        call.W = 30;
        call.H = 57;
        call.PivotX = 0.5;
        call.PivotY = 1.0;
        call.Angle = Between(random, 0, 255);
        call.Transparent = true;
        call.X = Between(random, -40, 1116);
        call.Y = Between(random, -40, 790);
        if (CompareWithReference(device, *source, 1076, 750, call, random) < 0)
            return;
    }
}

TEST(RotatedReference, OneShapeDrawsAlikeWhereverItGoes)
{
    // A shape drawn again and again is drawn from spans planned once; wherever the target clips it, they are
    // planned row by row. Each shape sweeps across a small target, in and out over every edge, and every draw
    // must match the reference and report every pixel it changed.
    const struct {
        int32_t Sw, Sh, W, H;
        double PivotX, PivotY;
        int32_t Angle;
    } shapes[] = {{30, 57, 30, 57, 0.5, 1.0, 0},    {30, 57, 30, 57, 0.5, 1.0, 26},  {30, 57, 30, 57, 0.5, 1.0, 64},
                  {30, 57, 30, 57, 0.5, 1.0, 213},  {30, 57, 30, 57, 0.5, 1.0, 1},   {39, 40, 39, 40, 0.0, 0.0, 122},
                  {15, 15, 15, 15, 0.5, 0.5, 7},    {30, 57, 45, 38, 0.3, 0.7, 90},  {30, 57, -30, 57, 0.5, 1.0, 26},
                  {41, 41, -41, -41, 0.5, 0.5, 200}, {9, 20, 3, 70, 1.2, -0.4, 171}, {12, 12, 400, 5, 0.5, 0.5, 33}};
    constexpr int32_t dw = 100;
    constexpr int32_t dh = 90;
    std::mt19937 random(5);
    TDirectDraw device;
    int whole = 0;
    int clipped = 0;
    for (const auto& shape : shapes) {
        auto source = RandomSource(device, shape.Sw + 4, shape.Sh + 3, random);
        TRotatedCall call;
        call.SrcRect = {2, 1, 2 + shape.Sw, 1 + shape.Sh};
        call.W = shape.W;
        call.H = shape.H;
        call.PivotX = shape.PivotX;
        call.PivotY = shape.PivotY;
        call.Angle = shape.Angle;
        call.Transparent = true;
        for (call.Y = -70; call.Y < dh + 70; call.Y += 11) {
            for (call.X = -50; call.X < dw + 50; call.X += 9) {
                bool edge = false;
                const int changed = CompareWithReference(device, *source, dw, dh, call, random, &edge);
                if (changed < 0)
                    return;
                whole += changed > 0 && !edge ? 1 : 0;
                clipped += changed > 0 && edge ? 1 : 0;
            }
        }
    }
    // Both ways must have been taken often.
    EXPECT_GT(whole, 150) << whole;
    EXPECT_GT(clipped, 400) << clipped;
}

TEST(RotatedReference, ASweepFromTheRightKeepsNoSpanTheEdgeCutShort)
{
    // Shapes whose spans pass their box's right edge by a pixel or two, swept in from the right one pixel at a
    // time: the first draw whose box the target does not clip has such a span cut short by the target's edge,
    // and every later draw, with room for the whole span, must still draw it whole.
    const struct {
        int32_t Sw, Sh, W, H;
        double PivotX, PivotY;
        int32_t Angle;
    } shapes[] = {{28, 30, 28, 30, 0.235, 0.379, 20},
                  {19, 40, 19, 55, 0.5, 0.5, 170},
                  {37, 19, -37, 19, 0.814, 0.688, 157},
                  {32, 37, 46, 37, 0.5, 0.009, 186}};
    std::mt19937 random(17);
    TDirectDraw device;
    for (const auto& shape : shapes) {
        auto source = RandomSource(device, shape.Sw, shape.Sh, random);
        TRotatedCall call;
        call.SrcRect = {0, 0, shape.Sw, shape.Sh};
        call.W = shape.W;
        call.H = shape.H;
        call.PivotX = shape.PivotX;
        call.PivotY = shape.PivotY;
        call.Angle = shape.Angle;
        call.Transparent = random() % 2 == 0;
        call.Y = 60;
        for (call.X = 160; call.X > 40; --call.X)
            if (CompareWithReference(device, *source, 120, 120, call, random) < 0)
                return;
    }
}

TEST(RotatedReference, WholePixelStepsMatchAtEveryQuarterTurn)
{
    // Unit scale at whole and quarter turns walks the source by whole pixels; mirrored sizes walk it backwards.
    // Widths around multiples of four cover the blocks and the tail of the keyed row copy.
    const int32_t angles[] = {-512, -256, -192, -128, -64, 0, 64, 128, 192, 256, 320, 448};
    const struct {
        int32_t Sw, Sh, W, H;
    } sizes[] = {{30, 57, 30, 57}, {30, 57, -30, -57}, {15, 15, -15, 15}, {4, 9, 4, 9},  {5, 3, 5, -3},
                 {7, 8, 7, 8},     {1, 12, 1, 12},    {37, 2, 37, 2},    {9, 33, -9, 33}, {41, 41, 41, 41}};
    std::mt19937 random(64);
    TDirectDraw device;
    int drawing = 0;
    for (const auto& size : sizes) {
        auto source = RandomSource(device, size.Sw + 3, size.Sh + 2, random);
        for (const int32_t angle : angles) {
            for (int n = 0; n < 6; ++n) {
                TRotatedCall call;
                call.SrcRect = {Between(random, 0, 3), Between(random, 0, 2), 0, 0};
                call.SrcRect.Right = call.SrcRect.Left + size.Sw;
                call.SrcRect.Bottom = call.SrcRect.Top + size.Sh;
                call.W = size.W;
                call.H = size.H;
                call.PivotX = Pivot(random);
                call.PivotY = Pivot(random);
                call.Angle = angle;
                call.Transparent = n % 3 != 0;
                call.X = Between(random, -20, 84);
                call.Y = Between(random, -20, 84);
                const int changed = CompareWithReference(device, *source, 64, 64, call, random);
                if (changed < 0)
                    return;
                drawing += changed > 0 ? 1 : 0;
            }
        }
    }
    EXPECT_GT(drawing, 300) << drawing;
}

TEST(RotatedReference, ASurfaceDrawnOntoItselfReadsWhatItHasJustWritten)
{
    // Pixel by pixel, row by row, as the reference does it: no block copy may read ahead of its own writes.
    std::mt19937 random(11);
    TDirectDraw device;
    for (int n = 0; n < 400; ++n) {
        auto fast = RandomSource(device, 40, 40, random);
        auto slow = MakeSurface(device, 40, 40);
        slow->DrawSurface(0, 0, fast->ClientRect(), fast.Get(), false);
        slow->SetColorKey(fast->ColorKey());
        TRotatedCall call;
        call.SrcRect = {Between(random, 0, 10), Between(random, 0, 10), Between(random, 20, 40),
                        Between(random, 20, 40)};
        call.W = random() % 2 ? call.SrcRect.Width() : Size(random, call.SrcRect.Width());
        call.H = random() % 2 ? call.SrcRect.Height() : Size(random, call.SrcRect.Height());
        call.PivotX = Pivot(random);
        call.PivotY = Pivot(random);
        call.Angle = random() % 2 ? 64 * Between(random, -4, 4) : Between(random, -300, 300);
        call.Transparent = random() % 2 == 0;
        call.X = Between(random, -5, 45);
        call.Y = Between(random, -5, 45);
        fast->DrawSurfaceRotated(call.X, call.Y, call.W, call.H, call.SrcRect, fast.Get(), call.PivotX,
                                 call.PivotY, call.Transparent, call.Angle);
        ReferenceDrawRotated(*slow, *slow, call);
        ASSERT_EQ(Snapshot(*fast), Snapshot(*slow)) << Describe(call, 40, 40);
    }
}

TEST(RotatedReference, PositionsBeyondSixtyFourBitsStillDrawTheRightPixels)
{
    // A one pixel wide, very long picture from a very wide source, turned so that it crosses a very wide
    // target near its right end: the source position at the start of the row lies beyond 2^60.
    std::mt19937 random(3);
    TDirectDraw device;
    const int32_t wide = 1 << 23;
    auto source = RandomSource(device, wide, 1, random);
    TRotatedCall call;
    call.SrcRect = {0, 0, wide, 1};
    call.W = 1;
    call.H = INT32_MAX;
    call.Angle = 40;
    call.X = wide + wide / 2;
    const int64_t c = static_cast<int64_t>(65536.0 * CosOfAngle(-call.Angle));
    const int64_t s = static_cast<int64_t>(65536.0 * SinOfAngle(-call.Angle));
    const int64_t du = int64_t{wide} * c;
    const int64_t eu = int64_t{wide} * s;
    // Chosen so that the middle of the source falls on the row a hundred pixels before the right end.
    const int64_t crossing = wide - 100;
    call.Y = static_cast<int32_t>((int64_t{wide} * 32768 - (crossing - call.X) * du) / eu);
    ASSERT_GT((crossing - 0) * du, int64_t{1} << 60);
    EXPECT_GT(CompareWithReference(device, *source, wide, 1, call, random), 0);
}

} // namespace
