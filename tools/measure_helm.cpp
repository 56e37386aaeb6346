// Measures the computer helm: regattas of computer against computer at every pair of skills, in random winds,
// and prints per skill how many finished, went out or started early, the penalties taken and the finishing
// times, and per pair of skills how often each won.
//
// Usage: measure_helm [--regattas N] [--laps L] [--classic] [--pair LOW HIGH] [--list]. N regattas per pair of
// skills (half of them with the colours the other way round, default 20), of L laps (default 3), with penalty
// turns unless --classic; only the one pair of skills with --pair, and a line per regatta with --list. With
// --optimum, N winds in which skill 5 sails alone beside the best a search of its numbers finds.
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"
#include "simulation/helm/HelmGeometry.h"
#include "simulation/helm/HelmSkill.h"
#include "simulation/helm/HelmView.h"
#include "simulation/regatta/PenaltyTurns.h"
#include "simulation/regatta/Tack.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int32_t Skills = THelmSkill::Highest;
constexpr int64_t TickLimit = 30000;

struct TSettings {
    int32_t Regattas = 20;
    int32_t Laps = 3;
    TRegattaRules Rules = TRegattaRules::Penalties;
    int32_t PairLow = 0; // with both, only this pair of skills
    int32_t PairHigh = 0;
    bool List = false;   // a line per regatta
    bool Optimum = false; // skill 5 alone beside the best a search of its numbers finds
};

struct TSkillTally {
    int32_t Sailed = 0;
    int32_t Finished = 0;
    int32_t Out = 0;
    int32_t Early = 0;
    int32_t Penalties = 0;
    int32_t OutBeforeStart = 0; // of those out, before the signal
    int32_t OutTogether = 0;    // of those out, on the same tick as the other dinghy (their contact)
    int32_t Beats = 0;          // legs to the mark that were beats
    int32_t Tacks = 0;          // and the tacks made on them
    std::vector<double> Seconds; // from the signal to the finish
};

