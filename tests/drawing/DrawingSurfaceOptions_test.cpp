#include "drawing/DrawingSurface.h"
#include "drawing/Errors.h"
#include "platform/HeadlessWindow.h"

#include <gtest/gtest.h>

namespace {

struct TOptionCase {
    const char* Name;
    TDXDrawOptions Requested;
    TDXDrawOptions Effective;
};

class EffectiveOptions : public testing::TestWithParam<TOptionCase> {};

TEST_P(EffectiveOptions, FollowTheRulesWhileNotInitialised)
{
    THeadlessWindow window(100, 100);
    TDXDraw dxdraw(window);
    dxdraw.SetOptions(GetParam().Requested);
    EXPECT_EQ(dxdraw.NowOptions().Bits(), GetParam().Effective.Bits());
    EXPECT_EQ(dxdraw.Options().Bits(), GetParam().Requested.Bits());
}

INSTANTIATE_TEST_SUITE_P(
    Rules, EffectiveOptions,
    testing::Values(
        TOptionCase{"MainWindow",
                    {doAllowReboot, doWaitVBlank, doCenter, doFlip, doDirectX7Mode, doHardware, doSelectDriver},
                    {doWaitVBlank, doCenter}},
        TOptionCase{"FullScreenKeepsItsFlags",
                    {doFullScreen, doNoWindowChange, doAllowReboot, doAllowPalette256, doFlip},
                    {doFullScreen, doNoWindowChange, doAllowReboot, doAllowPalette256, doFlip}},
        TOptionCase{"SystemMemoryCannotFlip", {doFullScreen, doFlip, doSystemMemory}, {doFullScreen, doSystemMemory}},
        TOptionCase{"ThreeDKeepsItsFlagsButHardware",
                    {do3D, doDirectX7Mode, doHardware, doSelectDriver, doZBuffer},
                    {do3D, doDirectX7Mode, doSelectDriver, doZBuffer}},
        TOptionCase{"DirectX7ModeDropsRetainedMode", {do3D, doDirectX7Mode, doRetainedMode}, {do3D, doDirectX7Mode}},
        TOptionCase{"RetainedModeAloneStays", {do3D, doRetainedMode, doHardware}, {do3D, doRetainedMode}},
        TOptionCase{"WindowedFlagsStay",
                    {doWaitVBlank, doStretch, doSystemMemory},
                    {doWaitVBlank, doStretch, doSystemMemory}},
        TOptionCase{"Nothing", {}, {}}),
    [](const testing::TestParamInfo<TOptionCase>& testCase) { return testCase.param.Name; });

TEST(DrawingSurfaceOptions, DefaultsYieldAWindowedCentredSurface)
{
    THeadlessWindow window(100, 100);
    TDXDraw dxdraw(window);
    EXPECT_EQ(dxdraw.NowOptions(), (TDXDrawOptions{doWaitVBlank, doCenter}));
}

TEST(DrawingSurfaceOptions, WhileInitialisedOnlyThePresentingFlagsChange)
{
    THeadlessWindow window(100, 100);
    TDXDraw dxdraw(window);
    dxdraw.SetOptions({doSystemMemory, doWaitVBlank, doCenter});
    dxdraw.Initialize();

    dxdraw.SetOptions({doFullScreen, doStretch});
    EXPECT_EQ(dxdraw.NowOptions(), (TDXDrawOptions{doSystemMemory, doStretch}));

    // Finalisation brings the requested set into effect.
    dxdraw.Finalize();
    EXPECT_EQ(dxdraw.NowOptions(), (TDXDrawOptions{doFullScreen, doStretch}));
}

TEST(DrawingSurfaceOptions, SystemMemoryPutsTheBackBufferInMainMemory)
{
    THeadlessWindow window(100, 100);
    TDXDraw dxdraw(window);
    dxdraw.SetOptions({doSystemMemory});
    dxdraw.Initialize();
    ASSERT_NE(dxdraw.Surface(), nullptr);
    EXPECT_TRUE(dxdraw.Surface()->SystemMemory());
}

TEST(DrawingSurfaceOptions, FullScreenCannotBeHadAndLeavesTheComponentFinalised)
{
    for (TDXDrawOptions options : {TDXDrawOptions{doFullScreen}, TDXDrawOptions{doFullScreen, doFlip}}) {
        THeadlessWindow window(100, 100);
        TDXDraw dxdraw(window);
        dxdraw.Display.SetWidth(800);
        dxdraw.Display.SetHeight(600);
        dxdraw.Display.SetBitCount(24);
        dxdraw.SetOptions(options);
        try {
            dxdraw.Initialize();
            ADD_FAILURE() << "full screen initialised";
        } catch (const EDXDrawError& e) {
            EXPECT_STREQ(e.what(), "Display mode cannot be changed (800x600 24bit)");
        }
        EXPECT_FALSE(dxdraw.Initialized());
        EXPECT_EQ(dxdraw.DDraw(), nullptr);
        EXPECT_EQ(dxdraw.Surface(), nullptr);
    }
}

TEST(DrawingSurfaceDisplay, BitCountAcceptsOnlyTheFourDepths)
{
    struct TCase {
        int32_t Value;
        bool Accepted;
    };
    for (TCase c : {TCase{8, true}, TCase{16, true}, TCase{24, true}, TCase{32, true}, TCase{0, false},
                    TCase{15, false}, TCase{-8, false}, TCase{64, false}}) {
        TDXDrawDisplay display;
        display.SetBitCount(16);
        if (c.Accepted) {
            display.SetBitCount(c.Value);
            EXPECT_EQ(display.BitCount(), c.Value);
            continue;
        }
        try {
            display.SetBitCount(c.Value);
            ADD_FAILURE() << c.Value << " accepted";
        } catch (const EDirectDrawError& e) {
            EXPECT_STREQ(e.what(), "It should be either of 8 or 16 or 24 or 32");
        }
        EXPECT_EQ(display.BitCount(), 16) << c.Value;
    }
}

} // namespace
