#include "DrawingSurfaceLog.h"

#include "drawing/DrawingSurface.h"
#include "platform/HeadlessWindow.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;
using TTarget = THeadlessWindow::TTarget;

int Owner;

struct TPlacementCase {
    const char* Name;
    int32_t ControlWidth;
    int32_t ControlHeight;
    int32_t BackWidth;
    int32_t BackHeight;
    TDXDrawOptions Options;
    TTarget Expected; // with the client origin at (300, 200)
};

class PresentPlacement : public testing::TestWithParam<TPlacementCase> {};

TEST_P(PresentPlacement, PutsTheBackBufferWhereTheOptionsSay)
{
    const TPlacementCase& c = GetParam();
    THeadlessWindow window(c.ControlWidth, c.ControlHeight);
    window.SetScreenOrigin(300, 200);
    TDXDraw dxdraw(window);
    dxdraw.SetAutoSize(false);
    dxdraw.SetSurfaceWidth(c.BackWidth);
    dxdraw.SetSurfaceHeight(c.BackHeight);
    dxdraw.SetOptions(c.Options);
    dxdraw.Initialize();

    dxdraw.Present();
    ASSERT_EQ(window.PresentCount(), 1);
    EXPECT_EQ(window.LastTarget(), c.Expected);
    EXPECT_EQ(window.LastFrameWidth(), c.BackWidth);
    EXPECT_EQ(window.LastFrameHeight(), c.BackHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Windowed, PresentPlacement,
    testing::Values(
        TPlacementCase{"CentredSameSize", 1076, 750, 1076, 750, {doCenter}, {300, 200, 1076, 750}},
        TPlacementCase{"CentredInALargerControl", 1200, 800, 1076, 750, {doCenter}, {362, 225, 1076, 750}},
        TPlacementCase{"CentredOddGapRoundsDown", 1077, 751, 1076, 750, {doCenter}, {300, 200, 1076, 750}},
        TPlacementCase{"CentredInASmallerControlTruncatesTowardZero", 1071, 743, 1076, 750, {doCenter},
                       {298, 197, 1076, 750}},
        TPlacementCase{"NotCentred", 1200, 800, 1076, 750, {}, {300, 200, 1076, 750}},
        TPlacementCase{"StretchedToTheControl", 1200, 800, 600, 400, {doStretch, doCenter}, {300, 200, 1200, 800}}),
    [](const testing::TestParamInfo<TPlacementCase>& testCase) { return testCase.param.Name; });

class DrawingSurfacePresent : public testing::Test {
protected:
    TDXDrawLog Events; // outlives the component, which still reports to it when destroyed
    THeadlessWindow Window{320, 200};
    TDXDraw DXDraw{Window};
};

TEST_F(DrawingSurfacePresent, ShowsACopyOfTheBackBuffer)
{
    DXDraw.Initialize();
    TDirectDrawSurface& back = *DXDraw.Surface();
    back.WritePixel(0, 0, 0x008080);
    back.WritePixel(319, 199, 0xFF0000);
    back.WritePixel(17, 3, 0xFFFF00);
    DXDraw.Present();

    back.WritePixel(17, 3, 0);
    EXPECT_EQ(Window.LastFramePixel(0, 0), 0x008080u);
    EXPECT_EQ(Window.LastFramePixel(319, 199), 0xFF0000u);
    EXPECT_EQ(Window.LastFramePixel(17, 3), 0xFFFF00u) << "the window keeps its own copy";
    EXPECT_EQ(Window.LastFramePixel(18, 3), 0u);
}

TEST_F(DrawingSurfacePresent, WaitsForTheVerticalBlankOnlyWhenAskedAndNotOnPaint)
{
    DXDraw.Initialize();
    DXDraw.Present();
    EXPECT_EQ(Window.VerticalBlankWaits(), 1);
    DXDraw.Paint();
    EXPECT_EQ(Window.VerticalBlankWaits(), 1);
    EXPECT_EQ(Window.PresentCount(), 2);

    DXDraw.SetOptions({doCenter});
    DXDraw.Present();
    EXPECT_EQ(Window.VerticalBlankWaits(), 1);
    EXPECT_EQ(Window.PresentCount(), 3);
}

TEST_F(DrawingSurfacePresent, AFinalisedComponentSkipsTheFrame)
{
    DXDraw.Present();
    DXDraw.Paint();
    EXPECT_FALSE(DXDraw.SurfacesReady());
    DXDraw.Initialize();
    DXDraw.Finalize();
    DXDraw.Present();
    EXPECT_EQ(Window.PresentCount(), 0);
    EXPECT_EQ(Window.VerticalBlankWaits(), 0);
}

TEST_F(DrawingSurfacePresent, LostStorageComesBackBlackAndListenersReload)
{
    Events.WatchEvents(DXDraw);
    DXDraw.AddListener(&Owner, Events.Listener("A"));
    DXDraw.Initialize();
    TDirectDrawSurface& back = *DXDraw.Surface();
    back.FillSolid(0xFFFFFF);
    EXPECT_TRUE(DXDraw.SurfacesReady());
    Events.Take();

    DXDraw.DDraw()->LoseSurfaces();
    EXPECT_TRUE(back.IsLost());
    DXDraw.Present();
    EXPECT_EQ(Events.Take(), (Log{"A:Restored", "OnRestoreSurface"}));
    EXPECT_FALSE(back.IsLost());
    for (auto [x, y] : {std::pair{0, 0}, std::pair{319, 0}, std::pair{160, 100}, std::pair{319, 199}})
        EXPECT_EQ(back.ReadPixel(x, y), 0u) << x << "," << y;
    ASSERT_EQ(Window.PresentCount(), 1) << "the restored frame is still shown";
    EXPECT_EQ(Window.LastFramePixel(160, 100), 0u);

    EXPECT_TRUE(DXDraw.SurfacesReady());
    EXPECT_TRUE(Events.Take().empty()) << "nothing lost, nothing restored";
}

TEST_F(DrawingSurfacePresent, SurfacesReadyRestoresLostStorage)
{
    DXDraw.Initialize();
    DXDraw.Surface()->FillSolid(0x123456);
    DXDraw.DDraw()->LoseSurfaces();
    EXPECT_TRUE(DXDraw.SurfacesReady());
    EXPECT_EQ(DXDraw.Surface()->ReadPixel(5, 5), 0u);
}

TEST(HeadlessWindow, CopiesFramesRowByRowAtTheirPitch)
{
    // Two rows of three pixels, four apart in memory; the fourth of each row is not part of the frame.
    const uint32_t pixels[] = {1, 2, 3, 99, 4, 5, 6, 99};
    THeadlessWindow window(10, 10);
    window.Present(
        TPixelView{.Pixels = pixels, .Width = 3, .Height = 2, .PitchPixels = 4, .Whole = true, .Changed = {}}, 7, 8, 30,
        20);
    EXPECT_EQ(window.LastTarget(), (TTarget{7, 8, 30, 20}));
    EXPECT_EQ(window.LastFrameWidth(), 3);
    EXPECT_EQ(window.LastFrameHeight(), 2);
    EXPECT_EQ(window.LastFramePixel(0, 1), 4u);
    EXPECT_EQ(window.LastFramePixel(2, 1), 6u);
    EXPECT_EQ(window.LastFramePixel(3, 0), 0u) << "outside the frame";
    EXPECT_EQ(window.LastFramePixel(-1, 0), 0u);
}

} // namespace
