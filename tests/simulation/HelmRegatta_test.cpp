// Computers sailing regattas: every wind direction round the compass finished, on time at the start at the
// higher skills; and a computer on port tack keeping clear of a dinghy on starboard tack that holds its course.
#include "simulation/Quibo.h"
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TRegattaRun {
    std::vector<TRaceEvent> Events;
    bool Over = false;
    int64_t Ticks = 0;
};

// A one-lap regatta with penalty turns in a steady wind of speed 15, each dinghy steered by the computer at its
// skill; at skill 0 red is left to a player who keeps it in a corner.
TRegattaRun SailRegatta(int32_t wind, int32_t green, int32_t red, int64_t limit)
{
    RandSeed = static_cast<uint32_t>(wind);
    THeadlessGame game(false, 13 * 3600 * 1000);
    game.Commands.ApplyWindSettings({wind, 0, 15});
    if (green > 0)
        game.Session.SetHelm(TPlayer::Green, green);
    if (red > 0)
        game.Session.SetHelm(TPlayer::Red, red);
    game.Commands.StartRegatta({1, TRegattaRules::Penalties});
    if (red == 0) {
        game.Race().Dinghies[1]->X = 60;
        game.Race().Dinghies[1]->Y = 730;
    }
    TRegattaRun run;
    while (run.Ticks < limit && game.Race().Regatta->Phase() != TRegattaPhase::Over) {
        EXPECT_TRUE(game.Tick());
        ++run.Ticks;
        TRaceEvent event;
        while (game.Race().Events.Take(event))
            run.Events.push_back(event);
    }
    run.Over = game.Race().Regatta->Phase() == TRegattaPhase::Over;
    return run;
}

int64_t FirstTick(const TRegattaRun& run, TRaceEvent::TKind kind, int32_t dinghy)
{
    for (const TRaceEvent& e : run.Events)
        if (e.Kind == kind && (dinghy < 0 || e.Dinghy == dinghy))
            return e.Tick;
    return -1;
}

TEST(HelmRegatta, FinishesAtEveryWindDirection)
{
    // Well within this: the slowest pairing takes about 4,000 ticks at its worst wind.
    constexpr int64_t Limit = 9000;
    const struct {
        int32_t green, red;
    } pairings[] = {{5, 1}, {3, 4}};
    for (const auto& pairing : pairings) {
        for (int32_t wind = 15; wind <= 360; wind += 15) {
            const TRegattaRun run = SailRegatta(wind, pairing.green, pairing.red, Limit);
            const std::string name = "wind " + std::to_string(wind) + ", skills " + std::to_string(pairing.green) +
                                     " and " + std::to_string(pairing.red);
            ASSERT_TRUE(run.Over) << name;
            EXPECT_GE(FirstTick(run, TRaceEvent::Finished, 0), 0) << name;
            EXPECT_GE(FirstTick(run, TRaceEvent::Finished, 1), 0) << name;
        }
    }
}

TEST(HelmRegatta, AtSkillFourAndFiveStartsWithinASecondOfTheSignal)
{
    for (const int32_t skill : {4, 5}) {
        for (int32_t wind = 15; wind <= 360; wind += 15) {
            const TRegattaRun run = SailRegatta(wind, skill, 0, 2000);
            const std::string name = "wind " + std::to_string(wind) + ", skill " + std::to_string(skill);
            const int64_t signal = FirstTick(run, TRaceEvent::Start, -1);
            ASSERT_GT(signal, 0) << name;
            EXPECT_EQ(FirstTick(run, TRaceEvent::Early, 0), -1) << name;
            const int64_t started = FirstTick(run, TRaceEvent::Started, 0);
            EXPECT_GT(started, signal) << name;
            EXPECT_LE(started, signal + 60) << name;
            EXPECT_GE(FirstTick(run, TRaceEvent::Finished, 0), 0) << name;
        }
    }
}

// Restarted halfway round, the computer forgets where it was going and starts the regatta again as well as
// the first time: back behind the line, not early, over it within a second of the signal.
TEST(HelmRegatta, RestartedInTheRaceStartsAgainOnTime)
{
    for (const int32_t wind : {45, 180, 300}) {
        RandSeed = static_cast<uint32_t>(wind);
        THeadlessGame game(false, 13 * 3600 * 1000);
        game.Commands.ApplyWindSettings({wind, 0, 15});
        game.Session.SetHelm(TPlayer::Green, 5);
        const auto redToCorner = [&] {
            game.Race().Dinghies[1]->X = 60;
            game.Race().Dinghies[1]->Y = 730;
        };
        game.Commands.StartRegatta({1, TRegattaRules::Penalties});
        redToCorner();
        for (int t = 0; t < 1300; ++t)
            ASSERT_TRUE(game.Tick());
        const std::string name = "wind " + std::to_string(wind);
        ASSERT_EQ(game.Race().Regatta->Dinghy(0).Standing, TStanding::Racing) << name;
        game.Commands.Restart();
        redToCorner();
        TRegattaRun run;
        TRaceEvent event;
        while (game.Race().Events.Take(event)) {
        }
        for (int t = 0; t < 1100; ++t) {
            ASSERT_TRUE(game.Tick());
            while (game.Race().Events.Take(event))
                run.Events.push_back(event);
        }
        const int64_t signal = FirstTick(run, TRaceEvent::Start, -1);
        ASSERT_GT(signal, 0) << name;
        EXPECT_EQ(FirstTick(run, TRaceEvent::Early, 0), -1) << name;
        const int64_t started = FirstTick(run, TRaceEvent::Started, 0);
        EXPECT_GT(started, signal) << name;
        EXPECT_LE(started, signal + 60) << name;
    }
}

