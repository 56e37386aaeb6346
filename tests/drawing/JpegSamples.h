#pragma once
// Pictures for the JPEG tests, made in memory, and a reader for the markers of an encoded stream.
#include "drawing/Graphic.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Blocks of one colour, each aligned to the 16 x 16 units of a 4:2:0 stream, so their insides come
// back nearly exact.
inline TPixelImage ColourBlocks(int32_t blocksAcross, int32_t blocksDown, const std::vector<uint32_t>& colours)
{
    TPixelImage image;
    image.Width = blocksAcross * 16;
    image.Height = blocksDown * 16;
    for (int32_t y = 0; y < image.Height; ++y)
        for (int32_t x = 0; x < image.Width; ++x)
            image.Pixels.push_back(colours[static_cast<size_t>((y / 16) * blocksAcross + x / 16) % colours.size()]);
    return image;
}

inline const std::vector<uint32_t> BlockColours{0xC03020, 0x20A040, 0x2040C0, 0x808080, 0xF0E0D0, 0x1E1EEA};

// One marker segment: its code (the byte after 0xFF), where its payload starts and how long it is.
struct TJpegSegment {
    uint8_t Code;
    size_t Payload;
    size_t Length;
};

// The segments in front of the first scan, ending with the start-of-scan segment itself.
inline std::vector<TJpegSegment> HeaderSegments(const std::vector<uint8_t>& s)
{
    std::vector<TJpegSegment> out;
    size_t at = 2;
    while (at + 4 <= s.size() && s[at] == 0xFF) {
        const size_t length = static_cast<size_t>(s[at + 2] << 8 | s[at + 3]) - 2;
        out.push_back({s[at + 1], at + 4, length});
        if (s[at + 1] == 0xDA)
            break;
        at += 4 + length;
    }
    return out;
}

inline size_t FindSegment(const std::vector<uint8_t>& s, uint8_t code)
{
    for (const auto& seg : HeaderSegments(s))
        if (seg.Code == code)
            return seg.Payload;
    return 0;
}

// Frame header payload (baseline or progressive frame): precision, then 16-bit height and width.
inline void SetFrameSize(std::vector<uint8_t>& s, uint16_t width, uint16_t height)
{
    size_t frame = FindSegment(s, 0xC0);
    if (frame == 0)
        frame = FindSegment(s, 0xC2);
    s[frame + 1] = static_cast<uint8_t>(height >> 8);
    s[frame + 2] = static_cast<uint8_t>(height);
    s[frame + 3] = static_cast<uint8_t>(width >> 8);
    s[frame + 4] = static_cast<uint8_t>(width);
}

// Comment segments of `bytes` filler bytes in all, right after the start marker: bytes that weigh in
// the stream's size without touching the picture.
inline void InsertComments(std::vector<uint8_t>& s, size_t bytes)
{
    std::vector<uint8_t> segments;
    while (bytes > 0) {
        const size_t n = bytes < 65000 ? bytes : 65000;
        const size_t length = n + 2;
        segments.insert(segments.end(), {0xFF, 0xFE, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)});
        segments.insert(segments.end(), n, 0x20);
        bytes -= n;
    }
    s.insert(s.begin() + 2, segments.begin(), segments.end());
}

// Where each marker after the first scan's header begins (scans, tables, the end marker).
inline std::vector<size_t> MarkersAfterFirstScan(const std::vector<uint8_t>& s)
{
    std::vector<size_t> out;
    for (size_t i = FindSegment(s, 0xDA); i + 1 < s.size(); ++i)
        if (s[i] == 0xFF && s[i + 1] != 0x00 && !(s[i + 1] >= 0xD0 && s[i + 1] <= 0xD7) && s[i + 1] != 0xFF)
            out.push_back(i);
    return out;
}
