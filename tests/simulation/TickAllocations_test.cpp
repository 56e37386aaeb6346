// A processed tick allocates nothing: counted with the program-wide allocation functions of this test program.
#include "simulation/Quibo.h"
#include "simulation/headless/HeadlessGame.h"
#include "tools/ReplayScript.h"
#include "tools/RollbackSyncTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// These functions are the program's allocation functions, so malloc and free are their right partners.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

std::atomic<bool> gCounting{false};
std::atomic<int64_t> gAllocations{0};

} // namespace

void* operator new(std::size_t size)
{
    if (gCounting.load(std::memory_order_relaxed))
        gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

class TickAllocations : public ::testing::TestWithParam<bool> {};

TEST_P(TickAllocations, NoneOverManyTicksWithRestartsAndCrashes)
{
    THeadlessGame game(GetParam(), 10 * 3600 * 1000);
    game.Race().WindVariation = 40;
    game.Race().WindSpeed = 20;
    // Everything a race meets once, before counting: the explosion, a restart, the wind drawing new targets.
    for (int t = 0; t < 60; ++t)
        game.Tick();
    StartExplosion(*game.Race().Dinghies[0], game.Race());
    game.Tick();
    game.Race().SpeedButtonStartClick();

    // The counter sees allocations at all.
    gCounting = true;
    int* volatile probe = new int(1);
    delete probe;
    gCounting = false;
    ASSERT_EQ(gAllocations.exchange(0), 1);

    gCounting = true;
    for (int t = 0; t < 1500; ++t) {
        game.SetTillers(static_cast<TTiller>((t / 19) % 3), static_cast<TTiller>((t / 31) % 3));
        if (t % 300 == 150)
            StartExplosion(*game.Race().Dinghies[1], game.Race());
        if (t % 300 == 299)
            game.Race().SpeedButtonStartClick();
        game.Tick();
    }
    gCounting = false;
    EXPECT_EQ(gAllocations.load(), 0);
    EXPECT_GT(game.Race().ProcessedTicks(), 1500);
}

INSTANTIATE_TEST_SUITE_P(PlainAndDebug, TickAllocations, ::testing::Values(false, true));

TEST(TickAllocations, NoneWhileComputersSailARegatta)
{
    THeadlessGame game(false, 10 * 3600 * 1000);
    game.Commands.ApplyWindSettings({20, 20, 20});
    game.Session.SetHelm(TPlayer::Green, 5);
    game.Session.SetHelm(TPlayer::Red, 1);
    game.Commands.StartRegatta({2, TRegattaRules::Penalties});
    game.Tick();

    gCounting = true;
    for (int t = 0; t < 2500; ++t)
        game.Tick();
    gCounting = false;
    EXPECT_EQ(gAllocations.exchange(0), 0);
    // The computers sailed: over the countdown and round the mark.
    EXPECT_GE(game.Race().Regatta->Dinghy(0).LapsDone + game.Race().Regatta->Dinghy(0).MarkRounded, 1);
}

// The rollback sync test keeps what it runs again in fixed rings: commands given between ticks included.
TEST(TickAllocations, NoneWhileEveryTickIsRolledBackAndRunAgain)
{
    THeadlessGame game(false, 10 * 3600 * 1000);
    TRollbackSyncTest sync(game, 5);
    TReplayPlayer player(game, [] {}, &sync);
    for (const char* text : {"helm green computer 5", "wind 20 20 20", "regatta 1 penalties", "60 1 1"})
        player.Play(ParseReplayLine(text));
    const TReplayLine lines[] = {ParseReplayLine("restart"), ParseReplayLine("wind 30 10 25"),
                                 ParseReplayLine("3 0 2")};

    gCounting = true;
    for (int round = 0; round < 200; ++round)
        for (const TReplayLine& line : lines)
            player.Play(line);
    gCounting = false;
    EXPECT_EQ(gAllocations.exchange(0), 0);
    EXPECT_EQ(sync.FirstMismatch(), 0);
    EXPECT_EQ(sync.TicksChecked(), game.Race().ProcessedTicks());
}

} // namespace