// Green on port tack and red on starboard tack, both at speed, set to meet: red's path crosses green's where
// green will be when red gets there.
struct TCrossing {
    double ahead;  // pixels along green's course to where they would meet
    int32_t red;   // red's heading
    double offset; // red's bow this far beyond the meeting point at the start (it meets green's bow)
};

// Plays the crossing from a regatta under way; the penalties under rule 10 that green earned.
int32_t PortStarboard(const TCrossing& c, int32_t skill, bool& touched)
{
    RandSeed = 99;
    THeadlessGame game(false, 15 * 3600 * 1000);
    game.Commands.ApplyWindSettings({360, 0, 15});
    game.Commands.StartRegatta({2, TRegattaRules::Penalties});
    // Both cross the line after the signal; red at once, green kept back, then both are set to meet.
    for (int t = 0; t < TRegatta::CountdownTicks + 60; ++t) {
        game.SetTillers(TTiller::Amidships, TTiller::Amidships);
        EXPECT_TRUE(game.Tick());
    }
    TSinTable sin{};
    FillSinTable(sin);
    TQuibo& green = *game.Race().Dinghies[0];
    TQuibo& red = *game.Race().Dinghies[1];
    const int32_t greenHeading = 36;
    const double gx = sin[greenHeading], gy = -sin[greenHeading + 90];
    const double rx = sin[static_cast<size_t>(c.red)], ry = -sin[static_cast<size_t>(c.red) + 90];
    const double speed = 3;
    const double meetX = 400 + c.ahead * gx, meetY = 560 + c.ahead * gy;
    const double ticks = c.ahead / speed;
    green.X = 400;
    green.Y = 560;
    green.Heading = greenHeading;
    green.Speed = speed;
    red.X = meetX - rx * (speed * ticks - c.offset);
    red.Y = meetY - ry * (speed * ticks - c.offset);
    red.Heading = c.red;
    red.Speed = speed;
    if (skill > 0)
        game.Session.SetHelm(TPlayer::Green, skill);
    int32_t penalties = 0;
    touched = false;
    for (int t = 0; t < 240; ++t) {
        game.SetTillers(TTiller::Amidships, TTiller::Amidships);
        EXPECT_TRUE(game.Tick());
        TRaceEvent event;
        while (game.Race().Events.Take(event)) {
            if (event.Kind != TRaceEvent::Penalty || event.Rule == TRule::Mark)
                continue;
            touched = true;
            penalties += event.Dinghy == 0 && event.Rule == TRule::PortStarboard;
        }
    }
    return penalties;
}

TEST(HelmRegatta, OnPortTackKeepsClearOfADinghyHoldingItsCourse)
{
    // From 150 pixels on: nearer, the turn of three degrees a tick is too slow to bear away behind the other.
    const TCrossing crossings[] = {
        {150, 328, 0},  {180, 324, 0},  {240, 324, 10}, {300, 324, -10}, {180, 300, 0},  {240, 300, 20},
        {260, 328, -20}, {200, 318, 30}, {200, 318, -30}, {150, 312, 20}, {350, 328, 0}, {400, 310, 0},
    };
    for (const TCrossing& c : crossings) {
        const std::string name = "meeting " + std::to_string(static_cast<int>(c.ahead)) + " ahead, red on " +
                                 std::to_string(c.red) + ", offset " + std::to_string(static_cast<int>(c.offset));
        // Held on its course, green hits red and is penalised under rule 10: the crossing is a real one.
        bool touched = false;
        ASSERT_EQ(PortStarboard(c, 0, touched), 1) << name;
        for (int32_t skill = THelmSkill::Lowest; skill <= THelmSkill::Highest; ++skill) {
            EXPECT_EQ(PortStarboard(c, skill, touched), 0) << name << ", skill " << skill;
            EXPECT_FALSE(touched) << name << ", skill " << skill;
        }
    }
}

} // namespace
