#pragma once
#include "drawing/Graphic.h"

#include <cstdint>

// The image list's sprite and background pictures, each one row of equal patterns.

// "B0" and "B1": three 30 x 57 dinghies seen from above, bow up, tiller to port, amidships and to
// starboard; the hull in the given marker colour on fuchsia.
TPixelImage DrawHull(uint32_t marker);

// "Explode": five 28 x 27 patterns of a dying fireball on black; the last is empty.
TPixelImage DrawExplosion();

// "Windrose": a 41 x 41 white arrow pointing down, on black.
TPixelImage DrawWindrose();

// "Boje": two 15 x 15 yellow discs on white with a dark-red line wiggling to either side.
TPixelImage DrawBuoy();

// "Segel": four 39 x 8 sails, white on fuchsia: bellied up, bellied down, flapping, flapping turned over.
TPixelImage DrawSail();

// "Water1": 1500 x 1000 deep blue water with light wave marks repeating every 64 pixels.
TPixelImage DrawWater();
