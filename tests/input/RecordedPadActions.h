#pragma once
#include "input/PadSteering.h"

#include <string>
#include <utility>
#include <vector>

// A pad's actions written down as "green 0", "pause", "restart", "taken red", "dropped green".
class TRecordedPadActions : public IPadActions {
public:
    void SetTiller(TPlayer player, int32_t tiller) override
    {
        Log.push_back(Name(player) + " " + std::to_string(tiller));
    }
    void PauseOrResume() override { Log.push_back("pause"); }
    void Restart() override { Log.push_back("restart"); }
    void PadTaken(TPlayer player) override { Log.push_back("taken " + Name(player)); }
    void PadDropped(TPlayer player) override { Log.push_back("dropped " + Name(player)); }

    // What happened since the last look.
    std::vector<std::string> Take() { return std::exchange(Log, {}); }

    std::vector<std::string> Log;

private:
    static std::string Name(TPlayer player) { return player == TPlayer::Green ? "green" : "red"; }
};
