#pragma once
#include "simulation/Tiller.h"

#include <cstdint>

// The tiller that turns the heading towards the wanted one the shorter way (port turns clockwise); amidships
// once within half a turning step of it, so the dinghy settles on the nearest heading it can hold. A turn
// under way (the tiller as it is) goes on its way while the wanted heading lies nearly astern, so that a
// heading wavering about astern does not turn the dinghy back and forth.
TTiller TillerToward(int32_t heading, int32_t wanted, int32_t step, TTiller turning = TTiller::Amidships);
