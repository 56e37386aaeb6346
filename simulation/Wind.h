#pragma once
#include <cstdint>

// Processed ticks to let pass between one-degree wind steps: the stronger the wind, the quicker it shifts.
int32_t WindStepDelay(int32_t windSpeed);

// One degree the shorter way from direction towards target (which differ); 1..360 in, 1..360 out.
int32_t TurnWindOneDegree(int32_t direction, int32_t target);

// A new target within the deviation around base, drawn from the process-wide generator, folded into 1..360.
int32_t DrawWindTarget(int32_t base, int32_t variation);

// Degrees a dinghy turns per tick with its tiller over.
int32_t TurningStep(int32_t windSpeed);

// Heading after one tick with the given tiller (0 turns clockwise, 2 anticlockwise); snaps to 360 below 1 and
// to 1 above 360 rather than wrapping by the remainder.
int32_t SteerHeading(int32_t heading, int32_t tiller, int32_t step);

// Target speed in pixels per tick for a relative wind angle 0..359.
double TargetSpeedFor(int32_t windSpeed, int32_t relativeWindAngle);
