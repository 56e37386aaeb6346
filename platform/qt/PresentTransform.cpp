#include "platform/qt/PresentTransform.h"

#include <algorithm>

TPresentAxis::TPresentAxis(int32_t frame, int32_t shown)
    : FFrame(std::max(frame, 1))
    , FShown(std::max(shown, FFrame))
{
    const int64_t n = FFrame;
    const int64_t d = FShown;
    const int64_t factor = (d + n - 1) / n;
    const int64_t enlarged = factor * n;
    FTaps.resize(static_cast<size_t>(d));
    for (int64_t device = 0; device < d; ++device) {
        // The device pixel's centre on the enlarged frame, less half a pixel, in units of 1 / (2 d).
        const int64_t at = (2 * device + 1) * enlarged - d;
        const int64_t near = at / (2 * d);
        const int64_t fraction = at % (2 * d);
        TTap& tap = FTaps[static_cast<size_t>(device)];
        tap.Near = static_cast<int32_t>(near / factor);
        tap.Far = static_cast<int32_t>(std::min(near + 1, enlarged - 1) / factor);
        tap.Weight = tap.Far == tap.Near ? 0 : static_cast<uint32_t>((fraction * 256 + d) / (2 * d));
        if (tap.Weight == 0)
            tap.Far = tap.Near;
    }
}

int32_t TPresentAxis::FramePixelAt(int32_t device) const
{
    return static_cast<int32_t>((2 * static_cast<int64_t>(device) + 1) * FFrame / (2 * static_cast<int64_t>(FShown)));
}

void TPresentAxis::DeviceSpan(int32_t from, int32_t to, int32_t& first, int32_t& last) const
{
    // A device pixel shows the frame pixel under its centre and at most one neighbour.
    const int64_t n = FFrame;
    const int64_t d = FShown;
    first = static_cast<int32_t>(std::clamp<int64_t>((std::max<int64_t>(from - 1, 0) * d) / n - 1, 0, d));
    last = static_cast<int32_t>(std::clamp<int64_t>(((to + 1) * d + n - 1) / n + 1, 0, d));
}

TPresentTransform TPresentTransform::Fit(int32_t frameWidth, int32_t frameHeight, const TDeviceRect& area,
    bool wholeFactors)
{
    const int64_t w = std::max(frameWidth, 1);
    const int64_t h = std::max(frameHeight, 1);
    int64_t shownWidth = w;
    int64_t shownHeight = h;
    if (area.Width >= w && area.Height >= h) {
        if (wholeFactors) {
            const int64_t factor = std::min(area.Width / w, area.Height / h);
            shownWidth = factor * w;
            shownHeight = factor * h;
        } else if (area.Width * h <= area.Height * w) {
            shownWidth = area.Width;
            shownHeight = std::max(h, area.Width * h / w);
        } else {
            shownHeight = area.Height;
            shownWidth = std::max(w, area.Height * w / h);
        }
    }
    TPresentTransform transform;
    transform.X = TPresentAxis(static_cast<int32_t>(w), static_cast<int32_t>(shownWidth));
    transform.Y = TPresentAxis(static_cast<int32_t>(h), static_cast<int32_t>(shownHeight));
    // Floor division keeps the centring the same on both sides of a frame larger than the area.
    const auto half = [](int64_t room) { return static_cast<int32_t>(room >= 0 ? room / 2 : -((1 - room) / 2)); };
    transform.Left = area.Left + half(area.Width - shownWidth);
    transform.Top = area.Top + half(area.Height - shownHeight);
    return transform;
}

bool TPresentTransform::FramePixelAt(int32_t deviceX, int32_t deviceY, int32_t& x, int32_t& y) const
{
    const int32_t dx = deviceX - Left;
    const int32_t dy = deviceY - Top;
    if (dx < 0 || dy < 0 || dx >= X.Shown() || dy >= Y.Shown())
        return false;
    x = X.FramePixelAt(dx);
    y = Y.FramePixelAt(dy);
    return true;
}

TDeviceRect TPresentTransform::DeviceRectOf(int32_t left, int32_t top, int32_t right, int32_t bottom) const
{
    int32_t x0 = 0;
    int32_t x1 = 0;
    int32_t y0 = 0;
    int32_t y1 = 0;
    X.DeviceSpan(left, right, x0, x1);
    Y.DeviceSpan(top, bottom, y0, y1);
    return {Left + x0, Top + y0, x1 - x0, y1 - y0};
}
