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
    FLastFrameWidth = std::max(frame.Width, 0);
    FLastFrameHeight = std::max(frame.Height, 0);
    const auto rowLength = static_cast<size_t>(FLastFrameWidth);
    FLastFrame.resize(rowLength * static_cast<size_t>(FLastFrameHeight));
    for (int32_t y = 0; y < FLastFrameHeight; ++y) {
        const uint32_t* row = frame.Pixels + y * frame.PitchPixels;
        std::copy(row, row + rowLength, FLastFrame.begin() + static_cast<std::ptrdiff_t>(y * rowLength));
    }
}

uint32_t THeadlessWindow::LastFramePixel(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= FLastFrameWidth || y >= FLastFrameHeight)
        return 0;
    return FLastFrame[static_cast<size_t>(y) * static_cast<size_t>(FLastFrameWidth) + static_cast<size_t>(x)];
}
