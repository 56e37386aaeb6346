#include "RefereeFixture.h"

#include "simulation/regatta/ContactRules.h"
#include "simulation/regatta/Tack.h"

namespace {

constexpr int32_t Starboard = 45; // the wind over the starboard bow
constexpr int32_t Port = 315;
constexpr int32_t HeadToWind = 10;

// A hull sailing east (to +x), its stern at (x, y).
TDinghyView East(double x, double y, int32_t relativeWind)
{
    return Hull({x, y}, {x + HullLength, y}, 90, relativeWind);
}

} // namespace

TEST(RefereeContact, JudgedByTheRules)
{
    const TPointD fromNorth{0, -1};
    const TPointD fromWest{-1, 0};
    const struct {
        const char* name;
        TDinghyView green;
        TDinghyView red;
        TPointD upwind;
        bool greenPenalised;
        bool redPenalised;
        TRule rule;
    } cases[] = {
        {"red on port", East(500, 400, Starboard), East(510, 410, Port), fromNorth, false, true,
         TRule::PortStarboard},
        {"green on port", East(500, 400, Port), East(510, 410, Starboard), fromNorth, true, false,
         TRule::PortStarboard},
        {"overlapped, green windward", East(500, 400, Port), East(510, 410, Port), fromNorth, true, false,
         TRule::Windward},
        {"overlapped, red windward", East(500, 410, Port), East(510, 400, Port), fromNorth, false, true,
         TRule::Windward},
        {"overlapped, windward by the wind not the screen", East(500, 400, Starboard),
         East(520, 410, Starboard), fromWest, true, false, TRule::Windward},
        {"overlapped and level", East(500, 400, Port), East(510, 400, Port), fromNorth, true, true,
         TRule::Windward},
        {"green clear astern", East(440, 400, Port), East(475, 402, Port), fromNorth, true, false,
         TRule::ClearAstern},
        {"red clear astern", East(475, 402, Port), East(440, 400, Port), fromNorth, false, true,
         TRule::ClearAstern},
        {"bow on the stern's abeam line is overlapped", East(445, 410, Port), East(475, 400, Port), fromNorth,
         false, true, TRule::Windward},
        {"green tacking", East(500, 400, HeadToWind), East(510, 410, Port), fromNorth, true, false,
         TRule::Tacking},
        {"red tacking against starboard", East(500, 400, Starboard), East(510, 410, 340), fromNorth, false, true,
         TRule::Tacking},
        {"both tacking", East(500, 400, 0), East(510, 410, 359), fromNorth, true, true, TRule::Tacking},
    };
    for (const auto& c : cases) {
        const TContactVerdict verdict = JudgeContact({c.green, c.red}, c.upwind);
        EXPECT_EQ(verdict.Penalised[0], c.greenPenalised) << c.name;
        EXPECT_EQ(verdict.Penalised[1], c.redPenalised) << c.name;
        EXPECT_EQ(verdict.Rule, c.rule) << c.name;
    }
}

TEST(RefereeContact, ClearAsternIsBehindTheAbeamLineThroughTheStern)
{
    // b sails north-east, its stern at (500, 500): the abeam line through its stern is x - y = 0.
    const TDinghyView b = Hull({500, 500}, {520, 480}, 45);
    const struct {
        const char* name;
        TDinghyView a;
        bool clearAstern;
    } cases[] = {
        {"straight behind", Hull({470, 530}, {490, 510}), true},
        {"behind and to the side", Hull({430, 510}, {450, 490}), true},
        {"bow over the line", Hull({480, 530}, {505, 500}), false},
        {"bow on the line", Hull({470, 530}, {500, 500}), false},
        {"alongside", Hull({510, 510}, {530, 490}), false},
        {"ahead", Hull({530, 470}, {550, 450}), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClearAstern(c.a, b), c.clearAstern) << c.name;
}

TEST(RefereeTack, FromTheRelativeWind)
{
    const struct {
        int32_t relativeWind;
        TTack tack;
    } cases[] = {
        {0, TTack::Tacking},     {29, TTack::Tacking},   {30, TTack::Starboard}, {90, TTack::Starboard},
        {179, TTack::Starboard}, {180, TTack::Port},     {270, TTack::Port},     {329, TTack::Port},
        {330, TTack::Tacking},   {359, TTack::Tacking},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TackOf(c.relativeWind), c.tack) << c.relativeWind;
}
