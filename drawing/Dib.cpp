#include "drawing/Dib.h"

#include "drawing/DibRows.h"

namespace {

const char* const DibInvalid = "DIB is invalid";

constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t FileHeaderSize = 14;

enum : uint32_t { Plain = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

struct THeader {
    uint32_t Size = 0;
    int64_t Width = 0;
    int64_t Height = 0;
    bool TopDown = false;
    uint16_t BitCount = 0;
    uint32_t Compression = Plain;
    uint32_t ImageSize = 0;
    uint32_t ColorsUsed = 0;
};

THeader ReadHeader(TByteReader& in)
{
    THeader h;
    h.Size = in.U32();
    if (h.Size == CoreHeaderSize) {
        h.Width = in.U16();
        h.Height = in.U16();
        in.U16(); // planes
        h.BitCount = in.U16();
        return h;
    }
    if (h.Size != InfoHeaderSize)
        in.Fail();
    h.Width = in.I32();
    const int32_t height = in.I32();
    h.TopDown = height < 0;
    h.Height = height < 0 ? -int64_t{height} : height;
    in.U16(); // planes
    h.BitCount = in.U16();
    h.Compression = in.U32();
    h.ImageSize = in.U32();
    in.Skip(8); // resolutions
    h.ColorsUsed = in.U32();
    in.U32(); // colours important
    return h;
}

bool Acceptable(const THeader& h)
{
    const uint16_t bits = h.BitCount;
    const bool depthKnown = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const bool compressionFits = h.Compression == Plain || (h.Compression == Rle8 && bits == 8) ||
                                 (h.Compression == Rle4 && bits == 4) ||
                                 (h.Compression == BitFields && (bits == 16 || bits == 32));
    // A negative height cannot stand for more than INT32_MAX rows; -INT32_MIN is refused here too.
    return depthKnown && compressionFits && h.ColorsUsed <= 256 && PictureSizeAllowed(h.Width, h.Height);
}

std::array<uint32_t, 3> DefaultMasks(uint16_t bitCount)
{
    if (bitCount == 16)
        return {0x7C00, 0x03E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

} // namespace

TDIB::TDIB(TPixelImage pixels)
{
    if (!PictureSizeAllowed(pixels.Width, pixels.Height) ||
        pixels.Pixels.size() != static_cast<size_t>(pixels.Width) * static_cast<size_t>(pixels.Height))
        throw EInvalidGraphic(DibInvalid);
    for (auto& p : pixels.Pixels)
        p &= 0xFFFFFF;
    FPixels = std::move(pixels);
}

TDIB TDIB::ReadData(TByteReader& reader)
{
    TByteReader in(reader.Rest(), DibInvalid);
    TDIB dib = Read(in, false);
    reader.Skip(in.Position());
    return dib;
}

TDIB TDIB::FromData(std::span<const uint8_t> data)
{
    TByteReader in(data, DibInvalid);
    return ReadData(in);
}

TDIB TDIB::FromBitmapFile(std::span<const uint8_t> data)
{
    TByteReader in(data, DibInvalid);
    return Read(in, true);
}

TDIB TDIB::Read(TByteReader& in, bool bitmapFile)
{
    uint32_t pixelOffset = 0;
    if (bitmapFile) {
        if (in.U8() != 'B' || in.U8() != 'M')
            in.Fail();
        in.Skip(8); // file size and two reserved words
        pixelOffset = in.U32();
    }

    const THeader h = ReadHeader(in);
    if (!Acceptable(h))
        in.Fail();

    TDibLayout layout;
    layout.Width = static_cast<int32_t>(h.Width);
    layout.Height = static_cast<int32_t>(h.Height);
    layout.TopDown = h.TopDown;
    layout.BitCount = h.BitCount;
    layout.Masks = DefaultMasks(h.BitCount);
    if (h.Compression == BitFields)
        for (auto& mask : layout.Masks)
            mask = in.U32();

    const bool core = h.Size == CoreHeaderSize;
    uint32_t colors = h.ColorsUsed; // always 0 after a core header
    if (colors == 0 && h.BitCount <= 8)
        colors = 1u << h.BitCount;
    for (uint32_t i = 0; i < colors; ++i) {
        const auto entry = in.Bytes(core ? 3 : 4);
        layout.Palette[i] = uint32_t{entry[2]} << 16 | uint32_t{entry[1]} << 8 | entry[0];
    }

    if (pixelOffset != 0) {
        if (pixelOffset < in.Position())
            in.Fail();
        in.Seek(pixelOffset);
    }

    // The pixel data is fetched before the picture is allocated, so a lying header over a short
    // stream fails without asking for memory. Plain rows take what the dimensions say; their stated
    // image size is not trusted (writers leave it 0 or round it up).
    const bool rle = h.Compression == Rle8 || h.Compression == Rle4;
    std::span<const uint8_t> data;
    if (!rle)
        data = in.Bytes(DibRowBytes(layout.Width, layout.BitCount) * static_cast<size_t>(layout.Height));
    else
        data = h.ImageSize != 0 ? in.Bytes(h.ImageSize) : in.Rest();
    if (rle && !DibRleSizePlausible(data.size(), layout.Width, layout.Height))
        in.Fail();
    TDIB dib;
    dib.FBitCount = h.BitCount;
    dib.FPixels.Width = layout.Width;
    dib.FPixels.Height = layout.Height;
    dib.FPixels.Pixels.assign(static_cast<size_t>(layout.Width) * static_cast<size_t>(layout.Height), 0);
    if (rle) {
        // Without a stated size the stream itself says where it ends: at its end-of-bitmap code.
        const size_t used = DecodeDibRle(data, h.Compression == Rle4, layout, dib.FPixels);
        if (h.ImageSize == 0)
            in.Skip(used);
    } else {
        DecodeDibRows(data, layout, dib.FPixels);
    }
    return dib;
}

void TDIB::WriteData(std::vector<uint8_t>& out) const
{
    const int32_t width = FPixels.Width;
    const int32_t height = FPixels.Height;
    const size_t rowBytes = DibRowBytes(width, 24);
    const auto imageSize = static_cast<uint32_t>(rowBytes * static_cast<size_t>(height));
    out.reserve(out.size() + InfoHeaderSize + imageSize);
    PutU32(out, InfoHeaderSize);
    PutI32(out, width);
    PutI32(out, height);
    PutU16(out, 1);  // planes
    PutU16(out, 24); // bits per pixel
    PutU32(out, Plain);
    PutU32(out, imageSize);
    PutI32(out, 0); // resolutions
    PutI32(out, 0);
    PutU32(out, 0); // colours used
    PutU32(out, 0); // colours important
    const size_t padding = rowBytes - 3 * static_cast<size_t>(width);
    for (int32_t y = height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t p = FPixels.At(x, y);
            out.push_back(static_cast<uint8_t>(p));
            out.push_back(static_cast<uint8_t>(p >> 8));
            out.push_back(static_cast<uint8_t>(p >> 16));
        }
        out.insert(out.end(), padding, 0);
    }
}

std::vector<uint8_t> TDIB::SaveToBitmapFile() const
{
    std::vector<uint8_t> out;
    const size_t imageSize = DibRowBytes(FPixels.Width, 24) * static_cast<size_t>(FPixels.Height);
    PutU8(out, 'B');
    PutU8(out, 'M');
    PutU32(out, static_cast<uint32_t>(FileHeaderSize + InfoHeaderSize + imageSize));
    PutU32(out, 0); // reserved
    PutU32(out, FileHeaderSize + InfoHeaderSize);
    WriteData(out);
    return out;
}
