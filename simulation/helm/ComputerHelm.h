#pragma once
#include "simulation/Player.h"
#include "simulation/Tiller.h"
#include "simulation/helm/Beat.h"
#include "simulation/helm/HelmSkill.h"
#include "simulation/helm/HelmView.h"
#include "simulation/regatta/DinghyView.h"

#include <cstddef>
#include <cstdint>

// What a computer helm carries from one tick to the next. All of it goes into the race's digest while the
// helm steers, so a race with a computer replays to the same states.
struct THelmMemory {
    uint32_t Random = 0;      // its own generator's state
    TTackPlan Plan;
    int32_t MeanWind = -1;    // the wind's mean in 1/256 degree (0 up to 360 * 256); -1 before the first look
    int32_t RecentWind = -1;  // and its mean over the last second or so
    int32_t UntilLook = 0;    // ticks until it next looks at the race
    int32_t Wanted = 360;     // the heading it has meant since its last look
    TTiller Tiller = TTiller::Amidships; // as it last set it
    int32_t BuoySide = 0;     // the side it last turned to off a buoy, +1 clockwise; 0 none
    int32_t BuoyHeading = 0;  // and the heading it took; 0 none
    int32_t AimError = 0;     // degrees off that heading, drawn at each look
    bool Turning = false;     // a penalty turn under way: the tiller stays to port until the turns are done
    int32_t StartMargin = -1; // ticks after the signal it means to reach the line; -1 until drawn
    bool ToSpot = false;      // before the start: on its way back to where it waits
    bool Going = false;       // before the start: gone for the line
    bool Rounded = false;     // free sailing: this lap's mark is rounded
    int32_t Winding = 0;      // free sailing: thirds of a turn round the mark this lap, anticlockwise positive
    TDinghyView Last{};       // its own dinghy as it was after the last tick
    bool Seen = false;
    int32_t RegattaTicks = 0; // the regatta's ticks after the last tick; 0 in free sailing
};

// A computer steering one dinghy as a player would: after every processed tick it looks at what a player sees
// (THelmView) and sets its tiller. It sails the course: behind the line in the countdown and over it at the
// signal, up to the mark by tacking on the laylines, round it to port, down through the gate, and in free
// sailing laps of the same; back when early, its penalty turns taken, clear of the other dinghy when the rules
// say so, off the buoys. It draws its errors from a generator of its own. It allocates nothing.
class TComputerHelm {
public:
    // skill 1 (a beginner) to 5 (a club racer), brought within them; raceSeed: the race's generator when the
    // helm takes the dinghy.
    TComputerHelm(int32_t skill, TPlayer dinghy, uint32_t raceSeed);
    // With numbers of its own rather than a level's (for the tools that search for better ones).
    TComputerHelm(const THelmSkill& numbers, TPlayer dinghy, uint32_t raceSeed);

    // The tiller for the next tick, from the race as it stands after this one.
    TTiller Decide(const THelmView& view);

    int32_t Skill() const { return FLevel; }
    TPlayer Dinghy() const { return FDinghy; }
    const THelmMemory& Memory() const { return FMemory; }

private:
    struct TIntent {
        int32_t Heading = 360;
        bool Luff = false;   // head to wind on purpose: to stop
        bool Urgent = false; // away from the line before the signal: before all else
    };

    void Notice(const THelmView& view);
    void Forget(const TDinghyView& self);
    int32_t Look(const THelmView& view);
    TIntent Leg(const THelmView& view);
    TIntent Start(const THelmView& view, int32_t sinceStart);
    int32_t Toward(const THelmView& view, TPointD aim);
    int32_t KeepClear(const THelmView& view, int32_t wanted) const;
    int32_t OffBuoys(const THelmView& view, int32_t wanted);
    bool RoomToTurn(const THelmView& view) const;
    bool RoundingMark(const THelmView& view) const;
    TBeatRules Rules(const THelmView& view) const;

    int32_t FLevel;
    THelmSkill FSkill;
    TPlayer FDinghy;
    size_t FIndex;
    THelmMemory FMemory;
};
