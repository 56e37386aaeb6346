#pragma once
#include "drawing/Graphic.h"

#include <cstdint>
#include <vector>

// The program icon: 32 x 32 pixels and which of them are transparent.
struct TIconPicture {
    TPixelImage Pixels;
    std::vector<bool> Transparent; // row by row, like Pixels
};

// A small dinghy from the side: white four-sided sail with a dark edge, green pennant, red hull, blue water.
TIconPicture DrawIcon();

// A .ico file of one 256-colour image with its 1-bit transparency mask. Raises std::invalid_argument for a
// picture that is not 32 x 32 or has more than 256 colours.
std::vector<uint8_t> EncodeIcon(const TIconPicture& icon);
