// Pictures from untrusted bytes: refused with the decoders' own errors, or decoded to the size they claim.
#include "drawing/Dib.h"
#include "drawing/Errors.h"
#include "drawing/Jpeg.h"
#include "drawing/StoredPicture.h"
#include "fuzz/FuzzTargets.h"

#include <span>

namespace {

void CheckPixels(const TGraphic& picture)
{
    const TPixelImage& pixels = picture.Pixels();
    if (pixels.Width != picture.Width() || pixels.Height != picture.Height() ||
        pixels.Pixels.size() != static_cast<size_t>(pixels.Width) * static_cast<size_t>(pixels.Height))
        FuzzFault("decoded pixels do not match the picture's size");
    for (const uint32_t p : pixels.Pixels)
        if (p > 0xFFFFFF)
            FuzzFault("a pixel with bits above 0xFFFFFF");
}

template <typename TRead>
void TryBitmap(TRead read)
{
    try {
        CheckPixels(read());
    } catch (const EInvalidGraphic&) {
    }
}

} // namespace

int FuzzBitmap(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    TryBitmap([&] { return TDIB::FromBitmapFile(bytes); });
    TryBitmap([&] { return TDIB::FromData(bytes); });
    if (size > 14)
        TryBitmap([&] { return TDIB::FromData(bytes.subspan(14)); });
    return 0;
}

int FuzzJpeg(const uint8_t* data, size_t size)
{
    try {
        const TJPEGImage jpeg(std::vector<uint8_t>(data, data + size));
        CheckPixels(jpeg);
    } catch (const EJPEG&) {
    }
    return 0;
}

int FuzzStoredPicture(const uint8_t* data, size_t size)
{
    TByteReader reader(std::span<const uint8_t>(data, size), "Stream read error");
    try {
        while (reader.Remaining() > 0) {
            const auto picture = ReadStoredPicture(reader);
            CheckPixels(*picture);
        }
    } catch (const EInvalidGraphic&) {
    } catch (const EJPEG&) {
    }
    return 0;
}
