#include "platform/sdl/SoundMixer.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using TSamples = std::vector<int16_t>;

TEST(MixVoices, SumsClipsOnceAndMovesEachVoiceOnByWhatItGave)
{
    const struct {
        const char* Why;
        std::vector<TSamples> Voices;
        size_t Length;
        TSamples Out;
        std::vector<size_t> Left;
    } cases[] = {
        {"no voice is silence", {}, 3, {0, 0, 0}, {}},
        {"free voices are silence", {{}, {}}, 2, {0, 0}, {0, 0}},
        {"one voice as it is", {{5, -7, 32767, -32768}}, 4, {5, -7, 32767, -32768}, {0}},
        {"two summed", {{100, 200, -300}, {1, -2, 3}}, 3, {101, 198, -297}, {0, 0}},
        {"clipped at full scale", {{30000, -30000, 20000}, {10000, -10000, 12767}}, 3, {32767, -32768, 32767},
         {0, 0}},
        // Clipping the sum, not each step: the third voice takes back what the first two overshot.
        {"clipped once", {{30000}, {30000}, {-30000}}, 1, {30000}, {0, 0, 0}},
        {"a voice ending within the buffer", {{10, 20}, {1, 1, 1, 1}}, 4, {11, 21, 1, 1}, {0, 0}},
        {"a voice longer than the buffer", {{1, 2, 3, 4, 5}}, 2, {1, 2}, {3}},
        {"an empty buffer takes nothing", {{1, 2}}, 0, {}, {2}},
    };
    for (const auto& c : cases) {
        std::vector<TVoice> voices;
        for (const TSamples& v : c.Voices)
            voices.emplace_back(v);
        TSamples out(c.Length, 999); // whatever the buffer held before
        MixVoices(voices, out);
        EXPECT_EQ(out, c.Out) << c.Why;
        for (size_t i = 0; i < voices.size(); ++i) {
            EXPECT_EQ(voices[i].size(), c.Left[i]) << c.Why << ", voice " << i;
            if (!voices[i].empty()) {
                // What is left starts where the buffer stopped.
                EXPECT_EQ(voices[i].data(), c.Voices[i].data() + c.Length) << c.Why;
            }
        }
    }
}

// A clip per sound, each made of its own value so the mix shows which are sounding.
class SoundMixerTest : public ::testing::Test {
protected:
    static std::array<TSamples, SoundCount> MadeSamples()
    {
        std::array<TSamples, SoundCount> samples;
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = TSamples(10 + i, static_cast<int16_t>(1 << i));
        return samples;
    }

    std::array<std::span<const int16_t>, SoundCount> Clips() const
    {
        std::array<std::span<const int16_t>, SoundCount> clips;
        for (size_t i = 0; i < clips.size(); ++i)
            clips[i] = Samples[i];
        return clips;
    }

    static int16_t Value(TSound sound) { return static_cast<int16_t>(1 << static_cast<int>(sound)); }

    TSamples Render(size_t length)
    {
        TSamples out(length, 999);
        Mixer.Render(out);
        return out;
    }

    // Before the mixer, which keeps spans of them.
    std::array<TSamples, SoundCount> Samples = MadeSamples();
    TSoundMixer Mixer{Clips()};
};

TEST_F(SoundMixerTest, PlaysWhatWasAskedForFromTheNextRenderUntilItsEnd)
{
    EXPECT_EQ(Render(4), TSamples(4, 0));
    EXPECT_TRUE(Mixer.Request(TSound::Start)); // 11 samples
    EXPECT_TRUE(Mixer.Request(TSound::Early)); // 12 samples
    const auto both = static_cast<int16_t>(Value(TSound::Start) + Value(TSound::Early));
    EXPECT_EQ(Render(8), TSamples(8, both));
    EXPECT_EQ(Mixer.Sounding(), 2u);
    // The start ends after three more, the early signal after four.
    EXPECT_EQ(Render(6), (TSamples{both, both, both, Value(TSound::Early), 0, 0}));
    EXPECT_EQ(Mixer.Sounding(), 0u);
}

TEST_F(SoundMixerTest, TheSameSoundTwiceOverlapsItself)
{
    Mixer.Request(TSound::Countdown); // 10 samples
    Render(4);
    Mixer.Request(TSound::Countdown);
    const int16_t one = Value(TSound::Countdown);
    const auto two = static_cast<int16_t>(2 * one);
    EXPECT_EQ(Render(8), (TSamples{two, two, two, two, two, two, one, one}));
}

TEST_F(SoundMixerTest, MutedDropsWhatSoundsAndWhatIsAskedAndRendersSilence)
{
    Mixer.Request(TSound::Explosion);
    Render(2);
    Mixer.Request(TSound::Finish); // asked for, not yet taken
    Mixer.SetMuted(true);
    EXPECT_TRUE(Mixer.Muted());
    EXPECT_FALSE(Mixer.Request(TSound::Penalty));
    EXPECT_EQ(Render(5), TSamples(5, 0));
    EXPECT_EQ(Mixer.Sounding(), 0u);
    // Unmuted, nothing of before comes back; what is asked now plays.
    Mixer.SetMuted(false);
    EXPECT_EQ(Render(3), TSamples(3, 0));
    EXPECT_TRUE(Mixer.Request(TSound::Rounding));
    EXPECT_EQ(Render(3), TSamples(3, Value(TSound::Rounding)));
}

TEST_F(SoundMixerTest, AFullQueueDropsTheNewestUntilTheAudioThreadTakesThem)
{
    for (size_t i = 0; i < TSoundRequests::Capacity; ++i)
        EXPECT_TRUE(Mixer.Request(TSound::Countdown)) << i;
    EXPECT_FALSE(Mixer.Request(TSound::Explosion));
    Render(1);
    EXPECT_TRUE(Mixer.Request(TSound::Explosion));
}

TEST_F(SoundMixerTest, WithEveryVoiceBusyANewSoundTakesTheOneNearestItsEnd)
{
    // Six voices, the Explosion (16 samples) started first and so the furthest on.
    Mixer.Request(TSound::Explosion);
    Render(5); // 11 left
    for (const TSound s : {TSound::Countdown, TSound::Start, TSound::Early, TSound::Rounding, TSound::Penalty})
        Mixer.Request(s); // 10 .. 14 left
    Render(1);            // Explosion 10, Countdown 9, Start 10, Early 11, Rounding 12, Penalty 13
    ASSERT_EQ(Mixer.Sounding(), TSoundMixer::VoiceCount);
    Mixer.Request(TSound::Finish);
    const TSamples out = Render(1);
    EXPECT_EQ(Mixer.Sounding(), TSoundMixer::VoiceCount);
    const int all = Value(TSound::Explosion) + Value(TSound::Start) + Value(TSound::Early) +
                    Value(TSound::Rounding) + Value(TSound::Penalty) + Value(TSound::Finish);
    EXPECT_EQ(out, TSamples{static_cast<int16_t>(all)}) << "the countdown gave way to the finish";
}

} // namespace
