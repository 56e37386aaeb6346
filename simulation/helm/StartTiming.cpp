#include "simulation/helm/StartTiming.h"

#include "simulation/Wind.h"
#include "simulation/helm/HelmGeometry.h"
#include "simulation/helm/Steering.h"

#include <algorithm>
#include <cmath>

int32_t TicksToLine(TRunState run, const TRunPlan& plan, const TRunConditions& conditions, int32_t limit,
                    const TSinTable& sin)
{
    const int32_t step = TurningStep(conditions.WindSpeed);
    const double halfBeam = conditions.Beam / 2;
    for (int32_t tick = 1; tick <= limit; ++tick) {
        // As the frame step: the heading and the target speed first, then the speed, then the move.
        const TTiller tiller = TillerToward(run.Heading, tick <= plan.Ticks ? plan.Course : plan.Then, step);
        run.Heading = SteerHeading(run.Heading, static_cast<int32_t>(tiller), step);
        const double target = TargetSpeedFor(conditions.WindSpeed, RelativeWind(conditions.Wind, run.Heading));
        if (target > run.Speed)
            run.Speed = std::min(run.Speed + 0.05, target);
        else if (target < run.Speed)
            run.Speed = std::max(run.Speed - 0.05, target);
        const TPointD forward = HeadingVector(run.Heading, sin);
        run.Stern = Plus(run.Stern, Scaled(forward, run.Speed));
        const double bowY = run.Stern.Y + conditions.Length * forward.Y;
        const double top = std::min(run.Stern.Y, bowY) - halfBeam * std::fabs(forward.X);
        if (top < conditions.LineY)
            return tick;
    }
    return limit;
}
