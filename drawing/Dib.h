#pragma once
#include "drawing/ByteStream.h"
#include "drawing/Graphic.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// A device-independent bitmap. Any depth and compression the info header allows is decoded on load;
// writing always produces plain 24-bit rows, bottom-up.
class TDIB : public TGraphic {
public:
    TDIB() = default;
    // Takes the pixels as they are; raises EInvalidGraphic if their size does not fit their dimensions.
    explicit TDIB(TPixelImage pixels);

    // The info-header form (header, masks, colour table, pixels) starting at the reader's position; the
    // reader is left after the pixel data. Raises EInvalidGraphic "DIB is invalid".
    static TDIB ReadData(TByteReader& reader);
    static TDIB FromData(std::span<const uint8_t> data);
    // A whole .bmp file: the 14-byte "BM" file header, then the info-header form.
    static TDIB FromBitmapFile(std::span<const uint8_t> data);

    void WriteData(std::vector<uint8_t>& out) const;
    std::vector<uint8_t> SaveToBitmapFile() const;

    std::string ClassName() const override { return "TDIB"; }
    int32_t Width() const override { return FPixels.Width; }
    int32_t Height() const override { return FPixels.Height; }
    const TPixelImage& Pixels() const override { return FPixels; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TDIB>(*this); }

    // The depth the picture was stored with (24 for one built from pixels).
    int32_t BitCount() const { return FBitCount; }

private:
    static TDIB Read(TByteReader& in, bool bitmapFile);

    TPixelImage FPixels;
    int32_t FBitCount = 24;
};
