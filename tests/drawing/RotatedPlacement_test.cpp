#include "SurfaceFixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <utility>

namespace {

constexpr int32_t kTargetSize = 200;
constexpr int32_t kX = 100;
constexpr int32_t kY = 100;

using TExpected = std::map<std::pair<int32_t, int32_t>, uint32_t>;

struct TPlacementCase {
    const char* Name;
    int32_t PatternW;
    int32_t PatternH;
    int32_t W;
    int32_t H;
    double PivotX;
    double PivotY;
    int32_t Angle;
    int32_t X;
    int32_t Y;
    size_t Count;
    std::function<void(TExpected&, int32_t x, int32_t y)> Fill;
};

// Test logs name the case instead of dumping its bytes.
void PrintTo(const TPlacementCase& c, std::ostream* os)
{
    *os << c.Name;
}

class RotatedPlacement : public ::testing::TestWithParam<TPlacementCase> {};

TEST_P(RotatedPlacement, EveryPatternPixelLandsWhereExpected)
{
    const TPlacementCase& c = GetParam();
    TDirectDraw device;
    auto target = MakeSurface(device, kTargetSize, kTargetSize);
    auto pattern = MakePattern(device, c.PatternW, c.PatternH);
    target->DrawSurfaceRotated(c.X, c.Y, c.W, c.H, pattern->ClientRect(), pattern.Get(), c.PivotX, c.PivotY, false,
                               c.Angle);

    TExpected expected;
    c.Fill(expected, c.X, c.Y);
    size_t visible = 0;
    for (int32_t y = 0; y < kTargetSize; ++y) {
        for (int32_t x = 0; x < kTargetSize; ++x) {
            const auto at = expected.find({x, y});
            const uint32_t want = at == expected.end() ? kBackground : at->second;
            visible += at == expected.end() ? 0 : 1;
            ASSERT_EQ(target->ReadPixel(x, y), want) << x << "," << y;
        }
    }
    EXPECT_EQ(visible, c.Count);
}

void Upright(TExpected& e, int32_t x, int32_t y)
{
    for (int32_t j = 0; j < 57; ++j)
        for (int32_t i = 0; i < 30; ++i)
            e[{x - 15 + i, y - 57 + j}] = PatternPixel(i, j);
}

void Clipped(TExpected& e, int32_t x, int32_t y)
{
    Upright(e, x, y);
    std::erase_if(e, [](const auto& entry) { return entry.first.first < 0; });
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RotatedPlacement,
    ::testing::Values(
        TPlacementCase{"Upright", 30, 57, 30, 57, 0.5, 1.0, 0, kX, kY, 1710, Upright},
        TPlacementCase{"QuarterTurn", 30, 57, 30, 57, 0.5, 1.0, 64, kX, kY, 1680,
                       [](TExpected& e, int32_t x, int32_t y) {
                           for (int32_t j = 1; j < 57; ++j)
                               for (int32_t i = 0; i < 30; ++i)
                                   e[{x + 57 - j, y - 15 + i}] = PatternPixel(i, j);
                       }},
        TPlacementCase{"HalfTurn", 30, 57, 30, 57, 0.5, 1.0, 128, kX, kY, 1624,
                       [](TExpected& e, int32_t x, int32_t y) {
                           for (int32_t j = 1; j < 57; ++j)
                               for (int32_t i = 1; i < 30; ++i)
                                   e[{x + 15 - i, y + 57 - j}] = PatternPixel(i, j);
                       }},
        TPlacementCase{"CentredPivot", 15, 15, 15, 15, 0.5, 0.5, 0, kX, kY, 196,
                       [](TExpected& e, int32_t x, int32_t y) {
                           for (int32_t j = 0; j < 14; ++j)
                               for (int32_t i = 0; i < 14; ++i)
                                   e[{x - 7 + i, y - 7 + j}] = PatternPixel(i, j);
                       }},
        TPlacementCase{"DoubleSize", 15, 15, 30, 30, 0.5, 0.5, 0, kX, kY, 900,
                       [](TExpected& e, int32_t x, int32_t y) {
                           for (int32_t j = 0; j < 30; ++j)
                               for (int32_t i = 0; i < 30; ++i)
                                   e[{x - 15 + i, y - 15 + j}] = PatternPixel(i / 2, j / 2);
                       }},
        TPlacementCase{"ClippedAtTheLeft", 30, 57, 30, 57, 0.5, 1.0, 0, 3, kY, 18 * 57, Clipped}),
    [](const auto& c) { return std::string(c.param.Name); });

class RotatedDraw : public ::testing::Test {
protected:
    TDirectDraw device;
    TSurfaceHandle target = MakeSurface(device, kTargetSize, kTargetSize);
    TSurfaceHandle pattern = MakePattern(device, 30, 57);

