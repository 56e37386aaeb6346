#include "simulation/SessionCommands.h"

#include "simulation/RaceSession.h"

void TSessionCommands::SetTiller(TPlayer player, TTiller tiller)
{
    FSession.SetTiller(player, tiller);
}

void TSessionCommands::Restart()
{
    FSession.Restart();
}

void TSessionCommands::Pause()
{
    FSession.Pause();
    SetPaused(true);
}

void TSessionCommands::Resume()
{
    FSession.Resume();
    SetPaused(false);
}

void TSessionCommands::ApplyWindSettings(const TWindSettings& settings)
{
    FSession.ApplyWindSettings(settings.Limited());
}

void TSessionCommands::StartRegatta(const TRegattaSettings& settings)
{
    FSession.StartRegatta(settings.Limited());
}

void TSessionCommands::LeaveRegatta()
{
    FSession.LeaveRegatta();
}

void TSessionCommands::SetPaused(bool paused)
{
    if (paused == FPaused)
        return;
    FPaused = paused;
    if (OnPausedChanged)
        OnPausedChanged(paused);
}
