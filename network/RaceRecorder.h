#pragma once
#include "network/Messages.h"

#include <cstdint>
#include <fstream>
#include <string>

// Writes an online race as a replay script: the race clock's start, then tick by tick both tillers and the
// commands, in the order the race applied them. Runs of equal ticks share one line.
class TRaceRecorder {
public:
    // Raises std::runtime_error naming the path when the file cannot be written.
    explicit TRaceRecorder(const std::string& path);
    ~TRaceRecorder();

    // The race begins with the wind reseeding from the race clock started at that time of day.
    void Start(uint32_t timeOfDay);
    // Before the tick: a restart, wind, regatta or free-sailing command.
    void Command(const TTickRecord& record);
    void Tick(TTiller green, TTiller red);
    void Pause();
    void Resume();

private:
    void FlushStretch();

    std::ofstream FOut;
    long FRun = 0;
    TTiller FGreen = TTiller::Amidships;
    TTiller FRed = TTiller::Amidships;
};
