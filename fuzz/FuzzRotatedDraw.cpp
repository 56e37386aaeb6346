// A rotated draw with fuzzed geometry against the slow reference renderer of the drawing tests.
#include "ReferenceRenderer.h"
#include "SurfaceFixtures.h"
#include "fuzz/FuzzTargets.h"

#include <cstring>

namespace {

// Takes values from the front of the input; past its end every byte reads 0.
class TGeometryReader {
public:
    TGeometryReader(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

    uint8_t Byte() { return FAt < FSize ? FData[FAt++] : 0; }
    // Mostly small values near the surfaces; a marker byte lets any 32-bit value through.
    int32_t Int(int32_t offset)
    {
        const uint8_t b = Byte();
        if (b < 0xF0)
            return static_cast<int32_t>(b) - offset;
        uint32_t raw = 0;
        for (int i = 0; i < 4; ++i)
            raw = raw << 8 | Byte();
        return static_cast<int32_t>(raw);
    }
    double Pivot()
    {
        const uint8_t b = Byte();
        if (b < 0xF0)
            return (static_cast<int32_t>(b) - 64) / 32.0;
        uint64_t raw = 0;
        for (int i = 0; i < 8; ++i)
            raw = raw << 8 | Byte();
        double value = 0;
        std::memcpy(&value, &raw, sizeof value);
        return value; // any double: huge, infinite or NaN
    }

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FAt = 0;
};

} // namespace

int FuzzRotatedDraw(const uint8_t* data, size_t size)
{
    TGeometryReader in(data, size);
    const int32_t dstW = 1 + in.Byte() % 32;
    const int32_t dstH = 1 + in.Byte() % 32;
    const int32_t srcW = 1 + in.Byte() % 16;
    const int32_t srcH = 1 + in.Byte() % 16;
    const uint8_t flags = in.Byte();

    TRotatedCall call;
    call.X = in.Int(64);
    call.Y = in.Int(64);
    call.W = in.Int(16);
    call.H = in.Int(16);
    call.Angle = in.Int(0);
    call.PivotX = in.Pivot();
    call.PivotY = in.Pivot();
    call.Transparent = (flags & 1) != 0;
    call.SrcRect = TRect{0, 0, srcW, srcH};
    if (flags & 2)
        call.SrcRect = TRect{in.Int(4), in.Int(4), in.Int(4), in.Int(4)};

    TDirectDraw device;
    auto source = MakePattern(device, srcW, srcH);
    source->SetColorKey(PatternPixel(in.Byte() % srcW, in.Byte() % srcH));
    auto fast = MakeSurface(device, dstW, dstH);
    auto slow = MakeSurface(device, dstW, dstH);
    fast->DrawSurfaceRotated(call.X, call.Y, call.W, call.H, call.SrcRect, source.Get(), call.PivotX, call.PivotY,
                             call.Transparent, call.Angle);
    ReferenceDrawRotated(*slow, *source, call);
    if (Snapshot(*fast) != Snapshot(*slow))
        FuzzFault("the rotated draw differs from the reference");
    return 0;
}
