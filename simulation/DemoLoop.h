#pragma once
#include "simulation/WindSettings.h"
#include "simulation/regatta/RaceEvent.h"
#include "simulation/regatta/RegattaSettings.h"

#include <array>
#include <cstdint>
#include <optional>

class IRaceCommands;
class TRaceSession;

// The demo: both dinghies steered by the computer race regatta after regatta, each in a wind of its own. The
// driver passes it the race's events and, between ticks, the processed tick; it decides when the next regatta
// begins. Its winds come from a generator of its own, so the race's draws stay as they would be.
class TDemoLoop {
public:
    // How long the results stand before the next regatta, in processed ticks (the race's 60 a second).
    static constexpr int64_t ResultsTicks = 8 * 60;
    static constexpr TRegattaSettings Regatta{3, TRegattaRules::Penalties};
    // Green's and red's skill.
    static constexpr std::array<int32_t, 2> Skills{5, 4};
    // The winds drawn: every direction, a little deviation, speeds the helms race well in.
    static constexpr int32_t MaxVariation = 15;
    static constexpr int32_t MinSpeed = 10;
    static constexpr int32_t MaxSpeed = 22;

    // The session and the commands must outlive the demo; seed starts its winds.
    TDemoLoop(TRaceSession& session, IRaceCommands& commands, uint32_t seed);

    // The computer takes both dinghies and the first regatta begins.
    void Begin();
    // Every event the race reports, in order.
    void Seen(const TRaceEvent& event);
    // Whether the next regatta is due at this processed tick.
    bool Due(int64_t tick) const;
    // The next regatta, in a new wind, if it is due; true if it began.
    bool Poll(int64_t tick);
    // The dinghies back to the players, tillers amidships, free sailing.
    void End();
    bool Running() const { return FRunning; }

    // The next wind of the demo, within the limits above.
    TWindSettings NextWind();

private:
    void StartRegatta();

    TRaceSession& FSession;
    IRaceCommands& FCommands;
    uint32_t FState;
    bool FRunning = false;
    // The tick the regatta under way was over on.
    std::optional<int64_t> FOverAt;
};
