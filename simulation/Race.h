#pragma once
#include "drawing/Rect.h"
#include "simulation/RaceComponents.h"
#include "simulation/RaceEventLog.h"
#include "simulation/SinTable.h"
#include "simulation/helm/ComputerHelm.h"
#include "simulation/regatta/Regatta.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class TBoje;
class TPictureCollectionItem;
class TQuibo;
class TWindrose;
class TDirectDrawSurface;
class ITickGate;
class ITickObserver;

// The state of the race as the main window holds it: the sine table, the wind, the tick counters and the
// sprites of the course, with the operations the window's handlers run.
class TRace {
public:
    // Debug switches on the white collision outlines.
    TRace(const TRaceComponents& components, bool debug);

    // Fills the table, sets the wind defaults, creates the dinghies with their sails, restarts, and creates the
    // wind rose and the buoys placed relative to the dinghies.
    void FormCreate();
    // Puts both dinghies back on the start line; touches nothing else.
    void SpeedButtonStartClick();
    // Both dinghies back on the start line and a regatta with these settings from its countdown.
    void StartRegatta(const TRegattaSettings& settings);
    // Free sailing again, both dinghies back on the start line.
    void LeaveRegatta();
    // The course the buoys make.
    TCourse Course() const;
    // One tick of the frame timer.
    void DXTimer1Timer(int32_t lagCount);
    // The next processed tick in full, without asking the tick gate: drawn, moved, tested, refereed and told
    // to the observer; presented only when asked (a tick run again after a rollback is not shown).
    void RunTick(bool present);

    // Angle of the wind clockwise from a heading, 0..359.
    int32_t RelativeWindAngle(int32_t heading) const;

    TPictureCollectionItem& Image(const std::string& name) const;
    // The back buffer every frame is composed in.
    TDirectDrawSurface* Surface() const;
    bool Debug() const { return FDebug; }
    // Ticks that went through in full (late ticks dropped by the frame step do not count).
    int64_t ProcessedTicks() const { return FProcessedTicks; }

    TSinTable SinTable{};
    int32_t WindDirection = 360;
    int32_t WindBase = 360;
    int32_t WindVariation = 5;
    int32_t WindTarget = 360;
    int32_t WindSpeed = 15;
    int32_t RateTicks = 0;
    int32_t LagTicks = 0;

    std::array<TBoje*, 3> Buoys{};
    std::array<TQuibo*, 2> Dinghies{};
    TWindrose* WindRose = nullptr;

    // The regatta under way; none in free sailing.
    std::optional<TRegatta> Regatta;
    // What happened, for whoever shows it; the race never reads it.
    TRaceEventLog Events;
    // The computer helms, green's and red's; none where a player steers. The race only keeps them (their state
    // is the race's, for the digest); whoever observes the ticks lets them steer.
    std::array<std::optional<TComputerHelm>, 2> Helms;

    TRaceComponents Components;
    // Asked before and after every processed tick when set; not owned.
    ITickGate* TickGate = nullptr;
    // Told after every processed tick, after the referee, when set; not owned.
    ITickObserver* TickObserver = nullptr;

private:
    friend class TRaceSnapshot;
    void GovernRate();
    void StepWind();
    void Steer(TQuibo& dinghy);

    bool FDebug;
    int64_t FProcessedTicks = 0;
};
