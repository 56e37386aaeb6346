#include "assets/Sounds.h"
#include "platform/sdl/SdlSoundPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// The audio driver named for one test, the tests' own (dummy, set in main) back afterwards.
class TAudioDriver {
public:
    explicit TAudioDriver(const char* name) : FWas(std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "")
    {
        setenv("SDL_AUDIODRIVER", name, 1);
    }
    ~TAudioDriver() { setenv("SDL_AUDIODRIVER", FWas.c_str(), 1); }

private:
    std::string FWas;
};

// Every sound, more often than the queue holds, muted and not, and the player closed while it sounds:
// nothing waits for a sound and nothing breaks.
void PlayEverything(TSdlSoundPlayer& player)
{
    for (int round = 0; round < 10; ++round)
        for (int s = 0; s < SoundCount; ++s)
            player.Play(static_cast<TSound>(s));
    player.SetMuted(true);
    EXPECT_TRUE(player.Muted());
    player.Play(TSound::Explosion);
    player.SetMuted(false);
    EXPECT_FALSE(player.Muted());
    player.Play(TSound::Start);
}

TEST(SdlSoundPlayer, OpensSdlsDummyDeviceAndPlaysWithoutWaiting)
{
    TAudioDriver driver("dummy");
    TSdlSoundPlayer player;
    EXPECT_TRUE(player.Available());
    EXPECT_FALSE(player.Muted());
    PlayEverything(player);
}

TEST(SdlSoundPlayer, WithoutAnAudioDriverStaysSilentAndStillMutes)
{
    TAudioDriver driver("no-such-driver");
    TSdlSoundPlayer player;
    EXPECT_FALSE(player.Available());
    PlayEverything(player);
}

TEST(SdlSoundPlayer, OneAfterAnotherEachOpensItsOwn)
{
    TAudioDriver driver("dummy");
    for (int i = 0; i < 3; ++i) {
        TSdlSoundPlayer player;
        EXPECT_TRUE(player.Available()) << i;
        player.Play(TSound::Rounding);
    }
}

// The samples in the file, as far as they are written.
std::vector<int16_t> ReadSamples(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<int16_t> samples(bytes.size() / sizeof(int16_t));
    std::copy_n(bytes.begin(), samples.size() * sizeof(int16_t), reinterpret_cast<char*>(samples.data()));
    return samples;
}

// SDL's disk driver writes what the device is given into a file, at the pace of a real one: a signal played
// reaches it as it was made, after silence. Only its beginning is waited for, not its end.
TEST(SdlSoundPlayer, WhatIsPlayedReachesTheDevice)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("quibo-sound-" + std::to_string(getpid()) + ".raw");
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    const std::vector<int16_t> clip = LoadSound(TSound::Countdown).Samples;
    const auto begins = std::find_if(clip.begin(), clip.end(), [](int16_t s) { return s != 0; });
    constexpr std::ptrdiff_t Compared = 1024; // two buffers' worth, less than the clip
    ASSERT_GT(clip.end() - begins, Compared);

    std::vector<int16_t> written;
    std::vector<int16_t>::const_iterator heard;
    const auto enough = [&] {
        written = ReadSamples(file);
        heard = std::find_if(written.cbegin(), written.cend(), [](int16_t s) { return s != 0; });
        return written.cend() - heard >= Compared;
    };
    {
        TAudioDriver driver("disk");
        TSdlSoundPlayer player;
        ASSERT_TRUE(player.Available());
        player.Play(TSound::Countdown);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!enough() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::filesystem::remove(file);
    unsetenv("SDL_DISKAUDIOFILE");
    ASSERT_GE(written.cend() - heard, Compared) << "the signal did not reach the device";
    EXPECT_TRUE(std::equal(begins, begins + Compared, heard));
}

} // namespace