// The tool's own numbers for the winds, apart from the race's generator.
uint32_t Next(uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

struct TOutcome {
    std::array<TStanding, 2> Standing{};
    std::array<bool, 2> Early{};
    std::array<int32_t, 2> Penalties{};
    std::array<int32_t, 2> FinishTicks{};
    int32_t Winner = -1;
    // Why each went out: before the signal or after, with the other dinghy (both out on one tick) or alone.
    std::array<bool, 2> OutBeforeStart{};
    std::array<int64_t, 2> OutTick{-1, -1};
    std::array<int32_t, 2> Beats{};
    std::array<int32_t, 2> Tacks{};
};

// Who steers: a level, or numbers of their own (green only), or no one (0: the dinghy lies where it is).
struct THelms {
    int32_t Green = 0;
    int32_t Red = 0;
    std::optional<THelmSkill> GreenNumbers;
};

// A leg to the mark is a beat where the mark lies within this many degrees of the wind as it begins.
constexpr int32_t BeatSector = 45;

// Counts the tacks on the beats to the mark.
struct TBeatWatch {
    bool ToMark = false;
    bool Beat = false;
    TTack Last = TTack::Tacking;

    void Watch(const THelmView& view, size_t dinghy, int32_t& beats, int32_t& tacks)
    {
        const TDinghyRegatta& mine = view.Regatta->Dinghy(dinghy);
        const bool toMark = mine.Standing == TStanding::Racing && !mine.MarkRounded;
        const TDinghyView& self = view.Dinghies[dinghy];
        if (toMark && !ToMark) {
            const int32_t bearing = BearingOf(self.Middle(), view.Course.Mark, *view.Sin);
            Beat = std::abs(HeadingChange(view.WindDirection, bearing)) < BeatSector;
            beats += Beat;
            Last = TTack::Tacking;
        }
        ToMark = toMark;
        const TTack tack = TackOf(self.RelativeWind);
        if (!toMark || !Beat || tack == TTack::Tacking)
            return;
        tacks += Last != TTack::Tacking && tack != Last;
        Last = tack;
    }
};

TWindSettings DrawWind(uint32_t& draw)
{
    return {static_cast<int32_t>(1 + Next(draw) % 360), static_cast<int32_t>(Next(draw) % 46),
            static_cast<int32_t>(5 + Next(draw) % 26)};
}

TOutcome Sail(const TSettings& settings, const THelms& helms, uint32_t seed)
{
    uint32_t draw = seed;
    const TWindSettings wind = DrawWind(draw);
    RandSeed = Next(draw);
    THeadlessGame game(false, Next(draw) % (24u * 3600 * 1000));
    game.Commands.ApplyWindSettings(wind);
    if (helms.GreenNumbers)
        game.Session.Race.Helms[0].emplace(*helms.GreenNumbers, TPlayer::Green, RandSeed);
    else if (helms.Green > 0)
        game.Session.SetHelm(TPlayer::Green, helms.Green);
    if (helms.Red > 0)
        game.Session.SetHelm(TPlayer::Red, helms.Red);
    game.Commands.StartRegatta({settings.Laps, settings.Rules});
    TOutcome outcome;
    std::array<TBeatWatch, 2> beats{};
    const auto sailing = [&](size_t d) {
        const TStanding standing = game.Race().Regatta->Dinghy(d).Standing;
        return standing != TStanding::Finished && standing != TStanding::Out;
    };
    const bool solo = helms.Red == 0;
    for (int64_t t = 0; t < TickLimit && (sailing(0) || (!solo && sailing(1))); ++t) {
        game.Tick();
        const THelmView view = HelmViewOf(game.Race());
        for (size_t d = 0; d < 2; ++d)
            beats[d].Watch(view, d, outcome.Beats[d], outcome.Tacks[d]);
        TRaceEvent event;
        while (game.Race().Events.Take(event)) {
            if (event.Kind == TRaceEvent::Early)
                outcome.Early[static_cast<size_t>(event.Dinghy)] = true;
            if (event.Kind == TRaceEvent::Finished && event.Value == 1)
                outcome.Winner = event.Dinghy;
            if (event.Kind == TRaceEvent::Out) {
                const auto d = static_cast<size_t>(event.Dinghy);
                outcome.OutBeforeStart[d] = game.Race().Regatta->Phase() == TRegattaPhase::Countdown ||
                                            game.Race().Regatta->TicksSinceStart() == 0;
                outcome.OutTick[d] = event.Tick;
            }
        }
    }
    const TRegatta& regatta = *game.Race().Regatta;
    for (size_t d = 0; d < 2; ++d) {
        outcome.Standing[d] = regatta.Dinghy(d).Standing;
        outcome.Penalties[d] = regatta.Dinghy(d).Penalties;
        outcome.FinishTicks[d] = regatta.Dinghy(d).FinishTicks;
    }
    return outcome;
}

void Count(TSkillTally& tally, const TOutcome& outcome, size_t dinghy)
{
    ++tally.Sailed;
    tally.Early += outcome.Early[dinghy];
    tally.Penalties += outcome.Penalties[dinghy];
    tally.Beats += outcome.Beats[dinghy];
    tally.Tacks += outcome.Tacks[dinghy];
    if (outcome.Standing[dinghy] == TStanding::Out) {
        ++tally.Out;
        tally.OutBeforeStart += outcome.OutBeforeStart[dinghy];
        tally.OutTogether += outcome.OutTick[0] == outcome.OutTick[1];
    }
    if (outcome.Standing[dinghy] == TStanding::Finished) {
        ++tally.Finished;
        tally.Seconds.push_back(outcome.FinishTicks[dinghy] / 60.0);
    }
}

double Percent(int32_t part, int32_t whole)
{
    return whole > 0 ? 100.0 * part / whole : 0;
}

bool ParseArguments(int argc, char** argv, TSettings& settings)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--classic") {
            settings.Rules = TRegattaRules::Classic;
        } else if (option == "--optimum") {
            settings.Optimum = true;
        } else if (option == "--list") {
            settings.List = true;
        } else if (option == "--pair" && i + 2 < argc) {
            settings.PairLow = std::atoi(argv[++i]);
            settings.PairHigh = std::atoi(argv[++i]);
            if (settings.PairLow < 1 || settings.PairHigh > Skills || settings.PairLow > settings.PairHigh)
                return false;
        } else if ((option == "--regattas" || option == "--laps") && i + 1 < argc) {
            const int value = std::atoi(argv[++i]);
            if (value < 1 || (option == "--laps" && value > TRegattaSettings::MaxLaps))
                return false;
            (option == "--laps" ? settings.Laps : settings.Regattas) = value;
        } else {
            return false;
        }
    }
    return true;
}

