#include "simulation/RaceSounds.h"

std::optional<TSound> SoundOf(const TRaceEvent& event)
{
    switch (event.Kind) {
    case TRaceEvent::Countdown:
        return TSound::Countdown;
    case TRaceEvent::Start:
        return TSound::Start;
    case TRaceEvent::Early:
        return TSound::Early;
    case TRaceEvent::Rounded:
        return TSound::Rounding;
    case TRaceEvent::Penalty:
        return TSound::Penalty;
    case TRaceEvent::Finished:
        return TSound::Finish;
    case TRaceEvent::Exploded:
        return TSound::Explosion;
    case TRaceEvent::Started:
    case TRaceEvent::Lap:
    case TRaceEvent::Cleared:
    case TRaceEvent::Out:
    case TRaceEvent::Over:
        break;
    }
    return std::nullopt;
}

void PlayRaceSound(ISoundPlayer& player, const TRaceEvent& event)
{
    if (const std::optional<TSound> sound = SoundOf(event))
        player.Play(*sound);
}
