#pragma once
#include "simulation/RaceClock.h"
#include "tools/ReplayOptions.h"

#include <functional>
#include <optional>
#include <string>

class THeadlessGame;

// Plays the lines of a replay script on a headless game, doing what the window does for each: tillers set
// between ticks, the toolbar's buttons, the settings dialog's values, the focus lost and regained.
class TReplayPlayer {
public:
    using TickHandler = std::function<void()>;
    // onTick is called after every processed tick, also those that come while time passes in a "wait".
    TReplayPlayer(THeadlessGame& game, TickHandler onTick);
    ~TReplayPlayer();

    // False when a stretch found the timer stopped (paused or inactive): no tick came.
    bool Play(const TReplayLine& line);

private:
    THeadlessGame& FGame;
    TickHandler FOnTick;
    std::optional<TRaceClock> FRaceClock;
};

// What replay_race --digests prints after a tick, and the golden race records: "<tick> <race state> <frame>
// <pace>", the digests in hexadecimal.
std::string DigestLine(long tick, THeadlessGame& game);
