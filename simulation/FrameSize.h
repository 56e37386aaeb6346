#pragma once
#include <cstdint>

// The race's frame: the back buffer every tick is composed in, and the drawing area that shows it.
constexpr int32_t FrameWidth = 1076;
constexpr int32_t FrameHeight = 750;
