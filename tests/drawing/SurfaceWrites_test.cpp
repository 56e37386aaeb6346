// Every write reports what it changed, exactly: a presenter repaints only the reported area, so a write that
// reports too little leaves stale pixels on the screen.
#include "SurfaceFixtures.h"
#include "TestGraphic.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int32_t kWidth = 32;
constexpr int32_t kHeight = 24;

struct TSurfaces {
    TDirectDraw Device;
    TSurfaceHandle Target = MakeSurface(Device, kWidth, kHeight);
    TSurfaceHandle Sprite = MakePattern(Device, 8, 6);
    TSurfaceHandle Background = MakePattern(Device, 40, 30);
};

using TStep = std::function<void(TSurfaces&)>;

struct TWriteCase {
    const char* Name;
    // Runs before the changes are forgotten.
    TStep Prepare;
    TStep Write;
    bool All;
    std::vector<TRect> Rects;
};

class SurfaceWrites : public testing::TestWithParam<TWriteCase> {};

TEST_P(SurfaceWrites, ReportExactlyWhatTheyChanged)
{
    const TWriteCase& c = GetParam();
    TSurfaces s;
    s.Sprite->SetColorKey(PatternPixel(1, 1));
    if (c.Prepare)
        c.Prepare(s);
    s.Target->ForgetChanges();
    const std::vector<uint32_t> before = Snapshot(*s.Target);
    c.Write(s);
    const std::vector<uint32_t> after = Snapshot(*s.Target);

    const TChangedArea& changes = s.Target->Changes();
    EXPECT_EQ(changes.All(), c.All);
    EXPECT_EQ(std::vector<TRect>(changes.Rects().begin(), changes.Rects().end()), c.Rects);
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const size_t i = static_cast<size_t>(y * kWidth + x);
            if (before[i] == after[i] || changes.All())
                continue;
            bool covered = false;
            for (const TRect& r : changes.Rects())
                covered = covered || (r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom);
            EXPECT_TRUE(covered) << "pixel (" << x << "," << y << ") changed unreported";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Writes, SurfaceWrites,
    testing::Values(
        TWriteCase{"WritePixel", nullptr, [](TSurfaces& s) { s.Target->WritePixel(5, 7, 0xFFFFFF); }, false,
                   {{5, 7, 6, 8}}},
        TWriteCase{"WritePixelOutside", nullptr, [](TSurfaces& s) { s.Target->WritePixel(kWidth, 0, 0xFFFFFF); },
                   false, {}},
        TWriteCase{"FillSolid", nullptr, [](TSurfaces& s) { s.Target->FillSolid(0); }, true, {}},
        TWriteCase{"LoadPictureRect", nullptr,
                   [](TSurfaces& s) { s.Target->LoadPictureRect(CodedPicture(40, 30), 0, 0, {2, 3, 34, 27}); },
                   true, {}},
        TWriteCase{"OpaqueCopy", nullptr,
                   [](TSurfaces& s) { s.Target->DrawSurface(3, 4, s.Sprite->ClientRect(), s.Sprite.Get(), false); },
                   false, {{3, 4, 11, 10}}},
        TWriteCase{"KeyedCopy", nullptr,
                   [](TSurfaces& s) { s.Target->DrawSurface(3, 4, s.Sprite->ClientRect(), s.Sprite.Get(), true); },
                   false, {{3, 4, 11, 10}}},
        TWriteCase{"ClippedCopy", nullptr,
                   [](TSurfaces& s) {
                       s.Target->DrawSurface(28, -2, s.Sprite->ClientRect(), s.Sprite.Get(), false);
                   },
                   false, {{28, 0, 32, 4}}},
        TWriteCase{"CopyBeyondTheEdge", nullptr,
                   [](TSurfaces& s) {
                       s.Target->DrawSurface(kWidth + 1, 0, s.Sprite->ClientRect(), s.Sprite.Get(), false);
                   },
                   false, {}},
        TWriteCase{"WholeCopy", nullptr,
                   [](TSurfaces& s) {
                       s.Target->DrawSurface(0, 0, s.Background->ClientRect(), s.Background.Get(), false);
                   },
                   true, {}},
        TWriteCase{"WholeCopyAgainRedrawsWhatWasDrawnOver",
                   [](TSurfaces& s) {
                       s.Target->DrawSurface(0, 0, s.Background->ClientRect(), s.Background.Get(), false);
                       s.Target->WritePixel(2, 3, 0xFFFFFF);
                       s.Target->DrawSurface(20, 10, s.Sprite->ClientRect(), s.Sprite.Get(), true);
                   },
                   [](TSurfaces& s) {
                       s.Target->DrawSurface(0, 0, s.Background->ClientRect(), s.Background.Get(), false);
                   },
                   false, {{2, 3, 3, 4}, {20, 10, 28, 16}}},
        TWriteCase{"Rotated",
                   nullptr,
                   [](TSurfaces& s) {
                       s.Target->DrawSurfaceRotated(10, 10, 8, 6, s.Sprite->ClientRect(), s.Sprite.Get(), 0.5, 0.5,
                                                    false, 0);
                   },
                   false, {{6, 7, 14, 13}}},
        TWriteCase{"RotatedOutside",
                   nullptr,
                   [](TSurfaces& s) {
                       s.Target->DrawSurfaceRotated(-50, 10, 8, 6, s.Sprite->ClientRect(), s.Sprite.Get(), 0.5,
                                                    0.5, false, 0);
                   },
                   false, {}},
        TWriteCase{"DirectWrite",
                   nullptr,
                   [](TSurfaces& s) {
                       s.Target->Write([](const TLockedPixels& pixels) {
                           pixels.Bits[4 * pixels.PitchPixels + 9] = 0xFFFFFF;
                           return TWritten({9, 4, 10, 5});
                       });
                   },
                   false, {{9, 4, 10, 5}}}),
    [](const auto& c) { return std::string(c.param.Name); });

TEST(SurfaceWrite, AWriterThatFailsReportsTheWholeSurface)
{
    TDirectDraw device;
    auto surface = MakeSurface(device, 6, 4);
    surface->ForgetChanges();
    EXPECT_THROW(surface->Write([](const TLockedPixels& pixels) -> TWritten {
        pixels.Bits[0] = 0;
        throw std::runtime_error("half done");
    }),
                 std::runtime_error);
    EXPECT_TRUE(surface->Changes().All());
}

TEST(SurfaceWrite, ALostSurfaceIsNotWrittenAndReportsNothingNew)
{
    TDirectDraw device;
    auto surface = MakeSurface(device, 6, 4);
    surface->MarkLost();
    surface->ForgetChanges();
    bool called = false;
    surface->Write([&](const TLockedPixels&) {
        called = true;
        return TWritten::Whole();
    });
    surface->WritePixel(1, 1, 7);
    surface->FillSolid(7);
    EXPECT_FALSE(called);
    EXPECT_TRUE(surface->Changes().Empty());
}

} // namespace
