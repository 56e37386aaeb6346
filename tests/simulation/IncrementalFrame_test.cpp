// The frame step redraws only what the previous frame drew over; the result must be the full composition.
#include "simulation/Quibo.h"
#include "simulation/headless/HeadlessGame.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::vector<uint32_t> Pixels(TDirectDrawSurface& surface)
{
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(surface.Width()) * static_cast<size_t>(surface.Height()));
    for (int32_t y = 0; y < surface.Height(); ++y)
        for (int32_t x = 0; x < surface.Width(); ++x)
            pixels.push_back(surface.ReadPixel(x, y));
    return pixels;
}

// Both players' tillers change every few ticks; restarts and crashes come on their own schedule.
void PlayTick(THeadlessGame& game, int t)
{
    game.SetTillers(static_cast<TTiller>((t / 23) % 3), static_cast<TTiller>((t / 17 + 1) % 3));
    if (t % 240 == 239)
        game.Race().SpeedButtonStartClick();
    if (t % 240 == 120)
        StartExplosion(*game.Race().Dinghies[t % 480 == 120 ? 0 : 1], game.Race());
    game.Race().DXTimer1Timer(1);
}

class IncrementalFrame : public ::testing::TestWithParam<bool> {};

TEST_P(IncrementalFrame, EveryTickEqualsTheFullCompositionAndPresentsLittle)
{
    const bool debug = GetParam();
    THeadlessGame incremental(debug, 9 * 3600 * 1000);
    THeadlessGame full(debug, 9 * 3600 * 1000);
    full.BackBuffer().SetIncrementalCopies(false);
    for (THeadlessGame* game : {&incremental, &full}) {
        game->Race().WindVariation = 40;
        game->Race().WindSpeed = 20;
    }
    std::mt19937 random(3);
    int64_t copied = 0;
    int64_t presents = 0;
    for (int t = 0; t < 1000; ++t) {
        PlayTick(incremental, t);
        PlayTick(full, t);
        // Probe-like reads between ticks change nothing.
        for (int n = 0; n < 4; ++n) {
            const auto x = static_cast<int32_t>(random() % 1100) - 10;
            const auto y = static_cast<int32_t>(random() % 780) - 10;
            ASSERT_EQ(incremental.BackBuffer().ReadPixel(x, y), full.BackBuffer().ReadPixel(x, y));
        }
        ASSERT_EQ(incremental.Race().Dinghies[0]->Crashed, full.Race().Dinghies[0]->Crashed) << t;
        if (t % 10 == 0 || t % 240 > 236 || t % 240 == 121) {
            ASSERT_EQ(Pixels(incremental.BackBuffer()), Pixels(full.BackBuffer())) << "tick " << t;
        }
        // The window shown to matches the back buffer, though it was given only the changes.
        if (t % 50 == 0) {
            for (int32_t y = 0; y < 750; y += 3)
                for (int32_t x = 0; x < 1076; x += 3)
                    ASSERT_EQ(incremental.Window.LastFramePixel(x, y), incremental.BackBuffer().ReadPixel(x, y))
                        << t << ": " << x << "," << y;
        }
        if (t > 0) {
            copied += incremental.Window.LastCopiedPixels();
            ++presents;
        }
    }
    // Eight sprites and the places they left: far less than the frame's 807,000 pixels a tick.
    EXPECT_LT(copied / presents, 40000) << copied / presents;
}

INSTANTIATE_TEST_SUITE_P(PlainAndDebug, IncrementalFrame, ::testing::Values(false, true));

} // namespace
