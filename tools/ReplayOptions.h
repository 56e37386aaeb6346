#pragma once
// The command line and script lines of replay_race, checked strictly: a bad value is refused with a
// message that names it, never read as 0 or cut short.
#include "simulation/Player.h"
#include "simulation/Tiller.h"
#include "simulation/WindSettings.h"
#include "simulation/regatta/RegattaSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TReplayOptions {
    uint32_t TimeOfDay = 0; // milliseconds since midnight, seeds the wind
    int32_t WindSpeed = 0;  // 0: the race's own default
    int32_t Variation = -1; // -1: the race's own default
    bool Debug = false;     // the collision outlines drawn, as the program's DEBUG argument does
    bool Digests = false;   // one line of digests after every tick instead of a state line per stretch
    // Every tick rolled back and run again, the rollbacks' lengths drawn from this seed (tools/RollbackSyncTest.h).
    std::optional<uint32_t> SyncTest;
};

// Options as "--name value" pairs, and the flags "--debug" and "--digests". Raises std::invalid_argument with
// a message for the user.
TReplayOptions ParseReplayOptions(const std::vector<std::string>& args);

struct TReplayLine {
    enum TKind { Skip, Restart, Stretch, Pause, Resume, Wait, Wind, Inactive, Active, RaceClock, Regatta, Free, Helm } Kind = Skip;
    long Ticks = 0;
    TTiller Green = TTiller::Amidships;
    TTiller Red = TTiller::Amidships;
    // Wait: milliseconds of idle processing. RaceClock: the time of day.
    long Milliseconds = 0;
    // Wind: the settings dialog's three values.
    TWindSettings Settings;
    // Regatta: the regatta dialog's values.
    TRegattaSettings RegattaSettings;
    // Helm: whose dinghy, and the computer's skill (none: the player steers).
    TPlayer HelmPlayer = TPlayer::Green;
    std::optional<int32_t> HelmSkill;
};

// One script line: empty or "#..." (skipped); "<ticks> <green tiller> <red tiller>" with tillers 0..2;
// "restart", "pause", "resume" (the toolbar's buttons); "wait <milliseconds>" (time passes, ticking only if
// the timer runs); "wind <direction> <variation> <speed>" within TWindSettings' limits (the settings dialog
// confirmed); "regatta <laps> <classic|penalties>" (the regatta dialog confirmed), "free" (back to free
// sailing); "helm <green|red> <player|computer SKILL>" with SKILL 1..5 (who steers that dinghy from here on; a
// stretch's tiller for a dinghy the computer steers is not used); "inactive", "active" (the program loses or
// regains the focus); "race-clock <milliseconds of day>" (from here on the wind reseeds from the race's own
// clock started at that time of day, as in an online race). Raises std::invalid_argument with a message for
// the user.
TReplayLine ParseReplayLine(const std::string& line);
