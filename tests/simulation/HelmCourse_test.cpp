// Where a computer helm steers on a leg: straight for an aim it can fetch, else close-hauled, tacking on the
// layline, at the corridor's edge, on a header or before the frame's edge; and the aims round the course.
#include "simulation/helm/Beat.h"
#include "simulation/helm/CourseAims.h"
#include "simulation/regatta/MarkRounding.h"

#include "HelmSinTable.h"
#include "RefereeFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr TBeatRules Rules{32, 150, 60, 5};

struct TBeatCase {
    const char* name;
    TPointD at;
    TPointD aim;
    int32_t wind;
    int32_t shift;
    TTack tack;     // held so far
    int32_t ticks;  // on it so far
    int32_t heading;
    TTack after;
};

void Check(const TBeatCase& c, const TBeatRules& rules = Rules)
{
    TTackPlan plan{c.tack, c.ticks};
    EXPECT_EQ(CourseTo({c.at, c.aim, c.wind, c.shift}, rules, plan, HelmSin()), c.heading) << c.name;
    EXPECT_EQ(plan.Tack, c.after) << c.name;
    EXPECT_EQ(plan.TicksOnTack, plan.Tack == c.tack ? c.ticks : 0) << c.name;
}

TEST(HelmBeat, StraightForAnAimOffTheWindEitherSide)
{
    const TBeatCase cases[] = {
        // The aim to starboard of the wind (clockwise of it): sailed on port tack.
        {"aim 60 right of the wind", {500, 400}, {587, 350}, 360, 0, TTack::Starboard, 500, 60, TTack::Port},
        // To port of the wind: starboard tack.
        {"aim 60 left of the wind", {500, 400}, {413, 350}, 360, 0, TTack::Port, 500, 300, TTack::Starboard},
        // Dead downwind the referee counts the wind over port.
        {"running", {500, 400}, {500, 600}, 360, 0, TTack::Starboard, 5, 180, TTack::Port},
        {"just fetchable", {500, 400}, {500 + 100 * 0.5299, 400 - 100 * 0.8480}, 360, 0, TTack::Port, 0, 32,
         TTack::Port},
        {"wind from the east, aim north", {500, 400}, {500, 100}, 90, 0, TTack::Port, 0, 360, TTack::Starboard},
    };
    for (const auto& c : cases)
        Check(c);
}

TEST(HelmBeat, WithASpreadOffTheAimForTheFasterBand)
{
    TBeatRules rules = Rules;
    rules.Spread = 30;
    const TBeatCase cases[] = {
        // A close reach (wind 60 off, the slower band) is sailed as a beam reach 25 lower, which makes more good.
        {"close reach borne away", {500, 400}, {586.6, 350}, 360, 0, TTack::Port, 500, 85, TTack::Port},
        // A broad reach (wind 150 off, the run's band) is sailed 10 higher in the reach's band.
        {"broad reach luffed", {500, 400}, {550, 486.6}, 360, 0, TTack::Port, 500, 140, TTack::Port},
        // Dead downwind the run beats any reach either side.
        {"running", {500, 400}, {500, 600}, 360, 0, TTack::Port, 500, 180, TTack::Port},
    };
    for (const auto& c : cases)
        Check(c, rules);
}

TEST(HelmBeat, CloseHauledUpwindOnThePlannedTack)
{
    const TBeatCase cases[] = {
        {"dead upwind on port", {500, 400}, {500, 100}, 360, 0, TTack::Port, 10, 32, TTack::Port},
        {"dead upwind on starboard", {500, 400}, {500, 100}, 360, 0, TTack::Starboard, 10, 328, TTack::Starboard},
        {"wind from the east", {500, 400}, {800, 400}, 90, 0, TTack::Port, 10, 122, TTack::Port},
        {"wind from the south-west", {500, 400}, {300, 600}, 225, 0, TTack::Starboard, 10, 193, TTack::Starboard},
        // Nearly fetchable on the other tack is not yet the layline.
        {"short of the layline", {500, 400}, {500 + 100 * 0.5150, 400 - 100 * 0.8572}, 360, 0, TTack::Starboard, 0, 328,
         TTack::Starboard},
        // Just across it after a short tack, as a wind wavering about the layline puts it: not yet.
        {"barely across the layline", {500, 400}, {500 + 100 * 0.5592, 400 - 100 * 0.8290}, 360, 0, TTack::Starboard, 3,
         328, TTack::Starboard},
    };
    for (const auto& c : cases)
        Check(c);
}

