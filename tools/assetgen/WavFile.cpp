#include "tools/assetgen/WavFile.h"

#include <string_view>

namespace {

void Put(std::vector<uint8_t>& out, std::string_view tag)
{
    out.insert(out.end(), tag.begin(), tag.end());
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void Put16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

} // namespace

std::vector<uint8_t> EncodeWav(std::span<const int16_t> samples, int rate)
{
    const auto dataSize = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataSize);
    Put(out, "RIFF");
    Put32(out, 36 + dataSize);
    Put(out, "WAVE");
    Put(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 1); // mono
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate) * 2); // bytes per second
    Put16(out, 2);                               // bytes per frame
    Put16(out, 16);
    Put(out, "data");
    Put32(out, dataSize);
    for (const int16_t sample : samples)
        Put16(out, static_cast<uint16_t>(sample));
    return out;
}
