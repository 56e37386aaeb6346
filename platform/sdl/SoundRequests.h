#pragma once
#include "platform/SoundPlayer.h"

#include <array>
#include <atomic>
#include <cstddef>

// Sounds asked for on one thread and taken on another, without a lock and without allocating: Push only ever
// on the thread that plays (the window's), Take only ever on the audio thread. Fixed in size; what is pushed
// into a full queue is dropped, since a signal heard late is worse than one missed.
class TSoundRequests {
public:
    static constexpr size_t Capacity = 16;

    // False when the queue was full and the sound was dropped.
    bool Push(TSound sound)
    {
        const size_t tail = FTail.load(std::memory_order_relaxed);
        if (tail - FHead.load(std::memory_order_acquire) == Capacity)
            return false;
        FItems[tail % Capacity] = sound;
        FTail.store(tail + 1, std::memory_order_release);
        return true;
    }

    // The oldest request, removed; false when there is none.
    bool Take(TSound& sound)
    {
        const size_t head = FHead.load(std::memory_order_relaxed);
        if (head == FTail.load(std::memory_order_acquire))
            return false;
        sound = FItems[head % Capacity];
        FHead.store(head + 1, std::memory_order_release);
        return true;
    }

private:
    std::array<TSound, Capacity> FItems{};
    // Counted on without end; both wrap together. The head is written by the taker only, the tail by the
    // pusher only.
    std::atomic<size_t> FHead{0};
    std::atomic<size_t> FTail{0};
};
