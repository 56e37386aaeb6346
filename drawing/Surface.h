#pragma once
#include "drawing/ChangedArea.h"
#include "drawing/Rect.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TDirectDraw;
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

// A rectangle of 32-bit 0x00RRGGBB pixels with a colour key. Created on a device, which keeps it in its list.
class TDirectDrawSurface {
public:
    explicit TDirectDrawSurface(TDirectDraw* device);
    ~TDirectDrawSurface();
    TDirectDrawSurface(const TDirectDrawSurface&) = delete;
    TDirectDrawSurface& operator=(const TDirectDrawSurface&) = delete;

    TDirectDraw* Device() const { return FDevice; }
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

    // Nested locking; only the outermost lock and unlock do any work. Lock fails on a surface without
    // storage or whose storage has been lost. A caller of Lock may change any pixel; one that only reads
    // says so with LockForReading.
    bool Lock(TLockedPixels& out);
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
    // The whole-surface copy the surface was last covered with: its source, the source's content version then,
    // and where in the source the surface's corner lay.
    struct TBaseCopy {
        const TDirectDrawSurface* Source = nullptr;
        uint64_t Version = 0;
        int64_t Left = 0;
        int64_t Top = 0;
        bool Valid = false;
    };

    bool LockPixels(TLockedPixels& out);
    void Changed(const TRect& r);
    void ChangedAll();
    bool RedrawFromBase(TDirectDrawSurface& source, int64_t left, int64_t top);

    TDirectDraw* FDevice;
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
