#pragma once
#include "simulation/SinTable.h"
#include "simulation/regatta/Course.h"
#include "simulation/regatta/DinghyView.h"

#include <array>
#include <cstdint>

class TRace;
class TRegatta;

// What a player sees of the race after a tick, and all a computer helm decides from: both dinghies (0 green,
// 1 red) with their speeds, the course, the wind as it blows now and the regatta's state (none in free sailing).
struct THelmView {
    std::array<TDinghyView, 2> Dinghies{};
    std::array<double, 2> Speeds{};
    TCourse Course;
    int32_t WindDirection = 360;
    int32_t WindSpeed = 15;
    // The hull's width across; its length is the distance from stern to bow.
    double Beam = 30;
    const TRegatta* Regatta = nullptr;
    // The race's sine table, so that a decision needs no trigonometry; never null in a view of a race.
    const TSinTable* Sin = nullptr;
};

THelmView HelmViewOf(const TRace& race);
