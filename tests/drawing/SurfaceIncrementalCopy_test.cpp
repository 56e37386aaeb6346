// A whole-surface copy repeated from the same unchanged source redraws only what was drawn over since; every
// sequence of operations must leave the same pixels as plain copies do.
#include "SurfaceFixtures.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(SurfaceIncrementalCopy, RandomOperationsLeaveTheSamePixelsAsPlainCopies)
{
    std::mt19937 random(41);
    TDirectDraw device;
    auto background = MakePattern(device, 40, 30);
    auto sprite = MakePattern(device, 7, 5);
    sprite->SetColorKey(PatternPixel(3, 2));
    auto fast = MakeSurface(device, 32, 24);
    auto slow = MakeSurface(device, 32, 24);
    slow->SetIncrementalCopies(false);
    int redraws = 0;
    for (int n = 0; n < 5000; ++n) {
        const auto x = static_cast<int32_t>(random() % 40) - 4;
        const auto y = static_cast<int32_t>(random() % 30) - 4;
        const auto pick = random() % 20;
        for (TDirectDrawSurface* target : {fast.Get(), slow.Get()}) {
            if (pick < 6)
                // The background at one of two places in its source: a change of place is a new copy.
                target->DrawSurface(0, 0, {static_cast<int32_t>(pick % 2), 0, 40, 30}, background.Get(), false);
            else if (pick < 10)
                target->DrawSurfaceRotated(x, y, 7, 5, sprite->ClientRect(), sprite.Get(), 0.5, 0.5, true,
                                           static_cast<int32_t>(pick * 29));
            else if (pick < 13)
                target->DrawSurface(x, y, sprite->ClientRect(), sprite.Get(), pick % 2 == 0);
            else if (pick < 17)
                target->WritePixel(x, y, 0xFFFFFF);
            else if (pick == 17)
                target->DrawSurface(x, y, {0, 0, 10, 10}, background.Get(), false);
            else if (pick == 18)
                target->FillSolid(0x0000FF);
            else {
                // A direct write reports only the rectangle it names; the next copy must still redraw it.
                target->Write([&](const TLockedPixels& pixels) {
                    pixels.Bits[(y & 15) * pixels.PitchPixels + (x & 15)] = 0x00FF00;
                    return TWritten({x & 15, y & 15, (x & 15) + 1, (y & 15) + 1});
                });
            }
        }
        if (pick == 19 && n % 7 == 0)
            // The source itself changes: the next copy must not rely on what it held before.
            background->WritePixel(x & 31, y & 15, 0xABCDEF);
        redraws += pick < 6;
        ASSERT_EQ(Snapshot(*fast), Snapshot(*slow)) << "step " << n << " operation " << pick;
    }
    EXPECT_GT(redraws, 1000);
}

} // namespace
