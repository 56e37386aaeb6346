#pragma once
#include "input/PadSteering.h"
#include "tests/simulation/RecordedCommands.h"

#include <string>
#include <vector>

// A pad's actions written down as "green 0", "pause", "resume", "restart", "taken red", "dropped green".
class TRecordedPadActions : public IPadActions {
public:
    IRaceCommands& Commands() override { return Recorded; }
    void PadTaken(TPlayer player) override { Recorded.Log.push_back("taken " + TRecordedCommands::Name(player)); }
    void PadDropped(TPlayer player) override
    {
        Recorded.Log.push_back("dropped " + TRecordedCommands::Name(player));
    }

    // What happened since the last look.
    std::vector<std::string> Take() { return Recorded.Take(); }

    TRecordedCommands Recorded;
};
