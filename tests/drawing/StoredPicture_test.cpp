#include "JpegSamples.h"
#include "drawing/Dib.h"
#include "drawing/Jpeg.h"
#include "drawing/JpegEncode.h"
#include "drawing/StoredPicture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TPixelImage SmallPicture()
{
    TPixelImage image;
    image.Width = 3;
    image.Height = 2;
    image.Pixels = {0x008080, 0xFF0000, 0xFFFF00, 0xFF00FF, 0x000000, 0xFFFFFF};
    return image;
}

std::string NameAt(const std::vector<uint8_t>& data, size_t at)
{
    return std::string(data.begin() + static_cast<std::ptrdiff_t>(at + 1),
                       data.begin() + static_cast<std::ptrdiff_t>(at + 1 + data[at]));
}

TEST(StoredPicture, DibIsItsNameThenItsInfoHeaderForm)
{
    const TDIB dib(SmallPicture());
    std::vector<uint8_t> data;
    WriteStoredPicture(dib, data);
    EXPECT_EQ(NameAt(data, 0), "TDIB");
    std::vector<uint8_t> own;
    dib.WriteData(own);
    EXPECT_EQ(std::vector<uint8_t>(data.begin() + 5, data.end()), own);
}

TEST(StoredPicture, JpegIsItsNameThenCountThenStream)
{
    const TJPEGImage jpeg(EncodeJpeg(ColourBlocks(1, 1, BlockColours), 80));
    std::vector<uint8_t> data;
    WriteStoredPicture(jpeg, data);
    EXPECT_EQ(NameAt(data, 0), "TJPEGImage");
    const size_t count = data[11] | data[12] << 8 | data[13] << 16 | static_cast<size_t>(data[14]) << 24;
    EXPECT_EQ(count, jpeg.Data().size());
    EXPECT_EQ(std::vector<uint8_t>(data.begin() + 15, data.end()), jpeg.Data());
}

// The list stores pictures one after the other; each read must stop exactly at its own end.
TEST(StoredPicture, PicturesInARowReadBackInOrder)
{
    const TDIB dib(SmallPicture());
    const TJPEGImage jpeg(EncodeJpeg(ColourBlocks(2, 1, BlockColours), 80));
    const TJPEGImage emptyJpeg;
    const TDIB emptyDib;
    std::vector<uint8_t> data;
    WriteStoredPicture(jpeg, data);
    WriteStoredPicture(dib, data);
    WriteStoredPicture(emptyJpeg, data);
    WriteStoredPicture(emptyDib, data);
    data.push_back(0x42);

    TByteReader reader(data);
    const auto first = ReadStoredPicture(reader);
    const auto second = ReadStoredPicture(reader);
    const auto third = ReadStoredPicture(reader);
    const auto fourth = ReadStoredPicture(reader);
    EXPECT_EQ(reader.Remaining(), 1u);

    ASSERT_EQ(first->ClassName(), "TJPEGImage");
    EXPECT_EQ(dynamic_cast<const TJPEGImage&>(*first).Data(), jpeg.Data());
    EXPECT_EQ(first->Width(), 32);
    EXPECT_EQ(first->Pixels().Pixels, jpeg.Pixels().Pixels);
    ASSERT_EQ(second->ClassName(), "TDIB");
    EXPECT_EQ(second->Pixels().Pixels, SmallPicture().Pixels);
    EXPECT_EQ(third->ClassName(), "TJPEGImage");
    EXPECT_TRUE(third->Empty());
    EXPECT_EQ(fourth->ClassName(), "TDIB");
    EXPECT_TRUE(fourth->Empty());
}

// A picture of some other kind is kept as a bitmap of its pixels.
class TPlainGraphic : public TGraphic {
public:
    std::string ClassName() const override { return "TPlainGraphic"; }
    int32_t Width() const override { return FPixels.Width; }
    int32_t Height() const override { return FPixels.Height; }
    const TPixelImage& Pixels() const override { return FPixels; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TPlainGraphic>(*this); }
    TPixelImage FPixels = SmallPicture();
};

TEST(StoredPicture, OtherPicturesAreStoredAsDib)
{
    std::vector<uint8_t> data;
    WriteStoredPicture(TPlainGraphic(), data);
    TByteReader reader(data);
    const auto back = ReadStoredPicture(reader);
    EXPECT_EQ(back->ClassName(), "TDIB");
    EXPECT_EQ(back->Pixels().Pixels, SmallPicture().Pixels);
}

std::vector<uint8_t> Named(const std::string& name, std::vector<uint8_t> rest)
{
    std::vector<uint8_t> data;
    data.reserve(1 + name.size() + rest.size());
    data.push_back(static_cast<uint8_t>(name.size()));
    for (char c : name)
        data.push_back(static_cast<uint8_t>(c));
    data.insert(data.end(), rest.begin(), rest.end());
    return data;
}

struct TStoredRefusal {
    std::string Name;
    std::vector<uint8_t> Data;
    std::string Message;
};

void PrintTo(const TStoredRefusal& c, std::ostream* os) { *os << c.Name; }

class StoredPictureRefusal : public testing::TestWithParam<TStoredRefusal> {};

TEST_P(StoredPictureRefusal, RaisesInvalidGraphic)
{
    TByteReader reader(GetParam().Data);
    try {
        ReadStoredPicture(reader);
        ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().Message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, StoredPictureRefusal,
    testing::Values(TStoredRefusal{"UnknownClass", Named("TBitmap", {0, 0, 0, 0}), "Class TBitmap not found"},
                    TStoredRefusal{"NameCut", {10, 'T', 'J', 'P'}, "Stream read error"},
                    TStoredRefusal{"Nothing", {}, "Stream read error"},
                    TStoredRefusal{"JpegCountCut", Named("TJPEGImage", {5, 0}), "Stream read error"},
                    TStoredRefusal{"JpegCountPastTheEnd", Named("TJPEGImage", {200, 0, 0, 0, 0xFF, 0xD8}),
                                   "Stream read error"},
                    TStoredRefusal{"DibHeaderSize20", Named("TDIB", {20, 0, 0, 0, 1, 0, 0, 0}), "DIB is invalid"},
                    TStoredRefusal{"DibCut", Named("TDIB", {40, 0, 0, 0, 1, 0}), "DIB is invalid"}),
    [](const auto& test) { return test.param.Name; });

TEST(StoredPicture, JpegTheLibraryRefusesRaisesEjpeg)
{
    const auto data = Named("TJPEGImage", {4, 0, 0, 0, 1, 2, 3, 4});
    TByteReader reader(data);
    EXPECT_THROW(ReadStoredPicture(reader), EJPEG);
}

} // namespace
