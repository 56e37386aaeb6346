#include "simulation/helm/Steering.h"

#include "simulation/regatta/PenaltyTurns.h"

namespace {

constexpr int32_t NearlyAstern = 150;

} // namespace

TTiller TillerToward(int32_t heading, int32_t wanted, int32_t step, TTiller turning)
{
    const int32_t change = HeadingChange(heading, wanted);
    if (turning != TTiller::Amidships && (change >= NearlyAstern || change <= -NearlyAstern))
        return turning;
    if (2 * change > step)
        return TTiller::Port;
    if (2 * change < -step)
        return TTiller::Starboard;
    return TTiller::Amidships;
}
