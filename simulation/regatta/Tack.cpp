#include "simulation/regatta/Tack.h"

TTack TackOf(int32_t relativeWind)
{
    if (relativeWind < 30 || relativeWind >= 330)
        return TTack::Tacking;
    return relativeWind <= 179 ? TTack::Starboard : TTack::Port;
}