// Skill 5 alone on the course (the other dinghy lying still), beside the best time any of a grid of other
// numbers for its angles, corridor, least time on a tack and headers reaches in the same wind: how far from the
// best its way round is.
void MeasureOptimum(const TSettings& settings)
{
    TSettings alone = settings;
    alone.Rules = TRegattaRules::Penalties;
    const THelmSkill best = SkillOf(THelmSkill::Highest);
    double skillTotal = 0;
    double bestTotal = 0;
    double worstRatio = 1;
    int32_t counted = 0;
    int32_t within5 = 0;
    uint32_t seed = 40260;
    for (int32_t n = 0; n < settings.Regattas; ++n, ++seed) {
        const TOutcome own = Sail(alone, {THelmSkill::Highest, 0, std::nullopt}, seed);
        if (own.Standing[0] != TStanding::Finished)
            continue;
        int32_t fastest = own.FinishTicks[0];
        for (const int32_t closeHauled : {31, 34, 38, 42})
            for (const double corridor : {60.0, 120.0, 240.0, 480.0})
                for (const int32_t minTack : {30, 60, 120})
                    for (const int32_t header : {0, 8}) {
                        THelmSkill numbers = best;
                        numbers.CloseHauled = closeHauled;
                        numbers.Corridor = corridor;
                        numbers.MinTackTicks = minTack;
                        numbers.HeaderDegrees = header;
                        const TOutcome tried = Sail(alone, {0, 0, numbers}, seed);
                        if (tried.Standing[0] == TStanding::Finished)
                            fastest = std::min(fastest, tried.FinishTicks[0]);
                    }
        ++counted;
        skillTotal += own.FinishTicks[0] / 60.0;
        bestTotal += fastest / 60.0;
        const double ratio = static_cast<double>(own.FinishTicks[0]) / fastest;
        worstRatio = std::max(worstRatio, ratio);
        within5 += ratio <= 1.05;
    }
    std::printf("skill 5 alone in %d random winds (%d finished), %d laps: mean %.1f s; the best of 96 searched "
                "numbers: mean %.1f s; skill 5 / best %.3f on the means, at worst %.2f; within 5%% of the best in "
                "%.0f%%\n",
                settings.Regattas, counted, settings.Laps, counted > 0 ? skillTotal / counted : 0.0,
                counted > 0 ? bestTotal / counted : 0.0, bestTotal > 0 ? skillTotal / bestTotal : 0.0, worstRatio,
                Percent(within5, counted));
}

} // namespace

