#include "simulation/Wind.h"

#include "simulation/Random.h"
#include "simulation/Rounding.h"

#include <algorithm>
#include <cstdlib>

int32_t WindStepDelay(int32_t windSpeed)
{
    if (windSpeed > 15)
        return 0;
    if (windSpeed >= 11)
        return 1;
    if (windSpeed >= 6)
        return 2;
    return 3;
}

int32_t TurnWindOneDegree(int32_t direction, int32_t target)
{
    const int32_t diff = target - direction;
    const bool clockwise = std::abs(diff) < 180 ? diff > 0 : diff < 0;
    if (clockwise)
        return direction + 1 > 360 ? 1 : direction + 1;
    return direction - 1 < 1 ? 360 : direction - 1;
}

int32_t DrawWindTarget(int32_t base, int32_t variation)
{
    const int32_t range = std::max(0, 2 * variation);
    int32_t target = base - variation + static_cast<int32_t>(Random(static_cast<uint32_t>(range)));
    if (target > 360)
        target -= 360;
    if (target < 1)
        target += 360;
    return target;
}

int32_t TurningStep(int32_t windSpeed)
{
    return std::clamp(RoundHalfEven(windSpeed / 5.0), 1, 4);
}

int32_t SteerHeading(int32_t heading, int32_t tiller, int32_t step)
{
    if (tiller == 0)
        heading += step;
    else if (tiller == 2)
        heading -= step;
    if (heading < 1)
        return 360;
    if (heading > 360)
        return 1;
    return heading;
}

double TargetSpeedFor(int32_t windSpeed, int32_t r)
{
    double factor = -0.1; // head to wind: drifting backwards
    if (r >= 30 && r < 80)
        factor = 1.0;
    else if (r >= 80 && r < 140)
        factor = 1.3;
    else if (r >= 140 && r < 220)
        factor = 1.1;
    else if (r >= 220 && r < 280)
        factor = 1.3;
    else if (r >= 280 && r < 330)
        factor = 1.0;
    return windSpeed / 5.0 * factor;
}
