#include "simulation/helm/CourseAims.h"

#include <algorithm>

namespace {

double WithinBuoys(double x, const TCourse& course, double margin)
{
    return std::clamp(x, course.LineLeft.X + margin, course.LineRight.X - margin);
}

} // namespace

TPointD RoundingAim(TPointD at, TPointD mark, double radius)
{
    if (at.Y >= mark.Y) {
        const TPointD east{mark.X + radius, mark.Y - radius / 3};
        // West of it, first under it where the way to the east side would pass over it or too near.
        if (at.X < mark.X) {
            const double yUnder = at.Y + (east.Y - at.Y) * (mark.X - at.X) / (east.X - at.X);
            if (yUnder < mark.Y + radius / 2)
                return {mark.X, mark.Y + radius};
        }
        return east;
    }
    if (at.X >= mark.X)
        return {mark.X - radius / 3, mark.Y - radius * 2 / 3};
    return {mark.X - radius, mark.Y + radius / 3};
}

TPointD LineAim(TPointD at, TPointD bow, const TCourse& course, double distance, double margin)
{
    const double lineY = course.LineLeft.Y;
    return {WithinBuoys(at.X, course, margin), bow.Y >= lineY ? lineY - distance : lineY + distance};
}

TPointD BelowLine(TPointD at, const TCourse& course, double distance, double margin)
{
    return {WithinBuoys(at.X, course, margin), course.LineLeft.Y + distance};
}

TPointD Berth(const TCourse& course, int32_t dinghy)
{
    constexpr double Beyond = 150;
    constexpr double Below = 90;
    const double x = dinghy == 0 ? course.LineRight.X + Beyond : course.LineLeft.X - Beyond;
    return {x, course.LineLeft.Y + Below};
}

TPointD StartPoint(const TCourse& course, int32_t dinghy, double margin)
{
    return {dinghy == 0 ? course.LineRight.X - margin : course.LineLeft.X + margin, course.LineLeft.Y};
}
