// A device owns its surfaces and holders keep handles: whichever goes first, nothing is freed twice and no handle
// is left pointing at freed memory. The sanitizer build turns any double free, use after free or leak into a
// failure.
#include "ImageListFixture.h"
#include "SurfaceFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

TEST(SurfaceHandle, TheDeviceKeepsItsSurfacesInCreationOrderAndForgetsGivenBackOnes)
{
    TDirectDraw device;
    TSurfaceHandle first = device.CreateSurface();
    TSurfaceHandle second = device.CreateSurface();
    TSurfaceHandle third = device.CreateSurface();
    EXPECT_EQ(device.Surfaces(), (std::vector<TDirectDrawSurface*>{first.Get(), second.Get(), third.Get()}));
    second.Reset();
    EXPECT_FALSE(second);
    EXPECT_EQ(device.Surfaces(), (std::vector<TDirectDrawSurface*>{first.Get(), third.Get()}));
    EXPECT_EQ(first->Device(), &device);
}

// Two holders that differ only in the order of their members: the device is destroyed last in one, first in the
// other.
struct TDeviceDeclaredFirst {
    TDirectDraw Device;
    TSurfaceHandle Surface;
};
struct THandleDeclaredFirst {
    TSurfaceHandle Surface;
    TDirectDraw Device;
};

template <class Holder>
class SurfaceHolder : public testing::Test {};
using Holders = testing::Types<TDeviceDeclaredFirst, THandleDeclaredFirst>;
TYPED_TEST_SUITE(SurfaceHolder, Holders);

TYPED_TEST(SurfaceHolder, EitherOrderOfMembersFreesTheSurfaceOnce)
{
    auto holder = std::make_unique<TypeParam>();
    holder->Surface = MakeSurface(holder->Device, 64, 64, 0x010203);
    ASSERT_EQ(holder->Device.Surfaces().size(), 1u);
    EXPECT_EQ(holder->Surface->ReadPixel(63, 63), 0x010203u);
    holder.reset();
}

// Steps on a device and three handles to its surfaces; the device may go at any point.
struct TOrderCase {
    const char* Name;
    std::function<void(std::unique_ptr<TDirectDraw>&, std::vector<TSurfaceHandle>&)> Steps;
    // The width of the surface each handle holds afterwards; 0 for an empty handle.
    std::vector<int32_t> Widths;
};

class DestructionOrder : public testing::TestWithParam<TOrderCase> {};

TEST_P(DestructionOrder, LeavesNoHandleOnAFreedSurface)
{
    auto device = std::make_unique<TDirectDraw>();
    std::vector<TSurfaceHandle> handles;
    for (int i = 0; i < 3; ++i)
        handles.push_back(MakeSurface(*device, 8 + i, 8));
    GetParam().Steps(device, handles);
    const std::vector<int32_t>& widths = GetParam().Widths;
    ASSERT_EQ(handles.size(), widths.size());
    for (size_t i = 0; i < handles.size(); ++i)
        EXPECT_EQ(handles[i] ? handles[i]->Width() : 0, widths[i]) << "handle " << i;
    if (device) {
        const auto alive = std::count_if(widths.begin(), widths.end(), [](int32_t w) { return w > 0; });
        EXPECT_EQ(device->Surfaces().size(), static_cast<size_t>(alive));
    }
    // Whatever is left goes now, the handles after the device.
    device.reset();
    for (const TSurfaceHandle& handle : handles)
        EXPECT_FALSE(handle);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, DestructionOrder,
    testing::Values(
        TOrderCase{"HandlesFirst",
                   [](auto&, auto& handles) {
                       for (TSurfaceHandle& handle : handles)
                           handle.Reset();
                   },
                   {0, 0, 0}},
        TOrderCase{"DeviceFirst", [](auto& device, auto&) { device.reset(); }, {0, 0, 0}},
        TOrderCase{"OneHandleThenTheDevice",
                   [](auto& device, auto& handles) {
                       handles[1].Reset();
                       device.reset();
                       handles[1].Reset();
                   },
                   {0, 0, 0}},
        TOrderCase{"MovedIntoAnotherHandle",
                   [](auto&, auto& handles) {
                       TSurfaceHandle moved = std::move(handles[0]);
                       handles.push_back(std::move(moved));
                   },
                   {0, 9, 10, 8}},
        TOrderCase{"AssignedOverALiveHandle",
                   [](auto&, auto& handles) { handles[0] = std::move(handles[2]); },
                   {10, 9, 0}},
        TOrderCase{"AssignedToItself",
                   [](auto&, auto& handles) {
                       TSurfaceHandle& same = handles[1];
                       handles[1] = std::move(same);
                   },
                   {8, 9, 10}},
        TOrderCase{"MovedAsTheListGrows",
                   [](auto& device, auto& handles) {
                       for (int i = 0; i < 100; ++i)
                           handles.push_back(device->CreateSurface());
                       handles.resize(3);
                   },
                   {8, 9, 10}}),
    [](const auto& c) { return std::string(c.param.Name); });

