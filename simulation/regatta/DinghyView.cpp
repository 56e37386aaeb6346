#include "simulation/regatta/DinghyView.h"

#include "drawing/ImageList.h"
#include "simulation/Quibo.h"
#include "simulation/Race.h"
#include "simulation/Rounding.h"

#include <algorithm>

TDinghyView ViewOf(const TQuibo& dinghy, const TRace& race)
{
    const TSinTable& sin = race.SinTable;
    const int32_t h = FoldDegrees(dinghy.Heading);
    // Forward along the heading and to starboard across it, as the dinghy is drawn.
    const double fx = sin[h];
    const double fy = -sin[h + 90];
    const double length = dinghy.Image != nullptr ? dinghy.Image->Height() : 0;
    const double halfWidth = dinghy.Image != nullptr ? dinghy.Image->Width() / 2.0 : 0;

    TDinghyView view;
    view.Stern = {dinghy.X, dinghy.Y};
    view.Bow = {dinghy.X + length * fx, dinghy.Y + length * fy};
    const double across = halfWidth * fx; // the y of the vector across the hull is the forward vector's x
    const double sternTop = std::min(view.Stern.Y - across, view.Stern.Y + across);
    const double bowTop = std::min(view.Bow.Y - across, view.Bow.Y + across);
    view.Top = std::min(sternTop, bowTop);
    view.Bottom = std::max(std::max(view.Stern.Y - across, view.Stern.Y + across),
                           std::max(view.Bow.Y - across, view.Bow.Y + across));
    view.Heading = dinghy.Heading;
    view.RelativeWind = race.RelativeWindAngle(dinghy.Heading);
    view.Crashed = dinghy.Crashed;
    return view;
}

TPointD Upwind(const TRace& race)
{
    const int32_t w = FoldDegrees(race.WindDirection);
    return {race.SinTable[w], -race.SinTable[w + 90]};
}