int main(int argc, char** argv)
{
    TSettings settings;
    if (!ParseArguments(argc, argv, settings)) {
        std::fprintf(stderr, "usage: measure_helm [--regattas N] [--laps 1..9] [--classic] [--pair LOW HIGH] [--list] [--optimum]\n");
        return 2;
    }
    if (settings.Optimum) {
        MeasureOptimum(settings);
        return 0;
    }
    std::array<TSkillTally, Skills> tallies{};
    // wins[a][b]: regattas between skills a and b (a < b) that the higher skill won, and that either did.
    std::array<std::array<int32_t, Skills>, Skills> higherWon{};
    std::array<std::array<int32_t, Skills>, Skills> decided{};
    uint32_t seed = 20260;
    for (int32_t a = 1; a <= Skills; ++a) {
        for (int32_t b = a; b <= Skills; ++b) {
            if (settings.PairLow != 0 && (a != settings.PairLow || b != settings.PairHigh))
                continue;
            for (int32_t n = 0; n < settings.Regattas; ++n) {
                const bool swapped = n % 2 == 1;
                const int32_t green = swapped ? b : a;
                const int32_t red = swapped ? a : b;
                const TOutcome outcome = Sail(settings, {green, red, std::nullopt}, seed++);
                if (settings.List)
                    std::printf("seed %u green %d red %d: winner %d  early %d %d  out at %lld %lld  finish %d %d  "
                                "penalties %d %d\n",
                                seed - 1, green, red, outcome.Winner, outcome.Early[0], outcome.Early[1],
                                static_cast<long long>(outcome.OutTick[0]), static_cast<long long>(outcome.OutTick[1]),
                                outcome.FinishTicks[0], outcome.FinishTicks[1], outcome.Penalties[0],
                                outcome.Penalties[1]);
                Count(tallies[static_cast<size_t>(green - 1)], outcome, 0);
                Count(tallies[static_cast<size_t>(red - 1)], outcome, 1);
                if (a != b && outcome.Winner >= 0) {
                    ++decided[static_cast<size_t>(a - 1)][static_cast<size_t>(b - 1)];
                    const int32_t winnerSkill = outcome.Winner == 0 ? green : red;
                    higherWon[static_cast<size_t>(a - 1)][static_cast<size_t>(b - 1)] += winnerSkill == b;
                }
            }
        }
    }

    std::printf("%d regattas of %d laps per pair of skills, %s, random winds (direction 1..360, variation 0..45, "
                "speed 5..30)\n\n",
                settings.Regattas, settings.Laps, settings.Rules == TRegattaRules::Classic ? "classic" : "penalties");
    std::printf("skill  sailed  finished  out    (at start  together)  early  penalties  finish mean s  spread s  "
                "tacks/beat\n");
    for (int32_t s = 1; s <= Skills; ++s) {
        const TSkillTally& t = tallies[static_cast<size_t>(s - 1)];
        double mean = 0;
        for (const double v : t.Seconds)
            mean += v;
        mean = t.Seconds.empty() ? 0 : mean / static_cast<double>(t.Seconds.size());
        double variance = 0;
        for (const double v : t.Seconds)
            variance += (v - mean) * (v - mean);
        const double spread =
            t.Seconds.size() > 1 ? std::sqrt(variance / static_cast<double>(t.Seconds.size() - 1)) : 0;
        std::printf("%5d  %6d  %7.1f%%  %4.1f%%  (%7.1f%%  %7.1f%%)  %4.1f%%  %9.2f  %13.1f  %8.1f  %10.2f\n", s,
                    t.Sailed, Percent(t.Finished, t.Sailed), Percent(t.Out, t.Sailed),
                    Percent(t.OutBeforeStart, t.Out), Percent(t.OutTogether, t.Out), Percent(t.Early, t.Sailed),
                    t.Sailed > 0 ? static_cast<double>(t.Penalties) / t.Sailed : 0.0, mean, spread,
                    t.Beats > 0 ? static_cast<double>(t.Tacks) / t.Beats : 0.0);
    }
    std::printf("\nthe higher skill's share of the regattas either won, and its wins : the lower's (the rest no one "
                "won)\n       ");
    for (int32_t b = 2; b <= Skills; ++b)
        std::printf("   vs %d         ", b);
    std::printf("\n");
    for (int32_t a = 1; a < Skills; ++a) {
        std::printf("skill %d", a);
        for (int32_t b = 2; b <= Skills; ++b) {
            if (b <= a) {
                std::printf("                 ");
                continue;
            }
            const int32_t n = decided[static_cast<size_t>(a - 1)][static_cast<size_t>(b - 1)];
            const int32_t won = higherWon[static_cast<size_t>(a - 1)][static_cast<size_t>(b - 1)];
            std::printf("  %4.0f%% %3d:%-3d", Percent(won, n), won, n - won);
        }
        std::printf("\n");
    }
    return 0;
}
