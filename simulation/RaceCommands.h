#pragma once
#include "simulation/Player.h"
#include "simulation/Tiller.h"
#include "simulation/WindSettings.h"
#include "simulation/regatta/RegattaSettings.h"

// Everything the outside world does to a race. Every source of commands (the keys, the toolbar, the pads, the
// settings dialog, a replay script, the other machine of an online race) speaks to this and nothing else; the
// implementation decides where they take effect: at once on this machine's session, or on the same tick on
// both machines of an online race.
class IRaceCommands {
public:
    virtual ~IRaceCommands() = default;

    virtual void SetTiller(TPlayer player, TTiller tiller) = 0;
    // Both dinghies back on the start line (in a regatta, the same regatta from its countdown); the pause state
    // stays as it is.
    virtual void Restart() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // The wind blows from the new direction at once, with no shift under way; values beyond the limits are
    // brought within them.
    virtual void ApplyWindSettings(const TWindSettings& settings) = 0;
    // Both dinghies back on the start line and a regatta begins its countdown (a running one starts again);
    // settings beyond the limits are brought within them.
    virtual void StartRegatta(const TRegattaSettings& settings) = 0;
    // The regatta ends and free sailing begins again, both dinghies back on the start line; nothing without a
    // regatta.
    virtual void LeaveRegatta() = 0;

    // Paused as the players see it: by Pause until Resume (online, once the pause has reached this machine).
    virtual bool Paused() const = 0;
};

// What the pause key and a pad's start button do.
inline void PauseOrResume(IRaceCommands& commands)
{
    if (commands.Paused())
        commands.Resume();
    else
        commands.Pause();
}
