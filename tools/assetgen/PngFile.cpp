#include "tools/assetgen/PngFile.h"

#include "drawing/ByteStream.h"

#include <zlib.h>

#include <stdexcept>
#include <string_view>

namespace {

void PutU32BigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        PutU8(out, static_cast<uint8_t>(value >> shift));
}

// Length, type, data and the CRC over type and data.
void PutChunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data)
{
    PutU32BigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(crc32(0, nullptr, 0), out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    PutU32BigEndian(out, static_cast<uint32_t>(crc));
}

} // namespace

std::vector<uint8_t> EncodePng(const TIconPicture& icon)
{
    const TPixelImage& image = icon.Pixels;
    const auto count = static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height);
    if (image.Width <= 0 || image.Height <= 0 || image.Pixels.size() != count || icon.Transparent.size() != count)
        throw std::invalid_argument("an icon needs pixels and a transparency flag for each");

    // Rows with filter type 0 (none) in front; the compressor finds the repeats of a scaled picture itself.
    std::vector<uint8_t> raw;
    raw.reserve(count * 4 + static_cast<size_t>(image.Height));
    for (int32_t y = 0; y < image.Height; ++y) {
        PutU8(raw, 0);
        for (int32_t x = 0; x < image.Width; ++x) {
            const auto i = static_cast<size_t>(y) * static_cast<size_t>(image.Width) + static_cast<size_t>(x);
            const uint32_t pixel = icon.Transparent[i] ? 0 : image.Pixels[i];
            PutU8(raw, static_cast<uint8_t>(pixel >> 16));
            PutU8(raw, static_cast<uint8_t>(pixel >> 8));
            PutU8(raw, static_cast<uint8_t>(pixel));
            PutU8(raw, icon.Transparent[i] ? 0 : 255);
        }
    }
    std::vector<uint8_t> compressed(compressBound(static_cast<uLong>(raw.size())));
    uLongf compressedSize = static_cast<uLongf>(compressed.size());
    if (compress2(compressed.data(), &compressedSize, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) !=
        Z_OK)
        throw std::runtime_error("cannot compress the icon");
    compressed.resize(compressedSize);

    std::vector<uint8_t> header;
    PutU32BigEndian(header, static_cast<uint32_t>(image.Width));
    PutU32BigEndian(header, static_cast<uint32_t>(image.Height));
    PutU8(header, 8); // bits per sample
    PutU8(header, 6); // colour type: RGB with alpha
    PutU8(header, 0); // deflate
    PutU8(header, 0); // adaptive filtering
    PutU8(header, 0); // not interlaced

    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", compressed);
    PutChunk(out, "IEND", {});
    return out;
}
