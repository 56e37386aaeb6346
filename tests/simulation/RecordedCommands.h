#pragma once
#include "simulation/RaceCommands.h"

#include <string>
#include <utility>
#include <vector>

// Race commands written down as "green 0" (the tiller's number), "restart", "pause", "resume" and
// "wind 90 10 20", "regatta 3 penalties", "free"; pausing and resuming keep Paused as a race would.
class TRecordedCommands : public IRaceCommands {
public:
    void SetTiller(TPlayer player, TTiller tiller) override
    {
        Log.push_back(Name(player) + " " + std::to_string(static_cast<int>(tiller)));
    }
    void Restart() override { Log.push_back("restart"); }
    void Pause() override
    {
        Log.push_back("pause");
        FPaused = true;
    }
    void Resume() override
    {
        Log.push_back("resume");
        FPaused = false;
    }
    void ApplyWindSettings(const TWindSettings& s) override
    {
        Log.push_back("wind " + std::to_string(s.Direction) + " " + std::to_string(s.Variation) + " " +
                      std::to_string(s.Speed));
    }
    void StartRegatta(const TRegattaSettings& s) override
    {
        Log.push_back("regatta " + std::to_string(s.Laps) +
                      (s.Rules == TRegattaRules::Classic ? " classic" : " penalties"));
    }
    void LeaveRegatta() override { Log.push_back("free"); }
    bool Paused() const override { return FPaused; }

    // What happened since the last look.
    std::vector<std::string> Take() { return std::exchange(Log, {}); }

    static std::string Name(TPlayer player) { return player == TPlayer::Green ? "green" : "red"; }

    std::vector<std::string> Log;

private:
    bool FPaused = false;
};
