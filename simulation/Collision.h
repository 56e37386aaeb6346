#pragma once
#include "drawing/Rect.h"
#include "simulation/SinTable.h"

#include <array>
#include <cstdint>

class TDirectDrawSurface;
class TQuibo;
class TRace;

constexpr uint32_t GreenHullColor = 0x008080;
constexpr uint32_t RedHullColor = 0xFF0000;
constexpr uint32_t BuoyColor = 0xFFFF00;
constexpr uint32_t OutlineColor = 0xFFFFFF;

// The axis-aligned box around the dinghy's current image turned by its heading about the middle of the stern.
TRect HullRect(const TQuibo& dinghy, const TSinTable& sinTable);

// Outlines the rectangle in white, its Right and Bottom lines included.
void DrawOutline(TDirectDrawSurface& surface, const TRect& rect);

// Looks at every second pixel of every second row of area for colour c with a diagonal neighbour of colour n.
bool Touches(TDirectDrawSurface& surface, const TRect& area, uint32_t c, uint32_t n);

// What the contact tests found on a frame.
struct TContacts {
    bool Dinghies = false;
    std::array<bool, 2> Buoy{};
};

// The contact tests on the frame just drawn: dinghy against dinghy, then each dinghy against the buoys. With
// explode, whoever touches explodes (and a wrecked dinghy touches nothing more); else contacts are only told.
TContacts TestContacts(TRace& race, const TRect (&hullRects)[2], bool explode);
