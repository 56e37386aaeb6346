#pragma once
#include <cstdint>

// The shortest change from one heading to the next, in degrees -180..179, positive clockwise (headings
// 1..360, wrapping).
int32_t HeadingChange(int32_t from, int32_t to);

// Adds a tick's heading change to the penalty turn under way (signed, positive clockwise). A turn goes one
// way: a change against it starts the turn again from that change. True when a full turn is done; the
// degrees beyond it carry on into the next turn the same way.
bool TurnOn(int32_t& turnDegrees, int32_t change);
