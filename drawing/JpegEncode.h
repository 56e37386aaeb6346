#pragma once
#include "drawing/Graphic.h"

#include <cstdint>
#include <vector>

// Encodes pixels as a baseline JFIF 1.01 stream at 72 x 72 dots per inch, colour subsampled 4:2:0,
// with quality 1..100. Raises EJPEG "JPEG-Fehler #%d" when the library refuses (an empty picture, say).
std::vector<uint8_t> EncodeJpeg(const TPixelImage& image, int quality);