TEST(SurfaceHandle, AHandleOutlivingItsDeviceFollowsEveryMoveOfTheList)
{
    auto device = std::make_unique<TDirectDraw>();
    std::vector<TSurfaceHandle> handles;
    for (int i = 0; i < 50; ++i)
        handles.push_back(MakeSurface(*device, 2, 2));
    device.reset();
    for (const TSurfaceHandle& handle : handles)
        ASSERT_FALSE(handle) << "a handle moved by the growing list still points at its surface";
}

// Items bound to a drawing surface without listening to it keep their surfaces when it finalises: the device
// takes the surfaces with it, and the items must then draw nothing instead of reaching freed memory.
class SurfaceOwnershipUnlistened : public TwoDrawingSurfaces {};

TEST_F(SurfaceOwnershipUnlistened, AnItemWhoseSurfacesWentWithTheDeviceDrawsNothing)
{
    TPictureCollectionItem& item = AddItem(CodedPicture(30, 15), 15);
    A.Initialize();
    List.Items().Initialize(A);
    item.Restore();
    ASSERT_EQ(item.PatternCount(), 2);
    ASSERT_NE(item.PatternSurface(1), nullptr);

    A.Finalize();
    ASSERT_TRUE(item.Initialized()) << "nothing told the items";
    ASSERT_EQ(item.PatternSurfaces().size(), 1u);
    EXPECT_FALSE(item.PatternSurfaces()[0]);
    EXPECT_EQ(item.PatternSurface(1), nullptr);

    TDirectDraw device;
    auto dest = MakeSurface(device, 40, 40);
    item.DrawPattern(*dest, 0, 0, 1);
    item.DrawRotated(*dest, 20, 20, 15, 15, 1, 0.5, 0.5, 0);
    item.SetTransparentColor(clWhite);
    EXPECT_EQ(CountNot(*dest, kBackground), 0);
}

// A drawing surface finalised, re-initialised and restored again and again, with an image list bound: every
// surface lives on the current device, and only the current pictures' surfaces are on it.
class SurfaceOwnershipRebinding : public TwoDrawingSurfaces {};

TEST_F(SurfaceOwnershipRebinding, FinalisingRestoringAndRebindingLeaveOnlyTheCurrentSurfaces)
{
    TPictureCollectionItem& item = AddItem(CodedPicture(1200, 20), 100); // two tiles in display memory
    List.SetDXDraw(&A);
    // The presentation target, the back buffer and the item's two tiles.
    constexpr size_t OnTheDevice = 4;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        TDXDraw& current = round % 2 == 0 ? A : B;
        List.SetDXDraw(&current);
        current.Initialize();
        ASSERT_EQ(item.PatternCount(), 12);
        EXPECT_EQ(current.DDraw()->Surfaces().size(), OnTheDevice);

        current.DDraw()->LoseSurfaces();
        ASSERT_TRUE(current.SurfacesReady());
        EXPECT_EQ(current.DDraw()->Surfaces().size(), OnTheDevice) << "restoring replaces the tiles";
        for (const TSurfaceHandle& tile : item.PatternSurfaces())
            EXPECT_EQ(tile->Device(), current.DDraw());
        EXPECT_EQ(item.PatternSurface(11)->ReadPixel(item.Patterns()[11].Rect.Left, 0), PositionCode(1100, 0));

        current.Finalize();
        EXPECT_EQ(current.Surface(), nullptr);
        EXPECT_TRUE(item.PatternSurfaces().empty());
        current.Initialize();
        EXPECT_EQ(current.DDraw()->Surfaces().size(), OnTheDevice);
    }
}

} // namespace
