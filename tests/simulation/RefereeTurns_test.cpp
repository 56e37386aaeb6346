#include "simulation/regatta/PenaltyTurns.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RefereeTurns, HeadingChangeIsTheShortestWay)
{
    const struct {
        int32_t from;
        int32_t to;
        int32_t change;
    } cases[] = {
        {90, 100, 10}, {100, 90, -10}, {350, 10, 20}, {10, 350, -20}, {360, 1, 1},
        {1, 360, -1},  {180, 181, 1},  {90, 269, 179}, {90, 271, -179}, {360, 360, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HeadingChange(c.from, c.to), c.change) << c.from << " to " << c.to;
}

TEST(RefereeTurns, ATurnGoesOneWayAndCarriesItsRest)
{
    const struct {
        const char* name;
        std::vector<int32_t> changes;
        int32_t turns;
        int32_t degrees;
    } cases[] = {
        {"clockwise", std::vector<int32_t>(36, 10), 1, 0},
        {"anticlockwise with a rest", std::vector<int32_t>(25, -15), 1, -15},
        {"partly", std::vector<int32_t>(30, 10), 0, 300},
        {"twice", std::vector<int32_t>(40, 20), 2, 80},
        {"reversed midway", {170, 170, -10, -100}, 0, -110},
        {"reversed after a full turn", {180, 179, 2, -5}, 1, -5},
        {"standing still keeps the turn", {100, 0, 0, 100}, 0, 200},
    };
    for (const auto& c : cases) {
        int32_t degrees = 0;
        int32_t turns = 0;
        for (const int32_t change : c.changes)
            turns += TurnOn(degrees, change) ? 1 : 0;
        EXPECT_EQ(turns, c.turns) << c.name;
        EXPECT_EQ(degrees, c.degrees) << c.name;
    }
}
