#include "simulation/regatta/MarkRounding.h"

namespace {

// Crossing the mark's horizontal: upwards on its east side, downwards on its west side is anticlockwise.
int8_t HorizontalStep(bool nowAbove, bool west)
{
    return nowAbove != west ? int8_t{1} : int8_t{-1};
}

// Crossing the mark's vertical: westwards above it is anticlockwise; below it (the ray south) it is not counted.
int8_t VerticalStep(bool nowWest, bool above)
{
    if (!above)
        return 0;
    return nowWest ? int8_t{1} : int8_t{-1};
}

void Add(TMarkSteps& steps, int8_t step)
{
    if (step != 0)
        steps.Steps[static_cast<size_t>(steps.Count++)] = step;
}

} // namespace

TMarkSteps MarkSteps(TPointD from, TPointD to, TPointD mark)
{
    const bool aboveFrom = from.Y < mark.Y;
    const bool aboveTo = to.Y < mark.Y;
    const bool westFrom = from.X < mark.X;
    const bool westTo = to.X < mark.X;
    TMarkSteps steps;
    if (aboveFrom != aboveTo && westFrom != westTo) {
        // Both lines through the mark crossed: in the order of the move. Through the mark's very middle (the
        // hull on the buoy) the horizontal counts first.
        const double atHorizontal = (mark.Y - from.Y) / (to.Y - from.Y);
        const double atVertical = (mark.X - from.X) / (to.X - from.X);
        if (atHorizontal <= atVertical) {
            Add(steps, HorizontalStep(aboveTo, westFrom));
            Add(steps, VerticalStep(westTo, aboveTo));
        } else {
            Add(steps, VerticalStep(westTo, aboveFrom));
            Add(steps, HorizontalStep(aboveTo, westTo));
        }
    } else if (aboveFrom != aboveTo) {
        Add(steps, HorizontalStep(aboveTo, westFrom));
    } else if (westFrom != westTo) {
        Add(steps, VerticalStep(westTo, aboveFrom));
    }
    return steps;
}
