#pragma once
#include "tools/assetgen/Icon.h"

#include <cstdint>
#include <vector>

// A PNG file of the icon: 8-bit RGBA, transparent pixels with alpha 0, every other pixel opaque. The same
// picture gives the same bytes every run.
std::vector<uint8_t> EncodePng(const TIconPicture& icon);
