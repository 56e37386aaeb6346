#pragma once
#include <cstddef>
#include <cstdint>

// A frame handed to the window: 0x00RRGGBB pixels, rows PitchPixels apart.
struct TPixelView {
    const uint32_t* Pixels = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;
    std::ptrdiff_t PitchPixels = 0;
};

// The drawing area's window: where frames are shown.
class IPresentWindow {
public:
    virtual ~IPresentWindow() = default;
    // False while the control sits on no form; initialising then fails.
    virtual bool HasParentForm() const = 0;
    virtual int32_t ClientWidth() const = 0;
    virtual int32_t ClientHeight() const = 0;
    // Screen position of the control's client origin.
    virtual void ClientOriginOnScreen(int32_t& x, int32_t& y) const = 0;
    virtual void WaitForVerticalBlank() = 0;
    // Shows the frame in the screen rectangle (left, top, width, height), stretched if its size differs.
    virtual void Present(const TPixelView& frame, int32_t left, int32_t top, int32_t width, int32_t height) = 0;
};
