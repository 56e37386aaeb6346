#pragma once
#include "drawing/Device.h"
#include "drawing/Surface.h"

class TCustomDXDraw;

// The presenter of a drawing surface: it owns the device, which owns the presentation target and the
// component's back buffer. It exists exactly while the component is initialised; destroying it destroys the
// device and with it every surface still on it.
class TDXDrawDriver {
public:
    virtual ~TDXDrawDriver();
    TDXDrawDriver(const TDXDrawDriver&) = delete;
    TDXDrawDriver& operator=(const TDXDrawDriver&) = delete;

    TDirectDraw& DDraw() { return FDDraw; }
    // The stand-in for the screen area frames go to; its storage is lost and restored like any other.
    TDirectDrawSurface* Primary() { return FPrimary.Get(); }

    // Binds the device to the window. Only windowed cooperation is available: asking for the exclusive
    // full-screen display mode raises EDXDrawError "Display mode cannot be changed (%dx%d %dbit)".
    void Connect();
    // Creates the presentation target and the back buffer of the component's stored size, cleared to 0.
    void Initialize();
    // Copies the back buffer into the window, waiting for the vertical blank first when asked to.
    void Present(bool waitVBlank);
    // Gives lost storage of the target and the back buffer back; true when both are usable.
    bool Restore();
    // Recreates the back buffer in the component's stored size, cleared to 0.
    void ResizeBackBuffer();

protected:
    explicit TDXDrawDriver(TCustomDXDraw& dxdraw);

private:
    TCustomDXDraw& FDXDraw;
    TDirectDraw FDDraw;
    TSurfaceHandle FPrimary;
};

// The windowed presenter: copies the back buffer into the control's client area.
class TDXDrawDriverBlt : public TDXDrawDriver {
public:
    explicit TDXDrawDriverBlt(TCustomDXDraw& dxdraw) : TDXDrawDriver(dxdraw) {}
};

// The page-flipping presenter. It is chosen with doFlip, which stays in effect only together with
// doFullScreen, so connecting it always asks for the exclusive display mode this platform does not grant.
class TDXDrawDriverFlip : public TDXDrawDriver {
public:
    explicit TDXDrawDriverFlip(TCustomDXDraw& dxdraw) : TDXDrawDriver(dxdraw) {}
};
