#pragma once
// A picture built straight from pixels, standing in for the stored bitmaps in tests.
#include "drawing/Graphic.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

class TTestGraphic : public TGraphic {
public:
    explicit TTestGraphic(TPixelImage pixels) : FPixels(std::move(pixels)) {}

    std::string ClassName() const override { return "TDIB"; }
    int32_t Width() const override { return FPixels.Width; }
    int32_t Height() const override { return FPixels.Height; }
    const TPixelImage& Pixels() const override { return FPixels; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TTestGraphic>(*this); }

    void SetPixel(int32_t x, int32_t y, uint32_t value)
    {
        FPixels.Pixels[static_cast<size_t>(y) * static_cast<size_t>(FPixels.Width) + static_cast<size_t>(x)] =
            value;
    }

private:
    TPixelImage FPixels;
};

// A pixel value that names its own place: x + 1 in bits 12..23, y + 1 in bits 0..11. Never 0.
inline uint32_t PositionCode(int32_t x, int32_t y)
{
    return (static_cast<uint32_t>(x + 1) << 12) | static_cast<uint32_t>(y + 1);
}

// A width x height picture whose every pixel is its PositionCode.
inline TTestGraphic CodedPicture(int32_t width, int32_t height)
{
    TPixelImage image;
    image.Width = width;
    image.Height = height;
    image.Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            image.Pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                PositionCode(x, y);
    }
    return TTestGraphic(std::move(image));
}
