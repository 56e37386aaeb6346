#include "ImageListFixture.h"

#include "drawing/Errors.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

constexpr uint32_t Backdrop = 0xABCDEF;

// The pixels of rect on surface that differ from value.
int32_t CountOther(TDirectDrawSurface& surface, const TRect& rect, uint32_t value)
{
    int32_t count = 0;
    for (int32_t y = rect.Top; y < rect.Bottom; ++y) {
        for (int32_t x = rect.Left; x < rect.Right; ++x)
            count += surface.ReadPixel(x, y) != value ? 1 : 0;
    }
    return count;
}

class ImageListDraw : public ImageListFixture {
protected:
    TDirectDrawSurface& Back()
    {
        TDirectDrawSurface& back = *DXDraw.Surface();
        back.FillSolid(Backdrop);
        return back;
    }
};

TEST_F(ImageListDraw, PatternsOutsideTheItemDrawNothing)
{
    TPictureCollectionItem& item = AddItem(CodedPicture(140, 27), 28);
    ASSERT_EQ(item.PatternCount(), 5);
    TDirectDrawSurface& back = Back();
    for (int32_t n : {-1, 5, 100, std::numeric_limits<int32_t>::min()}) {
        item.DrawPattern(back, 10, 10, n);
        item.DrawRotated(back, 50, 50, 28, 27, n, 0.5, 0.5, 0);
        EXPECT_EQ(CountOther(back, {0, 0, 100, 100}, Backdrop), 0) << "pattern " << n;
    }

    item.DrawPattern(back, 10, 10, 4);
    EXPECT_EQ(back.ReadPixel(10, 10), PositionCode(112, 0));
    EXPECT_EQ(back.ReadPixel(10 + 27, 10 + 26), PositionCode(139, 26));
    EXPECT_EQ(back.ReadPixel(10 + 28, 10), Backdrop);
    EXPECT_EQ(CountOther(back, {0, 0, 100, 100}, Backdrop), 28 * 27);

    item.DrawRotated(back, 200, 200, 28, 27, 4, 0, 0, 0);
    EXPECT_EQ(back.ReadPixel(205, 205), PositionCode(117, 5));
}

