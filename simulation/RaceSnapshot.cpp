#include "simulation/RaceSnapshot.h"

#include "simulation/CourseMarks.h"
#include "simulation/Quibo.h"
#include "simulation/Race.h"
#include "simulation/Random.h"
#include "sprites/Timer.h"

void TRaceSnapshot::TSpriteState::Take(const TImageSprite& sprite)
{
    X = sprite.X;
    Y = sprite.Y;
    Width = sprite.Width;
    Height = sprite.Height;
    Moving = sprite.Moving;
    Visible = sprite.Visible;
    FrameCount = sprite.FrameCount;
    FrameLooped = sprite.FrameLooped;
    FramePos = sprite.FramePos;
    FrameSpeed = sprite.FrameSpeed;
    FrameStart = sprite.FrameStart;
    Image = sprite.Image;
}

void TRaceSnapshot::TSpriteState::Restore(TImageSprite& sprite) const
{
    sprite.X = X;
    sprite.Y = Y;
    sprite.Width = Width;
    sprite.Height = Height;
    sprite.Moving = Moving;
    sprite.Visible = Visible;
    sprite.FrameCount = FrameCount;
    sprite.FrameLooped = FrameLooped;
    sprite.FramePos = FramePos;
    sprite.FrameSpeed = FrameSpeed;
    sprite.FrameStart = FrameStart;
    sprite.Image = Image;
}

void TRaceSnapshot::Take(const TRace& race)
{
    FTick = race.ProcessedTicks();
    FWindDirection = race.WindDirection;
    FWindBase = race.WindBase;
    FWindVariation = race.WindVariation;
    FWindTarget = race.WindTarget;
    FWindSpeed = race.WindSpeed;
    FWindCounter = race.Components.DXTimer1.Tag;
    FRandSeed = RandSeed;
    for (size_t d = 0; d < FDinghies.size(); ++d) {
        const TQuibo& dinghy = *race.Dinghies[d];
        TDinghyState& s = FDinghies[d];
        s.Hull.Take(dinghy);
        s.Sail.Take(*dinghy.Sail);
        s.Crashed = dinghy.Crashed;
        s.Heading = dinghy.Heading;
        s.Tiller = dinghy.Tiller;
        s.Speed = dinghy.Speed;
        s.TargetSpeed = dinghy.TargetSpeed;
    }
    for (size_t b = 0; b < FBuoys.size(); ++b) {
        FBuoys[b].Take(*race.Buoys[b]);
        FBuoyHits[b] = race.Buoys[b]->HitRect;
    }
    FWindRose.Take(*race.WindRose);
    FRegatta = race.Regatta;
    FHelms = race.Helms;
}

void TRaceSnapshot::Restore(TRace& race) const
{
    race.FProcessedTicks = FTick;
    race.WindDirection = FWindDirection;
    race.WindBase = FWindBase;
    race.WindVariation = FWindVariation;
    race.WindTarget = FWindTarget;
    race.WindSpeed = FWindSpeed;
    race.Components.DXTimer1.Tag = FWindCounter;
    RandSeed = FRandSeed;
    for (size_t d = 0; d < FDinghies.size(); ++d) {
        TQuibo& dinghy = *race.Dinghies[d];
        const TDinghyState& s = FDinghies[d];
        s.Hull.Restore(dinghy);
        s.Sail.Restore(*dinghy.Sail);
        dinghy.Crashed = s.Crashed;
        dinghy.Heading = s.Heading;
        dinghy.Tiller = s.Tiller;
        dinghy.Speed = s.Speed;
        dinghy.TargetSpeed = s.TargetSpeed;
    }
    for (size_t b = 0; b < FBuoys.size(); ++b) {
        FBuoys[b].Restore(*race.Buoys[b]);
        race.Buoys[b]->HitRect = FBuoyHits[b];
    }
    FWindRose.Restore(*race.WindRose);
    race.Regatta = FRegatta;
    race.Helms = FHelms;
    race.Events.DropAfter(FTick);
}
