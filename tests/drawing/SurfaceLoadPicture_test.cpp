#include "SurfaceFixtures.h"

#include "drawing/Graphic.h"

#include <gtest/gtest.h>

namespace {

class TTestPicture : public TGraphic {
public:
    TTestPicture(int32_t w, int32_t h)
    {
        FImage.Width = w;
        FImage.Height = h;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                FImage.Pixels.push_back(PatternPixel(x, y));
    }
    std::string ClassName() const override { return "TDIB"; }
    int32_t Width() const override { return FImage.Width; }
    int32_t Height() const override { return FImage.Height; }
    const TPixelImage& Pixels() const override { return FImage; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TTestPicture>(*this); }

private:
    TPixelImage FImage;
};

TEST(SurfaceLoadPicture, LoadsARectOneToOneAtTheRectsSize)
{
    TDirectDraw device;
    TSurfaceHandle surface = device.CreateSurface();
    surface->SetColorKey(0xFF00FF);
    surface->LoadPictureRect(TTestPicture(20, 10), 0, 0, TRect{5, 2, 12, 9});
    ASSERT_EQ(surface->Width(), 7);
    ASSERT_EQ(surface->Height(), 7);
    EXPECT_EQ(surface->ColorKey(), 0u);
    for (int32_t y = 0; y < 7; ++y)
        for (int32_t x = 0; x < 7; ++x)
            EXPECT_EQ(surface->ReadPixel(x, y), PatternPixel(x + 5, y + 2)) << x << "," << y;
}

TEST(SurfaceLoadPicture, StretchesByTheNearestPixel)
{
    TDirectDraw device;
    TSurfaceHandle surface = device.CreateSurface();
    surface->LoadPictureRect(TTestPicture(4, 4), 8, 4, TRect{0, 0, 4, 2});
    ASSERT_EQ(surface->Width(), 8);
    ASSERT_EQ(surface->Height(), 4);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 8; ++x)
            EXPECT_EQ(surface->ReadPixel(x, y), PatternPixel(x / 2, y / 2)) << x << "," << y;
}

TEST(SurfaceLoadPicture, PartsOfTheRectBeyondThePictureAreBlack)
{
    TDirectDraw device;
    TSurfaceHandle surface = device.CreateSurface();
    surface->LoadPictureRect(TTestPicture(3, 3), 0, 0, TRect{1, -1, 4, 2});
    EXPECT_EQ(surface->ReadPixel(0, 0), 0u);
    EXPECT_EQ(surface->ReadPixel(0, 1), PatternPixel(1, 0));
    EXPECT_EQ(surface->ReadPixel(1, 2), PatternPixel(2, 1));
    EXPECT_EQ(surface->ReadPixel(2, 2), 0u);
}

TEST(SurfaceLoadPicture, AnEmptyRectReleasesTheStorage)
{
    TDirectDraw device;
    auto surface = MakeSurface(device, 5, 5);
    surface->LoadPictureRect(TTestPicture(3, 3), 0, 0, TRect{2, 2, 2, 3});
    EXPECT_FALSE(surface->HasStorage());
}

} // namespace
