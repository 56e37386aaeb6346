#include "drawing/ChangedArea.h"

#include <algorithm>
#include <limits>

namespace {

int64_t Area(const TRect& r)
{
    return (int64_t{r.Right} - r.Left) * (int64_t{r.Bottom} - r.Top);
}

TRect Union(const TRect& a, const TRect& b)
{
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

} // namespace

void TChangedArea::Add(const TRect& r)
{
    if (FAll || r.Left >= r.Right || r.Top >= r.Bottom)
        return;
    // A union that covers nothing the two did not already cover costs nothing: a pixel next to a line of
    // pixels, or a rectangle over one it overlaps entirely.
    int32_t best = -1;
    int64_t bestGrowth = std::numeric_limits<int64_t>::max();
    for (int32_t i = 0; i < FCount; ++i) {
        const TRect& old = FRects[static_cast<size_t>(i)];
        const int64_t growth = Area(Union(old, r)) - Area(old) - Area(r);
        if (growth <= 0 || growth < bestGrowth) {
            best = i;
            bestGrowth = growth;
        }
        if (growth <= 0)
            break;
    }
    if (best >= 0 && (bestGrowth <= 0 || FCount == Capacity)) {
        TRect& old = FRects[static_cast<size_t>(best)];
        old = Union(old, r);
        return;
    }
    FRects[static_cast<size_t>(FCount++)] = r;
}

void TChangedArea::AddAll()
{
    FAll = true;
    FCount = 0;
}

void TChangedArea::Clear()
{
    FAll = false;
    FCount = 0;
}
