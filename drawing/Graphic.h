#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Decoded pixels: 0x00RRGGBB, top row first, Width pixels per row.
struct TPixelImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;

    uint32_t At(int32_t x, int32_t y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// The largest picture a decoder accepts: anything bigger is a damaged or hostile header, refused
// before any pixel storage is allocated. 2^26 pixels are 256 MiB decoded, some forty times the
// largest picture the program carries.
constexpr int64_t MaxPictureSide = 32768;
constexpr int64_t MaxPicturePixels = int64_t{1} << 26;
constexpr bool PictureSizeAllowed(int64_t width, int64_t height)
{
    return width >= 0 && height >= 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
           width * height <= MaxPicturePixels;
}

// A picture an image item can hold: a bitmap (TDIB) or a JPEG image (TJPEGImage).
class TGraphic {
public:
    virtual ~TGraphic() = default;
    // "TDIB" or "TJPEGImage": the name the stored form carries in front of the data.
    virtual std::string ClassName() const = 0;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    // The pixels, decoded on first need. Decoding errors are raised here.
    virtual const TPixelImage& Pixels() const = 0;
    // Lets go of pixels that can be decoded again from the stored data; the next Pixels() decodes anew.
    virtual void ReleasePixels() const {}
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
};
