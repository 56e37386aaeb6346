#include "simulation/regatta/LineCrossing.h"

namespace {

// Where the move meets the line's height, the move's ends being on either side of it (so from.Y != to.Y).
bool MeetsBetweenBuoys(TPointD from, TPointD to, const TCourse& course)
{
    const double y = course.LineLeft.Y;
    const double x = from.X + (to.X - from.X) * (y - from.Y) / (to.Y - from.Y);
    return x >= course.LineLeft.X && x <= course.LineRight.X;
}

} // namespace

bool CrossedUpwards(TPointD from, TPointD to, const TCourse& course)
{
    const double y = course.LineLeft.Y;
    return from.Y >= y && to.Y < y && MeetsBetweenBuoys(from, to, course);
}

bool CrossedDownwards(TPointD from, TPointD to, const TCourse& course)
{
    const double y = course.LineLeft.Y;
    return from.Y < y && to.Y >= y && MeetsBetweenBuoys(from, to, course);
}
