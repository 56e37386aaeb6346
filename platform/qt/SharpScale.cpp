#include "platform/qt/SharpScale.h"

namespace {

// a and b mixed with b's weight w in 256ths, each channel rounded.
uint32_t Mix(uint32_t a, uint32_t b, uint32_t w)
{
    if (w == 0)
        return a;
    const uint32_t v = 256 - w;
    const uint32_t redBlue = (((a & 0xFF00FFu) * v + (b & 0xFF00FFu) * w + 0x800080u) >> 8) & 0xFF00FFu;
    const uint32_t green = (((a & 0x00FF00u) * v + (b & 0x00FF00u) * w + 0x008000u) >> 8) & 0x00FF00u;
    return redBlue | green;
}

} // namespace

void SharpScale(const uint32_t* frame, std::ptrdiff_t framePitch, const TPresentTransform& transform, uint32_t* shown,
    std::ptrdiff_t shownPitch, int32_t x0, int32_t y0, int32_t x1, int32_t y1)
{
    for (int32_t y = y0; y < y1; ++y) {
        const TPresentAxis::TTap& row = transform.Y.Tap(y);
        const uint32_t* nearRow = frame + row.Near * framePitch;
        const uint32_t* farRow = frame + row.Far * framePitch;
        uint32_t* out = shown + y * shownPitch;
        for (int32_t x = x0; x < x1; ++x) {
            const TPresentAxis::TTap& column = transform.X.Tap(x);
            const uint32_t upper = Mix(nearRow[column.Near], nearRow[column.Far], column.Weight);
            const uint32_t lower = Mix(farRow[column.Near], farRow[column.Far], column.Weight);
            out[x] = 0xFF000000u | Mix(upper, lower, row.Weight);
        }
    }
}
