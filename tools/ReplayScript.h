#pragma once
#include "simulation/RaceClock.h"
#include "simulation/regatta/RaceEvent.h"
#include "tools/ReplayOptions.h"

#include <functional>
#include <optional>
#include <string>

class THeadlessGame;
class TRollbackSyncTest;

// Plays the lines of a replay script on a headless game, doing what the window does for each: tillers set
// between ticks, the toolbar's buttons, the settings dialog's values, the focus lost and regained.
class TReplayPlayer {
public:
    using TickHandler = std::function<void()>;
    // onTick is called after every processed tick, also those that come while time passes in a "wait". A sync
    // test, when given, is told every line before it is played (it must outlive the player).
    TReplayPlayer(THeadlessGame& game, TickHandler onTick, TRollbackSyncTest* syncTest = nullptr);
    ~TReplayPlayer();

    // False when a stretch found the timer stopped (paused or inactive): no tick came.
    bool Play(const TReplayLine& line);

private:
    THeadlessGame& FGame;
    TickHandler FOnTick;
    TRollbackSyncTest* FSyncTest;
    std::optional<TRaceClock> FRaceClock;
};

// The lines a race takes between ticks as commands: "restart", "wind", "regatta", "free" and "helm".
bool IsRaceCommand(const TReplayLine& line);
// Gives the game such a command as the window does.
void GiveRaceCommand(THeadlessGame& game, const TReplayLine& line);

// The regatta's event as replay_race prints it, "<tick> regatta <event> ...", e.g. "901 regatta start" or
// "2400 regatta penalty red 2 10"; empty for the events that are not the regatta's.
std::string RegattaEventLine(long tick, const TRaceEvent& event);

// What replay_race --digests prints after a tick, and the golden race records: "<tick> <race state> <frame>
// <pace>", the digests in hexadecimal.
std::string DigestLine(long tick, THeadlessGame& game);
