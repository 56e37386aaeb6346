#pragma once
// The command line and script lines of replay_race, checked strictly: a bad value is refused with a
// message that names it, never read as 0 or cut short.
#include <cstdint>
#include <string>
#include <vector>

struct TReplayOptions {
    uint32_t TimeOfDay = 0; // milliseconds since midnight, seeds the wind
    int32_t WindSpeed = 0;  // 0: the race's own default
    int32_t Variation = -1; // -1: the race's own default
};

// Options as "--name value" pairs. Raises std::invalid_argument with a message for the user.
TReplayOptions ParseReplayOptions(const std::vector<std::string>& args);

struct TReplayLine {
    enum TKind { Skip, Restart, Stretch } Kind = Skip;
    long Ticks = 0;
    int Green = 1;
    int Red = 1;
};

// One script line: empty or "#..." (skipped), "restart", or "<ticks> <green tiller> <red tiller>" with
// tillers 0..2. Raises std::invalid_argument with a message for the user.
TReplayLine ParseReplayLine(const std::string& line);
