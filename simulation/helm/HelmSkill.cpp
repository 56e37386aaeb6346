#include "simulation/helm/HelmSkill.h"

#include <algorithm>
#include <array>

THelmSkill SkillOf(int32_t level)
{
    // From the beginner up: tighter angles, a narrower corridor, headers noticed, quicker looks, truer aim,
    // a start nearer the signal from further back, others seen earlier, the speed of a reach used.
    static constexpr std::array<THelmSkill, 5> skills{{
        {46, 240, 120, 0, 20, 10, 150, 150, 60, 90, 95, 55, 0},
        {42, 200, 100, 0, 10, 6, 90, 110, 65, 95, 90, 50, 0},
        {38, 160, 80, 0, 6, 4, 35, 50, 70, 100, 85, 47, 0},
        {35, 120, 60, 15, 4, 3, 14, 20, 80, 110, 85, 44, 10},
        {31, 90, 45, 12, 2, 0, 10, 0, 90, 120, 85, 42, 30},
    }};
    const int32_t index = std::clamp(level, THelmSkill::Lowest, THelmSkill::Highest) - 1;
    return skills[static_cast<size_t>(index)];
}
