#pragma once
#include "simulation/Player.h"
#include "simulation/Tiller.h"

// What the game's keys do, by virtual-key code. The window carries out the actions: steering goes to the race
// commands, the others click the toolbar's buttons as a mouse would.
struct TKeyAction {
    enum TKind { None, Steer, Restart, PauseOrResume, Quit, ToggleSound } Kind = None;
    // Steer only.
    TPlayer Player = TPlayer::Green;
    TTiller Tiller = TTiller::Amidships;
    friend bool operator==(const TKeyAction&, const TKeyAction&) = default;
};

// A key going down: a steering key puts its dinghy's tiller over; F3, Pause and Esc are the toolbar's; M mutes
// the sound and brings it back.
TKeyAction KeyDownAction(int virtualKey);
// A key coming up: a steering key brings its dinghy's tiller amidships, whichever of the pair it is.
TKeyAction KeyUpAction(int virtualKey);
