#include "simulation/RaceDigest.h"

#include "drawing/ImageList.h"
#include "drawing/Surface.h"
#include "simulation/CourseMarks.h"
#include "simulation/Quibo.h"
#include "simulation/Race.h"
#include "simulation/Random.h"
#include "sprites/Timer.h"

#include <array>
#include <bit>
#include <cstring>
#include <string>

namespace {

// FNV-1a over the fields fed in, each as 64 bits: cheap, and a state has only some dozens of them.
class TFieldDigest {
public:
    void Add(uint64_t value)
    {
        for (int byte = 0; byte < 8; ++byte) {
            FHash ^= (value >> (8 * byte)) & 0xFFu;
            FHash *= 0x100000001B3u;
        }
    }
    void Add(int64_t value) { Add(static_cast<uint64_t>(value)); }
    void Add(int32_t value) { Add(static_cast<uint64_t>(static_cast<int64_t>(value))); }
    void Add(uint32_t value) { Add(uint64_t{value}); }
    void Add(bool value) { Add(uint64_t{value ? 1u : 0u}); }
    // By bit pattern: two runs are the same only if every double is.
    void Add(double value) { Add(std::bit_cast<uint64_t>(value)); }
    void Add(const std::string& text)
    {
        Add(uint64_t{text.size()});
        for (const char c : text)
            Add(static_cast<uint64_t>(static_cast<unsigned char>(c)));
    }
    void Add(const TRect& r)
    {
        Add(r.Left);
        Add(r.Top);
        Add(r.Right);
        Add(r.Bottom);
    }
    void Add(const TImageSprite& sprite)
    {
        Add(sprite.X);
        Add(sprite.Y);
        Add(sprite.Width);
        Add(sprite.Height);
        Add(sprite.Moving);
        Add(sprite.Visible);
        Add(sprite.FrameCount);
        Add(sprite.FrameLooped);
        Add(sprite.FramePos);
        Add(sprite.FrameSpeed);
        Add(sprite.FrameStart);
        Add(sprite.Image != nullptr ? sprite.Image->Name() : std::string());
    }
    void Add(const TPointD& p)
    {
        Add(p.X);
        Add(p.Y);
    }
    void Add(const TDinghyView& v)
    {
        Add(v.Stern);
        Add(v.Bow);
        Add(v.Top);
        Add(v.Bottom);
        Add(v.Heading);
        Add(v.RelativeWind);
        Add(v.Crashed);
    }
    void Add(const TRegatta& regatta)
    {
        Add(regatta.Settings().Laps);
        Add(static_cast<int32_t>(regatta.Settings().Rules));
        Add(static_cast<int32_t>(regatta.Phase()));
        Add(regatta.Ticks());
        Add(regatta.Finishers());
        for (size_t i = 0; i < 2; ++i) {
            const TDinghyRegatta& r = regatta.Dinghy(i);
            Add(static_cast<int32_t>(r.Standing));
            Add(r.Lap);
            Add(r.MarkRounded);
            Add(r.Winding);
            Add(r.TurnsOwed);
            Add(r.TurnDegrees);
            Add(r.Penalties);
            Add(r.TurnsTaken);
            Add(r.Place);
            Add(r.FinishTicks);
            for (const int32_t lap : r.LapTicks)
                Add(lap);
            Add(r.LapsDone);
            Add(r.LapBegan);
            Add(r.Last);
            Add(r.Seen);
            Add(r.TouchingDinghy);
            Add(r.TouchingBuoy);
        }
    }
    void Add(const TComputerHelm& helm)
    {
        Add(helm.Skill());
        Add(static_cast<int32_t>(helm.Dinghy()));
        const THelmMemory& m = helm.Memory();
        Add(m.Random);
        Add(static_cast<int32_t>(m.Plan.Tack));
        Add(m.Plan.TicksOnTack);
        Add(m.MeanWind);
        Add(m.RecentWind);
        Add(m.UntilLook);
        Add(m.Wanted);
        Add(static_cast<int32_t>(m.Tiller));
        Add(m.BuoySide);
        Add(m.BuoyHeading);
        Add(m.AimError);
        Add(m.Turning);
        Add(m.StartMargin);
        Add(m.ToSpot);
        Add(m.Going);
        Add(m.Rounded);
        Add(m.Winding);
        Add(m.Last);
        Add(m.Seen);
        Add(m.RegattaTicks);
    }
    uint64_t Value() const { return FHash; }

private:
    uint64_t FHash = 0xCBF29CE484222325u;
};

constexpr uint64_t Prime1 = 0x9E3779B185EBCA87u;
constexpr uint64_t Prime2 = 0xC2B2AE3D27D4EB4Fu;

uint64_t Mix(uint64_t lane, uint64_t word)
{
    return std::rotl(lane + word * Prime2, 31) * Prime1;
}

} // namespace

uint64_t RaceStateDigest(const TRace& race)
{
    TFieldDigest d;
    d.Add(race.ProcessedTicks());
    d.Add(race.WindDirection);
    d.Add(race.WindBase);
    d.Add(race.WindVariation);
    d.Add(race.WindTarget);
    d.Add(race.WindSpeed);
    d.Add(race.Components.DXTimer1.Tag);
    d.Add(RandSeed);
    for (const TQuibo* dinghy : race.Dinghies) {
        d.Add(*dinghy);
        d.Add(dinghy->Crashed);
        d.Add(dinghy->Heading);
        d.Add(dinghy->Tiller);
        d.Add(dinghy->Speed);
        d.Add(dinghy->TargetSpeed);
        d.Add(*dinghy->Sail);
    }
    for (const TBoje* buoy : race.Buoys) {
        d.Add(*buoy);
        d.Add(buoy->HitRect);
    }
    d.Add(*race.WindRose);
    // Free sailing's digests stay what they always were.
    if (race.Regatta)
        d.Add(*race.Regatta);
    // Likewise a race that no computer steers.
    for (const std::optional<TComputerHelm>& helm : race.Helms)
        if (helm)
            d.Add(*helm);
    return d.Value();
}

uint64_t RacePaceDigest(const TRace& race)
{
    const TCustomDXTimer& timer = race.Components.DXTimer1;
    TFieldDigest d;
    d.Add(timer.Enabled());
    d.Add(timer.Interval());
    d.Add(timer.FramesPerSecond());
    d.Add(race.RateTicks);
    d.Add(race.LagTicks);
    return d.Value();
}

uint64_t FrameDigest(TDirectDrawSurface& surface)
{
    TLockedPixels pixels;
    if (!surface.LockForReading(pixels))
        return 0;
    // Four independent lanes keep the multiplier busy: a frame is 800,000 pixels, hashed after every tick.
    std::array<uint64_t, 4> lanes{Prime1, Prime2, ~Prime1, ~Prime2};
    for (int32_t y = 0; y < pixels.Height; ++y) {
        const uint32_t* row = pixels.Bits + y * pixels.PitchPixels;
        int32_t x = 0;
        for (; x + 8 <= pixels.Width; x += 8) {
            uint64_t words[4];
            std::memcpy(words, row + x, sizeof words);
            for (size_t lane = 0; lane < lanes.size(); ++lane)
                lanes[lane] = Mix(lanes[lane], words[lane]);
        }
        for (; x < pixels.Width; ++x)
            lanes[0] = Mix(lanes[0], row[x]);
    }
    surface.Unlock();
    uint64_t hash = uint64_t{static_cast<uint32_t>(pixels.Width)} << 32 | static_cast<uint32_t>(pixels.Height);
    for (const uint64_t lane : lanes)
        hash = Mix(hash, lane);
    return hash ^ (hash >> 29);
}
