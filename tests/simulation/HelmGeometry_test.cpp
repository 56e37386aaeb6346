// What a computer helm works its headings out with: bearings from the sine table, the tiller towards a
// heading, its own generator.
#include "simulation/Random.h"
#include "simulation/helm/HelmGeometry.h"
#include "simulation/helm/HelmRandom.h"
#include "simulation/helm/Steering.h"

#include "HelmSinTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <vector>

namespace {

const TSinTable& Sin()
{
    return HelmSin();
}

TPointD At(double degrees, double distance)
{
    const double a = degrees * std::numbers::pi / 180;
    return {500 + distance * std::sin(a), 400 - distance * std::cos(a)};
}

TEST(HelmBearing, CompassPointsAndTheSamePoint)
{
    const TPointD from{500, 400};
    const struct {
        TPointD to;
        int32_t bearing;
    } cases[] = {
        {{500, 300}, 360}, {{600, 300}, 45},  {{600, 400}, 90},  {{600, 500}, 135},
        {{500, 500}, 180}, {{400, 500}, 225}, {{400, 400}, 270}, {{400, 300}, 315},
        {{500, 400}, 360}, // nowhere to go: up
        {{700, 300}, 63},  // atan 2 = 63.43
        {{550, 300}, 27},  // atan 0.5 = 26.57
        {{520, 300}, 11},  // atan 0.2 = 11.31
        {{300, 700}, 214}, // 180 + atan(2/3) = 213.69
    };
    for (const auto& c : cases)
        EXPECT_EQ(BearingOf(from, c.to, Sin()), c.bearing) << c.to.X << "," << c.to.Y;
}

TEST(HelmBearing, NearestDegreeAllRoundAndAtAnyDistance)
{
    for (const double distance : {3.0, 80.0, 900.0}) {
        for (int32_t d = 0; d < 360; ++d) {
            const int32_t expectedBelow = d == 0 ? 360 : d;
            const int32_t expectedAbove = d + 1;
            EXPECT_EQ(BearingOf({500, 400}, At(d + 0.3, distance), Sin()), expectedBelow) << d << " at " << distance;
            EXPECT_EQ(BearingOf({500, 400}, At(d + 0.7, distance), Sin()), expectedAbove) << d << " at " << distance;
        }
    }
}

TEST(HelmBearing, HeadingVectorsAndAngles)
{
    const TPointD east = HeadingVector(90, Sin());
    EXPECT_DOUBLE_EQ(east.X, 1);
    EXPECT_NEAR(east.Y, 0, 1e-15);
    const TPointD south = HeadingVector(540, Sin()); // folded
    EXPECT_NEAR(south.X, 0, 1e-15);
    EXPECT_DOUBLE_EQ(south.Y, 1);

    const struct {
        int32_t heading, degrees, turned;
    } turns[] = {{350, 20, 10}, {10, -20, 350}, {360, 0, 360}, {180, 180, 360}, {90, -450, 360}};
    for (const auto& t : turns)
        EXPECT_EQ(TurnedBy(t.heading, t.degrees), t.turned) << t.heading << " by " << t.degrees;

    // The wind's angle clockwise from the heading: 0 head to wind, 90 over starboard, 270 over port.
    const struct {
        int32_t wind, heading, relative;
    } winds[] = {{360, 360, 0}, {360, 270, 90}, {360, 90, 270}, {10, 350, 20}, {350, 10, 340}, {180, 360, 180}};
    for (const auto& w : winds)
        EXPECT_EQ(RelativeWind(w.wind, w.heading), w.relative) << w.wind << " " << w.heading;
}

TEST(HelmSteering, TillerTowardTheWantedHeading)
{
    const struct {
        int32_t heading, wanted, step;
        TTiller turning;
        TTiller tiller;
        const char* name;
    } cases[] = {
        {360, 10, 3, TTiller::Amidships, TTiller::Port, "clockwise: port"},
        {360, 350, 3, TTiller::Amidships, TTiller::Starboard, "anticlockwise: starboard"},
        {350, 10, 3, TTiller::Amidships, TTiller::Port, "across north"},
        {10, 350, 3, TTiller::Amidships, TTiller::Starboard, "back across north"},
        {360, 1, 3, TTiller::Amidships, TTiller::Amidships, "within half a step"},
        {360, 2, 3, TTiller::Amidships, TTiller::Port, "beyond half a step"},
        {360, 2, 4, TTiller::Amidships, TTiller::Amidships, "half a step exactly"},
        {360, 358, 4, TTiller::Amidships, TTiller::Amidships, "half a step the other way"},
        {90, 265, 3, TTiller::Amidships, TTiller::Port, "nearly astern, the shorter way"},
        {90, 265, 3, TTiller::Starboard, TTiller::Starboard, "nearly astern, a turn under way goes on"},
        {90, 275, 3, TTiller::Port, TTiller::Port, "nearly astern the other side, the turn goes on"},
        {90, 200, 3, TTiller::Starboard, TTiller::Port, "well off astern, the shorter way after all"},
        {90, 90, 3, TTiller::Port, TTiller::Amidships, "there"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TillerToward(c.heading, c.wanted, c.step, c.turning), c.tiller) << c.name;
}

std::vector<uint32_t> Draws(uint32_t state, uint32_t n, int count)
{
    std::vector<uint32_t> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(HelmRandom(state, n));
    return draws;
}

TEST(HelmGenerator, OwnDeterministicSequencesApartFromTheRace)
{
    RandSeed = 4711;
    const uint32_t green = HelmSeed(123456, 0);
    const uint32_t red = HelmSeed(123456, 1);
    EXPECT_NE(green, red);
    EXPECT_NE(HelmSeed(123457, 0), green);
    EXPECT_EQ(Draws(green, 1000, 50), Draws(HelmSeed(123456, 0), 1000, 50));
    EXPECT_NE(Draws(green, 1000, 50), Draws(red, 1000, 50));
    EXPECT_EQ(RandSeed, 4711u);

    uint32_t state = green;
    std::set<int32_t> seen;
    for (int i = 0; i < 2000; ++i) {
        const int32_t spread = HelmSpread(state, 3);
        ASSERT_GE(spread, -3);
        ASSERT_LE(spread, 3);
        seen.insert(spread);
        ASSERT_LT(HelmRandom(state, 7), 7u);
    }
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_EQ(HelmSpread(state, 0), 0);
    EXPECT_EQ(HelmRandom(state, 0), 0u);
}

} // namespace
