#pragma once
#include <cstdint>
#include <vector>

class TDirectDrawSurface;

// The device on which surfaces are created. It keeps a list of every surface made on it and, when destroyed,
// destroys those still alive, last created first. Storage is plain memory; the device can also play the part
// of a platform that runs out of display memory or reclaims it (lost storage), for tests and tools.
class TDirectDraw {
public:
    TDirectDraw();
    ~TDirectDraw();
    TDirectDraw(const TDirectDraw&) = delete;
    TDirectDraw& operator=(const TDirectDraw&) = delete;

    const std::vector<TDirectDrawSurface*>& Surfaces() const { return FSurfaces; }

    // Requests for display memory fail while this is false (Resize then falls back to main memory).
    bool DisplayMemoryAvailable() const { return FDisplayMemoryAvailable; }
    void SetDisplayMemoryAvailable(bool value) { FDisplayMemoryAvailable = value; }
    // Storage requests beyond this many pixels fail in either memory.
    int64_t MaxSurfacePixels() const { return FMaxSurfacePixels; }
    void SetMaxSurfacePixels(int64_t value) { FMaxSurfacePixels = value; }

    // The platform reclaims the storage of every surface on the device.
    void LoseSurfaces();

private:
    friend class TDirectDrawSurface;
    void Register(TDirectDrawSurface* surface);
    void Unregister(TDirectDrawSurface* surface);

    std::vector<TDirectDrawSurface*> FSurfaces;
    bool FDisplayMemoryAvailable = true;
    int64_t FMaxSurfacePixels = int64_t{1} << 26;
};
