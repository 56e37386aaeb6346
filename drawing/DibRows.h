#pragma once
#include "drawing/Graphic.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// What the pixel decoders of a bitmap need to know, taken from its (already checked) header.
struct TDibLayout {
    int32_t Width = 0;
    int32_t Height = 0;
    bool TopDown = false;
    int32_t BitCount = 24;
    // 0x00RRGGBB; entries the stored table does not fill stay black, so any index is safe.
    std::array<uint32_t, 256> Palette{};
    // Red, green and blue masks for 16 and 32 bits per pixel.
    std::array<uint32_t, 3> Masks{};
};

// Bytes in one stored row: whole 32-bit words.
size_t DibRowBytes(int32_t width, int32_t bitCount);

// Plain rows: data holds exactly DibRowBytes x Height bytes. out must be Width x Height.
void DecodeDibRows(std::span<const uint8_t> data, const TDibLayout& layout, TPixelImage& out);

// Whether RLE data of this many bytes can stand for a picture of width x height: a tiny stream claiming
// a huge picture is refused before the picture is allocated.
bool DibRleSizePlausible(size_t dataBytes, int32_t width, int32_t height);

// RLE8 (4 bits = false) or RLE4 data. Runs past the row's end are clipped, pixels moved beyond the
// picture by deltas or line ends are dropped, and pixels no code reaches stay black. Returns the bytes
// used: up to and including the end-of-bitmap code, or all of data if that code is missing.
size_t DecodeDibRle(std::span<const uint8_t> data, bool fourBits, const TDibLayout& layout, TPixelImage& out);
