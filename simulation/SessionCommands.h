#pragma once
#include "simulation/RaceCommands.h"

#include <functional>

class TRaceSession;

// The commands of a race on this machine alone: each takes effect on the session at once.
class TSessionCommands : public IRaceCommands {
public:
    // The session must outlive the commands.
    explicit TSessionCommands(TRaceSession& session) : FSession(session) {}

    void SetTiller(TPlayer player, TTiller tiller) override;
    void Restart() override;
    void Pause() override;
    void Resume() override;
    void ApplyWindSettings(const TWindSettings& settings) override;
    void StartRegatta(const TRegattaSettings& settings) override;
    void LeaveRegatta() override;
    bool Paused() const override { return FPaused; }

    // Told whenever Pause or Resume changed what Paused says.
    std::function<void(bool paused)> OnPausedChanged;

private:
    void SetPaused(bool paused);

    TRaceSession& FSession;
    // Kept apart from the timer: the debug probe runs the timer again behind a pause the player made, and the
    // pause key must still resume.
    bool FPaused = false;
};
