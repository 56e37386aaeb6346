#pragma once
#include "drawing/DrawingSurface.h"
#include "drawing/ImageList.h"
#include "simulation/Player.h"
#include "simulation/Race.h"
#include "simulation/SeedClock.h"
#include "simulation/TickObserver.h"
#include "simulation/Tiller.h"
#include "simulation/WindSettings.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/Timer.h"

#include <cstdint>
#include <optional>

class IApplication;
class IClock;
class IPresentWindow;
class IRaceCommands;

// One race with the components of its scene, built from what the platform supplies. Whoever drives a race (the
// main window, the headless game, the tools, the benchmarks) builds a session and turns what happens into its
// calls (through IRaceCommands, simulation/RaceCommands.h); the session runs the start-up in the order the main window's form demands: its components streamed,
// the race created, then, when the window is first shown, the drawing surface initialised and the timer on.
class TRaceSession : private ITickObserver {
public:
    // The clock, the application and the window must outlive the session. debug switches on the collision
    // outlines.
    TRaceSession(IClock& clock, IApplication& application, IPresentWindow& window, bool debug);
    // Finalises first: the drawing surface tells its listeners while everything they refer to still exists.
    ~TRaceSession() override;
    TRaceSession(const TRaceSession&) = delete;
    TRaceSession& operator=(const TRaceSession&) = delete;

    // The window is shown for the first time: the drawing surface initialises, which switches the timer on.
    void Show();
    // The drawing area's window changed its size.
    void WindowResized();
    // The window closes: the drawing surface finalises, which switches the timer off.
    void Finalize();

    void SetTiller(TPlayer player, TTiller tiller);
    // Both dinghies back on the start line; nothing else changes (in a regatta, the same regatta begins again).
    void Restart();
    // The frame timer off and on again; the race stands still in between.
    void Pause();
    void Resume();
    bool Running() const { return DXTimer1.Enabled(); }
    // The next tick, without asking the tick gate and without presenting its frame: for a driver that put
    // the race back with a TRaceSnapshot and runs the ticks since again (an online race whose guess of the
    // other player's tiller was wrong).
    void RunTickUnseen() { Race.RunTick(false); }

    TWindSettings WindSettings() const;
    // What confirming the settings dialog does: the wind blows from the new direction at once, with no shift
    // under way.
    void ApplyWindSettings(const TWindSettings& settings);

    // See IRaceCommands: the dinghies back on the start line and a regatta from its countdown, or free
    // sailing again.
    void StartRegatta(const TRegattaSettings& settings);
    void LeaveRegatta();
    // The regatta under way, or null in free sailing.
    const TRegatta* Regatta() const { return Race.Regatta ? &*Race.Regatta : nullptr; }

    // Who steers the player's dinghy: the computer at a skill of 1..5, or with none the player. A computer
    // takes the dinghy with a generator seeded from the race's, and after every processed tick sets its tiller
    // through the helm commands.
    void SetHelm(TPlayer player, std::optional<int32_t> skill);
    bool ComputerSteers(TPlayer player) const { return Race.Helms[static_cast<size_t>(player)].has_value(); }
    // The commands the computer helms steer through, as a player's keys do (the driver's own); until given,
    // they do not steer. They must outlive the session or be taken back with nullptr.
    void SetHelmCommands(IRaceCommands* commands) { FHelmCommands = commands; }

    bool Debug() const { return Race.Debug(); }
    // The back buffer, or null before the drawing surface is initialised.
    TDirectDrawSurface* BackBuffer() { return DXDraw1.Surface(); }
    // The pixel of the last frame at (x, y); 0 outside it or without a back buffer.
    uint32_t PixelAt(int32_t x, int32_t y);

    // What the race reseeds from; the session's clock until a driver says otherwise.
    TSeedClock SeedClock;
    TCustomDXDraw DXDraw1;
    TDXSpriteEngine DXSpriteEngine1;
    TDXTimer DXTimer1;
    TDXImageList DXImageList1;
    TRace Race;

private:
    void TickDone() override;

    IRaceCommands* FHelmCommands = nullptr;
};
