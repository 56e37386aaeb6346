#include "tools/ReplayScript.h"

#include "simulation/headless/HeadlessGame.h"

#include <utility>

TReplayPlayer::TReplayPlayer(THeadlessGame& game, TickHandler onTick) : FGame(game), FOnTick(std::move(onTick)) {}

bool TReplayPlayer::Play(const TReplayLine& line)
{
    TRace& race = FGame.Race();
    switch (line.Kind) {
    case TReplayLine::Skip:
        return true;
    case TReplayLine::Restart:
        race.SpeedButtonStartClick();
        return true;
    case TReplayLine::Pause:
        FGame.DXTimer1.SetEnabled(false);
        return true;
    case TReplayLine::Resume:
        FGame.DXTimer1.SetEnabled(true);
        return true;
    case TReplayLine::Inactive:
        FGame.Application.SetActive(false);
        return true;
    case TReplayLine::Active:
        FGame.Application.SetActive(true);
        return true;
    case TReplayLine::Wind:
        race.WindBase = line.WindDirection;
        race.WindDirection = line.WindDirection;
        race.WindTarget = line.WindDirection;
        race.WindVariation = line.WindVariation;
        race.WindSpeed = line.WindSpeed;
        return true;
    case TReplayLine::Wait:
        for (long ms = 0; ms < line.Milliseconds; ++ms) {
            const int64_t before = race.ProcessedTicks();
            FGame.Application.RunIdle();
            if (race.ProcessedTicks() != before)
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