TEST_F(ImageListDraw, TheBackgroundDrawnOpaqueCoversTheBackBufferWithItsTopLeft)
{
    TTestGraphic water = CodedPicture(1500, 1000);
    constexpr uint32_t Blue = 0x0000FF;
    water.SetPixel(5, 5, Blue);
    water.SetPixel(1075, 749, Blue);
    TPictureCollectionItem& item = List.Items().Add();
    item.SetPicture(water);
    item.SetTransparentColor(0xFF0000); // blue in GUI order
    item.Transparent = false;
    item.Restore();
    ASSERT_EQ(item.PatternCount(), 1);

    TDirectDrawSurface& back = Back();
    List.Items().Items(0).DrawPattern(back, 0, 0, 0);
    int32_t wrong = 0;
    for (int32_t y = 0; y < 750; ++y) {
        for (int32_t x = 0; x < 1076; ++x)
            wrong += back.ReadPixel(x, y) != water.Pixels().At(x, y) ? 1 : 0;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(back.ReadPixel(5, 5), Blue);

    item.Transparent = true;
    Back();
    item.DrawPattern(back, 0, 0, 0);
    EXPECT_EQ(back.ReadPixel(5, 5), Backdrop);
    EXPECT_EQ(back.ReadPixel(1075, 749), Backdrop);
    EXPECT_EQ(back.ReadPixel(6, 5), PositionCode(6, 5));
}

TEST_F(ImageListDraw, ChangingTheTransparentColourChangesTheNextDraw)
{
    constexpr uint32_t Red = 0xFF0000;
    constexpr uint32_t Green = 0x00FF00;
    constexpr uint32_t Blue = 0x0000FF;
    TPixelImage image{4, 1, {Red, Green, Blue, Red}};
    TPictureCollectionItem& item = List.Items().Add();
    item.SetPicture(TTestGraphic(image));
    item.SetTransparentColor(0x0000FF); // red in GUI order
    item.Restore();
    const TDirectDrawSurface* loaded = item.PatternSurfaces()[0].Get();

    TDirectDrawSurface& back = Back();
    item.DrawPattern(back, 0, 0, 0);
    EXPECT_EQ(back.ReadPixel(0, 0), Backdrop);
    EXPECT_EQ(back.ReadPixel(1, 0), Green);
    EXPECT_EQ(back.ReadPixel(2, 0), Blue);
    EXPECT_EQ(back.ReadPixel(3, 0), Backdrop);

    item.SetTransparentColor(0x00FF00); // green
    EXPECT_EQ(item.PatternSurfaces()[0].Get(), loaded) << "the picture is not reloaded";
    Back();
    item.DrawPattern(back, 0, 0, 0);
    EXPECT_EQ(back.ReadPixel(0, 0), Red);
    EXPECT_EQ(back.ReadPixel(1, 0), Backdrop);
    EXPECT_EQ(back.ReadPixel(2, 0), Blue);
    EXPECT_EQ(back.ReadPixel(3, 0), Red);
}

TEST_F(ImageListDraw, AFinalisedDrawingSurfaceLeavesItemsDrawingNothing)
{
    TPictureCollectionItem& item = AddItem(CodedPicture(30, 15), 15);
    ASSERT_TRUE(item.Initialized());
    DXDraw.Finalize();
    EXPECT_FALSE(item.Initialized());
    EXPECT_EQ(item.PatternCount(), 0);
    EXPECT_TRUE(item.PatternSurfaces().empty());

    TDirectDraw device;
    TSurfaceHandle dest = device.CreateSurface();
    dest->Resize(40, 40);
    dest->FillSolid(Backdrop);
    item.DrawPattern(*dest, 0, 0, 0);
    item.DrawRotated(*dest, 20, 20, 15, 15, 0, 0.5, 0.5, 0);
    EXPECT_EQ(CountOther(*dest, dest->ClientRect(), Backdrop), 0);
}

TEST(ImageListBinding, ItemsLoadWhenTheDrawingSurfaceInitialises)
{
    THeadlessWindow window(200, 100);
    TDXDraw dxdraw(window);
    TDXImageList list;
    list.SetDXDraw(&dxdraw);
    TPictureCollectionItem& item = list.Items().Add();
    item.SetPicture(CodedPicture(90, 57));
    item.PatternWidth = 30;
    item.Restore();
    EXPECT_FALSE(item.Initialized()) << "nothing to load onto yet";

    dxdraw.Initialize();
    EXPECT_TRUE(item.Initialized());
    ASSERT_EQ(item.PatternCount(), 3);
    EXPECT_EQ(item.PatternSurfaces()[0]->Device(), dxdraw.DDraw());
    EXPECT_EQ(item.PatternSurfaces()[0]->ReadPixel(60, 0), PositionCode(60, 0));
}

TEST(ImageListBinding, LostStorageIsReloadedFromThePictures)
{
    THeadlessWindow window(200, 100);
    TDXDraw dxdraw(window);
    TDXImageList list;
    list.SetDXDraw(&dxdraw);
    TPictureCollectionItem& item = list.Items().Add();
    item.SetPicture(CodedPicture(156, 8));
    item.PatternWidth = 39;
    dxdraw.Initialize();
    ASSERT_EQ(item.PatternCount(), 4);

    dxdraw.DDraw()->LoseSurfaces();
    EXPECT_EQ(item.PatternSurfaces()[0]->ReadPixel(117, 0), 0u) << "lost storage cannot be read";
    dxdraw.Present();
    ASSERT_EQ(item.PatternCount(), 4);
    EXPECT_EQ(item.Width(), 39);
    const TRect& last = item.Patterns()[3].Rect;
    ASSERT_NE(item.PatternSurface(3), nullptr);
    EXPECT_FALSE(item.PatternSurface(3)->IsLost());
    EXPECT_EQ(item.PatternSurface(3)->ReadPixel(last.Left, last.Top), PositionCode(117, 0));
}

TEST(ImageListBinding, TheCollectionNeedsAnInitialisedDrawingSurface)
{
    THeadlessWindow window(200, 100);
    TDXDraw dxdraw(window);
    TPictureCollection items;
    TPictureCollectionItem& item = items.Add();
    item.SetPicture(CodedPicture(10, 10));
    try {
        items.Initialize(dxdraw);
        ADD_FAILURE() << "bound to a finalised drawing surface";
    } catch (const EPictureCollectionError& e) {
        EXPECT_STREQ(e.what(), "TPictureCollection cannot be initialized");
    }
    EXPECT_FALSE(items.Initialized());
    EXPECT_FALSE(item.Initialized());
}

class ImageListRebinding : public TwoDrawingSurfaces {};

TEST_F(ImageListRebinding, MovingToAnotherDrawingSurfaceLeavesTheOldOne)
{
    TPictureCollectionItem& item = AddItem(CodedPicture(30, 15));
    List.SetDXDraw(&A);
    A.Initialize();
    ASSERT_EQ(item.PatternCount(), 1);

    List.SetDXDraw(&B);
    EXPECT_EQ(List.DXDraw(), &B);
    EXPECT_FALSE(item.Initialized()) << "withdrawing from an initialised surface finalises the items";
    A.DDraw()->LoseSurfaces();
    A.Present();
    EXPECT_FALSE(item.Initialized()) << "the old surface's restore no longer reaches the list";

    B.Initialize();
    ASSERT_EQ(item.PatternCount(), 1);
    EXPECT_EQ(item.PatternSurfaces()[0]->Device(), B.DDraw());
    A.Finalize();
    EXPECT_TRUE(item.Initialized());
}

TEST(ImageListBinding, WhicheverGoesFirstTheOtherCarriesOn)
{
    THeadlessWindow window(200, 100);
    {
        auto dxdraw = std::make_unique<TDXDraw>(window);
        TDXImageList list;
        list.SetDXDraw(dxdraw.get());
        list.Items().Add().SetPicture(CodedPicture(20, 20));
        dxdraw->Initialize();
        dxdraw.reset();
        EXPECT_EQ(list.DXDraw(), nullptr);
        EXPECT_FALSE(list.Items().Items(0).Initialized());
    }
    {
        TDXDraw dxdraw(window);
        auto list = std::make_unique<TDXImageList>();
        list->SetDXDraw(&dxdraw);
        list->Items().Add().SetPicture(CodedPicture(20, 20));
        dxdraw.Initialize();
        list.reset();
        EXPECT_EQ(dxdraw.DDraw()->Surfaces().size(), 2u) << "only the target and the back buffer are left";
        dxdraw.DDraw()->LoseSurfaces();
        EXPECT_TRUE(dxdraw.SurfacesReady());
        dxdraw.Finalize();
    }
}

} // namespace
