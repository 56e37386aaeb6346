#include "simulation/regatta/PenaltyTurns.h"

int32_t HeadingChange(int32_t from, int32_t to)
{
    // int64: headings are 1..360, but a stray value must not overflow.
    const int64_t change = ((int64_t{to} - from) % 360 + 540) % 360 - 180;
    return static_cast<int32_t>(change);
}

bool TurnOn(int32_t& turnDegrees, int32_t change)
{
    if ((change > 0 && turnDegrees < 0) || (change < 0 && turnDegrees > 0))
        turnDegrees = change;
    else
        turnDegrees += change;
    if (turnDegrees >= 360) {
        turnDegrees -= 360;
        return true;
    }
    if (turnDegrees <= -360) {
        turnDegrees += 360;
        return true;
    }
    return false;
}
