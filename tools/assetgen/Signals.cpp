#include "tools/assetgen/Signals.h"

#include "assets/Sounds.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Gains and samples are Q15: 32768 is one.
constexpr int64_t Unity = 32768;

int Samples(int milliseconds)
{
    return SoundRate * milliseconds / 1000;
}

// The phase step of a tone, a full turn being 2^32.
uint32_t Step(int64_t milliHertz)
{
    return static_cast<uint32_t>((milliHertz << 32) / (int64_t{SoundRate} * 1000));
}

// The sine of a phase (a full turn is 2^32) by Bhaskara's formula, within 0.2 % of full scale.
int64_t Sine(uint32_t phase)
{
    const int64_t t = (phase & 0x7FFFFFFFu) >> 15; // within the half turn, 0 .. 65535
    const int64_t u = t * (65536 - t) >> 16;        // 0 .. 16384
    const int64_t s = 16 * u * (Unity - 1) / (5 * 65536 - 4 * u);
    return phase & 0x80000000u ? -s : s;
}

// Rises linearly over attack samples and falls linearly over the last release ones of length.
int64_t Ramp(int n, int length, int attack, int release)
{
    if (n < attack)
        return Unity * n / attack;
    if (n >= length - release)
        return Unity * (length - n) / release;
    return Unity;
}

// (1 - n / length) to the power: a fall that is quick at first and slow at the end.
int64_t Fall(int n, int length, int power)
{
    const int64_t left = Unity * (length - n) / length;
    int64_t gain = Unity;
    for (int i = 0; i < power; ++i)
        gain = gain * left >> 15;
    return gain;
}

// A tone of harmonics of one fundamental, each level a share of the first.
struct THarmonics {
    int64_t MilliHertz;
    std::vector<int64_t> Levels;
};

int64_t HarmonicSample(const THarmonics& tone, int n)
{
    int64_t sum = 0;
    int64_t harmonic = 1;
    for (const int64_t level : tone.Levels) {
        const uint32_t phase = static_cast<uint32_t>(static_cast<uint64_t>(Step(tone.MilliHertz * harmonic)) * static_cast<uint64_t>(n));
        sum += Sine(phase) * level >> 15;
        ++harmonic;
    }
    return sum;
}

// Appends length samples of the tone under a linear ramp.
void AddTone(std::vector<int64_t>& out, const THarmonics& tone, int length, int attack, int release)
{
    for (int n = 0; n < length; ++n)
        out.push_back(HarmonicSample(tone, n) * Ramp(n, length, attack, release) >> 15);
}

void AddSilence(std::vector<int64_t>& out, int length)
{
    out.insert(out.end(), static_cast<size_t>(length), 0);
}

// Scaled so the loudest sample stands at peak (Q15) of full scale.
std::vector<int16_t> Normalised(const std::vector<int64_t>& raw, int64_t peak)
{
    int64_t loudest = 1;
    for (const int64_t s : raw)
        loudest = std::max(loudest, std::abs(s));
    std::vector<int16_t> samples;
    samples.reserve(raw.size());
    for (const int64_t s : raw)
        samples.push_back(static_cast<int16_t>(s * peak * (Unity - 1) / (loudest * Unity)));
    return samples;
}

// A pseudo-random sample in -32768 .. 32767 (xorshift).
int64_t Noise(uint32_t& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<int64_t>(state >> 16) - 32768;
}

std::vector<int16_t> Countdown()
{
    std::vector<int64_t> raw;
    AddTone(raw, {1000000, {Unity, Unity / 8}}, Samples(120), Samples(5), Samples(25));
    return Normalised(raw, Unity / 2);
}

std::vector<int16_t> Start()
{
    std::vector<int64_t> raw;
    AddTone(raw, {220000, {Unity, Unity * 7 / 10, Unity / 2, Unity * 3 / 10, Unity / 5}}, Samples(700), Samples(30),
            Samples(90));
    return Normalised(raw, Unity * 6 / 10);
}

