#pragma once
#include "platform/SoundPlayer.h"
#include "platform/sdl/SoundMixer.h"

#include <array>
#include <cstdint>
#include <vector>

// The race's signals through SDL's audio, started on its own (no window, no other subsystem). The embedded
// sounds are decoded once, here; SDL's audio thread mixes them, so Play only queues a request and returns.
// Where SDL has no audio, or the device cannot be opened, the player stays silent and Play does nothing.
class TSdlSoundPlayer : public ISoundPlayer {
public:
    // Samples per callback: about 23 ms at 22050 Hz, late enough to be safe and soon enough to be heard at once.
    static constexpr uint16_t BufferSamples = 512;

    TSdlSoundPlayer();
    ~TSdlSoundPlayer() override;
    TSdlSoundPlayer(const TSdlSoundPlayer&) = delete;
    TSdlSoundPlayer& operator=(const TSdlSoundPlayer&) = delete;

    // Whether a device is open: otherwise nothing is ever heard.
    bool Available() const { return FDevice != 0; }

    void Play(TSound sound) override;
    void SetMuted(bool muted) override { FMixer.SetMuted(muted); }
    bool Muted() const override { return FMixer.Muted(); }

private:
    static void Fill(void* player, uint8_t* stream, int length);
    std::array<std::span<const int16_t>, SoundCount> Clips() const;

    std::array<std::vector<int16_t>, SoundCount> FSamples;
    TSoundMixer FMixer;
    bool FStarted = false;
    uint32_t FDevice = 0;
};
