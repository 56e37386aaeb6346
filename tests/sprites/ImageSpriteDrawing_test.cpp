#include "drawing/Dib.h"
#include "drawing/DrawingSurface.h"
#include "drawing/ImageList.h"
#include "platform/HeadlessWindow.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/ImageSprite.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr uint32_t Red = 0xFF0000;
constexpr uint32_t Green = 0x00FF00;
constexpr uint32_t Blue = 0x0000FF;

// A drawing surface with an image list holding "Strip": three 4 x 4 patterns, red, green and blue.
class ImageSpriteDrawing : public ::testing::Test {
protected:
    ImageSpriteDrawing()
    {
        TPixelImage strip;
        strip.Width = 12;
        strip.Height = 4;
        for (int32_t y = 0; y < 4; ++y)
            for (uint32_t color : {Red, Green, Blue})
                for (int32_t x = 0; x < 4; ++x)
                    strip.Pixels.push_back(color);
        TPictureCollectionItem& item = images.Items().Add();
        item.SetName("Strip");
        item.SetPicture(TDIB(strip));
        item.PatternWidth = 4;
        item.PatternHeight = 4;
        item.Transparent = false;
        images.SetDXDraw(&dxdraw);
        sprites.SetDXDraw(&dxdraw);
        dxdraw.Initialize();
        dxdraw.Surface()->FillSolid(0);
    }

    TImageSprite* Add(double x, double y, int32_t size, int32_t pattern)
    {
        auto* s = NewSprite<TImageSprite>(&sprites.Engine());
        s->Image = &images.Items().FindByName("Strip");
        s->X = x;
        s->Y = y;
        s->Width = s->Height = size;
        s->FrameStart = pattern;
        return s;
    }

    uint32_t Pixel(int32_t x, int32_t y) { return dxdraw.Surface()->ReadPixel(x, y); }

    THeadlessWindow window{40, 30};
    TCustomDXDraw dxdraw{window};
    TDXImageList images;
    TDXSpriteEngine sprites;
};

TEST_F(ImageSpriteDrawing, FirstCreatedSpriteEndsUpOnTop)
{
    Add(4, 4, 4, 0);
    Add(5, 4, 4, 1);
    Add(6, 4, 4, 2);
    sprites.DrawAll();
    EXPECT_EQ(Pixel(7, 5), Red) << "covered by all three";
    EXPECT_EQ(Pixel(8, 5), Green) << "covered by the second and third";
    EXPECT_EQ(Pixel(9, 5), Blue) << "covered by the third only";
    EXPECT_EQ(Pixel(10, 5), 0u);
}

TEST_F(ImageSpriteDrawing, PatternIsCentredInTheSpriteAndFollowsTheFrame)
{
    TImageSprite* s = Add(10.9, 10, 7, 0);
    s->FrameCount = 3;
    s->FramePos = 2;
    sprites.DrawAll();
    // (7 - 4) div 2 = 1: the pattern covers columns 11 .. 14 and rows 11 .. 14.
    EXPECT_EQ(Pixel(10, 11), 0u);
    EXPECT_EQ(Pixel(11, 11), Blue);
    EXPECT_EQ(Pixel(14, 14), Blue);
    EXPECT_EQ(Pixel(15, 14), 0u);
    EXPECT_EQ(Pixel(11, 10), 0u);
}

TEST_F(ImageSpriteDrawing, PatternIndexOutsideTheImageDrawsNothing)
{
    Add(0, 0, 4, 3);
    Add(10, 0, 4, -1);
    sprites.DrawAll();
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 40; ++x)
            ASSERT_EQ(Pixel(x, y), 0u) << x << "," << y;
}

} // namespace
