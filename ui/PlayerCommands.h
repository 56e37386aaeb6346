#pragma once
#include "simulation/RaceCommands.h"

#include <optional>

class TMainForm;

// The players' keys and pads as commands: everything goes to the window's commands, except that a tiller goes
// to the dinghy the players steer. That is their own, unless the computer steers it: then the other one, and
// none when the computer steers both. The window must outlive the commands.
class TPlayerCommands : public IRaceCommands {
public:
    explicit TPlayerCommands(TMainForm& form) : FForm(form) {}

    // The dinghy a player's keys or pad steer now.
    std::optional<TPlayer> Steered(TPlayer player) const;

    void SetTiller(TPlayer player, TTiller tiller) override;
    void Restart() override;
    void Pause() override;
    void Resume() override;
    void ApplyWindSettings(const TWindSettings& settings) override;
    void StartRegatta(const TRegattaSettings& settings) override;
    void LeaveRegatta() override;
    bool Paused() const override;

private:
    TMainForm& FForm;
};
