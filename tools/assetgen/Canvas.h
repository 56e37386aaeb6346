#pragma once
#include "drawing/Graphic.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

// Pixel values are 0x00RRGGBB, as TPixelImage holds them.
constexpr uint32_t Rgb(int red, int green, int blue)
{
    return static_cast<uint32_t>(red) << 16 | static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(blue);
}

inline TPixelImage BlankImage(int32_t width, int32_t height, uint32_t fill)
{
    TPixelImage image;
    image.Width = width;
    image.Height = height;
    image.Pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    return image;
}

inline void Put(TPixelImage& image, int32_t x, int32_t y, uint32_t value)
{
    if (x >= 0 && y >= 0 && x < image.Width && y < image.Height)
        image.Pixels[static_cast<size_t>(y) * static_cast<size_t>(image.Width) + static_cast<size_t>(x)] = value;
}

// Columns first..last of one row, both included.
inline void FillRow(TPixelImage& image, int32_t y, int32_t first, int32_t last, uint32_t value)
{
    for (int32_t x = first; x <= last; ++x)
        Put(image, x, y, value);
}

// A rectangle of pixels spelled row by row, one character a pixel; the legend gives each character its value.
// Characters the legend lacks leave the pixel as it is.
using TLegend = std::vector<std::pair<char, uint32_t>>;

inline void PaintArt(TPixelImage& image, int32_t left, int32_t top, const std::vector<std::string_view>& rows,
                     const TLegend& legend)
{
    for (size_t row = 0; row < rows.size(); ++row)
        for (size_t column = 0; column < rows[row].size(); ++column)
            for (const auto& [symbol, value] : legend)
                if (symbol == rows[row][column])
                    Put(image, left + static_cast<int32_t>(column), top + static_cast<int32_t>(row), value);
}

// Copies source into image with its top-left corner on (left, top).
inline void Blit(TPixelImage& image, int32_t left, int32_t top, const TPixelImage& source)
{
    for (int32_t y = 0; y < source.Height; ++y)
        for (int32_t x = 0; x < source.Width; ++x)
            Put(image, left + x, top + y, source.At(x, y));
}
