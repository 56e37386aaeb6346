#include "drawing/DibRows.h"

#include <algorithm>
#include <bit>

namespace {

// One colour channel of a 16- or 32-bit pixel, widened to 8 bits with rounding (5 bits 31 -> 255).
class TChannel {
public:
    explicit TChannel(uint32_t mask)
        : FMask(mask), FShift(mask == 0 ? 0 : std::countr_zero(mask)), FMax(mask >> FShift)
    {
    }
    uint32_t operator()(uint32_t value) const
    {
        if (FMax == 0)
            return 0;
        const uint64_t v = (value & FMask) >> FShift;
        return static_cast<uint32_t>((v * 255 + FMax / 2) / FMax);
    }

private:
    uint32_t FMask;
    int FShift;
    uint64_t FMax;
};

class TMaskedPixel {
public:
    explicit TMaskedPixel(const std::array<uint32_t, 3>& masks) : FRed(masks[0]), FGreen(masks[1]), FBlue(masks[2]) {}
    uint32_t operator()(uint32_t value) const { return FRed(value) << 16 | FGreen(value) << 8 | FBlue(value); }

private:
    TChannel FRed, FGreen, FBlue;
};

void DecodeRow(std::span<const uint8_t> row, const TDibLayout& layout, const TMaskedPixel& masked, uint32_t* dst)
{
    const auto& palette = layout.Palette;
    const int32_t width = layout.Width;
    switch (layout.BitCount) {
    case 1:
        for (int32_t x = 0; x < width; ++x)
            dst[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    case 4:
        for (int32_t x = 0; x < width; ++x)
            dst[x] = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
        break;
    case 8:
        for (int32_t x = 0; x < width; ++x)
            dst[x] = palette[row[x]];
        break;
    case 16:
        for (int32_t x = 0; x < width; ++x)
            dst[x] = masked(uint32_t{row[2 * x]} | uint32_t{row[2 * x + 1]} << 8);
        break;
    case 24:
        for (int32_t x = 0; x < width; ++x)
            dst[x] = uint32_t{row[3 * x + 2]} << 16 | uint32_t{row[3 * x + 1]} << 8 | row[3 * x];
        break;
    default:
        for (int32_t x = 0; x < width; ++x) {
            const auto p = row.subspan(4 * static_cast<size_t>(x), 4);
            dst[x] = masked(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24);
        }
        break;
    }
}

} // namespace

size_t DibRowBytes(int32_t width, int32_t bitCount)
{
    return (static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32 * 4;
}

void DecodeDibRows(std::span<const uint8_t> data, const TDibLayout& layout, TPixelImage& out)
{
    const size_t rowBytes = DibRowBytes(layout.Width, layout.BitCount);
    const TMaskedPixel masked(layout.Masks);
    for (int32_t r = 0; r < layout.Height; ++r) {
        const int32_t y = layout.TopDown ? r : layout.Height - 1 - r;
        DecodeRow(data.subspan(static_cast<size_t>(r) * rowBytes, rowBytes), layout, masked,
                  out.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(layout.Width));
    }
}

bool DibRleSizePlausible(size_t dataBytes, int32_t width, int32_t height)
{
    // A two-byte run gives at most 255 pixels, so a stream that draws its picture gives no more than
    // 128 per byte. Line ends and deltas can skip more (pixels no code reaches stay black), but writers
    // use them for gaps, not for whole pictures; pictures up to 2^20 pixels (4 MiB) are never weighed,
    // so small sparse ones stay readable.
    constexpr uint64_t PixelsPerByte = 128;
    constexpr uint64_t Unweighed = uint64_t{1} << 20;
    const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    return pixels <= Unweighed || pixels <= static_cast<uint64_t>(dataBytes) * PixelsPerByte;
}

size_t DecodeDibRle(std::span<const uint8_t> data, bool fourBits, const TDibLayout& layout, TPixelImage& out)
{
    // x and line may be pushed far past the picture by a damaged stream; they only grow and are
    // bounded by 255 per code pair, so 64 bits never overflow.
    int64_t x = 0;
    int64_t line = 0; // counted in stored order: from the bottom unless the rows are top-down
    const auto put = [&](uint32_t index) {
        if (x < layout.Width && line < layout.Height) {
            const int64_t y = layout.TopDown ? line : layout.Height - 1 - line;
            out.Pixels[static_cast<size_t>(y * layout.Width + x)] = layout.Palette[index];
        }
        ++x;
    };
    const auto nibble = [fourBits](uint8_t value, int i) -> uint32_t {
        if (!fourBits)
            return value;
        return (i & 1) ? value & 15u : uint32_t{value} >> 4;
    };

    const size_t size = data.size();
    size_t pos = 0;
    while (pos + 2 <= size) {
        const uint8_t count = data[pos];
        const uint8_t code = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(nibble(code, i));
            continue;
        }
        switch (code) {
        case 0: // end of line
            x = 0;
            ++line;
            break;
        case 1: // end of bitmap
            return pos;
        case 2: // delta
            if (pos + 2 > size)
                return size;
            x += data[pos];
            line += data[pos + 1];
            pos += 2;
            break;
        default: { // absolute run of `code` pixels, padded to a 16-bit boundary
            const size_t bytes = fourBits ? (code + 1u) / 2 : code;
            const size_t present = std::min(bytes, size - pos);
            for (int i = 0; i < code; ++i) {
                const size_t at = fourBits ? static_cast<size_t>(i) / 2 : static_cast<size_t>(i);
                if (at >= present)
                    break;
                put(nibble(data[pos + at], i));
            }
            pos += std::min(bytes + (bytes & 1), size - pos);
            break;
        }
        }
    }
    return size;
}
