// The shipped background decodes whole; the same stream cut short is refused, even behind an end marker.
#include "assets/Assets.h"
#include "drawing/Errors.h"
#include "drawing/Jpeg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

std::string Refusal(std::vector<uint8_t> stream)
{
    try {
        const TJPEGImage jpeg(std::move(stream));
        jpeg.Pixels();
        return "decoded";
    } catch (const EJPEG& e) {
        return e.what();
    }
}

TEST(WaterPicture, DecodesWholeAndWithoutItsEndMarker)
{
    const auto bytes = AssetBytes("pictures/Water1.jpg");
    const TJPEGImage whole(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_EQ(whole.Pixels().Pixels.size(), 1500u * 1000u);
    const TJPEGImage noEnd(std::vector<uint8_t>(bytes.begin(), bytes.end() - 2));
    EXPECT_EQ(noEnd.Pixels().Pixels, whole.Pixels().Pixels);
}

TEST(WaterPicture, CutsAreRefused)
{
    const auto bytes = AssetBytes("pictures/Water1.jpg");
    for (const size_t cut : {bytes.size() / 2, bytes.size() / 4, bytes.size() - 200}) {
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_EQ(Refusal(part), "JPEG-Fehler #" + std::to_string(JWRN_JPEG_EOF)) << cut;
        part.insert(part.end(), {0xFF, 0xD9});
        EXPECT_EQ(Refusal(part), "JPEG-Fehler #" + std::to_string(JWRN_HIT_MARKER)) << cut << " with an end marker";
    }
}

} // namespace
