#include "platform/sdl/SoundMixer.h"

#include <algorithm>
#include <limits>

void MixVoices(std::span<TVoice> voices, std::span<int16_t> out)
{
    // Summed in full first and clipped once, so voices of opposite sign cancel as they would in the air.
    for (size_t i = 0; i < out.size(); ++i) {
        int sum = 0;
        for (const TVoice& voice : voices)
            if (i < voice.size())
                sum += voice[i];
        out[i] = static_cast<int16_t>(
            std::clamp(sum, int{std::numeric_limits<int16_t>::min()}, int{std::numeric_limits<int16_t>::max()}));
    }
    for (TVoice& voice : voices)
        voice = voice.subspan(std::min(voice.size(), out.size()));
}

bool TSoundMixer::Request(TSound sound)
{
    return !Muted() && FRequests.Push(sound);
}

void TSoundMixer::Render(std::span<int16_t> out)
{
    TSound sound;
    if (Muted()) {
        while (FRequests.Take(sound)) {
        }
        FVoices.fill({});
    }
    while (FRequests.Take(sound))
        Start(sound);
    MixVoices(FVoices, out);
}

size_t TSoundMixer::Sounding() const
{
    return static_cast<size_t>(std::count_if(FVoices.begin(), FVoices.end(), [](TVoice v) { return !v.empty(); }));
}

void TSoundMixer::Start(TSound sound)
{
    // A free voice has nothing left, so it is the first with the least.
    const auto voice = std::min_element(
        FVoices.begin(), FVoices.end(), [](TVoice a, TVoice b) { return a.size() < b.size(); });
    *voice = FClips[static_cast<size_t>(sound)];
}
