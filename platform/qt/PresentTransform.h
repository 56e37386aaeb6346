#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A rectangle of device pixels of the drawing area's top-level window.
struct TDeviceRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;

    bool operator==(const TDeviceRect&) const = default;
};

// One axis of the way frame pixels become device pixels, in whole numbers only.
//
// A frame of N pixels is shown on D >= N device pixels. It is first thought enlarged by the whole factor
// k = ceil(D / N) without smoothing, then sampled down to D with linear interpolation: a device pixel mixes two
// frame pixels only where an edge between them falls inside it, so every edge blurs by at most one device pixel
// and each frame pixel covers the same share of the screen wherever it lies. At D = k N no pixel is mixed.
class TPresentAxis {
public:
    // The two frame pixels a device pixel shows, and the far one's weight in 256ths.
    struct TTap {
        int32_t Near = 0;
        int32_t Far = 0;
        uint32_t Weight = 0;
    };

    TPresentAxis() = default;
    TPresentAxis(int32_t frame, int32_t shown);

    int32_t Frame() const { return FFrame; }
    int32_t Shown() const { return FShown; }
    // The whole factor when the axis shows each frame pixel on that many device pixels, else 0.
    int32_t Factor() const { return FShown % FFrame == 0 ? FShown / FFrame : 0; }
    // The frame pixel whose share holds the centre of device pixel d (0 <= d < Shown).
    int32_t FramePixelAt(int32_t device) const;
    // The device pixels [first, last) whose colour depends on the frame pixels [from, to).
    void DeviceSpan(int32_t from, int32_t to, int32_t& first, int32_t& last) const;
    const TTap& Tap(int32_t device) const { return FTaps[static_cast<std::size_t>(device)]; }

    bool operator==(const TPresentAxis& other) const { return FFrame == other.FFrame && FShown == other.FShown; }

private:
    int32_t FFrame = 1;
    int32_t FShown = 1;
    std::vector<TTap> FTaps = {TTap{}};
};

// Where and how large a frame is shown in a device area.
struct TPresentTransform {
    TPresentAxis X;
    TPresentAxis Y;
    // The device pixel of the frame's top-left corner.
    int32_t Left = 0;
    int32_t Top = 0;

    // Fills the area keeping the frame's proportions; with wholeFactors only at the largest whole factor that
    // fits. A frame larger than the area is shown 1:1, centred and cut.
    static TPresentTransform Fit(int32_t frameWidth, int32_t frameHeight, const TDeviceRect& area, bool wholeFactors);

    // The common whole factor of both axes, or 0 where the frame is interpolated.
    int32_t Factor() const { return X.Factor() == Y.Factor() ? X.Factor() : 0; }
    TDeviceRect Shown() const { return {Left, Top, X.Shown(), Y.Shown()}; }
    // The frame pixel shown at a device pixel; false outside the frame.
    bool FramePixelAt(int32_t deviceX, int32_t deviceY, int32_t& x, int32_t& y) const;
    // The device pixels that show anything of the frame rectangle [left, right) x [top, bottom).
    TDeviceRect DeviceRectOf(int32_t left, int32_t top, int32_t right, int32_t bottom) const;

    bool operator==(const TPresentTransform&) const = default;
};
