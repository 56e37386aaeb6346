#include "tools/assetgen/Icon.h"

#include "drawing/ByteStream.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int32_t Size = 32;
constexpr uint32_t PaletteSize = 256;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t ColourRowBytes = Size;         // one byte a pixel, already a multiple of 4
constexpr uint32_t MaskRowBytes = 4;              // one bit a pixel, padded to 4 bytes
constexpr uint32_t ImageBytes = Size * (ColourRowBytes + MaskRowBytes);

} // namespace

std::vector<uint8_t> EncodeIcon(const TIconPicture& icon)
{
    const auto count = static_cast<size_t>(Size) * Size;
    if (icon.Pixels.Width != Size || icon.Pixels.Height != Size || icon.Pixels.Pixels.size() != count ||
        icon.Transparent.size() != count)
        throw std::invalid_argument("an icon is 32 x 32 pixels");

    // Palette in order of first appearance; transparent pixels take entry 0, black.
    std::vector<uint32_t> palette{0};
    std::vector<uint8_t> indices(count, 0);
    for (size_t i = 0; i < count; ++i) {
        if (icon.Transparent[i])
            continue;
        auto found = std::find(palette.begin(), palette.end(), icon.Pixels.Pixels[i]);
        if (found == palette.end()) {
            if (palette.size() == PaletteSize)
                throw std::invalid_argument("an icon has at most 256 colours");
            found = palette.insert(palette.end(), icon.Pixels.Pixels[i]);
        }
        indices[i] = static_cast<uint8_t>(found - palette.begin());
    }
    palette.resize(PaletteSize, 0);

    std::vector<uint8_t> out;
    // Directory: reserved, type 1 (icon), one image.
    PutU16(out, 0);
    PutU16(out, 1);
    PutU16(out, 1);
    // Its entry: 32 x 32, 0 meaning 256 colours, planes 1, 8 bits, size and offset of the image.
    PutU8(out, Size);
    PutU8(out, Size);
    PutU8(out, 0);
    PutU8(out, 0);
    PutU16(out, 1);
    PutU16(out, 8);
    PutU32(out, InfoHeaderSize + PaletteSize * 4 + ImageBytes);
    PutU32(out, 6 + 16);
    // The image: an info header whose height counts the colour rows and the mask rows.
    PutU32(out, InfoHeaderSize);
    PutI32(out, Size);
    PutI32(out, 2 * Size);
    PutU16(out, 1);
    PutU16(out, 8);
    PutU32(out, 0);
    PutU32(out, ImageBytes);
    PutI32(out, 0);
    PutI32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    for (const uint32_t colour : palette) {
        PutU8(out, static_cast<uint8_t>(colour));
        PutU8(out, static_cast<uint8_t>(colour >> 8));
        PutU8(out, static_cast<uint8_t>(colour >> 16));
        PutU8(out, 0);
    }
    // Colour rows, then mask rows (1 = transparent), both bottom-up.
    for (int32_t y = Size - 1; y >= 0; --y)
        for (int32_t x = 0; x < Size; ++x)
            PutU8(out, indices[static_cast<size_t>(y * Size + x)]);
    for (int32_t y = Size - 1; y >= 0; --y)
        for (int32_t byte = 0; byte < static_cast<int32_t>(MaskRowBytes); ++byte) {
            uint8_t bits = 0;
            for (int32_t bit = 0; bit < 8; ++bit)
                if (icon.Transparent[static_cast<size_t>(y * Size + byte * 8 + bit)])
                    bits = static_cast<uint8_t>(bits | 0x80 >> bit);
            PutU8(out, bits);
        }
    return out;
}
