#include "platform/qt/PresentTransform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct TAxisCase {
    int32_t Frame;
    int32_t Shown;
};

class PresentAxisTest : public testing::TestWithParam<TAxisCase> {};

TEST_P(PresentAxisTest, EdgesBlurByOneDevicePixelAtMostAndEveryFramePixelKeepsItsShare)
{
    const TPresentAxis axis(GetParam().Frame, GetParam().Shown);
    const int32_t n = axis.Frame();
    const int32_t d = axis.Shown();
    std::vector<int32_t> share(static_cast<size_t>(n), 0);
    for (int32_t device = 0; device < d; ++device) {
        const TPresentAxis::TTap& tap = axis.Tap(device);
        // Two frame pixels mix only in the device pixel that their edge crosses.
        if (tap.Weight != 0) {
            ASSERT_EQ(tap.Far, tap.Near + 1) << device;
            const int64_t edge = static_cast<int64_t>(tap.Far) * d;
            ASSERT_TRUE(edge >= static_cast<int64_t>(device) * n && edge <= static_cast<int64_t>(device + 1) * n) << device;
            ASSERT_EQ(axis.Factor(), 0) << device;
        }
        // The probe names the frame pixel that weighs most in what the device pixel shows.
        const int32_t probed = axis.FramePixelAt(device);
        if (tap.Weight != 128) {
            ASSERT_EQ(probed, tap.Weight > 128 ? tap.Far : tap.Near) << device;
        }
        ASSERT_TRUE(probed == tap.Near || probed == tap.Far) << device;
        ASSERT_GE(probed, device == 0 ? 0 : axis.FramePixelAt(device - 1)) << device;
        ++share[static_cast<size_t>(probed)];
    }
    const auto [fewest, most] = std::minmax_element(share.begin(), share.end());
    EXPECT_GE(*fewest, d / n);
    EXPECT_LE(*most, (d + n - 1) / n);
}

TEST_P(PresentAxisTest, TheDeviceSpanOfAFrameSpanHoldsEveryDevicePixelThatShowsIt)
{
    const TPresentAxis axis(GetParam().Frame, GetParam().Shown);
    const int32_t n = axis.Frame();
    for (const auto& [from, to] : {std::pair{0, 1}, std::pair{n / 3, n / 3 + 2}, std::pair{n - 1, n}, std::pair{0, n}}) {
        int32_t first = 0;
        int32_t last = 0;
        axis.DeviceSpan(from, to, first, last);
        for (int32_t device = 0; device < axis.Shown(); ++device) {
            const TPresentAxis::TTap& tap = axis.Tap(device);
            const bool shows = (tap.Near >= from && tap.Near < to) || (tap.Far >= from && tap.Far < to);
            ASSERT_TRUE(!shows || (device >= first && device < last)) << from << ".." << to << " at " << device;
        }
        EXPECT_LE(last - first, (to - from + 2) * ((axis.Shown() + n - 1) / n) + 3);
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, PresentAxisTest,
    testing::Values(TAxisCase{1076, 1076}, TAxisCase{1076, 1345}, TAxisCase{750, 937}, TAxisCase{1076, 1614},
        TAxisCase{750, 1125}, TAxisCase{1076, 1883}, TAxisCase{1076, 2152}, TAxisCase{750, 1500}, TAxisCase{7, 17},
        TAxisCase{3, 3}));

TEST(PresentTransform, FitsTheFrameIntoItsArea)
{
    const struct {
        TDeviceRect Area;
        bool WholeFactors;
        TDeviceRect Shown;
    } cases[] = {
        {{0, 41, 1076, 750}, false, {0, 41, 1076, 750}},
        {{0, 62, 1614, 1125}, false, {0, 62, 1614, 1125}},
        {{0, 51, 1345, 938}, false, {0, 51, 1345, 937}},
        {{5, 0, 1500, 750}, false, {217, 0, 1076, 750}},
        {{0, 0, 3840, 2160}, true, {844, 330, 2152, 1500}},
        {{0, 0, 1614, 1125}, true, {269, 187, 1076, 750}},
        {{0, 0, 1920, 1080}, false, {185, 0, 1549, 1080}},
        // Too small: shown 1:1, centred and cut.
        {{0, 0, 500, 300}, false, {-288, -225, 1076, 750}},
        {{0, 0, 500, 300}, true, {-288, -225, 1076, 750}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TPresentTransform::Fit(1076, 750, c.Area, c.WholeFactors).Shown(), c.Shown)
            << c.Area.Width << " x " << c.Area.Height << (c.WholeFactors ? " whole" : "");
}

} // namespace
