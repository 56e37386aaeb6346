#pragma once
// Bitmaps assembled byte by byte, so the decoder tests state every stored byte themselves.
#include "drawing/ByteStream.h"
#include "drawing/Graphic.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

struct TDibFields {
    uint32_t Size = 40;
    int32_t Width = 0;
    int32_t Height = 0;
    uint16_t BitCount = 24;
    uint32_t Compression = 0;
    uint32_t ImageSize = 0;
    uint32_t ColorsUsed = 0;
};

// The header alone: the 12-byte core layout when Size is 12, else the 40-byte layout with Size written
// as given (so wrong sizes can be stored too).
inline std::vector<uint8_t> DibHeader(const TDibFields& f)
{
    std::vector<uint8_t> out;
    PutU32(out, f.Size);
    if (f.Size == 12) {
        PutU16(out, static_cast<uint16_t>(f.Width));
        PutU16(out, static_cast<uint16_t>(f.Height));
        PutU16(out, 1);
        PutU16(out, f.BitCount);
        return out;
    }
    PutI32(out, f.Width);
    PutI32(out, f.Height);
    PutU16(out, 1);
    PutU16(out, f.BitCount);
    PutU32(out, f.Compression);
    PutU32(out, f.ImageSize);
    PutU32(out, 2835); // resolutions, which the decoder must skip
    PutU32(out, 2835);
    PutU32(out, f.ColorsUsed);
    PutU32(out, 0);
    return out;
}

inline void Append(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

inline void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// Colour table entries (blue, green, red, reserved) for 0xRRGGBB colours; 3 bytes each when core.
inline std::vector<uint8_t> ColorTable(std::initializer_list<uint32_t> colours, bool core = false)
{
    std::vector<uint8_t> out;
    for (const uint32_t c : colours) {
        Append(out, {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16)});
        if (!core)
            out.push_back(0x5A); // reserved byte, must not leak into the colour
    }
    return out;
}

// Rows top first, the way the expectations are written.
inline std::vector<uint32_t> TopFirst(std::initializer_list<std::initializer_list<uint32_t>> rows)
{
    std::vector<uint32_t> out;
    for (const auto& row : rows)
        out.insert(out.end(), row.begin(), row.end());
    return out;
}
