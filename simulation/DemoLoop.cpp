#include "simulation/DemoLoop.h"

#include "simulation/RaceCommands.h"
#include "simulation/RaceSession.h"

TDemoLoop::TDemoLoop(TRaceSession& session, IRaceCommands& commands, uint32_t seed)
    : FSession(session), FCommands(commands), FState(seed)
{
}

void TDemoLoop::Begin()
{
    FRunning = true;
    FSession.SetHelm(TPlayer::Green, Skills[0]);
    FSession.SetHelm(TPlayer::Red, Skills[1]);
    StartRegatta();
}

void TDemoLoop::Seen(const TRaceEvent& event)
{
    if (FRunning && event.Kind == TRaceEvent::Over)
        FOverAt = event.Tick;
}

bool TDemoLoop::Due(int64_t tick) const
{
    return FRunning && FOverAt && tick - *FOverAt >= ResultsTicks;
}

bool TDemoLoop::Poll(int64_t tick)
{
    if (!Due(tick))
        return false;
    StartRegatta();
    return true;
}

void TDemoLoop::End()
{
    if (!FRunning)
        return;
    FRunning = false;
    FOverAt.reset();
    FSession.SetHelm(TPlayer::Green, std::nullopt);
    FSession.SetHelm(TPlayer::Red, std::nullopt);
    // A helm leaves its tiller where it last put it; the players take over with theirs let go.
    FCommands.SetTiller(TPlayer::Green, TTiller::Amidships);
    FCommands.SetTiller(TPlayer::Red, TTiller::Amidships);
    FCommands.LeaveRegatta();
}

TWindSettings TDemoLoop::NextWind()
{
    // A linear congruential step; its upper bits are the better ones.
    const auto next = [this](int32_t range) {
        FState = FState * 1664525u + 1013904223u;
        return static_cast<int32_t>((FState >> 8) % static_cast<uint32_t>(range));
    };
    const int32_t direction = TWindSettings::MinDirection + next(TWindSettings::MaxDirection);
    const int32_t variation = next(MaxVariation + 1);
    const int32_t speed = MinSpeed + next(MaxSpeed - MinSpeed + 1);
    return {direction, variation, speed};
}

void TDemoLoop::StartRegatta()
{
    FOverAt.reset();
    FCommands.ApplyWindSettings(NextWind());
    FCommands.StartRegatta(Regatta);
}
