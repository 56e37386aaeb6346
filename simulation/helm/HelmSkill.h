#pragma once
#include <cstdint>

// How well a computer helm sails, from 1 (a beginner) to 5 (a club racer): the numbers every decision reads.
struct THelmSkill {
    static constexpr int32_t Lowest = 1;
    static constexpr int32_t Highest = 5;

    int32_t CloseHauled = 40;    // degrees off the wind it beats at (never closer than the dinghy sails)
    double Corridor = 150;       // pixels across the wind off the aim it strays on one tack
    int32_t MinTackTicks = 80;   // on one tack at least, unless the aim can be fetched on the other
    int32_t HeaderDegrees = 0;   // a shift against the mean wind that makes it tack; 0: it does not notice
    int32_t ReactionTicks = 5;   // between two looks at the race; the tiller follows the last look
    int32_t AimError = 4;        // at most so many degrees off the heading it means to sail, drawn per look
    int32_t StartMargin = 30;    // ticks after the signal it means to reach the line
    int32_t StartSpread = 60;    // and a random number of ticks below this more
    double RunIn = 80;           // pixels below the line it waits for the start
    int32_t LookAhead = 70;      // ticks ahead it sees a dinghy it must keep clear of
    double Clearance = 85;       // pixels between the middles of two hulls it keeps
    double BuoyClearance = 60;   // pixels between its middle and a buoy's
    int32_t Spread = 0;          // degrees off an aim it can fetch it sails for more speed (it knows the bands)
};

// The skill of a level, brought within 1..5.
THelmSkill SkillOf(int32_t level);
