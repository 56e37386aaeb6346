#pragma once
#include "drawing/ByteStream.h"
#include "drawing/Graphic.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A JPEG (JFIF) stream kept as it is. Loading reads only its header; the pixels are decoded at full
// size into 24-bit colour on first need. Library failures raise EJPEG "JPEG-Fehler #%d".
class TJPEGImage : public TGraphic {
public:
    TJPEGImage() = default;
    // Reads the stream's header. Also refuses a picture too large to decode (EJPEG, the library's
    // "image too big" number).
    explicit TJPEGImage(std::vector<uint8_t> stream);

    // The stored form: 32-bit little-endian byte count, then the stream. A count of 0 is an empty image.
    static TJPEGImage ReadData(TByteReader& reader);
    void WriteData(std::vector<uint8_t>& out) const;

    std::string ClassName() const override { return "TJPEGImage"; }
    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return FHeight; }
    const TPixelImage& Pixels() const override;
    void ReleasePixels() const override;
    bool Decoded() const { return FDecoded; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJPEGImage>(*this); }

    bool Grayscale() const { return FGrayscale; }
    bool ProgressiveEncoding() const { return FProgressive; }
    const std::vector<uint8_t>& Data() const { return FData; }

private:
    std::vector<uint8_t> FData;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    bool FGrayscale = false;
    bool FProgressive = false;
    mutable bool FDecoded = false;
    mutable TPixelImage FPixels;
};
