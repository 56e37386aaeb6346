#pragma once
#include "platform/HeadlessApplication.h"
#include "platform/HeadlessWindow.h"
#include "platform/ManualClock.h"
#include "simulation/RaceSession.h"
#include "simulation/SessionCommands.h"

#include <cstdint>

// A window whose vertical blank comes every 1/60 s of the manual clock: waiting for it moves the clock on.
class TVerticalBlankWindow : public THeadlessWindow {
public:
    TVerticalBlankWindow(int32_t width, int32_t height, TManualClock& clock);
    void WaitForVerticalBlank() override;
    // Moves the clock on by whole milliseconds, keeping the fraction of the display's period.
    void Elapse(uint32_t milliseconds);

private:
    TManualClock& FClock;
    int64_t FMicroseconds = 0;
};

// A race session without a screen: the real pictures, the real frame timer and frame step, a clock that moves
// only as the game is driven. Two runs fed the same tillers play the same race.
class THeadlessGame {
public:
    // timeOfDay seeds the wind's random targets. The window is shown at once, so the timer runs.
    explicit THeadlessGame(bool debug = false, uint32_t timeOfDay = 0);

    // Runs idle passes, a millisecond apart, until the race has processed one more tick. Returns false if none
    // came (the timer is off).
    bool Tick();
    // Both tillers, through the commands as a player's keys would set them; a dinghy the computer steers keeps
    // the tiller its helm set.
    void SetTillers(TTiller green, TTiller red);

    TRace& Race() { return Session.Race; }
    TDirectDrawSurface& BackBuffer() { return *Session.BackBuffer(); }

    // One idle pass; true when a tick was processed, else a millisecond passes.
    bool Idle();

    TManualClock Clock;
    THeadlessApplication Application;
    TVerticalBlankWindow Window;
    TRaceSession Session;
    // What drives the race: the tools and tests give their commands here.
    TSessionCommands Commands{Session};
};
