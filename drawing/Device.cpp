#include "drawing/Device.h"

#include "drawing/Surface.h"

#include <algorithm>

TSurfaceHandle::TSurfaceHandle(TDirectDrawSurface* surface) : FSurface(surface)
{
    FSurface->FHandle = this;
}

TSurfaceHandle::~TSurfaceHandle()
{
    Reset();
}

TSurfaceHandle::TSurfaceHandle(TSurfaceHandle&& other) noexcept
{
    Take(other);
}

TSurfaceHandle& TSurfaceHandle::operator=(TSurfaceHandle&& other) noexcept
{
    if (this != &other) {
        Reset();
        Take(other);
    }
    return *this;
}

void TSurfaceHandle::Take(TSurfaceHandle& other)
{
    FSurface = other.FSurface;
    other.FSurface = nullptr;
    // The surface must know where its handle lives now, to empty it if the device goes first.
    if (FSurface)
        FSurface->FHandle = this;
}

void TSurfaceHandle::Reset()
{
    TDirectDrawSurface* surface = FSurface;
    FSurface = nullptr;
    if (surface)
        surface->FDevice.DestroySurface(surface);
}

TDirectDraw::TDirectDraw() = default;

TDirectDraw::~TDirectDraw()
{
    while (!FSurfaces.empty()) {
        const std::unique_ptr<TDirectDrawSurface> surface = std::move(FSurfaces.back());
        FSurfaces.pop_back();
        if (surface->FHandle)
            surface->FHandle->FSurface = nullptr;
    }
}

TSurfaceHandle TDirectDraw::CreateSurface()
{
    FSurfaces.push_back(std::unique_ptr<TDirectDrawSurface>(new TDirectDrawSurface(*this)));
    return TSurfaceHandle(FSurfaces.back().get());
}

std::vector<TDirectDrawSurface*> TDirectDraw::Surfaces() const
{
    std::vector<TDirectDrawSurface*> surfaces;
    surfaces.reserve(FSurfaces.size());
    for (const auto& surface : FSurfaces)
        surfaces.push_back(surface.get());
    return surfaces;
}

void TDirectDraw::LoseSurfaces()
{
    for (const auto& surface : FSurfaces)
        surface->MarkLost();
}

void TDirectDraw::DestroySurface(TDirectDrawSurface* surface)
{
    // Surfaces made last usually go first.
    const auto at = std::find_if(FSurfaces.rbegin(), FSurfaces.rend(),
                                 [surface](const auto& owned) { return owned.get() == surface; });
    if (at != FSurfaces.rend())
        FSurfaces.erase(std::next(at).base());
}
