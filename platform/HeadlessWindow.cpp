#include "platform/HeadlessWindow.h"

#include <algorithm>

THeadlessWindow::THeadlessWindow(int32_t clientWidth, int32_t clientHeight)
    : FClientWidth(clientWidth), FClientHeight(clientHeight)
{
}

void THeadlessWindow::SetClientSize(int32_t width, int32_t height)
{
    FClientWidth = width;
    FClientHeight = height;
}

void THeadlessWindow::SetScreenOrigin(int32_t x, int32_t y)
{
    FOriginX = x;
    FOriginY = y;
}

void THeadlessWindow::ClientOriginOnScreen(int32_t& x, int32_t& y) const
{
    x = FOriginX;
    y = FOriginY;
}

void THeadlessWindow::WaitForVerticalBlank()
{
    ++FVerticalBlankWaits;
}

void THeadlessWindow::Present(const TPixelView& frame, int32_t left, int32_t top, int32_t width, int32_t height)
{
    ++FPresentCount;
    FLastTarget = {left, top, width, height};
    const int32_t frameWidth = std::max(frame.Width, 0);
    const int32_t frameHeight = std::max(frame.Height, 0);
    const bool sameSize = frameWidth == FLastFrameWidth && frameHeight == FLastFrameHeight;
    FLastFrameWidth = frameWidth;
    FLastFrameHeight = frameHeight;
    const auto rowLength = static_cast<size_t>(FLastFrameWidth);
    FLastFrame.resize(rowLength * static_cast<size_t>(FLastFrameHeight));
    const auto copy = [&](const TFrameRect& r) {
        const int32_t l = std::clamp(r.Left, 0, frameWidth);
        const int32_t t = std::clamp(r.Top, 0, frameHeight);
        const int32_t right = std::clamp(r.Right, l, frameWidth);
        const int32_t bottom = std::clamp(r.Bottom, t, frameHeight);
        for (int32_t y = t; y < bottom; ++y) {
            const uint32_t* row = frame.Pixels + y * frame.PitchPixels;
            std::copy(row + l, row + right, FLastFrame.begin() + static_cast<std::ptrdiff_t>(y * rowLength + l));
        }
        FLastCopiedPixels += int64_t{right - l} * (bottom - t);
    };
    FLastCopiedPixels = 0;
    if (frame.Whole || !sameSize) {
        copy({0, 0, frameWidth, frameHeight});
        return;
    }
    for (const TFrameRect& r : frame.Changed)
        copy(r);
}

uint32_t THeadlessWindow::LastFramePixel(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= FLastFrameWidth || y >= FLastFrameHeight)
        return 0;
    return FLastFrame[static_cast<size_t>(y) * static_cast<size_t>(FLastFrameWidth) + static_cast<size_t>(x)];
}
