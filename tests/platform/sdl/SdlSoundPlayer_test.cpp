#include "platform/sdl/SdlSoundPlayer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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

} // namespace
