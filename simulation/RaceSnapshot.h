#pragma once
#include "drawing/Rect.h"
#include "simulation/helm/ComputerHelm.h"
#include "simulation/regatta/Regatta.h"

#include <array>
#include <cstdint>
#include <optional>

class TImageSprite;
class TPictureCollectionItem;
class TRace;

// Everything a processed tick changes, taken before a tick so that the race can be put back and the tick run
// again (an online race whose guess of the other player's tiller was wrong): the processed ticks, the wind
// and its step counter, the shared random generator, every sprite of the course, the regatta and the
// computer helms. The frame is not in it: every tick draws its frame whole. Events of the ticks undone are
// taken out of the race's log. Fixed in size: taking one allocates nothing.
class TRaceSnapshot {
public:
    void Take(const TRace& race);
    void Restore(TRace& race) const;
    // The processed ticks when taken: the tick that runs next after a restore is one more.
    int64_t Tick() const { return FTick; }

private:
    struct TSpriteState {
        double X, Y;
        int32_t Width, Height;
        bool Moving, Visible;
        int32_t FrameCount;
        bool FrameLooped;
        double FramePos, FrameSpeed;
        int32_t FrameStart;
        TPictureCollectionItem* Image;
        void Take(const TImageSprite& sprite);
        void Restore(TImageSprite& sprite) const;
    };
    struct TDinghyState {
        TSpriteState Hull, Sail;
        bool Crashed;
        int32_t Heading, Tiller;
        double Speed, TargetSpeed;
    };

    int64_t FTick = 0;
    int32_t FWindDirection = 0, FWindBase = 0, FWindVariation = 0, FWindTarget = 0, FWindSpeed = 0;
    int32_t FWindCounter = 0;
    uint32_t FRandSeed = 0;
    std::array<TDinghyState, 2> FDinghies{};
    std::array<TSpriteState, 3> FBuoys{};
    std::array<TRect, 3> FBuoyHits{};
    TSpriteState FWindRose{};
    std::optional<TRegatta> FRegatta;
    std::array<std::optional<TComputerHelm>, 2> FHelms;
};
