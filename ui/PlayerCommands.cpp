#include "ui/PlayerCommands.h"

#include "ui/MainForm.h"

std::optional<TPlayer> TPlayerCommands::Steered(TPlayer player) const
{
    const TPlayer other = player == TPlayer::Green ? TPlayer::Red : TPlayer::Green;
    if (!FForm.Session.ComputerSteers(player))
        return player;
    if (!FForm.Session.ComputerSteers(other))
        return other;
    return std::nullopt;
}

void TPlayerCommands::SetTiller(TPlayer player, TTiller tiller)
{
    if (const std::optional<TPlayer> steered = Steered(player))
        FForm.Commands().SetTiller(*steered, tiller);
}

void TPlayerCommands::Restart()
{
    FForm.Commands().Restart();
}

void TPlayerCommands::Pause()
{
    FForm.Commands().Pause();
}

void TPlayerCommands::Resume()
{
    FForm.Commands().Resume();
}

void TPlayerCommands::ApplyWindSettings(const TWindSettings& settings)
{
    FForm.Commands().ApplyWindSettings(settings);
}

void TPlayerCommands::StartRegatta(const TRegattaSettings& settings)
{
    FForm.Commands().StartRegatta(settings);
}

void TPlayerCommands::LeaveRegatta()
{
    FForm.Commands().LeaveRegatta();
}

bool TPlayerCommands::Paused() const
{
    return FForm.Commands().Paused();
}