std::vector<int16_t> Early()
{
    const THarmonics beep{1320000, {Unity, Unity / 6}};
    std::vector<int64_t> raw;
    AddTone(raw, beep, Samples(90), Samples(4), Samples(15));
    AddSilence(raw, Samples(60));
    AddTone(raw, beep, Samples(90), Samples(4), Samples(15));
    return Normalised(raw, Unity / 2);
}

std::vector<int16_t> Rounding()
{
    // Ratio to the strike tone (thousandths), level, and how steeply it dies.
    struct TPartial {
        int64_t Ratio;
        int64_t Level;
        int Power;
    };
    constexpr TPartial partials[] = {
        {500, Unity * 3 / 10, 2}, {1000, Unity, 3}, {2760, Unity / 2, 5}, {5400, Unity / 4, 8}, {8930, Unity / 8, 12},
    };
    const int length = Samples(600);
    const int attack = Samples(2);
    std::vector<int64_t> raw;
    for (int n = 0; n < length; ++n) {
        int64_t sum = 0;
        for (const TPartial& p : partials) {
            const uint32_t phase =
                static_cast<uint32_t>(static_cast<uint64_t>(Step(784 * p.Ratio)) * static_cast<uint64_t>(n));
            sum += (Sine(phase) * p.Level >> 15) * Fall(n, length, p.Power) >> 15;
        }
        raw.push_back(n < attack ? sum * n / attack : sum);
    }
    return Normalised(raw, Unity * 55 / 100);
}

std::vector<int16_t> Penalty()
{
    const int length = Samples(450);
    const uint32_t trillStep = Step(28000);
    uint32_t phase = 0;
    uint32_t noise = 0x2545F491u;
    int64_t breath = 0;
    std::vector<int64_t> raw;
    for (int n = 0; n < length; ++n) {
        const int64_t trill = Sine(trillStep * static_cast<uint32_t>(n));
        // The pea rattles the pitch and the loudness together.
        phase += Step(2900000 + 180000 * trill / Unity);
        breath += (Noise(noise) - breath) * 6000 >> 15;
        const int64_t tone = Sine(phase) * (Unity * 3 / 4 + trill / 4) >> 15;
        raw.push_back((tone + breath / 4) * Ramp(n, length, Samples(15), Samples(40)) >> 15);
    }
    return Normalised(raw, Unity * 45 / 100);
}

std::vector<int16_t> Finish()
{
    const THarmonics horn{262000, {Unity, Unity * 7 / 10, Unity / 2, Unity * 3 / 10, Unity / 5}};
    std::vector<int64_t> raw;
    AddTone(raw, horn, Samples(250), Samples(25), Samples(50));
    AddSilence(raw, Samples(80));
    AddTone(raw, horn, Samples(350), Samples(25), Samples(90));
    return Normalised(raw, Unity * 6 / 10);
}

std::vector<int16_t> Explosion()
{
    const int length = Samples(700);
    const uint32_t thumpStep = Step(50000);
    uint32_t noise = 0x9E3779B9u;
    int64_t low = 0;
    int64_t lower = 0;
    std::vector<int64_t> raw;
    for (int n = 0; n < length; ++n) {
        // Two one-pole low-passes whose corner falls from bright to dull.
        const int64_t opening = 1500 + 14000 * Fall(n, length, 3) / Unity;
        low += (Noise(noise) - low) * opening >> 15;
        lower += (low - lower) * opening >> 15;
        const int64_t thump = Sine(thumpStep * static_cast<uint32_t>(n)) * Fall(n, length, 6) >> 15;
        const int64_t body = (lower * 3 + thump) * Fall(n, length, 2) >> 15;
        raw.push_back(n < Samples(3) ? body * n / Samples(3) : body);
    }
    return Normalised(raw, Unity * 8 / 10);
}

} // namespace

std::vector<int16_t> SynthesiseSound(TSound sound)
{
    switch (sound) {
    case TSound::Countdown:
        return Countdown();
    case TSound::Start:
        return Start();
    case TSound::Early:
        return Early();
    case TSound::Rounding:
        return Rounding();
    case TSound::Penalty:
        return Penalty();
    case TSound::Finish:
        return Finish();
    case TSound::Explosion:
        return Explosion();
    }
    return {};
}
