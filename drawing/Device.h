#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class TDirectDraw;
class TDirectDrawSurface;

// The one way to hold on to a surface: the device owns the surface, the handle is its holder's right to use it
// and to give it back. Moving the handle hands that right on; destroying or resetting it destroys the surface.
// A device that goes first destroys its surfaces itself and empties their handles, so whichever of the two goes
// first, nothing is freed twice and no handle is left pointing at freed memory.
class TSurfaceHandle {
public:
    TSurfaceHandle() = default;
    ~TSurfaceHandle();
    TSurfaceHandle(TSurfaceHandle&& other) noexcept;
    TSurfaceHandle& operator=(TSurfaceHandle&& other) noexcept;
    TSurfaceHandle(const TSurfaceHandle&) = delete;
    TSurfaceHandle& operator=(const TSurfaceHandle&) = delete;

    // Null once the surface has been given back or its device is gone.
    TDirectDrawSurface* Get() const { return FSurface; }
    TDirectDrawSurface* operator->() const { return FSurface; }
    TDirectDrawSurface& operator*() const { return *FSurface; }
    explicit operator bool() const { return FSurface != nullptr; }

    // Destroys the surface now, if it still exists.
    void Reset();

private:
    friend class TDirectDraw;
    explicit TSurfaceHandle(TDirectDrawSurface* surface);
    void Take(TSurfaceHandle& other);

    TDirectDrawSurface* FSurface = nullptr;
};

// The device on which surfaces are created. It owns every surface made on it, in creation order, and when
// destroyed destroys those still alive, last created first. Storage is plain memory; the device can also play
// the part of a platform that runs out of display memory or reclaims it (lost storage), for tests and tools.
class TDirectDraw {
public:
    TDirectDraw();
    ~TDirectDraw();
    TDirectDraw(const TDirectDraw&) = delete;
    TDirectDraw& operator=(const TDirectDraw&) = delete;

    // A new surface without storage, entered in the device's list; it lives until its handle lets it go or the
    // device goes.
    [[nodiscard]] TSurfaceHandle CreateSurface();

    // The surfaces alive on the device, in creation order.
    std::vector<TDirectDrawSurface*> Surfaces() const;

    // Requests for display memory fail while this is false (Resize then falls back to main memory).
    bool DisplayMemoryAvailable() const { return FDisplayMemoryAvailable; }
    void SetDisplayMemoryAvailable(bool value) { FDisplayMemoryAvailable = value; }
    // Storage requests beyond this many pixels fail in either memory.
    int64_t MaxSurfacePixels() const { return FMaxSurfacePixels; }
    void SetMaxSurfacePixels(int64_t value) { FMaxSurfacePixels = value; }

    // The platform reclaims the storage of every surface on the device.
    void LoseSurfaces();

private:
    friend class TSurfaceHandle;
    void DestroySurface(TDirectDrawSurface* surface);

    std::vector<std::unique_ptr<TDirectDrawSurface>> FSurfaces;
    bool FDisplayMemoryAvailable = true;
    int64_t FMaxSurfacePixels = int64_t{1} << 26;
};
