#include "tools/ReplayScript.h"

#include "simulation/RaceDigest.h"
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"
#include "tools/RollbackSyncTest.h"

#include <cinttypes>
#include <cstdio>

#include <utility>

TReplayPlayer::TReplayPlayer(THeadlessGame& game, TickHandler onTick, TRollbackSyncTest* syncTest)
    : FGame(game), FOnTick(std::move(onTick)), FSyncTest(syncTest)
{
}

TReplayPlayer::~TReplayPlayer()
{
    FGame.Session.SeedClock.UseOwn();
}

bool TReplayPlayer::Play(const TReplayLine& line)
{
    if (FSyncTest != nullptr)
        FSyncTest->Playing(line);
    TRaceSession& session = FGame.Session;
    IRaceCommands& commands = FGame.Commands;
    switch (line.Kind) {
    case TReplayLine::Skip:
        return true;
    case TReplayLine::Restart:
    case TReplayLine::Wind:
    case TReplayLine::Regatta:
    case TReplayLine::Free:
    case TReplayLine::Helm:
        GiveRaceCommand(FGame, line);
        return true;
    case TReplayLine::Pause:
        commands.Pause();
        return true;
    case TReplayLine::Resume:
        commands.Resume();
        return true;
    case TReplayLine::Inactive:
        FGame.Application.SetActive(false);
        return true;
    case TReplayLine::Active:
        FGame.Application.SetActive(true);
        return true;
    case TReplayLine::RaceClock:
        FRaceClock.emplace(FGame.Race(), static_cast<uint32_t>(line.Milliseconds));
        session.SeedClock.SetSource(*FRaceClock);
        RandSeed = static_cast<uint32_t>(line.Milliseconds);
        return true;
    case TReplayLine::Wait:
        for (long ms = 0; ms < line.Milliseconds; ++ms) {
            const int64_t before = session.Race.ProcessedTicks();
            FGame.Application.RunIdle();
            if (session.Race.ProcessedTicks() != before)
                FOnTick();
            FGame.Window.Elapse(1);
        }
        return true;
    case TReplayLine::Stretch:
        FGame.SetTillers(line.Green, line.Red);
        for (long t = 0; t < line.Ticks; ++t) {
            if (!FGame.Tick())
                return false;
            FOnTick();
        }
        return true;
    }
    return true;
}

bool IsRaceCommand(const TReplayLine& line)
{
    using L = TReplayLine;
    return line.Kind == L::Restart || line.Kind == L::Wind || line.Kind == L::Regatta || line.Kind == L::Free ||
           line.Kind == L::Helm;
}

void GiveRaceCommand(THeadlessGame& game, const TReplayLine& line)
{
    IRaceCommands& commands = game.Commands;
    switch (line.Kind) {
    case TReplayLine::Restart:
        commands.Restart();
        break;
    case TReplayLine::Wind:
        commands.ApplyWindSettings(line.Settings);
        break;
    case TReplayLine::Regatta:
        commands.StartRegatta(line.RegattaSettings);
        break;
    case TReplayLine::Free:
        commands.LeaveRegatta();
        break;
    case TReplayLine::Helm:
        game.Session.SetHelm(line.HelmPlayer, line.HelmSkill);
        break;
    default:
        break;
    }
}

std::string DigestLine(long tick, THeadlessGame& game)
{
    char line[80];
    std::snprintf(line, sizeof line, "%ld %016" PRIx64 " %016" PRIx64 " %016" PRIx64, tick,
                  RaceStateDigest(game.Race()), FrameDigest(game.BackBuffer()), RacePaceDigest(game.Race()));
    return line;
}

std::string RegattaEventLine(long tick, const TRaceEvent& e)
{
    const std::string dinghy = e.Dinghy == 0 ? "green" : "red";
    std::string text;
    switch (e.Kind) {
    case TRaceEvent::Countdown:
        text = "countdown " + std::to_string(e.Value);
        break;
    case TRaceEvent::Start:
        text = "start";
        break;
    case TRaceEvent::Early:
        text = "early " + dinghy;
        break;
    case TRaceEvent::Started:
        text = "started " + dinghy;
        break;
    case TRaceEvent::Rounded:
        text = "rounded " + dinghy + " " + std::to_string(e.Value);
        break;
    case TRaceEvent::Lap:
        text = "lap " + dinghy + " " + std::to_string(e.Value) + " " + std::to_string(e.Ticks);
        break;
    case TRaceEvent::Penalty:
        text = "penalty " + dinghy + " " + std::to_string(e.Value) + " " + std::to_string(static_cast<int>(e.Rule));
        break;
    case TRaceEvent::Cleared:
        text = "cleared " + dinghy;
        break;
    case TRaceEvent::Out:
        text = "out " + dinghy;
        break;
    case TRaceEvent::Finished:
        text = "finished " + dinghy + " " + std::to_string(e.Value) + " " + std::to_string(e.Ticks);
        break;
    case TRaceEvent::Over:
        text = "over";
        break;
    case TRaceEvent::Exploded:
        return {};
    }
    return std::to_string(tick) + " regatta " + text;
}
