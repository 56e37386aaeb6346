#pragma once
#include "platform/SoundPlayer.h"
#include "simulation/regatta/RaceEvent.h"

#include <optional>

// The signal a race event sounds, if any. The countdown, the start, an early start, a rounding, a penalty, a
// finish and an explosion are heard; what follows from them without a moment of its own (a dinghy starting or
// completing a lap, penalties cleared, a dinghy out, the race over) is shown, not sounded.
std::optional<TSound> SoundOf(const TRaceEvent& event);

// Plays the event's signal, if it has one.
void PlayRaceSound(ISoundPlayer& player, const TRaceEvent& event);
