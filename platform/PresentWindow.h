#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// A rectangle of frame pixels; Right and Bottom exclusive.
struct TFrameRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

// A frame handed to the window: 0x00RRGGBB pixels, rows PitchPixels apart. Unless Whole is set, only the
// pixels inside Changed differ from the frame presented before (same memory, same size).
struct TPixelView {
    const uint32_t* Pixels = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;
    std::ptrdiff_t PitchPixels = 0;
    bool Whole = true;
    std::span<const TFrameRect> Changed;
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
    // Shows the frame in the screen rectangle (left, top, width, height), stretched if its size differs. The
    // window may keep reading the frame's pixels until the next Present or Withdraw.
    virtual void Present(const TPixelView& frame, int32_t left, int32_t top, int32_t width, int32_t height) = 0;
    // The last frame's pixels are about to go away.
    virtual void Withdraw() = 0;
};
