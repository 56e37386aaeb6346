#pragma once
#include "platform/PresentWindow.h"

#include <cstdint>
#include <vector>

// A window without a screen, for tests and tools: its size, place and form are set by hand, and it keeps a
// copy of the last frame shown in it together with where that frame went.
class THeadlessWindow : public IPresentWindow {
public:
    struct TTarget {
        int32_t Left = 0;
        int32_t Top = 0;
        int32_t Width = 0;
        int32_t Height = 0;
        friend bool operator==(const TTarget&, const TTarget&) = default;
    };

    THeadlessWindow(int32_t clientWidth, int32_t clientHeight);

    void SetClientSize(int32_t width, int32_t height);
    void SetScreenOrigin(int32_t x, int32_t y);
    void SetParentForm(bool value) { FHasParentForm = value; }

    bool HasParentForm() const override { return FHasParentForm; }
    int32_t ClientWidth() const override { return FClientWidth; }
    int32_t ClientHeight() const override { return FClientHeight; }
    void ClientOriginOnScreen(int32_t& x, int32_t& y) const override;
    void WaitForVerticalBlank() override;
    // Keeps its own copy of what was shown, updating only the changed parts where it can.
    void Present(const TPixelView& frame, int32_t left, int32_t top, int32_t width, int32_t height) override;
    void Withdraw() override {}

    int32_t PresentCount() const { return FPresentCount; }
    // Pixels copied by the last present.
    int64_t LastCopiedPixels() const { return FLastCopiedPixels; }
    int32_t VerticalBlankWaits() const { return FVerticalBlankWaits; }
    // The screen rectangle of the last present.
    TTarget LastTarget() const { return FLastTarget; }
    int32_t LastFrameWidth() const { return FLastFrameWidth; }
    int32_t LastFrameHeight() const { return FLastFrameHeight; }
    // A pixel of the last frame; 0 outside it or before the first present.
    uint32_t LastFramePixel(int32_t x, int32_t y) const;

private:
    int32_t FClientWidth;
    int32_t FClientHeight;
    int32_t FOriginX = 0;
    int32_t FOriginY = 0;
    bool FHasParentForm = true;
    int32_t FPresentCount = 0;
    int32_t FVerticalBlankWaits = 0;
    TTarget FLastTarget;
    int32_t FLastFrameWidth = 0;
    int32_t FLastFrameHeight = 0;
    std::vector<uint32_t> FLastFrame;
    int64_t FLastCopiedPixels = 0;
};
