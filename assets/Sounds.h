#pragma once
#include "platform/SoundPlayer.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

// The race's signals, compiled in as 16-bit mono PCM WAV files under "sounds/", one per TSound.
constexpr int SoundRate = 22050;

constexpr std::string_view SoundPath(TSound sound)
{
    constexpr std::string_view paths[SoundCount] = {
        "sounds/Countdown.wav", "sounds/Start.wav", "sounds/Early.wav", "sounds/Rounding.wav",
        "sounds/Penalty.wav", "sounds/Finish.wav", "sounds/Explosion.wav",
    };
    return paths[static_cast<size_t>(sound)];
}

// Samples of one channel and their rate.
struct TPcmSound {
    int Rate = 0;
    std::vector<int16_t> Samples;
};

// Raised for a file that is not a 16-bit mono PCM WAV file, or is cut short.
class EWavError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a RIFF WAVE file of 16-bit mono PCM; chunks other than "fmt " and "data" are passed over.
TPcmSound DecodeWav(std::span<const uint8_t> file);

// The embedded signal, decoded.
TPcmSound LoadSound(TSound sound);
