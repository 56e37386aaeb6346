#include "platform/sdl/SdlSoundPlayer.h"

#include "assets/Sounds.h"

#include <SDL.h>

namespace {

std::array<std::vector<int16_t>, SoundCount> DecodedSounds()
{
    std::array<std::vector<int16_t>, SoundCount> samples;
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = LoadSound(static_cast<TSound>(i)).Samples;
    return samples;
}

} // namespace

TSdlSoundPlayer::TSdlSoundPlayer() : FSamples(DecodedSounds()), FMixer(Clips())
{
    // SIGINT and SIGTERM stay the program's.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    FStarted = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!FStarted)
        return;
    SDL_AudioSpec wanted{};
    wanted.freq = SoundRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = BufferSamples;
    wanted.callback = &TSdlSoundPlayer::Fill;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the device takes, so the mixer works in the sounds' format.
    FDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (FDevice != 0)
        SDL_PauseAudioDevice(FDevice, 0);
}

TSdlSoundPlayer::~TSdlSoundPlayer()
{
    // Closing waits for a callback under way, so the mixer outlives the audio thread's last use of it.
    if (FDevice != 0)
        SDL_CloseAudioDevice(FDevice);
    if (FStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void TSdlSoundPlayer::Play(TSound sound)
{
    if (FDevice != 0)
        FMixer.Request(sound);
}

void TSdlSoundPlayer::Fill(void* player, uint8_t* stream, int length)
{
    // The stream is SDL's own buffer, allocated for samples of the format asked for.
    static_cast<TSdlSoundPlayer*>(player)->FMixer.Render(
        {reinterpret_cast<int16_t*>(stream), static_cast<size_t>(length) / sizeof(int16_t)});
}

std::array<std::span<const int16_t>, SoundCount> TSdlSoundPlayer::Clips() const
{
    std::array<std::span<const int16_t>, SoundCount> clips;
    for (size_t i = 0; i < clips.size(); ++i)
        clips[i] = FSamples[i];
    return clips;
}
