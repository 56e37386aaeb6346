#include "platform/sdl/SoundRequests.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TSound SoundNumber(size_t n)
{
    return static_cast<TSound>(n % SoundCount);
}

TEST(SoundRequests, FirstInFirstOutUpToItsCapacityAcrossTheWrap)
{
    TSoundRequests requests;
    TSound taken;
    EXPECT_FALSE(requests.Take(taken));
    size_t pushed = 0;
    size_t next = 0;
    // Uneven rounds, so the ends pass the array's end at every offset.
    for (size_t round = 0; round < 40; ++round) {
        const size_t count = round % (TSoundRequests::Capacity + 1);
        for (size_t i = 0; i < count; ++i)
            ASSERT_TRUE(requests.Push(SoundNumber(pushed++)));
        for (size_t i = 0; i < count; ++i) {
            ASSERT_TRUE(requests.Take(taken));
            EXPECT_EQ(taken, SoundNumber(next++));
        }
        EXPECT_FALSE(requests.Take(taken));
    }

    for (size_t i = 0; i < TSoundRequests::Capacity; ++i)
        EXPECT_TRUE(requests.Push(TSound::Start));
    EXPECT_FALSE(requests.Push(TSound::Finish)) << "full";
    ASSERT_TRUE(requests.Take(taken));
    EXPECT_TRUE(requests.Push(TSound::Finish));
    for (size_t i = 0; i < TSoundRequests::Capacity; ++i)
        ASSERT_TRUE(requests.Take(taken));
    EXPECT_EQ(taken, TSound::Finish) << "the dropped one never arrives, the later one does";
}

// One thread pushes, another takes, as the window and the audio thread do; the pusher tries again while the
// queue is full, so every sound arrives, once and in order.
TEST(SoundRequests, WhatOneThreadPushesAnotherTakesInOrder)
{
    TSoundRequests requests;
    constexpr size_t Count = 100000;
    std::vector<TSound> arrived;
    std::atomic<bool> done{false};
    std::thread taker([&] {
        TSound sound;
        for (;;) {
            const bool finished = done.load();
            while (requests.Take(sound))
                arrived.push_back(sound);
            if (finished)
                break;
        }
    });
    for (size_t n = 0; n < Count; ++n)
        while (!requests.Push(SoundNumber(n)))
            std::this_thread::yield();
    done = true;
    taker.join();
    ASSERT_EQ(arrived.size(), Count);
    for (size_t n = 0; n < Count; ++n)
        ASSERT_EQ(arrived[n], SoundNumber(n)) << n;
}

} // namespace
