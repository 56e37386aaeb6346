#pragma once
#include <cstdint>

// The tack a dinghy sails on, from the wind's angle r clockwise from its heading: head to wind (r within the
// sector where a dinghy makes no way, r < 30 or r >= 330) it is tacking; else with the wind over starboard
// (r up to 179) on starboard tack, over port (r 180 and up, the sail out to starboard) on port tack.
enum class TTack : uint8_t { Starboard, Port, Tacking };

TTack TackOf(int32_t relativeWind);