TEST(HelmBeat, TacksOnTheLaylineAtOnce)
{
    const TBeatCase cases[] = {
        // Crossing the layline ends the tack however short it was.
        {"port layline crossed on starboard", {500, 400}, {600, 281}, 360, 0, TTack::Starboard, 3, 40, TTack::Port},
        {"starboard layline crossed on port", {500, 400}, {400, 281}, 360, 0, TTack::Port, 3, 320, TTack::Starboard},
        {"wind from the west", {500, 400}, {381, 300}, 270, 0, TTack::Starboard, 1, 310, TTack::Port},
    };
    for (const auto& c : cases)
        Check(c);
}

TEST(HelmBeat, TacksAtTheCorridorsEdgeAfterTheLeastTime)
{
    const TBeatCase cases[] = {
        // Port tack sails to the right of the wind's axis through the aim; beyond the corridor it tacks.
        {"right of the corridor on port", {700, 500}, {530, 100}, 360, 0, TTack::Port, 60, 328, TTack::Starboard},
        {"too soon", {700, 500}, {530, 100}, 360, 0, TTack::Port, 59, 32, TTack::Port},
        {"inside the corridor", {660, 500}, {530, 100}, 360, 0, TTack::Port, 200, 32, TTack::Port},
        // Beyond it on the side the other tack sails to: holding on takes it back.
        {"left of the corridor on port", {360, 500}, {530, 100}, 360, 0, TTack::Port, 200, 32, TTack::Port},
        {"left of the corridor on starboard", {360, 500}, {530, 100}, 360, 0, TTack::Starboard, 60, 32, TTack::Port},
        // Across the wind from the east the corridor runs east and west.
        {"below the corridor, wind east", {500, 600}, {900, 420}, 90, 0, TTack::Port, 60, 58, TTack::Starboard},
    };
    for (const auto& c : cases)
        Check(c);
    // With another dinghy close by it may not tack of its own choosing: only on the layline.
    TBeatRules held = Rules;
    held.MayTack = false;
    Check({"not now", {700, 500}, {530, 100}, 360, 0, TTack::Port, 500, 32, TTack::Port}, held);
    Check({"header, not now", {500, 400}, {500, 100}, 355, -5, TTack::Starboard, 60, 323, TTack::Starboard}, held);
    Check({"the layline all the same", {500, 400}, {400, 281}, 360, 0, TTack::Port, 3, 320, TTack::Starboard}, held);
}

TEST(HelmBeat, TacksOnAHeaderOnlyWhenItNoticesOne)
{
    const TBeatCase cases[] = {
        // On starboard tack the wind backing (anticlockwise) heads the dinghy.
        {"header on starboard", {500, 400}, {500, 100}, 355, -5, TTack::Starboard, 60, 27, TTack::Port},
        {"lift on starboard", {500, 400}, {500, 100}, 5, 5, TTack::Starboard, 60, 333, TTack::Starboard},
        {"header on port", {500, 400}, {500, 100}, 5, 5, TTack::Port, 60, 333, TTack::Starboard},
        {"lift on port", {500, 400}, {500, 100}, 355, -5, TTack::Port, 60, 27, TTack::Port},
        {"small header", {500, 400}, {500, 100}, 356, -4, TTack::Starboard, 60, 324, TTack::Starboard},
        {"header too soon", {500, 400}, {500, 100}, 355, -5, TTack::Starboard, 59, 323, TTack::Starboard},
        // Not when the other tack takes it beyond half the corridor.
        {"header far out", {650, 400}, {500, 100}, 355, -5, TTack::Starboard, 60, 323, TTack::Starboard},
    };
    for (const auto& c : cases)
        Check(c);
    TBeatRules blind = Rules;
    blind.HeaderDegrees = 0;
    Check({"a header not noticed", {500, 400}, {500, 100}, 340, -20, TTack::Starboard, 60, 308, TTack::Starboard},
          blind);
}

