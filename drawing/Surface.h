#pragma once
#include "drawing/ChangedArea.h"
#include "drawing/Rect.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class TDirectDraw;
class TSurfaceHandle;
class TGraphic;

// A GUI colour: 0x00BBGGRR, or a system colour when the top byte is 0x80.
using TColor = uint32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clOlive = 0x008080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clBtnFace = 0x8000000F;

// Resolves system colours and swaps the GUI order into a pixel value 0x00RRGGBB.
uint32_t ColorToRGBPixel(TColor color);

// Direct access to a locked surface: 32-bit 0x00RRGGBB pixels, rows PitchPixels apart.
struct TLockedPixels {
    uint32_t* Bits = nullptr;
    std::ptrdiff_t PitchPixels = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};

// What one write changed: a rectangle (nothing when it is empty), or the whole surface.
class TWritten {
public:
    constexpr TWritten() = default;
    constexpr explicit TWritten(const TRect& rect) : FRect(rect) {}
    static constexpr TWritten Whole()
    {
        TWritten written;
        written.FWhole = true;
        return written;
    }

    constexpr const TRect& Rect() const { return FRect; }
    constexpr bool IsWhole() const { return FWhole; }

private:
    friend class TDirectDrawSurface;
    TRect FRect;
    bool FWhole = false;
    // The surface's own redraw: what was drawn over since the last whole copy has been copied back from it.
    bool FBackToBase = false;
};

// A rectangle of 32-bit 0x00RRGGBB pixels with a colour key. Only a device creates surfaces, and it owns them:
// holders keep a TSurfaceHandle (drawing/Device.h).
class TDirectDrawSurface {
public:
    TDirectDrawSurface(const TDirectDrawSurface&) = delete;
    TDirectDrawSurface& operator=(const TDirectDrawSurface&) = delete;

    TDirectDraw* Device() const { return &FDevice; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    bool HasStorage() const { return !FPixels.empty(); }
    TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }

    bool SystemMemory() const { return FSystemMemory; }
    void SetSystemMemory(bool value) { FSystemMemory = value; }

    uint32_t ColorKey() const { return FColorKey; }
    void SetColorKey(uint32_t value) { FColorKey = value; }

    // Replaces the storage; w or h <= 0 releases it. Raises EDirectDrawSurfaceError when none can be had.
    void Resize(int32_t w, int32_t h);

    uint32_t ReadPixel(int32_t x, int32_t y);
    void WritePixel(int32_t x, int32_t y, uint32_t value);
    void FillSolid(uint32_t value);
    uint32_t ColorToPixel(TColor color);

    // Resizes to w x h (0 means the rectangle's size) and loads rect of the picture 1:1 or stretched.
    void LoadPictureRect(const TGraphic& picture, int32_t w, int32_t h, const TRect& rect);

    // Colour-keyed copy of srcRect of source to (x, y), clipped to both surfaces.
    void DrawSurface(int32_t x, int32_t y, const TRect& srcRect, TDirectDrawSurface* source, bool transparent);

    // Draws srcRect of source scaled to w x h, with its point (w * pivotX, h * pivotY) on (x, y), turned
    // clockwise by angle (256 units to a full turn).
    void DrawSurfaceRotated(int32_t x, int32_t y, int32_t w, int32_t h, const TRect& srcRect,
                            TDirectDrawSurface* source, double pivotX, double pivotY, bool transparent,
                            int32_t angle);

    // The one way pixels change. writer(const TLockedPixels&) changes pixels of the locked surface and returns
    // what it changed, which is reported together with the write, so no change can go unseen. Returns what was
    // reported: nothing on a surface that cannot be locked, where the writer is not called.
    template <class Writer>
    TWritten Write(Writer&& writer);

    // Direct access for reading; the pixels must not be changed through it (Write changes them). Locks nest;
    // each successful lock is ended by one Unlock. Fails on a surface without storage or whose storage has been
    // lost.
    bool LockForReading(TLockedPixels& out);
    void Unlock();

    // Where pixels changed since the last ForgetChanges: what a presenter has to show anew.
    const TChangedArea& Changes() const { return FChanges; }
    void ForgetChanges() { FChanges.Clear(); }

    // An opaque copy that covers the whole surface again from the same, unchanged source rectangle as the
    // previous one redraws only what has been drawn over since (the result is the same). On by default; off
    // gives the plain copy, for comparisons.
    bool IncrementalCopies() const { return FIncrementalCopies; }
    void SetIncrementalCopies(bool value);

    // Storage can be lost (the platform reclaims it); drawing on a lost surface draws nothing.
    bool IsLost() const { return FLost; }
    void MarkLost();
    // Gives lost storage back, with undefined pixels; true when the surface is usable again.
    bool Restore();

private:
    friend class TDirectDraw;
    friend class TSurfaceHandle;
    friend struct std::default_delete<TDirectDrawSurface>;
    explicit TDirectDrawSurface(TDirectDraw& device);
    ~TDirectDrawSurface();

    // The whole-surface copy the surface was last covered with: its source, the source's content version then,
    // and where in the source the surface's corner lay.
    struct TBaseCopy {
        const TDirectDrawSurface* Source = nullptr;
        uint64_t Version = 0;
        int64_t Left = 0;
        int64_t Top = 0;
        bool Valid = false;
    };

    // The outermost lock on the storage, under both reading and writing; only the outermost lock and unlock
    // would reach a platform.
    bool LockStorage(TLockedPixels& out);
    void Report(const TWritten& written);
    void Changed(const TRect& r);
    void ChangedAll();
    bool RedrawFromBase(TDirectDrawSurface& source, int64_t left, int64_t top);

    TDirectDraw& FDevice;
    // The handle through which the surface is held, emptied if the device goes first.
    TSurfaceHandle* FHandle = nullptr;
    std::vector<uint32_t> FPixels;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    bool FSystemMemory = false;
    bool FLost = false;
    uint32_t FColorKey = 0;
    int32_t FLockCount = 0;
    // Changes with each change of the pixels; unique across surfaces, so a new surface never matches an old one.
    uint64_t FVersion;
    TChangedArea FChanges;
    TChangedArea FSinceBase;
    TBaseCopy FBase;
    bool FIncrementalCopies = true;
};

template <class Writer>
TWritten TDirectDrawSurface::Write(Writer&& writer)
{
    TLockedPixels pixels;
    if (!LockStorage(pixels))
        return {};
    TWritten written;
    try {
        written = std::forward<Writer>(writer)(std::as_const(pixels));
    } catch (...) {
        // Pixels may have changed before the writer failed.
        Report(TWritten::Whole());
        Unlock();
        throw;
    }
    Report(written);
    Unlock();
    return written;
}

// Holds a surface locked for reading while it lives; nothing when the surface is null or cannot be locked.
class TSurfaceReadLock {
public:
    explicit TSurfaceReadLock(TDirectDrawSurface* surface)
        : FSurface(surface), FLocked(surface && surface->LockForReading(FPixels))
    {
    }
    ~TSurfaceReadLock()
    {
        if (FLocked)
            FSurface->Unlock();
    }
    TSurfaceReadLock(const TSurfaceReadLock&) = delete;
    TSurfaceReadLock& operator=(const TSurfaceReadLock&) = delete;

    bool Locked() const { return FLocked; }
    const TLockedPixels& Pixels() const { return FPixels; }
    const uint32_t* Row(int64_t y) const { return FPixels.Bits + y * FPixels.PitchPixels; }

private:
    TDirectDrawSurface* FSurface;
    TLockedPixels FPixels;
    bool FLocked;
};
