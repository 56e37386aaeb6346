#include "RecordingSprite.h"

#include "drawing/DrawingSurface.h"
#include "drawing/Surface.h"
#include "platform/HeadlessWindow.h"
#include "sprites/DXSpriteEngine.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Log = std::vector<std::string>;

// Fills its rectangle on the engine's surface with one colour.
class TSolidSprite : public TSprite {
public:
    TSolidSprite(TSprite* parent, uint32_t color) : TSprite(parent), FColor(color) {}
    void Render() override
    {
        const TRect r = BoundingRect();
        for (int32_t y = r.Top; y < r.Bottom; ++y)
            for (int32_t x = r.Left; x < r.Right; ++x)
                Engine()->Surface()->WritePixel(x, y, FColor);
    }

private:
    uint32_t FColor;
};

class DXSpriteEngineBinding : public ::testing::Test {
protected:
    Log log; // outlives the sprites, which write into it when freed
    THeadlessWindow window{64, 48};
    std::unique_ptr<TCustomDXDraw> dxdraw = std::make_unique<TCustomDXDraw>(window);
    TDXSpriteEngine component;
};

TEST_F(DXSpriteEngineBinding, EngineSurfaceFollowsInitialisationAndFinalisation)
{
    component.SetDXDraw(dxdraw.get());
    EXPECT_EQ(component.DXDraw(), dxdraw.get());
    EXPECT_EQ(component.Engine().Surface(), nullptr);

    dxdraw->Initialize();
    ASSERT_NE(dxdraw->Surface(), nullptr);
    EXPECT_EQ(component.Engine().Surface(), dxdraw->Surface());
    EXPECT_EQ(component.Engine().SurfaceRect(), (TRect{0, 0, 64, 48}));

    dxdraw->Finalize();
    EXPECT_EQ(component.Engine().Surface(), nullptr);
    EXPECT_EQ(component.Engine().SurfaceRect(), (TRect{0, 0, 64, 48}));
}

TEST_F(DXSpriteEngineBinding, BindingToAnInitialisedComponentAttachesAtOnceAndUnbindingDetaches)
{
    dxdraw->Initialize();
    component.SetDXDraw(dxdraw.get());
    EXPECT_EQ(component.Engine().Surface(), dxdraw->Surface());
    component.SetDXDraw(nullptr);
    EXPECT_EQ(component.DXDraw(), nullptr);
    EXPECT_EQ(component.Engine().Surface(), nullptr);
}

TEST_F(DXSpriteEngineBinding, RebindingLeavesTheOldComponentBehind)
{
    THeadlessWindow otherWindow{30, 20};
    TCustomDXDraw other(otherWindow);
    component.SetDXDraw(dxdraw.get());
    component.SetDXDraw(&other);
    dxdraw->Initialize();
    EXPECT_EQ(component.Engine().Surface(), nullptr) << "the old component no longer reaches the engine";
    other.Initialize();
    EXPECT_EQ(component.Engine().Surface(), other.Surface());
    EXPECT_EQ(component.Engine().SurfaceRect(), (TRect{0, 0, 30, 20}));
}

TEST_F(DXSpriteEngineBinding, DrawsOnlyWhileInitialisedButAlwaysMoves)
{
    auto* s = new TRecordingSprite(&component.Engine(), log, "s");
    s->Width = s->Height = 10;
    component.DrawAll();
    EXPECT_TRUE(log.empty()) << "no drawing surface bound";

    component.SetDXDraw(dxdraw.get());
    component.MoveAll(1);
    component.DrawAll();
    EXPECT_EQ(log, (Log{"move:s:1"}));

    log.clear();
    dxdraw->Initialize();
    component.MoveAll(3);
    component.DrawAll();
    EXPECT_EQ(log, (Log{"move:s:3", "render:s"}));

    log.clear();
    dxdraw->Finalize();
    component.MoveAll(1);
    component.DrawAll();
    EXPECT_EQ(log, (Log{"move:s:1"}));
}

TEST_F(DXSpriteEngineBinding, DestroyedDrawingSurfaceIsDropped)
{
    auto* s = new TRecordingSprite(&component.Engine(), log, "s");
    s->Width = s->Height = 10;
    component.SetDXDraw(dxdraw.get());
    dxdraw->Initialize();
    dxdraw.reset();
    EXPECT_EQ(component.DXDraw(), nullptr);
    EXPECT_EQ(component.Engine().Surface(), nullptr);
    component.DrawAll();
    EXPECT_TRUE(log.empty());
}

TEST_F(DXSpriteEngineBinding, DestroyedComponentIsNoLongerTold)
{
    {
        TDXSpriteEngine shortLived;
        shortLived.SetDXDraw(dxdraw.get());
        dxdraw->Initialize();
    }
    dxdraw->Finalize();
    dxdraw->Initialize();
    component.SetDXDraw(dxdraw.get());
    EXPECT_EQ(component.Engine().Surface(), dxdraw->Surface());
}

TEST_F(DXSpriteEngineBinding, PixelCoveredByThreeSpritesShowsTheFirstCreated)
{
    component.SetDXDraw(dxdraw.get());
    dxdraw->Initialize();
    const uint32_t colors[] = {0xFF0000, 0x00FF00, 0x0000FF};
    for (int i = 0; i < 3; ++i) {
        auto* s = new TSolidSprite(&component.Engine(), colors[i]);
        s->X = 10 * i;
        s->Width = 30;
        s->Height = 5;
    }
    component.DrawAll();
    TDirectDrawSurface& back = *dxdraw->Surface();
    EXPECT_EQ(back.ReadPixel(25, 2), 0xFF0000u) << "covered by all three";
    EXPECT_EQ(back.ReadPixel(35, 2), 0x00FF00u) << "covered by the second and third";
    EXPECT_EQ(back.ReadPixel(45, 2), 0x0000FFu) << "covered by the third only";
}

} // namespace
