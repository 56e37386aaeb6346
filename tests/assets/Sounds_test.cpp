#include "assets/Assets.h"
#include "assets/Sounds.h"
#include "tools/assetgen/WavFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// How often the samples cross zero upwards, per second, between the shares of their length given.
double CrossingRate(const std::vector<int16_t>& samples, int rate, double first, double last)
{
    const auto from = static_cast<size_t>(static_cast<double>(samples.size()) * first);
    const auto to = static_cast<size_t>(static_cast<double>(samples.size()) * last);
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i)
        if (samples[i - 1] < 0 && samples[i] >= 0)
            ++crossings;
    return crossings * static_cast<double>(rate) / static_cast<double>(to - from);
}

double Rms(const std::vector<int16_t>& samples)
{
    double sum = 0;
    for (const int16_t s : samples)
        sum += static_cast<double>(s) * s;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

TEST(Sounds, EverySignalIsEmbeddedShortAudibleUnclippedAndEndsQuietly)
{
    const struct {
        TSound Sound;
        double MinSeconds, MaxSeconds;
        // The pitch a plain tone crosses zero at, within a stretch of it away from ramps and gaps; 0 for the
        // horns, the bell and the noise, whose harmonics cross it more often.
        double Hertz;
        double First, Last;
    } cases[] = {
        {TSound::Countdown, 0.08, 0.2, 1000, 0.25, 0.75},
        {TSound::Start, 0.5, 1.0, 0, 0, 0},
        {TSound::Early, 0.15, 0.4, 1320, 0.05, 0.3}, // the first of the two beeps
        {TSound::Rounding, 0.3, 1.0, 0, 0, 0},
        {TSound::Penalty, 0.3, 0.6, 2900, 0.25, 0.75},
        {TSound::Finish, 0.5, 1.0, 0, 0, 0},
        {TSound::Explosion, 0.4, 1.0, 0, 0, 0},
    };
    ASSERT_EQ(std::size(cases), static_cast<size_t>(SoundCount));
    size_t totalBytes = 0;
    std::vector<std::vector<int16_t>> seen;
    for (const auto& c : cases) {
        const std::string path(SoundPath(c.Sound));
        SCOPED_TRACE(path);
        totalBytes += AssetBytes(path).size();
        const TPcmSound sound = LoadSound(c.Sound);
        EXPECT_EQ(sound.Rate, SoundRate);
        const double seconds = static_cast<double>(sound.Samples.size()) / SoundRate;
        EXPECT_GE(seconds, c.MinSeconds);
        EXPECT_LE(seconds, c.MaxSeconds);
        int peak = 0;
        for (const int16_t s : sound.Samples)
            peak = std::max(peak, std::abs(int{s}));
        // Loud enough to hear, with room for a second voice before the mix clips.
        EXPECT_GT(peak, 32768 / 3);
        EXPECT_LT(peak, 32768 * 85 / 100);
        EXPECT_GT(Rms(sound.Samples), 32768 / 40.0);
        // No click as the voice stops.
        EXPECT_LT(std::abs(int{sound.Samples.back()}), 32768 / 100);
        EXPECT_LT(std::abs(int{sound.Samples.front()}), 32768 / 100);
        if (c.Hertz > 0) {
            EXPECT_NEAR(CrossingRate(sound.Samples, sound.Rate, c.First, c.Last), c.Hertz, c.Hertz * 0.1);
        }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), sound.Samples), 0) << "the same as another signal";
        seen.push_back(sound.Samples);
    }
    EXPECT_LT(totalBytes, 200u * 1024);
}

TEST(Sounds, AnEncodedFileDecodesToItsSamples)
{
    const std::vector<int16_t> samples{0, 1, -1, 32767, -32768, 258, -259};
    const TPcmSound sound = DecodeWav(EncodeWav(samples, 11025));
    EXPECT_EQ(sound.Rate, 11025);
    EXPECT_EQ(sound.Samples, samples);
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

std::string Le32(uint32_t value)
{
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

std::string Le16(uint16_t value)
{
    return {static_cast<char>(value), static_cast<char>(value >> 8)};
}

std::string Format(uint16_t encoding, uint16_t channels, uint16_t bits)
{
    return "fmt " + Le32(16) + Le16(encoding) + Le16(channels) + Le32(22050) + Le32(44100) + Le16(2) + Le16(bits);
}

std::string Riff(const std::string& chunks)
{
    return "RIFF" + Le32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

TEST(Sounds, TheReaderPassesOverOtherChunksAndRefusesWhatItCannotPlay)
{
    const std::string data = "data" + Le32(4) + Le16(0x1234) + Le16(0xFFFE);
    // An odd-sized chunk is padded to an even length.
    const TPcmSound padded = DecodeWav(Bytes(Riff(Format(1, 1, 16) + "LIST" + Le32(3) + "abc" + '\0' + data)));
    EXPECT_EQ(padded.Samples, (std::vector<int16_t>{0x1234, -2}));

    const struct {
        const char* Why;
        std::string File;
    } refused[] = {
        {"empty", ""},
        {"not RIFF", "RIFX" + Le32(4) + "WAVE"},
        {"not WAVE", "RIFF" + Le32(4) + "AVI "},
        {"stereo", Riff(Format(1, 2, 16) + data)},
        {"8 bits", Riff(Format(1, 1, 8) + data)},
        {"floating point", Riff(Format(3, 1, 16) + data)},
        {"samples before their format", Riff(data + Format(1, 1, 16))},
        {"no samples", Riff(Format(1, 1, 16))},
        {"samples cut short", Riff(Format(1, 1, 16) + "data" + Le32(8) + Le16(1))},
        {"format cut short", Riff("fmt " + Le32(8) + Le16(1) + Le16(1) + Le32(22050) + data)},
    };
    for (const auto& r : refused)
        EXPECT_THROW(DecodeWav(Bytes(r.File)), EWavError) << r.Why;
}

} // namespace
