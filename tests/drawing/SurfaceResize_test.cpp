#include "SurfaceFixtures.h"

#include "drawing/Errors.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TSizeCase {
    int32_t W;
    int32_t H;
};

class ResizeReleases : public ::testing::TestWithParam<TSizeCase> {};

TEST_P(ResizeReleases, NonPositiveSizesDropTheStorage)
{
    TDirectDraw device;
    auto surface = MakeSurface(device, 8, 8);
    surface->Resize(GetParam().W, GetParam().H);
    EXPECT_FALSE(surface->HasStorage());
    EXPECT_EQ(surface->Width(), 0);
    EXPECT_EQ(surface->Height(), 0);
    EXPECT_EQ(surface->ReadPixel(0, 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResizeReleases,
                         ::testing::Values(TSizeCase{0, 0}, TSizeCase{0, 5}, TSizeCase{5, 0}, TSizeCase{-1, 5},
                                           TSizeCase{5, INT32_MIN}));

std::string ResizeMessage(TDirectDrawSurface& surface, int32_t w, int32_t h)
{
    try {
        surface.Resize(w, h);
    } catch (const EDirectDrawSurfaceError& e) {
        return e.what();
    }
    return "no error";
}

TEST(SurfaceResize, NewStorageHasTheSizeAndAClearedKey)
{
    TDirectDraw device;
    TSurfaceHandle surface = device.CreateSurface();
    surface->Resize(3, 2);
    surface->SetColorKey(0xFF00FF);
    surface->Resize(1076, 750);
    EXPECT_TRUE(surface->HasStorage());
    EXPECT_EQ(surface->Width(), 1076);
    EXPECT_EQ(surface->Height(), 750);
    EXPECT_EQ(surface->ColorKey(), 0u);
    EXPECT_FALSE(surface->SystemMemory());
    surface->WritePixel(1075, 749, 0x0000FF);
    EXPECT_EQ(surface->ReadPixel(1075, 749), 0x0000FFu);
}

TEST(SurfaceResize, FallsBackToMainMemoryWhenDisplayMemoryFails)
{
    TDirectDraw device;
    device.SetDisplayMemoryAvailable(false);
    TSurfaceHandle surface = device.CreateSurface();
    surface->Resize(10, 10);
    EXPECT_TRUE(surface->HasStorage());
    EXPECT_TRUE(surface->SystemMemory());
}

TEST(SurfaceResize, OversizedRequestsFailInBothMemoriesAndKeepTheOldStorage)
{
    TDirectDraw device;
    device.SetMaxSurfacePixels(100);
    auto surface = MakeSurface(device, 10, 10, 0x010203);
    surface->SetColorKey(0x010203);
    EXPECT_EQ(ResizeMessage(*surface, 11, 10), "Surface cannot be made");
    EXPECT_EQ(ResizeMessage(*surface, INT32_MAX, INT32_MAX), "Surface cannot be made");
    EXPECT_EQ(surface->Width(), 10);
    EXPECT_EQ(surface->ColorKey(), 0x010203u);
    EXPECT_EQ(CountNot(*surface, 0x010203), 0);
    EXPECT_FALSE(surface->SystemMemory());
}

TEST(SurfaceResize, RestoringIsNotNeededAfterResizingALostSurface)
{
    TDirectDraw device;
    auto surface = MakeSurface(device, 4, 4);
    surface->MarkLost();
    surface->Resize(5, 5);
    EXPECT_FALSE(surface->IsLost());
    surface->WritePixel(4, 4, 7);
    EXPECT_EQ(surface->ReadPixel(4, 4), 7u);
}

TEST(Device, LosesOnlySurfacesThatHaveStorage)
{
    TDirectDraw device;
    auto made = MakeSurface(device, 2, 2);
    TSurfaceHandle empty = device.CreateSurface();
    device.LoseSurfaces();
    EXPECT_TRUE(made->IsLost());
    EXPECT_FALSE(empty->IsLost());
}

} // namespace