TEST(HelmBeat, TacksBeforeTheFramesEdge)
{
    const TBeatCase cases[] = {
        {"port tack towards the right edge", {1000, 500}, {1000, 100}, 360, 0, TTack::Port, 60, 328,
         TTack::Starboard},
        {"starboard tack towards the top", {500, 90}, {480, -300}, 360, 0, TTack::Starboard, 60, 328,
         TTack::Starboard}, // both tacks run into the top: no use tacking
        {"starboard tack towards the left edge", {60, 500}, {60, 100}, 360, 0, TTack::Starboard, 60, 32, TTack::Port},
    };
    for (const auto& c : cases)
        Check(c);
}

// A point that sails 3 pixels a tick straight for whatever aim it is given.
int32_t WindingFollowing(TPointD from, TPointD mark, int32_t ticks)
{
    int32_t winding = 0;
    TPointD at = from;
    for (int32_t t = 0; t < ticks && winding != 3; ++t) {
        const TPointD aim = RoundingAim(at, mark, 90);
        const double dx = aim.X - at.X;
        const double dy = aim.Y - at.Y;
        const double length = std::hypot(dx, dy);
        const TPointD next{at.X + dx / length * 3, at.Y + dy / length * 3};
        const TMarkSteps steps = MarkSteps(at, next, mark);
        for (int32_t i = 0; i < steps.Count; ++i) {
            winding += steps.Steps[static_cast<size_t>(i)];
            EXPECT_GE(winding, 0) << "rounded the wrong way from " << from.X << "," << from.Y;
        }
        at = next;
    }
    return winding;
}

TEST(HelmAims, FollowingTheRoundingAimsRoundsTheMarkToPort)
{
    const TPointD mark = RegattaCourse.Mark;
    for (const TPointD from : {TPointD{500, 580}, TPointD{718, 580}, TPointD{900, 500}, TPointD{600, 130},
                               TPointD{1000, 200}})
        EXPECT_EQ(WindingFollowing(from, mark, 1000), 3) << from.X << "," << from.Y;
    // Each aim lies ahead round the mark, anticlockwise on the screen.
    const TPointD below = RoundingAim({700, 400}, mark, 90);
    EXPECT_GT(below.X, mark.X);
    EXPECT_LT(below.Y, mark.Y);
    const TPointD over = RoundingAim({800, 100}, mark, 90);
    EXPECT_LT(over.X, mark.X);
    EXPECT_LT(over.Y, mark.Y);
    const TPointD west = RoundingAim({650, 100}, mark, 90);
    EXPECT_LT(west.X, mark.X);
    EXPECT_GT(west.Y, mark.Y);
    // West of it and below: straight for the east side where that passes well under the mark, else first
    // under it.
    EXPECT_EQ(RoundingAim({680, 200}, mark, 90), below);
    EXPECT_EQ(RoundingAim({600, 130}, mark, 90), (TPointD{mark.X, mark.Y + 90}));
}

TEST(HelmAims, ThroughTheLineBetweenItsBuoys)
{
    const struct {
        const char* name;
        TPointD at;
        TPointD bow;
        TPointD aim;
    } cases[] = {
        {"below: up through it", {500, 650}, {500, 620}, {500, 519}},
        {"above: down through it", {500, 400}, {500, 430}, {500, 639}},
        {"bow on the line counts as below", {500, 600}, {500, 579}, {500, 519}},
        {"left of the buoys", {100, 650}, {100, 620}, {428, 519}},
        {"right of the buoys", {900, 300}, {900, 330}, {648, 639}},
    };
    for (const auto& c : cases) {
        const TPointD aim = LineAim(c.at, c.bow, RegattaCourse, 60, 70);
        EXPECT_EQ(aim, c.aim) << c.name;
    }
    EXPECT_EQ(BelowLine({200, 500}, RegattaCourse, 80, 70), (TPointD{428, 659}));
    // Finished, each waits beyond its own end of the line; each starts near its own end.
    EXPECT_GT(Berth(RegattaCourse, 0).X, RegattaCourse.LineRight.X);
    EXPECT_LT(Berth(RegattaCourse, 1).X, RegattaCourse.LineLeft.X);
    EXPECT_GT(Berth(RegattaCourse, 1).Y, RegattaCourse.LineLeft.Y);
    EXPECT_EQ(StartPoint(RegattaCourse, 0, 120), (TPointD{598, 579}));
    EXPECT_EQ(StartPoint(RegattaCourse, 1, 120), (TPointD{478, 579}));
}

} // namespace
