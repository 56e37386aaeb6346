#include "platform/qt/StaleRegions.h"

namespace {
constexpr int MaxParts = 32;
}

void TStaleRegions::Reset(size_t count, const QRect& whole)
{
    FStale.assign(count, QRegion(whole));
}

void TStaleRegions::Changed(const QRegion& region)
{
    for (QRegion& stale : FStale) {
        stale += region;
        // A buffer long held gathers many small parts: one rectangle round them paints faster.
        if (stale.rectCount() > MaxParts)
            stale = QRegion(stale.boundingRect());
    }
}

QRegion TStaleRegions::Take(size_t buffer)
{
    if (buffer >= FStale.size())
        return {};
    QRegion taken;
    taken.swap(FStale[buffer]);
    return taken;
}
