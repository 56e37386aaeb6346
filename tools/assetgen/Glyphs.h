#pragma once
#include "drawing/Graphic.h"

#include <string>
#include <vector>

// A toolbar button's glyph bitmap: 32 x 16, the normal glyph on the left, the disabled one on the right, each
// with its transparent colour in its bottom-left pixel.
struct TGlyphPicture {
    // The button's name without "SpeedButton": "Start", "Setup", "Stop", "Play", "Ende", "Regatta".
    std::string Name;
    TPixelImage Pixels;
};

std::vector<TGlyphPicture> DrawGlyphs();
