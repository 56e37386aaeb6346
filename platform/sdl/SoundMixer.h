#pragma once
#include "platform/SoundPlayer.h"
#include "platform/sdl/SoundRequests.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <span>

// One sound under way: the samples it has still to give. Empty when the voice is free.
using TVoice = std::span<const int16_t>;

// Fills out with the sum of what the voices have left, clipped to 16 bits (silence where none has anything);
// each voice moves on by what it gave, and one that ends within out is left empty.
void MixVoices(std::span<TVoice> voices, std::span<int16_t> out);

// The sound of the player, free of any device: sounds are asked for on the playing thread (Request, SetMuted)
// and rendered on the audio thread (Render), which starts what was asked for and mixes a handful of voices.
// Nothing allocates, locks or waits. The clips, one per TSound at the device's rate, must outlive the mixer.
class TSoundMixer {
public:
    static constexpr size_t VoiceCount = 6;

    explicit TSoundMixer(const std::array<std::span<const int16_t>, SoundCount>& clips) : FClips(clips) {}

    // Playing thread. False when the sound was dropped: muted, or too many asked for since the last render.
    bool Request(TSound sound);
    // Playing thread. Muted, the next render drops every voice and every request, and renders silence.
    void SetMuted(bool muted) { FMuted.store(muted, std::memory_order_relaxed); }
    bool Muted() const { return FMuted.load(std::memory_order_relaxed); }

    // Audio thread: the requests taken, each on a free voice or else on the one nearest its end, then mixed.
    void Render(std::span<int16_t> out);
    // Audio thread (or with the device stopped): the voices sounding.
    size_t Sounding() const;

private:
    void Start(TSound sound);

    std::array<std::span<const int16_t>, SoundCount> FClips;
    TSoundRequests FRequests;
    std::atomic<bool> FMuted{false};
    std::array<TVoice, VoiceCount> FVoices{};
};
