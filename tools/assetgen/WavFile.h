#pragma once
#include <cstdint>
#include <span>
#include <vector>

// A RIFF WAVE file of 16-bit mono PCM at the given rate: the 44-byte header and the samples, little-endian.
std::vector<uint8_t> EncodeWav(std::span<const int16_t> samples, int rate);
