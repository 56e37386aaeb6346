#include "drawing/DrawDriver.h"

#include "drawing/DrawingSurface.h"
#include "drawing/Errors.h"

#include <algorithm>

TDXDrawDriver::TDXDrawDriver(TCustomDXDraw& dxdraw) : FDXDraw(dxdraw) {}

TDXDrawDriver::~TDXDrawDriver()
{
    // The window may still read the back buffer, which goes with the device.
    FDXDraw.FWindow.Withdraw();
}

void TDXDrawDriver::Connect()
{
    if (FDXDraw.FNowOptions.Has(doFullScreen)) {
        const TDXDrawDisplay& display = FDXDraw.Display;
        throw EDXDrawError(FormatMessage("Display mode cannot be changed (%dx%d %dbit)", display.Width(),
                                         display.Height(), display.BitCount()));
    }
}

void TDXDrawDriver::Initialize()
{
    // The window shows the frames itself; the target only stands in for the screen's storage, which can be
    // lost and restored, so one pixel is enough.
    FPrimary = FDDraw.CreateSurface();
    try {
        FPrimary->Resize(1, 1);
    } catch (const EDirectDrawSurfaceError&) {
        throw EDXDrawError(FormatMessage("%s cannot be made", "Primary Surface"));
    }

    TSurfaceHandle surface = FDDraw.CreateSurface();
    surface->SetSystemMemory(FDXDraw.FNowOptions.Has(doSystemMemory));
    try {
        // Resize itself falls back to main memory when display memory is short.
        surface->Resize(std::max(FDXDraw.FSurfaceWidth, 1), std::max(FDXDraw.FSurfaceHeight, 1));
    } catch (const EDirectDrawSurfaceError&) {
        throw EDXDrawError(FormatMessage("%s cannot be made", "Surface"));
    }
    surface->FillSolid(0);
    FDXDraw.FSurface = std::move(surface);
}

void TDXDrawDriver::Present(bool waitVBlank)
{
    TDirectDrawSurface& back = *FDXDraw.FSurface;
    IPresentWindow& window = FDXDraw.FWindow;
    const TDXDrawOptions options = FDXDraw.FNowOptions;

    int32_t left = 0;
    int32_t top = 0;
    window.ClientOriginOnScreen(left, top);
    int32_t width = back.Width();
    int32_t height = back.Height();
    if (options.Has(doStretch)) {
        width = window.ClientWidth();
        height = window.ClientHeight();
    } else if (options.Has(doCenter)) {
        left += (window.ClientWidth() - width) / 2;
        top += (window.ClientHeight() - height) / 2;
    }

    if (waitVBlank)
        window.WaitForVerticalBlank();

    const TSurfaceReadLock lock(&back);
    if (!lock.Locked())
        return;
    const TLockedPixels& pixels = lock.Pixels();
    TFrameRect changed[TChangedArea::Capacity];
    const TChangedArea& changes = back.Changes();
    size_t count = 0;
    for (const TRect& r : changes.Rects())
        changed[count++] = {r.Left, r.Top, r.Right, r.Bottom};
    const TPixelView frame{pixels.Bits, pixels.Width, pixels.Height, pixels.PitchPixels, changes.All(),
                           std::span<const TFrameRect>(changed, count)};
    window.Present(frame, left, top, width, height);
    back.ForgetChanges();
}

bool TDXDrawDriver::Restore()
{
    const bool primaryBack = FPrimary->Restore();
    const bool surfaceBack = FDXDraw.FSurface->Restore();
    return primaryBack && surfaceBack;
}

void TDXDrawDriver::ResizeBackBuffer()
{
    TDirectDrawSurface& back = *FDXDraw.FSurface;
    FDXDraw.FWindow.Withdraw();
    back.Resize(std::max(FDXDraw.FSurfaceWidth, 1), std::max(FDXDraw.FSurfaceHeight, 1));
    back.FillSolid(0);
}
