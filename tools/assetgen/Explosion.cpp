#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/ValueNoise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

namespace {

constexpr int32_t PatternWidth = 28;
constexpr int32_t PatternHeight = 27;

// From the darkest to the brightest.
constexpr std::array<uint32_t, 12> FireColours{
    Rgb(28, 12, 26),   Rgb(74, 41, 0),    Rgb(90, 49, 0),    Rgb(99, 90, 16),
    Rgb(123, 99, 8),   Rgb(155, 123, 7),  Rgb(163, 131, 11), Rgb(171, 147, 23),
    Rgb(183, 167, 31), Rgb(223, 183, 0),  Rgb(227, 191, 7),  Rgb(231, 207, 11),
};

struct TFireFrame {
    int32_t Left, Top, Right, Bottom;      // the ball's bounding box, inclusive
    std::array<int32_t, 12> Counts;        // pixels of each fire colour, in the order of FireColours
    double Ragged;                         // how far noise eats into the ball, leaving gaps in dying frames
    double Flicker;                        // how far noise bends the rings of colour
    uint32_t Seed;
};

// The fire burns down from a bright core to scattered embers and smoke.
const std::array<TFireFrame, 4> Frames{{
    {1, 0, 27, 25, {9, 57, 30, 35, 108, 36, 34, 87, 34, 40, 36, 33}, 0.30, 0.30, 11u},
    {1, 0, 27, 26, {25, 108, 35, 35, 89, 34, 34, 61, 34, 30, 30, 30}, 0.45, 0.40, 23u},
    {1, 1, 27, 26, {41, 133, 51, 35, 98, 34, 34, 34, 34, 10, 10, 10}, 0.75, 0.50, 37u},
    {1, 0, 27, 26, {83, 218, 51, 23, 23, 22, 22, 22, 22, 0, 0, 0}, 1.05, 0.60, 41u},
}};

struct TFirePixel {
    int32_t X, Y;
    double Score;
};

// Pixels ordered by score, ties by position, so the order never depends on the sort's whims.
void SortByScore(std::vector<TFirePixel>& pixels)
{
    std::sort(pixels.begin(), pixels.end(), [](const TFirePixel& a, const TFirePixel& b) {
        if (a.Score != b.Score)
            return a.Score < b.Score;
        return a.Y != b.Y ? a.Y < b.Y : a.X < b.X;
    });
}

void DrawFrame(TPixelImage& image, int32_t left, const TFireFrame& frame)
{
    const double cx = (frame.Left + frame.Right) / 2.0;
    const double cy = (frame.Top + frame.Bottom) / 2.0;
    const double rx = (frame.Right - frame.Left) / 2.0 + 0.5;
    const double ry = (frame.Bottom - frame.Top) / 2.0 + 0.5;
    const TValueNoise shape(PatternWidth, PatternHeight, 4, frame.Seed);
    const TValueNoise heat(PatternWidth, PatternHeight, 5, frame.Seed * 7u + 3u);
    auto radius = [&](int32_t x, int32_t y) { return std::hypot((x - cx) / rx, (y - cy) / ry); };

    // The ball: the pixels of the box nearest its middle, frayed by noise; the best pixel on each edge of
    // the box is taken first so that the ball spans the whole box.
    std::vector<TFirePixel> candidates;
    for (int32_t y = frame.Top; y <= frame.Bottom; ++y)
        for (int32_t x = frame.Left; x <= frame.Right; ++x)
            candidates.push_back({x, y, radius(x, y) + frame.Ragged * (shape.At(x, y) - 0.5)});
    for (auto onEdge : {+[](const TFirePixel& p, const TFireFrame& f) { return p.X == f.Left; },
                        +[](const TFirePixel& p, const TFireFrame& f) { return p.X == f.Right; },
                        +[](const TFirePixel& p, const TFireFrame& f) { return p.Y == f.Top; },
                        +[](const TFirePixel& p, const TFireFrame& f) { return p.Y == f.Bottom; }}) {
        TFirePixel* best = nullptr;
        for (auto& p : candidates)
            if (onEdge(p, frame) && (best == nullptr || p.Score < best->Score))
                best = &p;
        best->Score = -std::numeric_limits<double>::infinity();
    }
    SortByScore(candidates);
    const auto opaque = std::accumulate(frame.Counts.begin(), frame.Counts.end(), 0);
    candidates.resize(static_cast<size_t>(opaque));

    // Colours by heat: the hottest pixels get the brightest colour, each colour exactly its count.
    for (auto& p : candidates)
        p.Score = radius(p.X, p.Y) + frame.Flicker * (heat.At(p.X, p.Y) - 0.5);
    SortByScore(candidates);
    size_t next = 0;
    for (size_t colour = FireColours.size(); colour-- > 0;)
        for (int32_t n = 0; n < frame.Counts[colour]; ++n, ++next)
            Put(image, left + candidates[next].X, candidates[next].Y, FireColours[colour]);
}

} // namespace

TPixelImage DrawExplosion()
{
    TPixelImage image = BlankImage(5 * PatternWidth, PatternHeight, Rgb(0, 0, 0));
    for (size_t i = 0; i < Frames.size(); ++i)
        DrawFrame(image, static_cast<int32_t>(i) * PatternWidth, Frames[i]);
    return image;
}
