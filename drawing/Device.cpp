#include "drawing/Device.h"

#include "drawing/Surface.h"

#include <algorithm>

TDirectDraw::TDirectDraw() = default;

TDirectDraw::~TDirectDraw()
{
    // Each surface takes itself out of the list while it is destroyed.
    while (!FSurfaces.empty())
        delete FSurfaces.back();
}

void TDirectDraw::LoseSurfaces()
{
    for (TDirectDrawSurface* surface : FSurfaces)
        surface->MarkLost();
}

void TDirectDraw::Register(TDirectDrawSurface* surface)
{
    FSurfaces.push_back(surface);
}

void TDirectDraw::Unregister(TDirectDrawSurface* surface)
{
    const auto at = std::find(FSurfaces.rbegin(), FSurfaces.rend(), surface);
    if (at != FSurfaces.rend())
        FSurfaces.erase(std::next(at).base());
}
