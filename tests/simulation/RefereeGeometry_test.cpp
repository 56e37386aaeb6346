#include "RefereeFixture.h"

#include "simulation/regatta/LineCrossing.h"
#include "simulation/regatta/MarkRounding.h"

TEST(RefereeLine, CrossingsBetweenTheBuoysOnly)
{
    const struct {
        const char* name;
        TPointD from;
        TPointD to;
        bool upwards;
        bool downwards;
    } cases[] = {
        {"straight up", {500, 585}, {500, 575}, true, false},
        {"straight down", {500, 575}, {500, 585}, false, true},
        {"left end", {358, 585}, {358, 575}, true, false},
        {"right end", {718, 585}, {718, 575}, true, false},
        {"left end down", {358, 575}, {358, 585}, false, true},
        {"just outside left", {357.9, 585}, {357.9, 575}, false, false},
        {"just outside right", {718.1, 575}, {718.1, 585}, false, false},
        {"up onto the line", {500, 585}, {500, 579}, false, false},
        {"up from the line", {500, 579}, {500, 578.9}, true, false},
        {"down onto the line", {500, 578.9}, {500, 579}, false, true},
        {"down from the line", {500, 579}, {500, 590}, false, false},
        {"slanting, meeting the line inside", {350, 589}, {370, 569}, true, false},
        {"slanting, ending inside but meeting it outside", {340, 589}, {360, 569}, false, false},
        {"slanting in past the right end", {726, 569}, {706, 589}, false, true},
        {"slanting, meeting the line past the right end", {730, 569}, {710, 589}, false, false},
        {"along the line", {400, 579}, {600, 579}, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CrossedUpwards(c.from, c.to, RegattaCourse), c.upwards) << c.name;
        EXPECT_EQ(CrossedDownwards(c.from, c.to, RegattaCourse), c.downwards) << c.name;
    }
}

TEST(RefereeMark, ThirdsOfATurnInTheOrderTheRaysAreCrossed)
{
    const struct {
        const char* name;
        TPointD from;
        TPointD to;
        std::vector<int> steps;
    } cases[] = {
        {"east ray upwards", {750, 130}, {750, 100}, {1}},
        {"east ray downwards", {750, 100}, {750, 130}, {-1}},
        {"north ray westwards", {730, 100}, {700, 100}, {1}},
        {"north ray eastwards", {700, 100}, {730, 100}, {-1}},
        {"west ray downwards", {700, 100}, {700, 130}, {1}},
        {"west ray upwards", {700, 130}, {700, 100}, {-1}},
        {"south, not counted", {730, 130}, {700, 130}, {}},
        {"onto the east ray", {750, 120}, {750, 114}, {}},
        {"off the east ray upwards", {750, 114}, {750, 100}, {1}},
        {"off the east ray back down", {750, 114}, {750, 120}, {}},
        {"onto the north ray", {730, 100}, {718, 100}, {}},
        {"off the north ray westwards", {718, 100}, {717.9, 100}, {1}},
        {"east then north", {740, 130}, {700, 100}, {1, 1}},
        {"north then west", {730, 100}, {700, 130}, {1, 1}},
        {"south then west upwards", {730, 130}, {700, 100}, {-1}},
        {"west downwards then south", {700, 100}, {730, 130}, {1}},
        {"north backwards then east downwards", {700, 100}, {740, 130}, {-1, -1}},
        {"far from the mark", {100, 600}, {120, 590}, {}},
    };
    for (const auto& c : cases) {
        const TMarkSteps steps = MarkSteps(c.from, c.to, RegattaCourse.Mark);
        std::vector<int> got;
        for (int32_t i = 0; i < steps.Count; ++i)
            got.push_back(steps.Steps[static_cast<size_t>(i)]);
        EXPECT_EQ(got, c.steps) << c.name;
    }
}

TEST(RefereeMark, AFullRoundInSmallStepsIsThreeThirds)
{
    // Anticlockwise on the screen about the mark, 5 degrees a step, from below it: +3; the other way -3.
    for (const int direction : {1, -1}) {
        int winding = 0;
        TPointD last{718, 164};
        for (int step = 1; step <= 72; ++step) {
            const double a = direction * step * 5 * 3.14159265358979 / 180;
            const TPointD now{718 + 50 * std::sin(a), 114 + 50 * std::cos(a)};
            const TMarkSteps steps = MarkSteps(last, now, RegattaCourse.Mark);
            for (int32_t i = 0; i < steps.Count; ++i)
                winding += steps.Steps[static_cast<size_t>(i)];
            last = now;
        }
        EXPECT_EQ(winding, 3 * direction);
    }
}