    std::vector<uint32_t> Draw(int32_t angle, const TRect& srcRect, int32_t x = kX, int32_t w = 30, int32_t h = 57)
    {
        target->FillSolid(kBackground);
        target->DrawSurfaceRotated(x, kY, w, h, srcRect, pattern.Get(), 0.5, 1.0, false, angle);
        return Snapshot(*target);
    }
};

TEST_F(RotatedDraw, ColumnZeroOfAClippedDrawShowsPatternColumnTwelve)
{
    Draw(0, pattern->ClientRect(), 3);
    for (int32_t j = 0; j < 57; ++j)
        EXPECT_EQ(target->ReadPixel(0, kY - 57 + j), PatternPixel(12, j));
    EXPECT_EQ(target->ReadPixel(18, kY - 57), kBackground);
}

TEST_F(RotatedDraw, AnglesRepeatEveryFullTurn)
{
    const std::pair<int32_t, int32_t> same[] = {{0, 256},   {192, -64},        {64, 512 + 64},
                                                {0, INT32_MIN}, {255, INT32_MAX}, {37, 37 - 256 * 1000}};
    for (const auto& [a, b] : same)
        EXPECT_EQ(Draw(a, pattern->ClientRect()), Draw(b, pattern->ClientRect())) << a << " " << b;
}

TEST_F(RotatedDraw, EveryTurnDrawsSomethingAndOnlyPatternPixels)
{
    for (int32_t angle = 0; angle < 256; ++angle) {
        Draw(angle, pattern->ClientRect());
        int drawn = 0;
        for (const uint32_t pixel : Snapshot(*target)) {
            if (pixel == kBackground)
                continue;
            ++drawn;
            ASSERT_EQ(pixel & 0xFF0000u, 0x400000u) << angle;
            ASSERT_LT(pixel & 0xFFu, 30u) << angle;
            ASSERT_LT((pixel >> 8) & 0xFFu, 57u) << angle;
        }
        // A turned copy loses at most one pixel along each edge.
        EXPECT_GT(drawn, 28 * 55 * 9 / 10) << angle;
        EXPECT_LT(drawn, 30 * 57 * 11 / 10) << angle;
    }
}

struct TNothingCase {
    const char* Name;
    int32_t X;
    int32_t W;
    int32_t H;
    TRect Src;
};

class RotatedDrawsNothing : public RotatedDraw, public ::testing::WithParamInterface<TNothingCase> {};

TEST_P(RotatedDrawsNothing, LeavesTheTargetUntouched)
{
    const TNothingCase& c = GetParam();
    for (const int32_t angle : {0, 64, 100}) {
        Draw(angle, c.Src, c.X, c.W, c.H);
        EXPECT_EQ(CountNot(*target, kBackground), 0) << angle;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RotatedDrawsNothing,
                         ::testing::Values(TNothingCase{"FarLeft", -100, 30, 57, {0, 0, 30, 57}},
                                           TNothingCase{"FarRight", kTargetSize + 100, 30, 57, {0, 0, 30, 57}},
                                           TNothingCase{"ZeroWidth", kX, 0, 57, {0, 0, 30, 57}},
                                           TNothingCase{"ZeroHeight", kX, 30, 0, {0, 0, 30, 57}},
                                           TNothingCase{"RectPastTheRight", kX, 30, 57, {0, 0, 31, 57}},
                                           TNothingCase{"RectPastTheBottom", kX, 30, 57, {0, 0, 30, 58}},
                                           TNothingCase{"RectBeforeTheLeft", kX, 30, 57, {-1, 0, 30, 57}},
                                           TNothingCase{"RectAboveTheTop", kX, 30, 57, {0, -1, 30, 57}},
                                           TNothingCase{"EmptyRect", kX, 30, 57, {5, 0, 5, 57}},
                                           TNothingCase{"MirroredRect", kX, 30, 57, {30, 0, 0, 57}}),
                         [](const auto& c) { return std::string(c.param.Name); });

TEST_F(RotatedDraw, NothingIsDrawnWithoutStorageOnEitherSide)
{
    TSurfaceHandle empty = device.CreateSurface();
    target->DrawSurfaceRotated(kX, kY, 30, 57, TRect{0, 0, 30, 57}, empty.Get(), 0.5, 1.0, false, 0);
    target->DrawSurfaceRotated(kX, kY, 30, 57, TRect{0, 0, 30, 57}, nullptr, 0.5, 1.0, false, 0);
    EXPECT_EQ(CountNot(*target, kBackground), 0);
    empty->DrawSurfaceRotated(0, 0, 30, 57, pattern->ClientRect(), pattern.Get(), 0.5, 1.0, false, 0);
    EXPECT_FALSE(empty->HasStorage());
}

struct TMarkerCase {
    int32_t Angle;
    bool Transparent;
};

class RotatedMarkers : public RotatedDraw, public ::testing::WithParamInterface<TMarkerCase> {};

TEST_P(RotatedMarkers, ArriveBitForBitAndKeyPixelsOnlySkipWhenKeyed)
{
    const TMarkerCase& c = GetParam();
    const uint32_t key = 0xFF00FF;
    const std::pair<int32_t, uint32_t> written[] = {
        {5, 0x008080}, {6, 0xFF0000}, {7, 0xFFFF00}, {8, key}, {9, 0xAA000000u | key}, {10, 0xAA008080u}};
    for (const auto& [i, value] : written)
        pattern->WritePixel(i, 20, value);
    pattern->SetColorKey(key);
    target->FillSolid(kBackground);
    target->DrawSurfaceRotated(kX, kY, 30, 57, pattern->ClientRect(), pattern.Get(), 0.5, 1.0, c.Transparent,
                               c.Angle);
    for (const auto& [i, value] : written) {
        // Where pattern pixel (i, 20) lands at these angles.
        const int32_t x = c.Angle == 0 ? kX - 15 + i : kX + 15 - i;
        const int32_t y = c.Angle == 0 ? kY - 57 + 20 : kY + 57 - 20;
        const bool isKey = (value & 0xFFFFFFu) == key;
        const uint32_t want = !c.Transparent ? value : isKey ? kBackground : value & 0xFFFFFFu;
        EXPECT_EQ(target->ReadPixel(x, y), want) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RotatedMarkers,
                         ::testing::Values(TMarkerCase{0, true}, TMarkerCase{0, false}, TMarkerCase{128, true},
                                           TMarkerCase{128, false}));

} // namespace
