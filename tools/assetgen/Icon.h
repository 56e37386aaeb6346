#pragma once
#include "drawing/Graphic.h"

#include <cstdint>
#include <vector>

// The program icon: its pixels and which of them are transparent.
struct TIconPicture {
    TPixelImage Pixels;
    std::vector<bool> Transparent; // row by row, like Pixels
};

// A small dinghy from the side: white four-sided sail with a dark edge, green pennant, red hull, blue water.
// 32 x 32 pixels.
TIconPicture DrawIcon();

// The same dinghy drawn anew at 16 x 16, for menus and panels: halving the large one would lose the sail's
// edge and the hull.
TIconPicture DrawSmallIcon();

// Every pixel of the icon becomes a factor x factor block: larger sizes that stay crisp.
TIconPicture ScaleIcon(const TIconPicture& icon, int32_t factor);

// A .ico file of one 256-colour image with its 1-bit transparency mask. Raises std::invalid_argument for a
// picture that is not 32 x 32 or has more than 256 colours.
std::vector<uint8_t> EncodeIcon(const TIconPicture& icon);
