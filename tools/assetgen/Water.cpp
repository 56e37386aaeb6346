#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

constexpr int32_t Tile = 64;

struct TColour {
    double Red, Green, Blue;
};

constexpr TColour Deep{24.0, 23.0, 234.0};
constexpr TColour Pale{118.0, 168.0, 255.0};
constexpr TColour Foam{255.0, 255.0, 255.0};

// One wave mark: a small tilde centred on (X, Y), HalfWidth wide on each side, its crest Lift high.
struct TWaveMark {
    double X, Y, HalfWidth, Lift;
};

// Two rows of marks half a tile apart, the second shifted by half a tile across, with smaller ripples
// between them.
constexpr std::array<TWaveMark, 4> Marks{{
    {16.0, 14.0, 7.0, 2.0},
    {48.0, 46.0, 7.0, 2.0},
    {45.0, 20.0, 4.0, 1.2},
    {13.0, 52.0, 4.0, 1.2},
}};

constexpr int32_t CurveSteps = 48;

struct TMarkHit {
    double Distance; // from the curve, in pixels
    double Centre;   // 1 at the middle of the curve, 0 at its ends
};

// Nearest point of the mark's curve, found along the curve in small steps. The tile wraps, so a mark near an
// edge continues on the opposite side.
TMarkHit NearestOnMark(const TWaveMark& mark, double px, double py)
{
    TMarkHit best{1e9, 0.0};
    for (int32_t step = 0; step <= CurveSteps; ++step) {
        const double t = -1.0 + 2.0 * step / CurveSteps;
        const double cx = mark.X + mark.HalfWidth * t;
        const double cy = mark.Y - mark.Lift * 2.6 * t * (1.0 - t * t);
        double dx = std::fabs(px - cx);
        double dy = std::fabs(py - cy);
        dx = std::min(dx, Tile - dx);
        dy = std::min(dy, Tile - dy);
        const double distance = std::sqrt(dx * dx + dy * dy);
        if (distance < best.Distance)
            best = {distance, 1.0 - std::fabs(t)};
    }
    return best;
}

// How strongly a pixel at that distance from a curve shows the mark: full on the curve, fading out over
// two pixels so that the JPEG's halved colour resolution never pulls neighbouring water out of its blue.
double Strength(double distance)
{
    const double t = std::clamp(1.0 - (distance - 0.3) / 2.2, 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

uint32_t Mix(const TColour& a, const TColour& b, double t)
{
    auto channel = [t](double from, double to) { return static_cast<int>(std::lround(from + (to - from) * t)); };
    return Rgb(channel(a.Red, b.Red), channel(a.Green, b.Green), channel(a.Blue, b.Blue));
}

TPixelImage DrawTile()
{
    TPixelImage tile = BlankImage(Tile, Tile, 0);
    for (int32_t y = 0; y < Tile; ++y)
        for (int32_t x = 0; x < Tile; ++x) {
            double strength = 0.0;
            double centre = 0.0;
            for (const auto& mark : Marks) {
                const TMarkHit hit = NearestOnMark(mark, x + 0.5, y + 0.5);
                const double s = Strength(hit.Distance);
                if (s > strength) {
                    strength = s;
                    centre = hit.Centre;
                }
            }
            // White at the crest's middle, pale blue towards its ends.
            const TColour tone{Pale.Red + (Foam.Red - Pale.Red) * centre,
                               Pale.Green + (Foam.Green - Pale.Green) * centre,
                               Pale.Blue + (Foam.Blue - Pale.Blue) * centre};
            Put(tile, x, y, Mix(Deep, tone, strength));
        }
    return tile;
}

} // namespace

TPixelImage DrawWater()
{
    const TPixelImage tile = DrawTile();
    TPixelImage water = BlankImage(1500, 1000, 0);
    for (int32_t y = 0; y < water.Height; ++y)
        for (int32_t x = 0; x < water.Width; ++x)
            Put(water, x, y, tile.At(x % Tile, y % Tile));
    return water;
}
